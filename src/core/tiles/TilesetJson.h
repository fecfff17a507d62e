#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "export/OutputFile.h"
#include "tiles/TileRegion.h"

namespace vesk {

using TilesetJson = nlohmann::ordered_json;

// What the tileset's heights are above: the ellipsoid, by the named geoid's
// undulation added to the sheets' heights above sea level; or, with no
// geoid, sea level itself taken as the ellipsoid (for globes without terrain).
struct HeightDatum {
    std::optional<std::string> geoid;

    bool operator==(const HeightDatum&) const = default;
};

// {"version": "1.1", "extras": {"heights": ..., "geoid": ...}}, and back; none
// when the asset holds no record this program writes.
TilesetJson Asset(const HeightDatum& datum);
std::optional<HeightDatum> ReadHeightDatum(const TilesetJson& tileset);

// The classes of the tiles' metadata: a sheet's light model and a block.
TilesetJson MetadataSchema();

TilesetJson RegionVolume(const TileRegion& region);
std::optional<TileRegion> ReadRegion(const TilesetJson& tile);

// A name as a URI path segment: every byte but the unreserved ones
// percent-encoded, so spaces, "#" and names that are no UTF-8 still resolve.
std::string UriSegment(const std::string& name);

WriteFailureText WriteTilesetJson(const std::filesystem::path& path, const TilesetJson& json);

// The parsed file; the reason when it cannot be read or is no JSON object.
std::optional<TilesetJson> ReadTilesetJson(const std::filesystem::path& path, std::string& error);

}  // namespace vesk
