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

// The size into which a fitted map's scale puts the sheets with their margin,
// and the least size of such a map, so that the window around it stays usable.
inline constexpr MapExtent kFittedMapTarget{800, 600};
inline constexpr MapExtent kFittedMapMinimum{480, 360};

// The largest scale a fitted map gets, in pixels per metre; real sheets never
// come near it, only corrupt sizes of next to nothing.
inline constexpr double kFittedMapMaxScale = 1.0;

// The longest side a fitted map gets, in pixels: 8,000 km at the built-in
// maps' scale, more than any zone spans, so that only corrupt sheet areas
// reach it. The map then keeps the middle of what they span.
inline constexpr int kFittedMapMaxSide = 16000;

// A map for a zone that has no built-in one, fitted to its sheets: the largest
// scale, and at least that of the built-in maps, at which the sheets (corners
// placed as the survey map places them) and kFittedMapMargin pixels around
// them fit kFittedMapTarget; the map is at least kFittedMapMinimum with the
// sheets in its middle. Sheets with a coordinate that is not a finite number
// are left out; without any sheet the plane point (0, 0) is in the middle.
ZoneMap FitZoneMap(std::span<const PlaneRect> sheets);

// The survey map of a zone: the built-in one of zones 6 and 9, for every
// other zone the map fitted to the sheets of that zone.
ZoneMap SurveyZoneMap(int zone, std::span<const PlaneRect> sheetsOfZone);

}  // namespace vesk
