// vesk-cli survey: the program's folder survey, with the list it read printed
// for people, as JSON, or as GeoJSON outlines in longitude and latitude for a
// GIS.
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "CliUi.h"
#include "Commands.h"
#include "FileErrors.h"
#include "OneDecimal.h"
#include "document/CMyVeskDoc.h"
#include "geo/PlaneGeoreference.h"
#include "geo/PlaneOutline.h"
#include "geo/PlaneZone.h"
#include "survey/SurveyJson.h"
#include "survey/ZonePresenceFlags.h"
#include "text/JsonText.h"
#include "text/ShiftJis.h"

namespace vesk::cli {
namespace {

constexpr JsonKeyLayout kJsonLayout[] = {{"entries", {.items = 2}}};

std::vector<int> Zones(const CMyVeskDoc& doc) {
    return ZonesPresent(PresentZones(doc.Survey()));
}

void PrintJson(const SurveyRequest& request, const CMyVeskDoc& doc, const CliUi& ui) {
    JsonValue entries = JsonValue::array();
    for (const SurveyEntry& entry : doc.Survey()) {
        entries.push_back(SurveyEntryJson(entry));
    }
    const JsonValue list = {{"folder", request.folder},
                            {"messages", ui.Messages()},
                            {"entries", std::move(entries)},
                            {"zones", Zones(doc)}};
    std::fputs(JsonText(list, kJsonLayout).c_str(), stdout);
}

// Longitude and latitude to 1e-7 degree, about a centimetre.
constexpr int kDegreeDecimals = 7;
// Enough for the outline in longitude and latitude to follow the curved sides.
constexpr int kPointsPerSide = 8;

constexpr JsonKeyLayout kGeoJsonLayout[] = {
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
        reason = georeference.Error();
    }
    return ring;
}

// GeoJSON has no place for messages: they go to standard error.
void PrintGeoJson(const CMyVeskDoc& doc, const CliUi& ui) {
    for (const std::string& message : ui.Messages()) {
        std::fprintf(stderr, "vesk-cli survey: %s\n", message.c_str());
    }
    geo::PlaneGeoreference georeference;
    JsonValue features = JsonValue::array();
    JsonValue ungeoreferenced = JsonValue::array();
    for (const SurveyEntry& entry : doc.Survey()) {
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
    std::fputs(JsonText(collection, kGeoJsonLayout).c_str(), stdout);
}

void PrintPlain(const SurveyRequest& request, const CMyVeskDoc& doc, const CliUi& ui) {
    std::printf("Folder:   %s\n", BytesAsDisplayText(request.folder).c_str());
    for (const std::string& message : ui.Messages()) {
        std::printf("Message:  %s\n", message.c_str());
    }
    std::printf("Sheets:   %zu\n", doc.Survey().size());
    for (const SurveyEntry& entry : doc.Survey()) {
        const SheetArea& a = entry.area;
        std::printf("  zone %2d  origin %s,%s  \"%s\"  %s\n", a.zone, OneDecimal(a.originX).c_str(),
                    OneDecimal(a.originY).c_str(), ShiftJisToUtf8(entry.name).c_str(),
                    BytesAsDisplayText(entry.path.string()).c_str());
    }
    std::string zones;
    for (const int zone : Zones(doc)) {
        zones += (zones.empty() ? "" : " ") + std::to_string(zone);
    }
    std::printf("Zones:    %s\n", zones.c_str());
}

}  // namespace

int RunSurvey(const SurveyRequest& request) {
    CliUi ui(false);
    ui.folder = std::filesystem::path(request.folder);
    CMyVeskDoc doc(ui);
    // No zone is chosen: the list stays in the document as after a cancelled zone
    // dialog.
    doc.OnSurvey();
    switch (request.format) {
        case SurveyFormat::Json:
            PrintJson(request, doc, ui);
            break;
        case SurveyFormat::GeoJson:
            PrintGeoJson(doc, ui);
            break;
        case SurveyFormat::Plain:
            PrintPlain(request, doc, ui);
            break;
    }
    // The only message the survey shows is that no file matched.
    if (ui.ErrorCount() != 0) {
        SayWhyNotListable("survey", request.folder);
    }
    return ui.ErrorCount() == 0 ? kExitOk : kExitFailed;
}

}  // namespace vesk::cli
