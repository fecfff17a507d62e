#include "tiles/TilesetMerge.h"

#include <algorithm>

#include "tiles/TilesetFiles.h"

namespace vesk {
namespace {

std::vector<std::string> SheetFolders(const std::filesystem::path& sheets) {
    std::vector<std::string> folders;
    std::error_code error;
    for (std::filesystem::directory_iterator it(sheets, error), end; !error && it != end;
         it.increment(error)) {
        std::error_code typeError;
        if (it->is_directory(typeError)) {
            folders.push_back(it->path().filename().string());
        }
    }
    std::sort(folders.begin(), folders.end());
    return folders;
}

}  // namespace

MergeOutcome MergeTilesets(const std::filesystem::path& dir) {
    MergeOutcome outcome;
    std::vector<SheetTileset> sheets;
    for (const std::string& folder : SheetFolders(dir / "sheets")) {
        const std::filesystem::path path = dir / "sheets" / folder / "tileset.json";
        std::error_code error;
        if (!std::filesystem::exists(path, error)) {
            continue;  // a sheet that had no block to write
        }
        std::string problem;
        if (const auto region = ReadTilesetRegion(path, problem)) {
            sheets.push_back({folder, *region});
        } else {
            outcome.problems.push_back(path.string() + " " + problem);
        }
    }
    const FileFault fault = WriteRootTileset(dir / "tileset.json", sheets);
    if (!fault.empty()) {
        outcome.problems.push_back((dir / "tileset.json").string() + " " + fault);
        return outcome;
    }
    outcome.sheets = sheets.size();
    outcome.written = true;
    return outcome;
}

}  // namespace vesk
