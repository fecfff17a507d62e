#include "tiles/TilesetFiles.h"

#include <cmath>

#include "geo/PlaneZone.h"

namespace vesk {
namespace {

// A plane coordinate of a zone: within a few hundred kilometres of its origin.
bool OnAPlane(const TilesetJson& value) {
    constexpr double kFarthest = 1.0e7;
    return value.is_number() && std::abs(value.get<double>()) < kFarthest;
}

TilesetJson BlockChild(const BlockTile& block, const SheetTileset& sheet) {
    const TileTransform transform =
        sheet.light ? RelativeTo(sheet.light->transform, block.placement.transform)
                    : block.placement.transform;
    return {{"boundingVolume", RegionVolume(block.placement.region)},
            {"geometricError", kBlockGeometricError},
            {"transform", transform},
            {"content", {{"uri", UriSegment(block.name + ".glb")}}},
            {"metadata",
             {{"class", "block"},
              {"properties",
               {{"name", block.name}, {"sheet", sheet.file}, {"number", block.number}}}}}};
}

}  // namespace

WriteFailureText WriteSheetTileset(const std::filesystem::path& path, const SheetTileset& sheet) {
    RegionUnion bounds;
    TilesetJson children = TilesetJson::array();
    for (const BlockTile& block : sheet.blocks) {
        bounds.Add(block.placement.region);
        children.push_back(BlockChild(block, sheet));
    }
    if (sheet.light) {
        bounds.Add(sheet.light->region);
    }
    if (!bounds.Total()) {
        return "has no block";
    }
    TilesetJson root = {{"boundingVolume", RegionVolume(*bounds.Total())},
                        {"geometricError", kSheetGeometricError},
                        {"refine", "REPLACE"}};
    if (sheet.light) {
        root["transform"] = sheet.light->transform;
        root["content"] = {{"uri", kSheetContentName}};
        root["metadata"] = {{"class", "sheet"},
                            {"properties", {{"file", sheet.file}, {"zone", sheet.zone}}}};
    }
    root["children"] = std::move(children);
    root["extras"] = {{"zone", sheet.zone},
                      {"origin", {sheet.origin.easting, sheet.origin.northing}}};
    return WriteTilesetJson(path, {{"asset", Asset(sheet.datum)},
                                   {"schema", MetadataSchema()},
                                   {"geometricError", kSheetGeometricError},
                                   {"root", std::move(root)}});
}

namespace {

std::optional<BlockTileName> ReadBlockName(const TilesetJson& child) {
    const TilesetJson* properties = child.is_object() && child.contains("metadata") &&
                                            child["metadata"].is_object() &&
                                            child["metadata"].contains("properties")
                                        ? &child["metadata"]["properties"]
                                        : nullptr;
    if (properties == nullptr || !properties->is_object() || !properties->contains("name") ||
        !(*properties)["name"].is_string() || !properties->contains("number") ||
        !(*properties)["number"].is_number_integer()) {
        return std::nullopt;
    }
    return BlockTileName{(*properties)["name"].get<std::string>(),
                         (*properties)["number"].get<int>()};
}

}  // namespace

std::optional<std::vector<BlockTileName>> ReadSheetBlocks(const std::filesystem::path& path) {
    std::string error;
    const auto json = ReadTilesetJson(path, error);
    const TilesetJson* root = json && json->contains("root") ? &(*json)["root"] : nullptr;
    if (root == nullptr || !root->is_object() || !root->contains("children") ||
        !(*root)["children"].is_array() || (*root)["children"].empty()) {
        return std::nullopt;
    }
    std::vector<BlockTileName> blocks;
    for (const TilesetJson& child : (*root)["children"]) {
        const auto block = ReadBlockName(child);
        if (!block) {
            return std::nullopt;
        }
        blocks.push_back(*block);
    }
    return blocks;
}

std::optional<SheetSummary> ReadSheetSummary(const std::filesystem::path& path,
                                             std::string& error) {
    const auto json = ReadTilesetJson(path, error);
    if (!json) {
        return std::nullopt;
    }
    const TilesetJson* root = json->contains("root") ? &(*json)["root"] : nullptr;
    const auto region = root ? ReadRegion(*root) : std::nullopt;
    const auto datum = ReadHeightDatum(*json);
    const TilesetJson* extras = root && root->contains("extras") ? &(*root)["extras"] : nullptr;
    const bool placed = extras && extras->is_object() && extras->contains("zone") &&
                        (*extras)["zone"].is_number_integer() &&
                        PlaneZoneEpsgCode((*extras)["zone"].get<int>()) &&
                        extras->contains("origin") && (*extras)["origin"].is_array() &&
                        (*extras)["origin"].size() == 2 && OnAPlane((*extras)["origin"][0]) &&
                        OnAPlane((*extras)["origin"][1]);
    if (!region || !datum || !placed) {
        error = "is no sheet tileset of this program (no root region, heights or place)";
        return std::nullopt;
    }
    return SheetSummary{
        *region,
        (*extras)["zone"].get<int>(),
        {(*extras)["origin"][0].get<double>(), (*extras)["origin"][1].get<double>()},
        *datum};
}

}  // namespace vesk
