#pragma once

#include <span>
#include <string>
#include <string_view>

#include "zonemap/PlanePoint.h"

namespace vesk {

// One built-in prefecture: its name (UTF-8) and the plane point its name is
// centred on.
struct Prefecture {
    std::string_view name;
    PlanePoint label;
};

// The name a lookup gives for a prefecture the zone does not have.
inline constexpr std::string_view kUndefinedPrefectureName = "未定義";

// The prefectures of a zone in table order: 7 for zone 6, 8 for zone 9, none
// for any other zone.
std::span<const Prefecture> Prefectures(int zone);

int PrefectureCount(int zone);

struct PrefectureLabel {
    std::string name;
    PlanePoint position;
};

// The name and label point of entry index of the zone. Any other zone, and an
// index outside the zone's table (a placement chosen on another zone's map),
// give kUndefinedPrefectureName at (0, 0).
PrefectureLabel PrefectureNameAndLabel(int zone, int index);

}  // namespace vesk
