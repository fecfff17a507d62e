#pragma once

#include <atomic>
#include <cstddef>

#include "batch/BatchLedger.h"
#include "batch/ConversionBatch.h"

namespace vesk {

// One job of a conversion batch: loads the sheet on a document of its own,
// takes the output names of its blocks in turn, and converts them on up to
// `blockThreads` threads.
SheetOutcome ConvertSheet(std::size_t index, const ConversionBatchRequest& request,
                          unsigned blockThreads, BatchLedger& ledger,
                          const std::atomic<bool>& cancel);

}  // namespace vesk
