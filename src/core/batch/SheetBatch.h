#pragma once

#include <atomic>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <vector>

#include "batch/BatchLedger.h"
#include "batch/BatchOutcome.h"
#include "batch/BatchProgress.h"

namespace vesk {

// The job of the index-th sheet of a batch: its outcome, with the ledger the
// batch's jobs share for their blocks.
using SheetWork = std::function<SheetOutcome(std::size_t index, BatchLedger& ledger)>;

// Runs the jobs of the sheets on `threads` threads, as RunJobs does, and
// gives their outcomes in sheet order. Once `cancel` is set no further sheet
// starts. A job that throws fails its sheet alone, with the reason.
BatchResult RunSheetBatch(const std::vector<std::filesystem::path>& sheets, unsigned threads,
                          BatchProgress& progress, const std::atomic<bool>& cancel,
                          const SheetWork& work);

}  // namespace vesk
