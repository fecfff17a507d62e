#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/Diagnostic.h"

namespace vesk {

enum class BlockStatus {
    kConverted,  // every file it asked for was written whole
    kLeftOut,    // nothing to write: no data chosen, or a sheet without georeference
    kFailed,     // a file was not written whole; the diagnostics say why
    kConflict,   // an earlier block of the run gave the same output name: not written
    kKept,       // its files, complete and newer than its sheet, are an earlier run's
};

struct BlockOutcome {
    int block = 0;  // 1 to 25, as the map numbers them
    std::string name;
    BlockStatus status = BlockStatus::kFailed;
    std::uint64_t bytes = 0;  // what its files hold, when written
    std::vector<Diagnostic> diagnostics;
};

// One sheet of a batch: failed when it could not be opened or gave no block
// to work on, left out when the batch cannot use it (its diagnostics say why).
struct SheetOutcome {
    std::size_t index = 0;  // its place in the batch's list of sheets
    std::filesystem::path path;
    bool failed = false;
    bool leftOut = false;
    std::vector<Diagnostic> diagnostics;
    std::vector<BlockOutcome> blocks;
};

struct BatchSummary {
    std::size_t sheets = 0;
    std::size_t sheetsFailed = 0;
    std::size_t converted = 0;
    std::size_t leftOut = 0;
    std::size_t failed = 0;
    std::size_t conflicts = 0;
    std::size_t kept = 0;
    std::uint64_t bytes = 0;
};

// Everything a batch did, its sheets in the batch's order.
struct BatchResult {
    std::vector<SheetOutcome> sheets;
    bool cancelled = false;
    // The run was asked to keep what an earlier one completed: its kept blocks are told.
    bool resumed = false;
    // What stopped the batch as a whole before it could tell of its sheets.
    std::vector<Diagnostic> diagnostics;

    BatchSummary Summary() const;
    // Nothing failed and nothing was cancelled.
    bool AllWell() const;
};

}  // namespace vesk
