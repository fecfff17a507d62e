// vesk-cli tiles: many sheets as an OGC 3D Tiles 1.1 tileset for CesiumJS and
// other 3D globes, on one machine or in shards over many, then merged.
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "BatchOutput.h"
#include "Commands.h"
#include "FileErrors.h"
#include "OpenFileLimit.h"
#include "batch/RunJobs.h"
#include "platform/LeftoverTemporaries.h"
#include "platform/ParallelFor.h"
#include "survey/SheetInputs.h"
#include "tiles/TilesBatch.h"
#include "tiles/TilesetMerge.h"

namespace vesk::cli {
namespace {

bool Merge(const std::filesystem::path& dir) {
    if (SayWhyNotListable("tiles", dir)) {
        return false;
    }
    const MergeOutcome merged = MergeTilesets(dir);
    for (const std::string& problem : merged.problems) {
        std::fprintf(stderr, "vesk-cli tiles: %s\n", problem.c_str());
    }
    if (merged.written) {
        std::printf("tileset: %s, sheets: %zu\n", (dir / "tileset.json").string().c_str(),
                    merged.sheets);
    }
    return merged.written && merged.problems.empty();
}

int MakeTiles(const TilesRequest& request) {
    const auto datum = OpenHeightDatum(!request.seaLevel, request.geoidGrid);
    if (!datum) {
        std::fprintf(stderr, "vesk-cli tiles: %s\n", datum.Error().c_str());
        return kExitFailed;
    }
    TilesBatchRequest batch;
    batch.datum = *datum;
    batch.geoidGrid = request.geoidGrid;
    batch.compression = {!request.noCompress, request.textureQuality.value_or(kDefaultJpegQuality)};
    batch.sheets = ExpandSheetInputs(request.inputs);
    if (batch.sheets.empty()) {
        std::fputs("vesk-cli tiles: no sheet file (*.tqb) in the inputs\n", stderr);
        return kExitFailed;
    }
    batch.out = *request.out;
    if (!MakeOutputFolder("tiles", batch.out)) {
        return kExitFailed;
    }
    batch.noTerrain = request.noTerrain;
    batch.noTexture = request.noTexture;
    batch.shard = request.shard.value_or(Shard{});
    batch.jobs = JobsWithinOpenFileLimit("tiles", request.jobs.value_or(CoreCount()));
    batch.resume = request.resume;
    const ReportedBatch run = RunAndReport(
        "tiles",
        [&](BatchProgress& progress, const std::atomic<bool>& cancel) {
            return RunTilesBatch(batch, progress, cancel);
        },
        !request.quiet, request.report ? &*request.report : nullptr);
    bool merged = true;
    if (batch.shard.count == 1) {
        // The tree and the root are this run's alone to write.
        if (batch.resume) {
            RemoveLeftoverTemporaries(batch.out);
            RemoveLeftoverTemporaries(batch.out / "tree");
        }
        merged = Merge(batch.out);
    } else {
        std::printf("shard %u/%u written: the root is left to vesk-cli tiles --merge\n",
                    batch.shard.index, batch.shard.count);
    }
    return run.result.AllWell() && run.reported && merged ? kExitOk : kExitFailed;
}

}  // namespace

int RunTiles(const TilesRequest& request) {
    if (request.merge) {
        return Merge(*request.merge) ? kExitOk : kExitFailed;
    }
    return MakeTiles(request);
}

}  // namespace vesk::cli
