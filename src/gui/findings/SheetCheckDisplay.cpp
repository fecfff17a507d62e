#include "findings/SheetCheckDisplay.h"

#include <QPolygonF>
#include <utility>

#include "check/BlockHealth.h"
#include "document/CMyVeskDoc.h"
#include "findings/DataStatusSetting.h"
#include "findings/FindingPlace.h"
#include "findings/FindingsPanel.h"
#include "findings/SheetCheckRunner.h"
#include "view/CMyVeskView.h"

namespace vesk::gui {

SheetCheckDisplay::SheetCheckDisplay(CMyVeskDoc& doc, CMyVeskView& view, QWidget* window)
    : QObject(window),
      doc_(doc),
      view_(view),
      runner_(new SheetCheckRunner(CheckSheetFile, this)),
      panel_(new FindingsPanel(window)),
      statusShown_(DataStatusShown()) {
    panel_->hide();
    connect(runner_, &SheetCheckRunner::Changed, this, [this] {
        highlight_.clear();
        Show();
    });
    connect(panel_, &FindingsPanel::FindingChosen, this, &SheetCheckDisplay::ShowFinding);
    Show();
}

void SheetCheckDisplay::DocumentChanged() {
    runner_->Follow(doc_);
    // A finding stays drawn, and chosen in the list, only while its block is
    // the selected one.
    if (doc_.SelectedSubSheet() != highlightBlock_) {
        highlight_.clear();
        panel_->ForgetChoice();
    }
    Show();
}

void SheetCheckDisplay::ToggleStatus() {
    statusShown_ = !statusShown_;
    RememberDataStatusShown(statusShown_);
    Show();
}

void SheetCheckDisplay::Show() {
    SheetOverlay overlay;
    overlay.showStatus = statusShown_;
    if (runner_->Result()) {
        overlay.health = HealthOf(*runner_->Result());
    }
    overlay.highlight = highlight_;
    view_.SetOverlay(std::move(overlay));
    panel_->List(runner_->Result(), runner_->Running(), doc_.SelectedSubSheet(),
                 runner_->Failure());
}

// The chosen finding is drawn and its block selected, as a click on it would.
void SheetCheckDisplay::ShowFinding(int blockNumber, const Finding& finding) {
    highlight_ = HighlightOf(doc_, finding);
    highlightBlock_ = blockNumber;
    if (!highlight_.empty()) {
        const QPolygonF outline(QList<QPointF>(highlight_.begin(), highlight_.end()));
        view_.ScrollToShow(outline.boundingRect());
    }
    if (doc_.SelectedSubSheet() != blockNumber && doc_.SubSheetAccepted(blockNumber)) {
        doc_.SelectOnlySubSheet(static_cast<unsigned>(blockNumber));
        doc_.Ui().InvalidateView();  // which shows the check again
        return;
    }
    Show();
}

}  // namespace vesk::gui
