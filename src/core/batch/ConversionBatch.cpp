#include "batch/ConversionBatch.h"

#include "batch/SheetBatch.h"
#include "batch/SheetConversion.h"

namespace vesk {

BatchResult RunConversionBatch(const ConversionBatchRequest& request, BatchProgress& progress,
                               const std::atomic<bool>& cancel) {
    return RunSheetBatch(request.sheets.size(), request.jobs, progress, cancel,
                         [&](std::size_t index, BatchLedger& ledger) {
                             return ConvertSheet(index, request, ledger, cancel);
                         });
}

}  // namespace vesk
