#pragma once

#include <QObject>
#include <QPointF>
#include <vector>

namespace vesk {
class CMyVeskDoc;
struct Finding;
}  // namespace vesk

namespace vesk::gui {

class CMyVeskView;
class FindingsPanel;
class SheetCheckRunner;

// Shows the data check of the loaded sheet: runs it after each load, colours
// the view's block frames and marks by it, lists its findings in the panel
// and draws the chosen one. It only reads the document, and selects a block.
class SheetCheckDisplay : public QObject {
    Q_OBJECT

public:
    SheetCheckDisplay(CMyVeskDoc& doc, CMyVeskView& view, QWidget* window);

    FindingsPanel* Panel() const { return panel_; }
    SheetCheckRunner& Runner() const { return *runner_; }

    // The document changed what it shows: a new sheet is checked, the panel
    // follows the selected block.
    void DocumentChanged();

    bool StatusShown() const { return statusShown_; }
    void ToggleStatus();

private:
    void Show();
    void ShowFinding(int blockNumber, const Finding& finding);

    CMyVeskDoc& doc_;
    CMyVeskView& view_;
    SheetCheckRunner* runner_ = nullptr;
    FindingsPanel* panel_ = nullptr;
    bool statusShown_ = true;
    std::vector<QPointF> highlight_;
    int highlightBlock_ = -1;
};

}  // namespace vesk::gui
