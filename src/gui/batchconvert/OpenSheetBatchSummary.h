#pragma once

#include <cstddef>
#include <string>

#include "batch/BatchOutcome.h"

namespace vesk::gui {

// The one message at the end of the batch over `blocks` blocks: how many were
// converted, had nothing to convert, failed, and (when cancelled) were not
// reached, then the errors of the first few failed blocks and a count of the rest.
std::string OpenSheetBatchSummary(const BatchResult& result, std::size_t blocks);

}  // namespace vesk::gui
