#include "sheet/PixelRect.h"

#include <cmath>
#include <limits>

namespace vesk {

int TruncToInt(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    constexpr double kMin = std::numeric_limits<int>::min();
    constexpr double kMax = std::numeric_limits<int>::max();
    if (value <= kMin) {
        return std::numeric_limits<int>::min();
    }
    if (value >= kMax) {
        return std::numeric_limits<int>::max();
    }
    return static_cast<int>(value);
}

namespace {

// Image size minus a truncated offset, kept inside the int range.
int FromBottom(int imageHeight, double offset) {
    return TruncToInt(static_cast<double>(imageHeight) - TruncToInt(offset));
}

}  // namespace

PixelRect SubSheetRectOnImage(const SheetArea& sheet, int imageWidth, int imageHeight,
                              const SubSheetArea& subSheet) {
    const double x0 = sheet.originX;
    const double y0 = sheet.originY;
    const double sheetWidth = sheet.width;
    const double sheetHeight = sheet.height;
    const double x = subSheet.originX;
    const double y = subSheet.originY;
    const double w = subSheet.width;
    const double h = subSheet.height;
    PixelRect rect;
    rect.left = TruncToInt((x - x0) * imageWidth / sheetWidth);
    rect.right = TruncToInt((x + w - x0) * imageWidth / sheetWidth);
    rect.bottom = FromBottom(imageHeight, (y - y0) * imageHeight / sheetHeight);
    rect.top = FromBottom(imageHeight, (y + h - y0) * imageHeight / sheetHeight);
    return rect;
}

}  // namespace vesk
