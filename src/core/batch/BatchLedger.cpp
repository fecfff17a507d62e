#include "batch/BatchLedger.h"

#include <algorithm>

namespace vesk {

BatchSummary BatchResult::Summary() const {
    BatchSummary summary;
    summary.sheets = sheets.size();
    for (const SheetOutcome& sheet : sheets) {
        summary.sheetsFailed += sheet.failed ? 1 : 0;
        for (const BlockOutcome& block : sheet.blocks) {
            summary.converted += block.status == BlockStatus::kConverted ? 1 : 0;
            summary.leftOut += block.status == BlockStatus::kLeftOut ? 1 : 0;
            summary.failed += block.status == BlockStatus::kFailed ? 1 : 0;
            summary.conflicts += block.status == BlockStatus::kConflict ? 1 : 0;
            summary.kept += block.status == BlockStatus::kKept ? 1 : 0;
            summary.bytes += block.bytes;
        }
    }
    return summary;
}

bool BatchResult::AllWell() const {
    const BatchSummary summary = Summary();
    return !cancelled && diagnostics.empty() && summary.sheetsFailed == 0 && summary.failed == 0 &&
           summary.conflicts == 0;
}

BatchLedger::BatchLedger(std::size_t sheets, BatchProgress& progress)
    : progress_(progress), turnEnded_(sheets, false), sheets_(sheets), finished_(sheets, false) {
    progress_.Start(sheets);
}

std::vector<BatchLedger::NameOwner> BatchLedger::TakeNamesInTurn(
    std::size_t sheet, std::span<const std::string> names) {
    std::unique_lock lock(mutex_);
    turnTaken_.wait(lock, [&] { return turn_ == sheet; });
    std::vector<NameOwner> taken;
    taken.reserve(names.size());
    for (const std::string& name : names) {
        const auto [owner, first] = names_.emplace(name, sheet);
        taken.push_back({first, owner->second});
    }
    EndTurn(sheet);
    return taken;
}

void BatchLedger::PassTurn(std::size_t sheet) {
    const std::lock_guard lock(mutex_);
    EndTurn(sheet);
}

// Called with the mutex held: the turn moves past every sheet whose turn has ended.
void BatchLedger::EndTurn(std::size_t sheet) {
    turnEnded_[sheet] = true;
    while (turn_ < turnEnded_.size() && turnEnded_[turn_]) {
        ++turn_;
    }
    turnTaken_.notify_all();
}

void BatchLedger::RecordBlock(const BlockOutcome& block) {
    progress_.BlockDone(block.status == BlockStatus::kFailed, block.bytes);
}

void BatchLedger::FinishSheet(SheetOutcome sheet) {
    {
        std::lock_guard lock(mutex_);
        const std::size_t index = sheet.index;
        sheets_[index] = std::move(sheet);
        finished_[index] = true;
    }
    progress_.SheetDone();
}

BatchResult BatchLedger::TakeResult(bool cancelled) {
    std::lock_guard lock(mutex_);
    BatchResult result;
    result.cancelled = cancelled;
    for (std::size_t i = 0; i < sheets_.size(); ++i) {
        if (finished_[i]) {
            result.sheets.push_back(std::move(sheets_[i]));
        }
    }
    return result;
}

}  // namespace vesk
