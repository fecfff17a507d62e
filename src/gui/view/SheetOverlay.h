#pragma once

#include <QPointF>
#include <array>
#include <vector>

#include "check/BlockHealth.h"
#include "sheet/SubSheetRecord.h"

namespace vesk::gui {

// What the data check adds to the sheet picture.
struct SheetOverlay {
    // The marks of what each block holds, and the frames' colours.
    bool showStatus = false;
    std::array<BlockHealth, kSubSheetCount> health{};
    // The finding shown in red, in picture coordinates: a footprint's corners,
    // or one point for a place.
    std::vector<QPointF> highlight;
};

}  // namespace vesk::gui
