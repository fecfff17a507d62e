#pragma once

#include "Raster.h"

namespace vesk::sample {

// The look of the sample pictures, a town map seen from above: pale ground tinted
// by height and shaded by the slope with thin contour lines, white streets,
// yellow main streets, green parks, buildings filled and outlined.
namespace style {

inline constexpr Colour kLowGround{232, 236, 218};
inline constexpr Colour kHighGround{238, 224, 200};
inline constexpr Colour kLowPark{192, 224, 168};
inline constexpr Colour kHighPark{174, 206, 148};
inline constexpr Colour kStreet{255, 255, 255};
inline constexpr Colour kMainStreet{250, 232, 168};
inline constexpr Colour kLowBuilding{224, 208, 194};
inline constexpr Colour kTallBuilding{188, 184, 204};
inline constexpr Colour kBuildingOutline{128, 112, 102};

inline constexpr double kContourInterval = 2.0;  // metres
inline constexpr double kContourDarkening = 0.86;
// Hills of a town are too gentle to show in true relief.
inline constexpr double kReliefExaggeration = 4.0;

}  // namespace style
}  // namespace vesk::sample
