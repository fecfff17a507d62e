#pragma once

#include <vector>

#include "check/Finding.h"
#include "sheet/SheetArea.h"

namespace vesk {

// A point on the sheet picture, in its pixels from the top left, unrounded.
struct PicturePoint {
    double x = 0.0;
    double y = 0.0;
};

// Where a finding lies on a sheet picture of that size: its building's
// footprint, else its place as one point. Plane coordinates map to the
// picture through the sheet's area as the blocks' rectangles do, north up.
// Nothing for a sheet whose area gives no scale, or a corner that is no number.
std::vector<PicturePoint> FindingOnPicture(const SheetArea& sheet, int pictureWidth,
                                           int pictureHeight, const Finding& finding);

}  // namespace vesk
