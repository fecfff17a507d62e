#include "geo/GeoidModel.h"

#include <cmath>
#include <cstdio>
#include <functional>
#include <system_error>

namespace vesk::geo {
namespace {

// A name PROJ's string syntax cannot break: the real path, spaces or "+"
// in it included, is given to PROJ by the file finder below. PROJ keeps the
// grids it opened by name, so each path has a name of its own.
std::string UserGridToken(const std::string& path) {
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016zx", std::hash<std::string>{}(path));
    return std::string("vesk_user_geoid_") + hex;
}

const char* FindUserGrid(PJ_CONTEXT*, const char* name, void* userGridPath) {
    const auto* path = static_cast<const std::string*>(userGridPath);
    return name == UserGridToken(*path) ? path->c_str() : nullptr;
}

// Longitude and latitude in degrees in, the grid's value added to the height
// out: a height of 0 comes back as the undulation.
std::string Pipeline(const std::string& grid) {
    return "+proj=pipeline +step +proj=unitconvert +xy_in=deg +xy_out=rad "
           "+step +proj=vgridshift +grids=" +
           grid + " +multiplier=1 +step +proj=unitconvert +xy_in=rad +xy_out=deg";
}

// PROJ's own text names its pipeline's steps, which say nothing to a user.
std::string MissingGrid(const std::optional<std::filesystem::path>& grid) {
    if (!grid) {
        return std::string("the geoid grid ") + kEgm96GridName +
               " was not found: install the Debian package proj-data, or give --geoid-grid FILE";
    }
    return "the geoid grid " + grid->string() + " is no vertical grid PROJ can read";
}

}  // namespace

Result<GeoidModel> GeoidModel::Open(const std::optional<std::filesystem::path>& grid) {
    GeoidModel model;
    model.context_ = std::make_unique<ProjContext>();
    PJ_CONTEXT* context = model.context_->Get();
    if (context == nullptr) {
        return Failure{model.context_->TakeError(0)};
    }
    std::string gridName = kEgm96GridName;
    if (grid) {
        std::error_code error;
        if (!std::filesystem::is_regular_file(*grid, error)) {
            return Failure{"the geoid grid " + grid->string() + ": " +
                           (error ? error.message() : std::string("it is no regular file"))};
        }
        model.userGridPath_ =
            std::make_unique<std::string>(std::filesystem::absolute(*grid, error).string());
        proj_context_set_file_finder(context, FindUserGrid, model.userGridPath_.get());
        gridName = UserGridToken(*model.userGridPath_);
    }
    model.transform_.reset(proj_create(context, Pipeline(gridName).c_str()));
    if (!model.transform_) {
        return Failure{MissingGrid(grid)};
    }
    model.description_ =
        grid ? grid->filename().string() : std::string("EGM96 (") + kEgm96GridName + ")";
    return model;
}

Result<double> GeoidModel::Undulation(LonLat point) {
    PJ* transform = transform_.get();
    proj_errno_reset(transform);
    const PJ_COORD out =
        proj_trans(transform, PJ_FWD, proj_coord(point.longitude, point.latitude, 0.0, HUGE_VAL));
    const int errorCode = proj_errno(transform);
    if (errorCode != 0 || !std::isfinite(out.v[2])) {
        return Failure{"the geoid grid has no height at " + std::to_string(point.longitude) + ", " +
                       std::to_string(point.latitude) + ": " + context_->TakeError(errorCode)};
    }
    return out.v[2];
}

}  // namespace vesk::geo
