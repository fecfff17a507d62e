#pragma once

#include <QDockWidget>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>

#include "check/SheetCheck.h"

class QLabel;
class QStackedWidget;
class QTreeWidgetItem;

namespace vesk::gui {

class FindingsList;

// A block's finding by position in the check: the block's place in the
// check's list and the finding's in the block's.
struct FindingRef {
    std::size_t block = 0;
    std::size_t finding = 0;
    friend bool operator==(const FindingRef&, const FindingRef&) = default;
};

// The dock listing the findings of the selected block, or of the whole sheet
// when none is selected; a click on one asks for it to be shown. While the
// check runs, when it found nothing there and when it stopped without a
// result, a line says so instead.
class FindingsPanel : public QDockWidget {
    Q_OBJECT

public:
    explicit FindingsPanel(QWidget* parent);

    // Lists the findings of check (none while it runs) for the block
    // selected (-1 for all); the chosen finding stays chosen if still listed.
    // `failure` says why the check stopped without a result, when it did.
    void List(std::shared_ptr<const SheetCheck> check, bool running, int selectedBlock,
              const std::string& failure = {});
    // No finding is chosen any more; the list stays as it is.
    void ForgetChoice();
    int RowCount() const;
    QStringList RowTexts(int row) const;
    // The full text of a row's message, which its column may show cut short.
    QString MessageToolTip(int row) const;
    // The row of the chosen finding, -1 when none is listed.
    int CurrentRow() const;
    // Chooses the finding in row as a click does.
    void ChooseRow(int row);
    // The line shown in place of the list, empty while the list is shown.
    QString StateText() const;

signals:
    void FindingChosen(int blockNumber, const Finding& finding);

private:
    void AddBlock(std::size_t index, const BlockCheck& block);
    void ShowListOrState();
    void Choose(QTreeWidgetItem* item);

    QStackedWidget* pages_ = nullptr;
    FindingsList* list_ = nullptr;
    QLabel* state_ = nullptr;
    std::shared_ptr<const SheetCheck> check_;
    bool running_ = false;
    std::string failure_;
    int selectedBlock_ = -2;
    std::optional<FindingRef> chosen_;
};

}  // namespace vesk::gui
