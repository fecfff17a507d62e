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

}  // namespace vesk
