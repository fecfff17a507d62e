#include "tiles/TilesetFiles.h"

#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>

namespace vesk {
namespace {

using Json = nlohmann::ordered_json;

Json RegionVolume(const TileRegion& r) {
    return {{"region", {r.west, r.south, r.east, r.north, r.minHeight, r.maxHeight}}};
}

Json Asset() {
    return {{"version", "1.1"}};
}

// A folder name as a URI path segment: every byte but the unreserved ones
// percent-encoded, so spaces, "#" and names that are no UTF-8 still resolve.
std::string UriSegment(const std::string& name) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string uri;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) != 0 || c == '-' || c == '.' || c == '_' || c == '~') {
            uri += c;
        } else {
            uri += {'%', kHex[byte >> 4], kHex[byte & 15]};
        }
    }
    return uri;
}

FileFault WriteJson(const std::filesystem::path& path, const Json& json) {
    const std::string text = json.dump(1, ' ', false, Json::error_handler_t::replace) + "\n";
    return WriteAtomically(path, [&](AtomicOutputFile& out) {
        out.Write(text);
        return true;
    });
}

Json Tileset(double geometricError, Json root) {
    return {{"asset", Asset()}, {"geometricError", geometricError}, {"root", std::move(root)}};
}

}  // namespace

FileFault WriteSheetTileset(const std::filesystem::path& path,
                            const std::vector<BlockTile>& blocks) {
    RegionUnion bounds;
    Json children = Json::array();
    for (const BlockTile& block : blocks) {
        bounds.Add(block.placement.region);
        children.push_back({{"boundingVolume", RegionVolume(block.placement.region)},
                            {"geometricError", kBlockGeometricError},
                            {"transform", block.placement.transform},
                            {"content", {{"uri", block.name + ".glb"}}}});
    }
    if (!bounds.Total()) {
        return "has no block";
    }
    Json root = {{"boundingVolume", RegionVolume(*bounds.Total())},
                 {"geometricError", kSheetGeometricError},
                 {"refine", "ADD"},
                 {"children", std::move(children)}};
    return WriteJson(path, Tileset(kSheetGeometricError, std::move(root)));
}

FileFault WriteRootTileset(const std::filesystem::path& path,
                           const std::vector<SheetTileset>& sheets) {
    RegionUnion bounds;
    Json children = Json::array();
    for (const SheetTileset& sheet : sheets) {
        bounds.Add(sheet.region);
        children.push_back(
            {{"boundingVolume", RegionVolume(sheet.region)},
             {"geometricError", kSheetGeometricError},
             {"content", {{"uri", "sheets/" + UriSegment(sheet.folder) + "/tileset.json"}}}});
    }
    if (!bounds.Total()) {
        return "has no sheet";
    }
    Json root = {{"boundingVolume", RegionVolume(*bounds.Total())},
                 {"geometricError", kRootGeometricError},
                 {"refine", "ADD"},
                 {"children", std::move(children)}};
    return WriteJson(path, Tileset(kRootGeometricError, std::move(root)));
}

std::optional<TileRegion> ReadTilesetRegion(const std::filesystem::path& path, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in && !in.eof()) {
        error = "cannot be read";
        return std::nullopt;
    }
    const Json json = Json::parse(text, nullptr, false);
    const Json* region = nullptr;
    if (!json.is_discarded() && json.is_object() && json.contains("root") &&
        json["root"].is_object() && json["root"].contains("boundingVolume") &&
        json["root"]["boundingVolume"].is_object() &&
        json["root"]["boundingVolume"].contains("region")) {
        region = &json["root"]["boundingVolume"]["region"];
    }
    if (region == nullptr || !region->is_array() || region->size() != 6 ||
        !std::all_of(region->begin(), region->end(), [](const Json& v) { return v.is_number(); })) {
        error = "is no tileset with a root region";
        return std::nullopt;
    }
    const auto at = [&](std::size_t i) { return (*region)[i].get<double>(); };
    return TileRegion{at(0), at(1), at(2), at(3), at(4), at(5)};
}

}  // namespace vesk
