// vesk-cli tiles: many sheets as an OGC 3D Tiles 1.1 tileset for CesiumJS and
// other 3D globes, on one machine or in shards over many, then merged.
#include <charconv>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "BatchOutput.h"
#include "Commands.h"
#include "batch/JobPool.h"
#include "survey/SheetInputs.h"
#include "tiles/TilesBatch.h"
#include "tiles/TilesetMerge.h"

namespace vesk::cli {
namespace {

constexpr const char* kUsage =
    "usage: vesk-cli tiles INPUT... --out DIR [--jobs N] [--no-terrain] [--no-texture]\n"
    "                [--shard I/N] [--report FILE] [--quiet]\n"
    "       vesk-cli tiles --merge DIR\n";

struct TilesRequest {
    std::vector<std::filesystem::path> inputs;
    std::optional<std::filesystem::path> out;
    std::optional<std::filesystem::path> merge;
    std::optional<unsigned> jobs;
    std::optional<Shard> shard;
    std::optional<std::filesystem::path> report;
    bool noTerrain = false;
    bool noTexture = false;
    bool quiet = false;
};

std::optional<unsigned> ParseCount(std::string_view text, unsigned least, unsigned most) {
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < least || value > most) {
        return std::nullopt;
    }
    return value;
}

// "I/N" with 0 <= I < N.
std::optional<Shard> ParseShard(std::string_view text) {
    const std::size_t slash = text.find('/');
    if (slash == std::string_view::npos) {
        return std::nullopt;
    }
    const auto count = ParseCount(text.substr(slash + 1), 1, 1000000);
    const auto index = count ? ParseCount(text.substr(0, slash), 0, *count - 1) : std::nullopt;
    if (!index) {
        return std::nullopt;
    }
    return Shard{*index, *count};
}

template <class T>
bool TakeValue(std::optional<T>& slot, std::optional<T> value) {
    if (slot || !value) {
        return false;
    }
    slot = std::move(value);
    return true;
}

std::optional<std::filesystem::path> PathValue(std::string_view text) {
    if (text.empty()) {
        return std::nullopt;
    }
    return std::filesystem::path(text);
}

// Takes the option at args[i] (and its value); false on anything unknown or repeated.
bool TakeOption(Arguments args, std::size_t& i, TilesRequest& request) {
    const std::string_view arg = args[i];
    if (i + 1 < args.size()) {
        const std::string_view value = args[i + 1];
        const bool taken = arg == "--out"      ? TakeValue(request.out, PathValue(value))
                           : arg == "--merge"  ? TakeValue(request.merge, PathValue(value))
                           : arg == "--report" ? TakeValue(request.report, PathValue(value))
                           : arg == "--jobs"   ? TakeValue(request.jobs, ParseCount(value, 1, 1024))
                           : arg == "--shard"  ? TakeValue(request.shard, ParseShard(value))
                                               : false;
        if (taken) {
            ++i;
            return true;
        }
    }
    bool* flag = arg == "--no-terrain"   ? &request.noTerrain
                 : arg == "--no-texture" ? &request.noTexture
                 : arg == "--quiet"      ? &request.quiet
                                         : nullptr;
    if (flag == nullptr || *flag) {
        return false;
    }
    *flag = true;
    return true;
}

bool IsMergeOnly(const TilesRequest& r) {
    return r.merge && r.inputs.empty() && !r.out && !r.jobs && !r.shard && !r.report &&
           !r.noTerrain && !r.noTexture && !r.quiet;
}

std::optional<TilesRequest> ParseTiles(Arguments args) {
    TilesRequest request;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (!args[i].starts_with("--")) {
            if (args[i].empty()) {
                return std::nullopt;
            }
            request.inputs.emplace_back(args[i]);
        } else if (!TakeOption(args, i, request)) {
            return std::nullopt;
        }
    }
    const bool batch = !request.merge && !request.inputs.empty() && request.out;
    if (!batch && !IsMergeOnly(request)) {
        return std::nullopt;
    }
    return request;
}

bool Merge(const std::filesystem::path& dir) {
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
    TilesBatchRequest batch;
    batch.sheets = ExpandSheetInputs(request.inputs);
    if (batch.sheets.empty()) {
        std::fputs("vesk-cli tiles: no sheet file (*.tqb) in the inputs\n", stderr);
        return kExitFailed;
    }
    batch.out = *request.out;
    batch.noTerrain = request.noTerrain;
    batch.noTexture = request.noTexture;
    batch.shard = request.shard.value_or(Shard{});
    batch.jobs = request.jobs.value_or(DefaultJobCount());
    const auto start = std::chrono::steady_clock::now();
    const BatchResult result = RunShowingProgress(
        [&](BatchProgress& progress, const std::atomic<bool>& cancel) {
            return RunTilesBatch(batch, progress, cancel);
        },
        !request.quiet);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    PrintOutcome("tiles", result, seconds);
    const bool reported = !request.report || WriteReport(*request.report, "tiles", result, seconds);
    bool merged = true;
    if (batch.shard.count == 1) {
        merged = Merge(batch.out);
    } else {
        std::printf("shard %u/%u written: the root is left to vesk-cli tiles --merge\n",
                    batch.shard.index, batch.shard.count);
    }
    return result.AllWell() && reported && merged ? kExitOk : kExitFailed;
}

}  // namespace

int RunTiles(Arguments args) {
    const auto request = ParseTiles(args);
    if (!request) {
        std::fputs(kUsage, stderr);
        return kExitUsage;
    }
    if (request->merge) {
        return Merge(*request->merge) ? kExitOk : kExitFailed;
    }
    return MakeTiles(*request);
}

}  // namespace vesk::cli
