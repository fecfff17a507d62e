#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "geo/GeoPoints.h"
#include "geo/ProjContext.h"
#include "platform/Result.h"

namespace vesk::geo {

// The grid Debian's proj-data ships for EGM96, the geoid PROJ gives for
// EPSG:5773 heights.
inline constexpr const char* kEgm96GridName = "egm96_15.gtx";

// The height of the geoid above the WGS 84 ellipsoid (the undulation), read
// by PROJ from a vertical grid: EGM96 by default, or a grid of the user's
// (any format PROJ reads, e.g. a national geoid as GeoTIFF). A height above
// sea level plus the undulation is a height above the ellipsoid. One object
// per thread: PROJ's context is not shared.
class GeoidModel {
public:
    // Opens the grid; the reason, naming what to install or the file, when
    // PROJ cannot read it.
    static Result<GeoidModel> Open(const std::optional<std::filesystem::path>& grid);

    // Nothing where the grid holds no value (outside it), with the reason.
    Result<double> Undulation(LonLat point);

    // What the heights were referred to, for the output's record:
    // "EGM96 (egm96_15.gtx)" or the user's grid file name.
    const std::string& Description() const { return description_; }

private:
    GeoidModel() = default;

    // On the heap, so that what PROJ's file finder points to survives a move;
    // both outlive the transformation, which goes first.
    std::unique_ptr<std::string> userGridPath_;
    std::unique_ptr<ProjContext> context_;
    ProjObject transform_;
    std::string description_;
};

}  // namespace vesk::geo
