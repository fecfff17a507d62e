// vesk-cli zones: the built-in zone maps and prefecture outlines, as the survey map draws them.
#include <cstdio>
#include <span>
#include <string>

#include "Commands.h"
#include "text/JsonNumbers.h"
#include "text/JsonText.h"
#include "zonemap/PrefectureOutlines.h"
#include "zonemap/PrefectureTable.h"
#include "zonemap/ZoneMap.h"

namespace vesk::cli {
namespace {

constexpr int kBuiltInZones[] = {6, 9};
constexpr std::size_t kPointsPerPlainLine = 4;

constexpr JsonKeyLayout kJsonLayout[] = {{"zones", {.items = 2}}, {"prefectures", {.items = 3}}};

JsonValue PointJson(PlanePoint point) {
    return JsonValue::array({point.x, point.y});
}

JsonValue OutlineJson(std::span<const PlanePoint> outline) {
    JsonValue points = JsonValue::array();
    for (const PlanePoint point : outline) {
        points.push_back(PointJson(point));
    }
    return points;
}

JsonValue ZoneJson(int zone) {
    const ZoneMap map = BuiltInZoneMap(zone).value();
    const auto prefectures = Prefectures(zone);
    const auto outlines = PrefectureOutlines(zone);
    JsonValue prefecturesJson = JsonValue::array();
    for (std::size_t i = 0; i < prefectures.size(); ++i) {
        prefecturesJson.push_back({{"name", prefectures[i].name},
                                   {"label", PointJson(prefectures[i].label)},
                                   {"outline", OutlineJson(outlines[i])}});
    }
    return {{"zone", zone},
            {"origin", JsonValue::array({map.Origin().x, map.Origin().y})},
            {"extent", JsonValue::array({map.Extent().width, map.Extent().height})},
            {"prefectures", std::move(prefecturesJson)}};
}

void PrintJson() {
    JsonValue zones = JsonValue::array();
    for (const int zone : kBuiltInZones) {
        zones.push_back(ZoneJson(zone));
    }
    const JsonValue document = {{"zones", std::move(zones)}};
    std::fputs(JsonText(document, kJsonLayout).c_str(), stdout);
}

std::string PlainPoint(PlanePoint point) {
    return JsonFloat(point.x) + "," + JsonFloat(point.y);
}

void PrintPlainZone(int zone) {
    const ZoneMap map = BuiltInZoneMap(zone).value();
    std::printf("Zone %d: map origin %d,%d, extent %d x %d pixels\n", zone, map.Origin().x,
                map.Origin().y, map.Extent().width, map.Extent().height);
    const auto prefectures = Prefectures(zone);
    const auto outlines = PrefectureOutlines(zone);
    for (std::size_t i = 0; i < prefectures.size(); ++i) {
        const std::string name(prefectures[i].name);
        std::printf("  %zu %s: label %s, %zu outline points\n", i, name.c_str(),
                    PlainPoint(prefectures[i].label).c_str(), outlines[i].size());
        std::string line;
        for (std::size_t k = 0; k < outlines[i].size(); ++k) {
            line += "  " + PlainPoint(outlines[i][k]);
            if ((k + 1) % kPointsPerPlainLine == 0 || k + 1 == outlines[i].size()) {
                std::printf("   %s\n", line.c_str());
                line.clear();
            }
        }
    }
}

}  // namespace

int RunZones(const ZonesRequest& request) {
    if (request.json) {
        PrintJson();
        return kExitOk;
    }
    for (const int zone : kBuiltInZones) {
        PrintPlainZone(zone);
    }
    return kExitOk;
}

}  // namespace vesk::cli
