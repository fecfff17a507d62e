#include "check/FindingOnPicture.h"

#include <cmath>

namespace vesk {

std::vector<PicturePoint> FindingOnPicture(const SheetArea& sheet, int pictureWidth,
                                           int pictureHeight, const Finding& finding) {
    if (!(sheet.width > 0.0f) || !(sheet.height > 0.0f)) {
        return {};
    }
    const double scaleX = pictureWidth / static_cast<double>(sheet.width);
    const double scaleY = pictureHeight / static_cast<double>(sheet.height);
    const auto onPicture = [&](double x, double y) {
        return PicturePoint{(x - sheet.originX) * scaleX,
                            pictureHeight - (y - sheet.originY) * scaleY};
    };
    std::vector<PicturePoint> points;
    for (const FootprintPoint& corner : finding.footprint) {
        points.push_back(onPicture(corner.x, corner.y));
    }
    if (points.empty()) {
        points.push_back(onPicture(finding.x, finding.y));
    }
    // A corner that is no number (a corrupt chunk) cannot be drawn.
    for (const PicturePoint& p : points) {
        if (!std::isfinite(p.x) || !std::isfinite(p.y)) {
            return {};
        }
    }
    return points;
}

}  // namespace vesk
