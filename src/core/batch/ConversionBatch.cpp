#include "batch/ConversionBatch.h"

#include <algorithm>

#include "batch/SheetBatch.h"
#include "batch/SheetConversion.h"
#include "convert/OutputPaths.h"
#include "platform/LeftoverTemporaries.h"

namespace vesk {

namespace {

// Where the blocks' files go: one folder, or the simulator's two.
void RemoveLeftoversInOutputFolders(const ConversionBatchRequest& request) {
    const OutputPaths any = RoutePaths(request.folders, request.chosenFolder, "any");
    RemoveLeftoverTemporaries(any.geometry.parent_path());
    RemoveLeftoverTemporaries(any.texture.parent_path());
}

}  // namespace

BatchResult RunConversionBatch(const ConversionBatchRequest& request, BatchProgress& progress,
                               const std::atomic<bool>& cancel) {
    if (request.resume) {
        RemoveLeftoversInOutputFolders(request);
    }
    // Jobs left over when there are fewer sheets write blocks side by side.
    const auto sheets = static_cast<unsigned>(std::max<std::size_t>(request.sheets.size(), 1));
    const unsigned blockThreads = std::max(1u, request.jobs / sheets);
    BatchResult result =
        RunSheetBatch(request.sheets, request.jobs, progress, cancel,
                      [&](std::size_t index, BatchLedger& ledger) {
                          return ConvertSheet(index, request, blockThreads, ledger, cancel);
                      });
    result.resumed = request.resume;
    return result;
}

}  // namespace vesk
