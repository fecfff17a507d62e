#include "ModalDriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QTest>

namespace vesk::test {

ModalDriver::ModalDriver() {
    connect(&timer_, &QTimer::timeout, this, &ModalDriver::Poll);
    timer_.start(5);
}

void ModalDriver::ThenChooseFolder(const std::filesystem::path& folder) {
    Then([folder](QWidget* dialog) {
        auto* files = qobject_cast<QFileDialog*>(dialog);
        QVERIFY(files);
        files->setDirectory(QString::fromStdString(folder.string()));
        files->selectFile(QString::fromStdString(folder.string()));
        static_cast<QDialog*>(files)->accept();
    });
}

QStringList ModalDriver::MessageTexts() const {
    QStringList texts;
    for (const ShownMessage& message : messages) {
        texts.append(message.text);
    }
    return texts;
}

void ModalDriver::Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == lastHandled_ || !modal->isVisible()) {
        return;
    }
    lastHandled_ = modal;
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        const QWidget* owner = box->parentWidget();
        messages.push_back({box->text(), box->windowTitle(), box->icon(),
                            owner ? owner->window()->windowTitle() : QString()});
        box->button(QMessageBox::Ok)->click();
        return;
    }
    if (steps_.empty()) {
        ++unexpectedDialogs;
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->reject();
        }
        return;
    }
    Step step = std::move(steps_.front());
    steps_.pop_front();
    step(modal);
}

}  // namespace vesk::test
