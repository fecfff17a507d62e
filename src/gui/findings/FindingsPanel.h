#pragma once

#include <QDockWidget>
#include <cstddef>
#include <memory>
#include <optional>

#include "check/SheetCheck.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace vesk::gui {

// A block's finding by position in the check: the block's place in the
// check's list and the finding's in the block's.
struct FindingRef {
    std::size_t block = 0;
    std::size_t finding = 0;
    friend bool operator==(const FindingRef&, const FindingRef&) = default;
};

// The dock listing the findings of the selected block, or of the whole sheet
// when none is selected; a click on one asks for it to be shown.
class FindingsPanel : public QDockWidget {
    Q_OBJECT

public:
    explicit FindingsPanel(QWidget* parent);

    // Lists the findings of check (none while it runs) for the block
    // selected (-1 for all); the chosen finding stays chosen if still listed.
    void List(std::shared_ptr<const SheetCheck> check, bool running, int selectedBlock);
    int RowCount() const;
    QStringList RowTexts(int row) const;
    // The row of the chosen finding, -1 when none is listed.
    int CurrentRow() const;
    // Chooses the finding in row as a click does.
    void ChooseRow(int row);

signals:
    void FindingChosen(int blockNumber, const Finding& finding);

private:
    void AddBlock(std::size_t index, const BlockCheck& block);
    void Choose(QTreeWidgetItem* item);

    QTreeWidget* list_ = nullptr;
    std::shared_ptr<const SheetCheck> check_;
    bool running_ = false;
    int selectedBlock_ = -2;
    std::optional<FindingRef> chosen_;
};

}  // namespace vesk::gui
