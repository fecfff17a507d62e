#include "batch/ConversionBatch.h"

#include <algorithm>

#include "batch/SheetBatch.h"
#include "batch/SheetConversion.h"

namespace vesk {

BatchResult RunConversionBatch(const ConversionBatchRequest& request, BatchProgress& progress,
                               const std::atomic<bool>& cancel) {
    // Jobs left over when there are fewer sheets write blocks side by side.
    const auto sheets = static_cast<unsigned>(std::max<std::size_t>(request.sheets.size(), 1));
    const unsigned blockThreads = std::max(1u, request.jobs / sheets);
    return RunSheetBatch(request.sheets, request.jobs, progress, cancel,
                         [&](std::size_t index, BatchLedger& ledger) {
                             return ConvertSheet(index, request, blockThreads, ledger, cancel);
                         });
}

}  // namespace vesk
