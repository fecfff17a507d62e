#pragma once

#include "sheet/SheetArea.h"

namespace vesk {

// A rectangle in image pixels, y growing downward; right and bottom are outside it.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(int x, int y) const { return left <= x && x < right && top <= y && y < bottom; }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// Truncation toward zero that saturates at the int range (NaN gives 0), so a
// corrupt area can give a strange rectangle but never undefined behaviour.
int TruncToInt(double value);

// Where a sub-sheet lies on the sheet image: the sheet's south-west corner is the
// image's bottom-left corner, rows count down from the north edge.
PixelRect SubSheetRectOnImage(const SheetArea& sheet, int imageWidth, int imageHeight,
                              const SubSheetArea& subSheet);

}  // namespace vesk
