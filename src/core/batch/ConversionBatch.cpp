#include "batch/ConversionBatch.h"

#include "batch/BatchLedger.h"
#include "batch/JobPool.h"
#include "batch/SheetConversion.h"

namespace vesk {

BatchResult RunConversionBatch(const ConversionBatchRequest& request, BatchProgress& progress,
                               const std::atomic<bool>& cancel) {
    BatchLedger ledger(request.sheets.size(), progress);
    RunJobs(
        request.sheets.size(), request.jobs,
        [&](std::size_t index) {
            ledger.FinishSheet(ConvertSheet(index, request, ledger, cancel));
        },
        cancel);
    return ledger.TakeResult(cancel.load());
}

}  // namespace vesk
