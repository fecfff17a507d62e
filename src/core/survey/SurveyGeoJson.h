#pragma once

#include <string>

#include "survey/SurveyEntry.h"

namespace vesk {

// The survey's sheets as RFC 7946 GeoJSON, which a GIS reads as it is: a
// FeatureCollection with one polygon per sheet in longitude and latitude (its
// properties the entry's fields and the zone's EPSG code) and, beside the
// features, "ungeoreferenced": the entries that have no outline, each with the
// reason.
std::string SurveyGeoJson(const SurveyList& entries);

}  // namespace vesk
