#pragma once

#include <optional>
#include <string>
#include <vector>

#include "batch/ConversionBatch.h"

namespace vesk {

class CMyVeskDoc;

// The conversion of every block of the open sheet, as the user asked for it.
struct OpenSheetBatch {
    ConversionBatchRequest request;
    // The output names of the blocks, in the order the batch converts them.
    std::vector<std::string> names;
};

// Asks, through the document's user interface, what to convert of the open
// sheet's blocks (the settings dialog offers whatever any block holds) and
// where to (the two routes of the one-block conversion, with its notices and
// error), so that the batch itself asks nothing. Nothing when no sheet is
// loaded or it has no block, or the user cancelled, or the folders are unknown.
std::optional<OpenSheetBatch> PrepareOpenSheetBatch(CMyVeskDoc& doc,
                                                    const EnvironmentLookup& environment);

// The one message at the end of the batch over `blocks` blocks: how many were
// converted, had nothing to convert, failed, and (when cancelled) were not
// reached, then the errors of the first few failed blocks and a count of the rest.
std::string OpenSheetBatchSummary(const BatchResult& result, std::size_t blocks);

}  // namespace vesk
