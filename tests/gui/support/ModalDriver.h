#pragma once

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <deque>
#include <filesystem>
#include <functional>
#include <vector>

namespace vesk::test {

// Answers the modal dialogs and message boxes that a command opens, in order.
// Each step gets the dialog in front; message boxes with no step left are
// recorded and closed with OK, so a test can check every message shown.
class ModalDriver : public QObject {
    Q_OBJECT

public:
    struct ShownMessage {
        QString text;
        QString caption;
        QMessageBox::Icon icon;
        QString ownerTitle;  // the window title of the box's owner
    };

    using Step = std::function<void(QWidget* dialog)>;

    ModalDriver();

    // The next modal dialog that is not a message box goes to step.
    void Then(Step step) { steps_.push_back(std::move(step)); }
    // The next modal dialog is a file dialog, and folder is chosen in it.
    void ThenChooseFolder(const std::filesystem::path& folder);

    std::vector<ShownMessage> messages;
    int unexpectedDialogs = 0;

    QStringList MessageTexts() const;

private:
    void Poll();

    QTimer timer_;
    std::deque<Step> steps_;
    QPointer<QWidget> lastHandled_;
};

}  // namespace vesk::test
