// Sub-sheet rectangles on pictures whose scale puts sub-sheet edges between
// pixels: every edge is cut toward zero, from the sheet's west and south edges.
#include "sheet/PixelRect.h"

#include <gtest/gtest.h>

#include <limits>

namespace vesk {
namespace {

constexpr SheetArea kSheet{2500, 9, 1000.0f, -2000.0f, 2000.0f, 1500.0f};

// A 501 x 377 picture: 0.2505 pixels a metre along x, 0.25133... along y.
TEST(SubSheetRect, EdgesBetweenPixelsAreCutTowardZero) {
    const SubSheetArea subSheet{7, 1400.0f, -1700.0f, 400.0f, 300.0f};
    // x: 400 m gives 100.2 and 800 m gives 200.4; y: 300 m gives 75.4 and
    // 600 m gives 150.8 pixels up from the bottom row 377.
    EXPECT_EQ(SubSheetRectOnImage(kSheet, 501, 377, subSheet), (PixelRect{100, 227, 200, 302}));
}

TEST(SubSheetRect, OffsetsWestAndSouthOfTheSheetAreCutTowardZeroNotDown) {
    const SubSheetArea subSheet{0, 800.0f, -2150.0f, 400.0f, 300.0f};
    // x: -200 m gives -50.1 (to -50, not -51) and 200 m gives 50.1; y: -150 m
    // gives -37.7 (to -37, so the bottom is 377 + 37) and 150 m gives 37.7.
    EXPECT_EQ(SubSheetRectOnImage(kSheet, 501, 377, subSheet), (PixelRect{-50, 340, 50, 414}));
}

TEST(SubSheetRect, EdgesBeyondTheIntRangeStopAtItsEnds) {
    const SubSheetArea far{0, 3.0e38f, -3.0e38f, 400.0f, 300.0f};
    const PixelRect rect = SubSheetRectOnImage(kSheet, 501, 377, far);
    EXPECT_EQ(rect.left, std::numeric_limits<int>::max());
    // 377 minus the most negative int is past the largest one.
    EXPECT_EQ(rect.bottom, std::numeric_limits<int>::max());
}

}  // namespace
}  // namespace vesk
