#pragma once

#include <atomic>
#include <filesystem>
#include <optional>

#include "batch/BatchLedger.h"
#include "tiles/TilesBatch.h"

namespace vesk {

// One sheet of a tiles batch and where its tiles go.
struct SheetTilesJob {
    std::size_t index = 0;  // in the batch's list of jobs
    std::filesystem::path sheet;
    std::filesystem::path folder;  // out/sheets/STEM
    // The earlier sheet of the collection that has the same folder; this one is then not written.
    std::optional<std::filesystem::path> folderTakenBy;
};

// Loads the sheet on a document of its own and writes each block's .glb, one
// block at a time, then the sheet's tileset over the blocks written.
SheetOutcome MakeSheetTiles(const SheetTilesJob& job, const TilesBatchRequest& request,
                            BatchLedger& ledger, const std::atomic<bool>& cancel);

}  // namespace vesk
