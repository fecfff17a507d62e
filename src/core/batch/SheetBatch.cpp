#include "batch/SheetBatch.h"

#include "batch/JobStopped.h"
#include "batch/RunJobs.h"

namespace vesk {
namespace {

// The sheet's job is its boundary: whatever it throws fails this sheet, and
// the others go on.
SheetOutcome SheetOfJob(std::size_t index, const std::filesystem::path& sheet, BatchLedger& ledger,
                        const SheetWork& work) {
    try {
        return work(index, ledger);
    } catch (...) {
        SheetOutcome stopped;
        stopped.index = index;
        stopped.path = sheet;
        stopped.failed = true;
        stopped.diagnostics.push_back(JobStopped());
        return stopped;
    }
}

}  // namespace

BatchResult RunSheetBatch(const std::vector<std::filesystem::path>& sheets, unsigned threads,
                          BatchProgress& progress, const std::atomic<bool>& cancel,
                          const SheetWork& work) {
    BatchLedger ledger(sheets.size(), progress);
    // A sheet not started after the cancel passes its turn: a later sheet
    // already running waits for it.
    RunJobs(
        sheets.size(), threads,
        [&](std::size_t index) {
            ledger.FinishSheet(SheetOfJob(index, sheets[index], ledger, work));
        },
        [&](std::size_t index) { ledger.PassTurn(index); }, cancel);
    return ledger.TakeResult(cancel.load());
}

}  // namespace vesk
