// vesk-cli survey: the program's folder survey, with the list it read printed
// for people, as JSON, or as GeoJSON rectangles for a GIS.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "CliUi.h"
#include "Commands.h"
#include "JsonWriter.h"
#include "document/CMyVeskDoc.h"
#include "survey/ZonePresenceFlags.h"
#include "text/ShiftJis.h"

namespace vesk::cli {
namespace {

enum class Format { Plain, Json, GeoJson };

struct SurveyRequest {
    std::string_view folder;
    Format format = Format::Plain;
};

std::optional<SurveyRequest> ParseSurvey(Arguments args) {
    SurveyRequest request;
    bool formatGiven = false;
    for (std::string_view arg : args) {
        if ((arg == "--json" || arg == "--geojson") && !formatGiven) {
            request.format = arg == "--json" ? Format::Json : Format::GeoJson;
            formatGiven = true;
        } else if (request.folder.empty() && !arg.empty() && !arg.starts_with("--")) {
            request.folder = arg;
        } else {
            return std::nullopt;
        }
    }
    if (request.folder.empty()) {
        return std::nullopt;
    }
    return request;
}

std::string JsonList(const std::vector<std::string>& items) {
    std::string out = "[";
    for (std::size_t i = 0; i < items.size(); ++i) {
        out += (i ? ", " : "") + items[i];
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

std::string EntryJson(const SurveyEntry& entry) {
    const SheetArea& a = entry.area;
    return "{\"scale\": " + std::to_string(a.scale) + ", \"zone\": " + std::to_string(a.zone) +
           ", \"x\": " + JsonFloat(a.originX) + ", \"y\": " + JsonFloat(a.originY) +
           ", \"width\": " + JsonFloat(a.width) + ", \"height\": " + JsonFloat(a.height) +
           ", \"name\": " + JsonString(ShiftJisToUtf8(entry.name)) +
           ", \"path\": " + JsonString(entry.path.string()) + "}";
}

void PrintJson(const SurveyRequest& request, const CMyVeskDoc& doc, const CliUi& ui) {
    std::vector<std::string> messages;
    for (const std::string& message : ui.Messages()) {
        messages.push_back(JsonString(message));
    }
    std::string out = "{\"folder\": " + JsonString(request.folder) +
                      ",\n \"messages\": " + JsonList(messages) + ",\n \"entries\": [";
    const SurveyList& list = doc.Survey();
    for (std::size_t i = 0; i < list.size(); ++i) {
        out += (i ? ",\n  " : "\n  ") + EntryJson(list[i]);
    }
    out += "],\n \"zones\": " + JsonList(ZoneTexts(doc)) + "}\n";
    std::fputs(out.c_str(), stdout);
}

// The sheet's rectangle as a closed ring, counter-clockwise with north up;
// null when a corner is not a finite number.
std::string RectangleGeometry(const SheetArea& a) {
    const float x0 = a.originX;
    const float y0 = a.originY;
    const float x1 = a.originX + a.width;
    const float y1 = a.originY + a.height;
    if (!std::isfinite(x0) || !std::isfinite(y0) || !std::isfinite(x1) || !std::isfinite(y1)) {
        return "null";
    }
    const auto point = [](float x, float y) { return JsonPair(JsonFloat(x), JsonFloat(y)); };
    return "{\"type\": \"Polygon\", \"coordinates\": [[" + point(x0, y0) + ", " + point(x1, y0) +
           ", " + point(x1, y1) + ", " + point(x0, y1) + ", " + point(x0, y0) + "]]}";
}

std::string FeatureJson(const SurveyEntry& entry) {
    return "{\"type\": \"Feature\", \"properties\": {\"zone\": " + std::to_string(entry.area.zone) +
           ", \"name\": " + JsonString(ShiftJisToUtf8(entry.name)) +
           ", \"path\": " + JsonString(entry.path.string()) +
           "}, \"geometry\": " + RectangleGeometry(entry.area) + "}";
}

// GeoJSON has no place for messages: they go to standard error.
void PrintGeoJson(const CMyVeskDoc& doc, const CliUi& ui) {
    for (const std::string& message : ui.Messages()) {
        std::fprintf(stderr, "vesk-cli survey: %s\n", message.c_str());
    }
    std::string out = "{\"type\": \"FeatureCollection\",\n \"features\": [";
    const SurveyList& list = doc.Survey();
    for (std::size_t i = 0; i < list.size(); ++i) {
        out += (i ? ",\n  " : "\n  ") + FeatureJson(list[i]);
    }
    out += "]}\n";
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

int RunSurvey(Arguments args) {
    const auto request = ParseSurvey(args);
    if (!request) {
        std::fputs("usage: vesk-cli survey FOLDER [--json] [--geojson]\n", stderr);
        return kExitUsage;
    }
    CliUi ui(false);
    ui.folder = std::filesystem::path(std::string(request->folder));
    CMyVeskDoc doc(ui);
    // No zone is chosen: the list stays in the document as after a cancelled zone dialog.
    doc.OnSurvey();
    switch (request->format) {
        case Format::Json:
            PrintJson(*request, doc, ui);
            break;
        case Format::GeoJson:
            PrintGeoJson(doc, ui);
            break;
        case Format::Plain:
            PrintPlain(*request, doc, ui);
            break;
    }
    // The only message the survey shows is that no file matched.
    return ui.ErrorCount() == 0 ? kExitOk : kExitFailed;
}

}  // namespace vesk::cli
