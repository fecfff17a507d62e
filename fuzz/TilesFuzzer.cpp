// Makes the tiles of the input as a sheet and merges the root over them: every
// tileset parses, every tile it names is there and parses, each block's
// buildings closed, and no temporary is left behind.
#include <nlohmann/json.hpp>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>

#include "Oracle.h"
#include "ScratchFolder.h"
#include "WrittenFiles.h"
#include "tiles/TilesBatch.h"
#include "tiles/TilesetMerge.h"

namespace vesk::fuzz {
namespace {

nlohmann::json ParsedTileset(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    const nlohmann::json tileset = nlohmann::json::parse(in, nullptr, false);
    Require(!tileset.is_discarded(), "every tileset.json parses", path.string());
    return tileset;
}

// Every content a tile names, resolved against the tileset's folder.
void RequireContentsPresent(const nlohmann::json& tile, const std::filesystem::path& folder) {
    if (const auto content = tile.find("content"); content != tile.end()) {
        const std::filesystem::path file = folder / content->value("uri", std::string());
        Require(std::filesystem::is_regular_file(file), "every tile's content is there",
                file.string());
        // The sheet's light model leaves out the floors no one sees from afar.
        if (file.filename() == "sheet.glb") {
            RequireGlbParses(file);
        } else if (file.extension() == ".glb") {
            RequireClosedBuildings(file);
        }
    }
    if (const auto children = tile.find("children"); children != tile.end()) {
        for (const nlohmann::json& child : *children) {
            RequireContentsPresent(child, folder);
        }
    }
}

void RequireWholeTilesets(const std::filesystem::path& out) {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(out)) {
        const std::string name = entry.path().filename().string();
        Require(!name.ends_with(".tmp"), "no temporary is left", entry.path().string());
        if (name == "tileset.json") {
            const nlohmann::json tileset = ParsedTileset(entry.path());
            RequireContentsPresent(tileset.at("root"), entry.path().parent_path());
        }
    }
}

}  // namespace
}  // namespace vesk::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vesk;
    using namespace vesk::fuzz;
    const std::filesystem::path input = ScratchFolder::Process().Fresh("tiles-input") / "sheet.tqb";
    WriteBytes(input, std::as_bytes(std::span(data, size)));
    TilesBatchRequest request;
    request.sheets = {input};
    request.out = ScratchFolder::Process().Fresh("tiles");
    // Plain meshes, so that the oracle reads them back without a decoder.
    request.compression = {};
    BatchProgress progress;
    const std::atomic<bool> cancel{false};
    RunTilesBatch(request, progress, cancel);
    MergeTilesets(request.out);
    RequireWholeTilesets(request.out);
    return 0;
}
