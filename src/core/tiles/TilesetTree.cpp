#include "tiles/TilesetTree.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace vesk {
namespace {

constexpr double kSheetWidth = 2000.0;
constexpr double kSheetHeight = 1500.0;
constexpr int kCellShift = 3;  // 8 x 8 children a cell
constexpr int kLevels = static_cast<int>(std::size(kCellGeometricErrors));

// A cell of a zone's grid: level 0 is a sheet, level L holds 8^L x 8^L sheets.
struct Cell {
    int zone = 0;
    int level = 0;
    long long x = 0;
    long long y = 0;

    auto operator<=>(const Cell&) const = default;

    Cell Parent() const { return {zone, level + 1, x >> kCellShift, y >> kCellShift}; }
    std::string FileName() const {
        return "z" + std::to_string(zone) + "_l" + std::to_string(level) + "_x" +
               std::to_string(x) + "_y" + std::to_string(y) + ".json";
    }
};

Cell SheetCell(const SheetSummary& sheet) {
    return {sheet.zone, 0, static_cast<long long>(std::floor(sheet.origin.easting / kSheetWidth)),
            static_cast<long long>(std::floor(sheet.origin.northing / kSheetHeight))};
}

// A tileset below DIR and the cell it stands for.
struct Entry {
    Cell cell;
    TileRegion region;
    double geometricError = 0.0;
    std::string target;  // relative to DIR
};

// A tile referring to the entry's tileset from a file in `from` (a folder below DIR, or "").
TilesetJson Reference(const Entry& entry, const std::string& from) {
    const std::string uri = from.empty() ? entry.target : "../" + entry.target;
    return {{"boundingVolume", RegionVolume(entry.region)},
            {"geometricError", entry.geometricError},
            {"content", {{"uri", uri}}}};
}

TilesetJson Tileset(const HeightDatum& datum, double geometricError,
                    const std::vector<const Entry*>& children, const std::string& from,
                    bool withSchema) {
    RegionUnion region;
    TilesetJson tiles = TilesetJson::array();
    for (const Entry* child : children) {
        region.Add(child->region);
        tiles.push_back(Reference(*child, from));
    }
    TilesetJson tileset = {{"asset", Asset(datum)}};
    if (withSchema) {
        // Clients read the schema of the tileset they were given only, so the
        // root carries the one the sheets' tiles use.
        tileset["schema"] = MetadataSchema();
    }
    tileset["geometricError"] = geometricError;
    tileset["root"] = {{"boundingVolume", RegionVolume(*region.Total())},
                       {"geometricError", geometricError},
                       {"refine", "ADD"},
                       {"children", std::move(tiles)}};
    return tileset;
}

// The cells of the next level up, each written as a tileset over its entries.
WriteFailureText WriteLevel(const std::filesystem::path& dir, const HeightDatum& datum, int level,
                            std::vector<Entry>& entries) {
    std::map<Cell, std::vector<const Entry*>> cells;
    for (const Entry& entry : entries) {
        cells[entry.cell.Parent()].push_back(&entry);
    }
    const double error = kCellGeometricErrors[level - 1];
    std::vector<Entry> above;
    for (const auto& [cell, children] : cells) {
        const std::string target = "tree/" + cell.FileName();
        const TilesetJson tileset = Tileset(datum, error, children, "tree", false);
        const WriteFailureText fault = WriteTilesetJson(dir / target, tileset);
        if (!fault.empty()) {
            return target + " " + fault;
        }
        above.push_back({cell, *ReadRegion(tileset["root"]), error, target});
    }
    entries = std::move(above);
    return {};
}

}  // namespace

WriteFailureText WriteTilesetTree(const std::filesystem::path& dir, std::vector<TreeSheet> sheets,
                                  const HeightDatum& datum) {
    if (sheets.empty()) {
        return "has no sheet";
    }
    std::sort(sheets.begin(), sheets.end(),
              [](const TreeSheet& a, const TreeSheet& b) { return a.folder < b.folder; });
    std::error_code error;
    std::filesystem::create_directories(dir / "tree", error);
    if (error) {
        return "tree/ cannot be created: " + error.message();
    }
    std::vector<Entry> entries;
    for (const TreeSheet& sheet : sheets) {
        entries.push_back({SheetCell(sheet.summary), sheet.summary.region, kSheetGeometricError,
                           "sheets/" + UriSegment(sheet.folder) + "/tileset.json"});
    }
    for (int level = 1; level <= kLevels; ++level) {
        if (WriteFailureText fault = WriteLevel(dir, datum, level, entries); !fault.empty()) {
            return fault;
        }
    }
    std::vector<const Entry*> top;
    for (const Entry& entry : entries) {
        top.push_back(&entry);
    }
    return WriteTilesetJson(dir / "tileset.json",
                            Tileset(datum, kRootGeometricError, top, "", true));
}

}  // namespace vesk
