// The base name shared by the geometry and texture files.
#include "convert/OutputName.h"

#include <gtest/gtest.h>

namespace vesk {
namespace {

SubSheetRecord At(int zone, float x, float y, float width = 400.0f, float height = 300.0f) {
    SubSheetRecord record;
    record.zone = zone;
    record.originX = x;
    record.originY = y;
    record.width = width;
    record.height = height;
    return record;
}

TEST(OutputName, ZoneThenSignedHundredsOfOriginThenSize) {
    EXPECT_EQ(MakeOutputName(At(9, -850.0f, 120.0f)), "09M0008P000100040003");
    EXPECT_EQ(MakeOutputName(At(17, 1234.5f, -36000.0f)), "17P0012M036000040003");
    EXPECT_EQ(MakeOutputName(At(0, 0.0f, 0.0f)), "00P0000P000000040003");
}

// The sign letter tests the quotient: anything that truncates to 0 hundreds is "P".
TEST(OutputName, OriginBetweenMinusOneHundredAndZeroGivesP0000) {
    EXPECT_EQ(MakeOutputName(At(9, -50.0f, -99.9f)), "09P0000P000000040003");
    EXPECT_EQ(MakeOutputName(At(9, -100.0f, -199.99f)), "09M0001M000100040003");
}

TEST(OutputName, FieldsAreMinimumWidthsAndLargeQuotientsPrintInFull) {
    EXPECT_EQ(MakeOutputName(At(123, -1234567.0f, 1000000.0f)), "123M12345P1000000040003");
    EXPECT_EQ(MakeOutputName(At(9, 0, 0, 1000000.0f, 300.0f)), "09P0000P0000100000003");
}

}  // namespace
}  // namespace vesk
