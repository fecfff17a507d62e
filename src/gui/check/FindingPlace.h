#pragma once

#include <QPointF>
#include <array>
#include <vector>

#include "check/SheetCheck.h"
#include "view/SheetOverlay.h"

namespace vesk {
class CMyVeskDoc;
}

namespace vesk::gui {

// Each block's worst finding; blocks the check did not reach stay unknown.
std::array<BlockHealth, kSubSheetCount> HealthOf(const SheetCheck& check);

// Where a finding lies on the sheet picture, in picture coordinates: its
// building's footprint, else its place as one point. Plane coordinates map to
// the picture through the sheet's area as the blocks' rectangles do, north up.
// Nothing for a sheet whose area gives no scale.
std::vector<QPointF> FindingOnPicture(const CMyVeskDoc& doc, const Finding& finding);

}  // namespace vesk::gui
