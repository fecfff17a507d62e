#include "batch/SheetBatch.h"

#include "batch/RunJobs.h"

namespace vesk {

BatchResult RunSheetBatch(std::size_t count, unsigned threads, BatchProgress& progress,
                          const std::atomic<bool>& cancel, const SheetWork& work) {
    BatchLedger ledger(count, progress);
    RunJobs(
        count, threads, [&](std::size_t index) { ledger.FinishSheet(work(index, ledger)); },
        cancel);
    return ledger.TakeResult(cancel.load());
}

}  // namespace vesk
