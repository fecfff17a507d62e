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
// waits for the jobs of the sheets before it to have taken theirs. Every sheet
// of the batch must therefore take its turn once, or pass it: a job that ends
// early or is never started passes its turn (jobs start in sheet order, so
// the wait is for jobs already running or passed over).
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
    // The sheet takes no names: the sheets after it need not wait for it.
    // Returns at once.
    void PassTurn(std::size_t sheet);

    void RecordBlock(const BlockOutcome& block);
    // Stores the sheet's outcome and counts it as done.
    void FinishSheet(SheetOutcome sheet);

    // The outcomes of the sheets that were finished, in sheet order.
    BatchResult TakeResult(bool cancelled);

private:
    void EndTurn(std::size_t sheet);

    BatchProgress& progress_;
    std::mutex mutex_;
    std::condition_variable turnTaken_;
    std::size_t turn_ = 0;                      // the first sheet whose turn has not ended
    std::vector<bool> turnEnded_;               // names taken or turn passed, per sheet
    std::map<std::string, std::size_t> names_;  // each to the sheet that took it
    std::vector<SheetOutcome> sheets_;
    std::vector<bool> finished_;
};

}  // namespace vesk
