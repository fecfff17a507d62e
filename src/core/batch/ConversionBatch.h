#pragma once

#include <atomic>
#include <filesystem>
#include <optional>
#include <vector>

#include "batch/BatchOutcome.h"
#include "batch/BatchProgress.h"
#include "convert/SimulatorEnvironment.h"

namespace vesk {

// The conversion of many sheets into the simulator's files.
struct ConversionBatchRequest {
    std::vector<std::filesystem::path> sheets;
    std::optional<int> block;  // 1 to 25; none: every block each load accepts
    bool noBuildings = false;
    bool noTerrain = false;
    bool noTexture = false;
    // The environment route's folders, or with chosenFolder both files into
    // folders.geometry, as the program's two routes write them.
    SimulatorFolders folders;
    bool chosenFolder = false;
    unsigned jobs = 1;
    // A block whose files are all there, each newer than its sheet, is kept:
    // a killed run is finished instead of done again.
    bool resume = false;
};

// Converts the sheets on request.jobs threads, each job one sheet and one
// block at a time; with fewer sheets than jobs, the jobs left over write the
// sheets' blocks side by side. A sheet or block that fails is recorded and the rest go
// on; a block whose output name an earlier block of the run took is not
// written (a conflict). After `cancel` is set, the blocks being written are
// finished and nothing else is started. To resume, the temporary files a
// killed run left in the output folders are removed first.
BatchResult RunConversionBatch(const ConversionBatchRequest& request, BatchProgress& progress,
                               const std::atomic<bool>& cancel);

}  // namespace vesk
