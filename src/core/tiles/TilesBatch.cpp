#include "tiles/TilesBatch.h"

#include <algorithm>
#include <map>

#include "batch/SheetBatch.h"
#include "geo/GeoidModel.h"
#include "geo/ProjDatabase.h"
#include "tiles/SheetTiles.h"

namespace vesk {
namespace {

// The collection in the byte order of its paths, whatever order the inputs
// were named in, so that every shard numbers the sheets alike.
std::vector<std::filesystem::path> InPathOrder(std::vector<std::filesystem::path> sheets) {
    std::sort(sheets.begin(), sheets.end(),
              [](const std::filesystem::path& a, const std::filesystem::path& b) {
                  return a.native() < b.native();
              });
    return sheets;
}

// The sheet's file stem, unless as a folder name it would be the sheets'
// folder or the output's ("..tqb" and "...tqb" have the stems "." and "..")
// or none: then its dots are percent-encoded, as a URI segment would have
// them, and an empty stem stands as "%".
std::string SheetFolderName(const std::filesystem::path& sheet) {
    const std::string stem = sheet.stem().string();
    if (stem != "." && stem != "..") {
        return stem.empty() ? "%" : stem;
    }
    std::string folder;
    for (std::size_t i = 0; i < stem.size(); ++i) {
        folder += "%2E";
    }
    return folder;
}

std::vector<SheetTilesJob> JobsOfShard(const TilesBatchRequest& request) {
    const std::vector<std::filesystem::path> sheets = InPathOrder(request.sheets);
    std::map<std::string, std::filesystem::path> folderOwners;
    std::vector<SheetTilesJob> jobs;
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        const std::filesystem::path& sheet = sheets[i];
        const std::string folder = SheetFolderName(sheet);
        const auto [owner, first] = folderOwners.emplace(folder, sheet);
        if (i % request.shard.count != request.shard.index) {
            continue;
        }
        SheetTilesJob job;
        job.index = jobs.size();
        job.sheet = sheet;
        job.folder = request.out / "sheets" / folder;
        if (!first) {
            job.folderTakenBy = owner->second;
        }
        jobs.push_back(std::move(job));
    }
    return jobs;
}

}  // namespace

Result<HeightDatum> OpenHeightDatum(bool ellipsoidal,
                                    const std::optional<std::filesystem::path>& geoidGrid) {
    // Every block is placed through PROJ's database, whatever the heights.
    if (const auto unusable = geo::WhyProjDatabaseUnusable()) {
        return Failure{*unusable};
    }
    if (!ellipsoidal) {
        return HeightDatum{};
    }
    const auto geoid = geo::GeoidModel::Open(geoidGrid);
    if (!geoid) {
        return geoid.Failed();
    }
    return HeightDatum{geoid->Description()};
}

BatchResult RunTilesBatch(const TilesBatchRequest& request, BatchProgress& progress,
                          const std::atomic<bool>& cancel) {
    const std::vector<SheetTilesJob> jobs = JobsOfShard(request);
    std::vector<std::filesystem::path> sheets;
    for (const SheetTilesJob& job : jobs) {
        sheets.push_back(job.sheet);
    }
    BatchResult result = RunSheetBatch(sheets, request.jobs, progress, cancel,
                                       [&](std::size_t k, BatchLedger& ledger) {
                                           return MakeSheetTiles(jobs[k], request, ledger, cancel);
                                       });
    result.resumed = request.resume;
    return result;
}

}  // namespace vesk
