// vesk-cli survey: the program's folder survey, with the list it read printed
// for people, as JSON, or as GeoJSON outlines in longitude and latitude for a GIS.
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "CliUi.h"
#include "Commands.h"
#include "FileErrors.h"
#include "JsonWriter.h"
#include "document/CMyVeskDoc.h"
#include "geo/PlaneGeoreference.h"
#include "geo/PlaneOutline.h"
#include "geo/PlaneZone.h"
#include "survey/ZonePresenceFlags.h"
#include "text/ShiftJis.h"

namespace vesk::cli {
namespace {

std::string JsonList(const std::vector<std::string>& items) {
    std::string out = "[";
    for (std::size_t i = 0; i < items.size(); ++i) {
        out += (i ? ", " : "") + items[i];
    }
    return out + "]";
}

// One item a line, for lists that grow with the folder.
std::string JsonLines(const std::vector<std::string>& items) {
    std::string out = "[";
    for (std::size_t i = 0; i < items.size(); ++i) {
        out += (i ? ",\n  " : "\n  ") + items[i];
    }
    return out + "]";
}

std::vector<std::string> ZoneTexts(const CMyVeskDoc& doc) {
    std::vector<std::string> zones;
    for (const int zone : ZonesPresent(PresentZones(doc.Survey()))) {
        zones.push_back(std::to_string(zone));
    }
    return zones;
}

// The entry's members as in the JSON list, without the braces.
std::string EntryMembers(const SurveyEntry& entry) {
    const SheetArea& a = entry.area;
    return "\"scale\": " + std::to_string(a.scale) + ", \"zone\": " + std::to_string(a.zone) +
           ", \"x\": " + JsonFloat(a.originX) + ", \"y\": " + JsonFloat(a.originY) +
           ", \"width\": " + JsonFloat(a.width) + ", \"height\": " + JsonFloat(a.height) +
           ", \"name\": " + JsonString(ShiftJisToUtf8(entry.name)) +
           ", \"path\": " + JsonString(entry.path.string());
}

void PrintJson(const SurveyRequest& request, const CMyVeskDoc& doc, const CliUi& ui) {
    std::vector<std::string> messages;
    for (const std::string& message : ui.Messages()) {
        messages.push_back(JsonString(message));
    }
    std::string out = "{\"folder\": " + JsonString(request.folder) +
                      ",\n \"messages\": " + JsonList(messages) + ",\n \"entries\": ";
    std::vector<std::string> entries;
    for (const SurveyEntry& entry : doc.Survey()) {
        // Appended piece by piece: GCC 12 warns wrongly on "{" + text (its bug 105329).
        std::string object = "{";
        object += EntryMembers(entry);
        object += '}';
        entries.push_back(std::move(object));
    }
    out += JsonLines(entries) + ",\n \"zones\": " + JsonList(ZoneTexts(doc)) + "}\n";
    std::fputs(out.c_str(), stdout);
}

// Longitude and latitude to 1e-7 degree, about a centimetre.
constexpr int kDegreeDecimals = 7;
// Enough for the outline in longitude and latitude to follow the curved sides.
constexpr int kPointsPerSide = 8;

std::string RingJson(const std::vector<geo::LonLat>& ring) {
    std::string out = "[";
    for (std::size_t i = 0; i < ring.size(); ++i) {
        out += (i ? ", " : "") + JsonPair(JsonFixed(ring[i].longitude, kDegreeDecimals),
                                          JsonFixed(ring[i].latitude, kDegreeDecimals));
    }
    return out + "]";
}

std::string FeatureJson(const SurveyEntry& entry, const std::vector<geo::LonLat>& ring) {
    const int epsg = PlaneZoneEpsgCode(entry.area.zone).value_or(0);
    return "{\"type\": \"Feature\", \"properties\": {" + EntryMembers(entry) +
           ", \"epsg\": " + std::to_string(epsg) +
           "}, \"geometry\": {\"type\": \"Polygon\", \"coordinates\": [" + RingJson(ring) + "]}}";
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
    std::vector<std::string> features;
    std::vector<std::string> ungeoreferenced;
    for (const SurveyEntry& entry : doc.Survey()) {
        std::string reason;
        if (const auto ring = SheetOutline(entry.area, georeference, reason)) {
            features.push_back(FeatureJson(entry, *ring));
        } else {
            ungeoreferenced.push_back("{" + EntryMembers(entry) +
                                      ", \"reason\": " + JsonString(reason) + "}");
        }
    }
    const std::string out =
        "{\"type\": \"FeatureCollection\",\n \"features\": " + JsonLines(features) +
        ",\n \"ungeoreferenced\": " + JsonLines(ungeoreferenced) + "}\n";
    std::fputs(out.c_str(), stdout);
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
    for (const std::string& zone : ZoneTexts(doc)) {
        zones += (zones.empty() ? "" : " ") + zone;
    }
    std::printf("Zones:    %s\n", zones.c_str());
}

}  // namespace

int RunSurvey(const SurveyRequest& request) {
    CliUi ui(false);
    ui.folder = std::filesystem::path(request.folder);
    CMyVeskDoc doc(ui);
    // No zone is chosen: the list stays in the document as after a cancelled zone dialog.
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
