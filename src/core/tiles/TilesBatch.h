#pragma once

#include <atomic>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "batch/BatchOutcome.h"
#include "batch/BatchProgress.h"
#include "export/GltfCompression.h"
#include "platform/Result.h"
#include "tiles/TilesetJson.h"

namespace vesk {

// Part I (from 0) of N of a collection: the sheets whose place in the
// collection's order, modulo N, is I.
struct Shard {
    unsigned index = 0;
    unsigned count = 1;
};

struct TilesBatchRequest {
    std::vector<std::filesystem::path> sheets;  // the whole collection, in any order
    std::filesystem::path out;
    bool noTerrain = false;
    bool noTexture = false;
    Shard shard;
    unsigned jobs = 1;
    // The geoid whose undulation makes the sheets' heights above sea level
    // heights above the ellipsoid (described in datum.geoid), from geoidGrid
    // or, without one, EGM96; no geoid: sea level is taken as the ellipsoid.
    HeightDatum datum;
    std::optional<std::filesystem::path> geoidGrid;
    GltfCompression compression{true, kDefaultJpegQuality};
    // A sheet whose tileset (written last) is newer than the sheet is kept,
    // with its blocks: a killed run is finished instead of done again.
    bool resume = false;
};

// The datum the request asks for, with its geoid described, once PROJ's
// database and the geoid's grid have been found readable; the reason, naming
// what to install, when not.
Result<HeightDatum> OpenHeightDatum(bool ellipsoidal,
                                    const std::optional<std::filesystem::path>& geoidGrid);

// Writes out/sheets/STEM/tileset.json and a NAME.glb per block for each sheet
// of the shard (counted in the byte order of the paths), on request.jobs threads. Sheets are told
// apart by their folder (the file stem, its dots percent-encoded when it is "." or ".."); of two
// sheets with the same folder, the one later in the collection is
// not written, decided on the whole collection so every shard agrees. A
// block whose zone has no georeference is left out, and so is a sheet with
// no other. The root tileset is MergeTilesets's to write. To resume, the
// temporary files a killed run left in the sheets' folders are removed first.
BatchResult RunTilesBatch(const TilesBatchRequest& request, BatchProgress& progress,
                          const std::atomic<bool>& cancel);

}  // namespace vesk
