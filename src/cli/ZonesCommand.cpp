// vesk-cli zones: the built-in zone maps and prefecture outlines, as the survey map draws them.
#include <cstdio>
#include <span>
#include <string>

#include "Commands.h"
#include "JsonWriter.h"
#include "zonemap/PrefectureOutlines.h"
#include "zonemap/PrefectureTable.h"
#include "zonemap/ZoneMap.h"

namespace vesk::cli {
namespace {

constexpr int kBuiltInZones[] = {6, 9};
constexpr std::size_t kPointsPerPlainLine = 4;

std::string JsonIntPair(int a, int b) {
    return cli::JsonPair(std::to_string(a), std::to_string(b));
}

std::string JsonPoint(PlanePoint point) {
    return cli::JsonPair(JsonFloat(point.x), JsonFloat(point.y));
}

std::string JsonOutline(std::span<const PlanePoint> outline) {
    std::string out = "[";
    for (std::size_t i = 0; i < outline.size(); ++i) {
        out += (i ? ", " : "") + JsonPoint(outline[i]);
    }
    return out + "]";
}

std::string JsonZone(int zone) {
    const ZoneMap map = BuiltInZoneMap(zone).value();
    std::string out = "{\"zone\": " + std::to_string(zone) +
                      ", \"origin\": " + JsonIntPair(map.Origin().x, map.Origin().y) +
                      ", \"extent\": " + JsonIntPair(map.Extent().width, map.Extent().height) +
                      ", \"prefectures\": [";
    const auto prefectures = Prefectures(zone);
    const auto outlines = PrefectureOutlines(zone);
    for (std::size_t i = 0; i < prefectures.size(); ++i) {
        out += (i ? ",\n   " : "\n   ") + std::string("{\"name\": ") +
               JsonString(prefectures[i].name) + ", \"label\": " + JsonPoint(prefectures[i].label) +
               ", \"outline\": " + JsonOutline(outlines[i]) + "}";
    }
    return out + "]}";
}

void PrintJson() {
    std::string out = "{\"zones\": [";
    for (std::size_t i = 0; i < std::size(kBuiltInZones); ++i) {
        out += (i ? ",\n  " : "\n  ") + JsonZone(kBuiltInZones[i]);
    }
    out += "]}\n";
    std::fputs(out.c_str(), stdout);
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
