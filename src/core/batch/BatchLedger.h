#pragma once

#include <condition_variable>
#include <map>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "batch/BatchOutcome.h"
#include "batch/BatchProgress.h"

namespace vesk {

// What the jobs of one batch share: the output names taken so far, the
// outcome of every sheet and the progress.
//
// Names are taken in the order of the sheets, whatever order the jobs run in,
// so the same block loses a conflict in every run: a job that knows its names
// waits for the jobs of the sheets before it to have taken theirs. Every job
// of the pool must therefore take its turn once, with no names if it has none
// (jobs start in sheet order, so the wait is for jobs already running).
class BatchLedger {
public:
    BatchLedger(std::size_t sheets, BatchProgress& progress);

    // For each name, the sheet that took it first: this one when it may
    // write it, an earlier one (or this one, for an earlier block's name) when not.
    struct NameOwner {
        bool taken = false;  // taken here, by this call
        std::size_t sheet = 0;
    };
    std::vector<NameOwner> TakeNamesInTurn(std::size_t sheet, std::span<const std::string> names);

    void RecordBlock(const BlockOutcome& block);
    // Stores the sheet's outcome and counts it as done.
    void FinishSheet(SheetOutcome sheet);

    // The outcomes of the sheets that were finished, in sheet order.
    BatchResult TakeResult(bool cancelled);

private:
    BatchProgress& progress_;
    std::mutex mutex_;
    std::condition_variable turnTaken_;
    std::size_t turn_ = 0;
    std::map<std::string, std::size_t> names_;  // each to the sheet that took it
    std::vector<SheetOutcome> sheets_;
    std::vector<bool> finished_;
};

}  // namespace vesk
