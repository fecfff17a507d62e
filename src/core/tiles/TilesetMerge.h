#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vesk {

struct MergeOutcome {
    std::size_t sheets = 0;             // the sheet tilesets the root refers to
    std::vector<std::string> problems;  // sheet tilesets left out, and why; a root not written
    bool written = false;
};

// Writes DIR/tileset.json and the tree of tilesets under it over every
// DIR/sheets/FOLDER/tileset.json, in the byte order of the folders' names:
// the same files whichever runs, on whichever machines, wrote the sheets.
// Sheets whose heights are on another reference than the first's are left
// out: one tileset has one.
MergeOutcome MergeTilesets(const std::filesystem::path& dir);

}  // namespace vesk
