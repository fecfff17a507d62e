#include "tiles/TilesetJson.h"

#include <algorithm>
#include <cmath>

#include "platform/ReadOnlyFile.h"
#include "text/FixedText.h"

namespace vesk {
namespace {

constexpr const char* kEllipsoidal = "ellipsoidal";
constexpr const char* kSeaLevel = "sea-level";

TilesetJson Property(const char* type, const char* description) {
    return {{"type", type}, {"description", description}};
}

}  // namespace

TilesetJson Asset(const HeightDatum& datum) {
    TilesetJson extras = {{"heights", datum.geoid ? kEllipsoidal : kSeaLevel}};
    if (datum.geoid) {
        extras["geoid"] = *datum.geoid;
    }
    return {{"version", "1.1"}, {"extras", std::move(extras)}};
}

std::optional<HeightDatum> ReadHeightDatum(const TilesetJson& tileset) {
    const TilesetJson* extras = nullptr;
    if (tileset.contains("asset") && tileset["asset"].is_object() &&
        tileset["asset"].contains("extras") && tileset["asset"]["extras"].is_object()) {
        extras = &tileset["asset"]["extras"];
    }
    if (extras == nullptr || !extras->contains("heights") || !(*extras)["heights"].is_string()) {
        return std::nullopt;
    }
    const std::string heights = (*extras)["heights"].get<std::string>();
    if (heights == kSeaLevel) {
        return HeightDatum{};
    }
    if (heights != kEllipsoidal || !extras->contains("geoid") || !(*extras)["geoid"].is_string()) {
        return std::nullopt;
    }
    return HeightDatum{(*extras)["geoid"].get<std::string>()};
}

TilesetJson MetadataSchema() {
    TilesetJson sheet = {{"name", "Sheet"},
                         {"description", "A map sheet of 2000 m x 1500 m seen from afar"},
                         {"properties",
                          {{"file", Property("STRING", "The sheet file's name")},
                           {"zone",
                            {{"type", "SCALAR"},
                             {"componentType", "UINT8"},
                             {"description", "The plane rectangular zone (EPSG 2442 + zone)"}}}}}};
    TilesetJson block = {{"name", "Block"},
                         {"description", "A sub-sheet of 400 m x 300 m"},
                         {"properties",
                          {{"name", Property("STRING", "The block's output name")},
                           {"sheet", Property("STRING", "The sheet file's name")},
                           {"number",
                            {{"type", "SCALAR"},
                             {"componentType", "UINT8"},
                             {"description", "The block's number on the sheet, 1 to 25"}}}}}};
    return {{"id", "vesk"},
            {"classes", {{"sheet", std::move(sheet)}, {"block", std::move(block)}}}};
}

TilesetJson RegionVolume(const TileRegion& r) {
    return {{"region", {r.west, r.south, r.east, r.north, r.minHeight, r.maxHeight}}};
}

std::optional<TileRegion> ReadRegion(const TilesetJson& tile) {
    if (!tile.is_object() || !tile.contains("boundingVolume") ||
        !tile["boundingVolume"].is_object() || !tile["boundingVolume"].contains("region")) {
        return std::nullopt;
    }
    const TilesetJson& region = tile["boundingVolume"]["region"];
    if (!region.is_array() || region.size() != 6 ||
        !std::all_of(region.begin(), region.end(), [](const TilesetJson& v) {
            return v.is_number() && std::isfinite(v.get<double>());
        })) {
        return std::nullopt;
    }
    const auto at = [&](std::size_t i) { return region[i].get<double>(); };
    return TileRegion{at(0), at(1), at(2), at(3), at(4), at(5)};
}

std::string UriSegment(const std::string& name) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string uri;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (IsAsciiAlnum(byte) || c == '-' || c == '.' || c == '_' || c == '~') {
            uri += c;
        } else {
            uri += {'%', kHex[byte >> 4], kHex[byte & 15]};
        }
    }
    return uri;
}

WriteFailureText WriteTilesetJson(const std::filesystem::path& path, const TilesetJson& json) {
    const std::string text = json.dump(1, ' ', false, TilesetJson::error_handler_t::replace) + "\n";
    return WriteAtomically(path, [&](AtomicOutputFile& out) {
        out.Write(text);
        return true;
    });
}

std::optional<TilesetJson> ReadTilesetJson(const std::filesystem::path& path, std::string& error) {
    const auto text = ReadWholeFile(path);
    if (!text) {
        error = "cannot be read";
        return std::nullopt;
    }
    TilesetJson json = TilesetJson::parse(*text, nullptr, false);
    if (json.is_discarded() || !json.is_object()) {
        error = "is no tileset";
        return std::nullopt;
    }
    return json;
}

}  // namespace vesk
