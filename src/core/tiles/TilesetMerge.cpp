#include "tiles/TilesetMerge.h"

#include <algorithm>

#include "tiles/TilesetTree.h"

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
    std::vector<TreeSheet> sheets;
    for (const std::string& folder : SheetFolders(dir / "sheets")) {
        const std::filesystem::path path = dir / "sheets" / folder / "tileset.json";
        std::error_code error;
        if (!std::filesystem::exists(path, error)) {
            continue;  // a sheet that had no block to write
        }
        std::string problem;
        auto summary = ReadSheetSummary(path, problem);
        if (summary && !sheets.empty() && !(summary->datum == sheets.front().summary.datum)) {
            summary.reset();
            problem = "has its heights on another reference than " + sheets.front().folder +
                      " (sheets of one tileset must share it)";
        }
        if (summary) {
            sheets.push_back({folder, *summary});
        } else {
            outcome.problems.push_back(path.string() + " " + problem);
        }
    }
    const HeightDatum datum = sheets.empty() ? HeightDatum{} : sheets.front().summary.datum;
    outcome.sheets = sheets.size();
    const WriteFailureText fault = WriteTilesetTree(dir, std::move(sheets), datum);
    if (!fault.empty()) {
        outcome.sheets = 0;
        outcome.problems.push_back((dir / "tileset.json").string() + " " + fault);
        return outcome;
    }
    outcome.written = true;
    return outcome;
}

}  // namespace vesk
