#pragma once

#include <span>

#include "zonemap/ZoneMap.h"

namespace vesk {

// A sheet's area on the plane as a survey read it: its south-west corner and
// its size along X and Y, in metres.
struct PlaneRect {
    float originX = 0.0f;
    float originY = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
};

// Pixels kept free around the sheets on a map fitted to them.
inline constexpr int kFittedMapMargin = 20;

// The longest side a fitted map gets, in pixels: 8,000 km, more than any zone
// spans, so that only corrupt sheet areas reach it. The map then keeps the
// north-west part of what they span.
inline constexpr int kFittedMapMaxSide = 16000;

// A map at the scale of the built-in ones for a zone that has none: origin and
// extent put every sheet, with its corners placed as the survey map places
// them, kFittedMapMargin pixels or more inside. Sheets with a coordinate that
// is not a finite number are left out; without any sheet the map is fitted to
// the plane point (0, 0).
ZoneMap FitZoneMap(std::span<const PlaneRect> sheets);

// The survey map of a zone: the built-in one of zones 6 and 9, for every
// other zone the map fitted to the sheets of that zone.
ZoneMap SurveyZoneMap(int zone, std::span<const PlaneRect> sheetsOfZone);

}  // namespace vesk
