#include "check/FindingPlace.h"

#include <cmath>

#include "document/CMyVeskDoc.h"

namespace vesk::gui {

std::array<BlockHealth, kSubSheetCount> HealthOf(const SheetCheck& check) {
    std::array<BlockHealth, kSubSheetCount> health{};
    for (const BlockCheck& block : check.blocks) {
        if (block.number < 0 || block.number >= kSubSheetCount) {
            continue;
        }
        BlockHealth& h = health[static_cast<std::size_t>(block.number)];
        if (block.Count(Severity::kError) > 0) {
            h = BlockHealth::kErrors;
        } else if (block.Count(Severity::kWarning) > 0) {
            h = BlockHealth::kWarnings;
        } else {
            h = BlockHealth::kClean;
        }
    }
    return health;
}

std::vector<QPointF> FindingOnPicture(const CMyVeskDoc& doc, const Finding& finding) {
    const SheetArea& area = doc.Area();
    const DisplayExtent extent = doc.DisplayExtentPixels();
    if (!(area.width > 0.0f) || !(area.height > 0.0f)) {
        return {};
    }
    const double scaleX = extent.width / static_cast<double>(area.width);
    const double scaleY = extent.height / static_cast<double>(area.height);
    const auto onPicture = [&](double x, double y) {
        return QPointF((x - area.originX) * scaleX, extent.height - (y - area.originY) * scaleY);
    };
    std::vector<QPointF> points;
    for (const FootprintPoint& corner : finding.footprint) {
        points.push_back(onPicture(corner.x, corner.y));
    }
    if (points.empty()) {
        points.push_back(onPicture(finding.x, finding.y));
    }
    // A corner that is no number (a corrupt chunk) cannot be drawn.
    for (const QPointF& p : points) {
        if (!std::isfinite(p.x()) || !std::isfinite(p.y())) {
            return {};
        }
    }
    return points;
}

}  // namespace vesk::gui
