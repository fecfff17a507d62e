#include "survey/SurveyGeoJson.h"

#include <optional>
#include <vector>

#include "geo/PlaneGeoreference.h"
#include "geo/PlaneOutline.h"
#include "geo/PlaneZone.h"
#include "survey/SurveyJson.h"

namespace vesk {
namespace {

// Longitude and latitude to 1e-7 degree, about a centimetre.
constexpr int kDegreeDecimals = 7;
// Enough for the outline in longitude and latitude to follow the curved sides.
constexpr int kPointsPerSide = 8;

constexpr JsonKeyLayout kLayout[] = {
    {"features", {.items = 2}},
    {"ungeoreferenced", {.items = 2}},
    {"coordinates", {.decimals = kDegreeDecimals}},
};

JsonValue RingJson(const std::vector<geo::LonLat>& ring) {
    JsonValue positions = JsonValue::array();
    for (const geo::LonLat& position : ring) {
        positions.push_back(JsonValue::array({position.longitude, position.latitude}));
    }
    return positions;
}

JsonValue FeatureJson(const SurveyEntry& entry, const std::vector<geo::LonLat>& ring) {
    JsonValue properties = SurveyEntryJson(entry);
    properties["epsg"] = PlaneZoneEpsgCode(entry.area.zone).value_or(0);
    return {
        {"type", "Feature"},
        {"properties", std::move(properties)},
        {"geometry", {{"type", "Polygon"}, {"coordinates", JsonValue::array({RingJson(ring)})}}}};
}

// The sheet's outline in longitude and latitude, or why it has none.
std::optional<std::vector<geo::LonLat>> SheetOutline(const SheetArea& a,
                                                     geo::PlaneGeoreference& georeference,
                                                     std::string& reason) {
    if (!(a.width > 0.0f && a.height > 0.0f)) {
        reason = "the sheet's width and height are not positive";
        return std::nullopt;
    }
    const geo::PlaneRectangle rectangle{{a.originX, a.originY}, a.width, a.height};
    auto ring = georeference.ToLonLat(a.zone, geo::DensifiedOutline(rectangle, kPointsPerSide));
    if (!ring) {
        reason = ring.Error();
        return std::nullopt;
    }
    return std::move(*ring);
}

}  // namespace

std::string SurveyGeoJson(const SurveyList& entries) {
    geo::PlaneGeoreference georeference;
    JsonValue features = JsonValue::array();
    JsonValue ungeoreferenced = JsonValue::array();
    for (const SurveyEntry& entry : entries) {
        std::string reason;
        if (const auto ring = SheetOutline(entry.area, georeference, reason)) {
            features.push_back(FeatureJson(entry, *ring));
        } else {
            JsonValue members = SurveyEntryJson(entry);
            members["reason"] = reason;
            ungeoreferenced.push_back(std::move(members));
        }
    }
    const JsonValue collection = {{"type", "FeatureCollection"},
                                  {"features", std::move(features)},
                                  {"ungeoreferenced", std::move(ungeoreferenced)}};
    return JsonText(collection, kLayout);
}

}  // namespace vesk
