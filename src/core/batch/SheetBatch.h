#pragma once

#include <atomic>
#include <cstddef>
#include <functional>

#include "batch/BatchLedger.h"
#include "batch/BatchOutcome.h"
#include "batch/BatchProgress.h"

namespace vesk {

// The job of the index-th sheet of a batch: its outcome, with the ledger the
// batch's jobs share for their blocks.
using SheetWork = std::function<SheetOutcome(std::size_t index, BatchLedger& ledger)>;

// Runs the jobs of sheets 0 to count - 1 on `threads` threads, as RunJobs
// does, and gives their outcomes in sheet order. Once `cancel` is set no
// further sheet starts.
BatchResult RunSheetBatch(std::size_t count, unsigned threads, BatchProgress& progress,
                          const std::atomic<bool>& cancel, const SheetWork& work);

}  // namespace vesk
