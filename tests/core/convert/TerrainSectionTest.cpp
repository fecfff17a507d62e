// The terrain section: grid points, texture coordinates, faces and their names.
#include "convert/TerrainSection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CommaLocale.h"
#include "ConvertTestSupport.h"
#include "SheetBuilder.h"
#include "TempDir.h"
#include "platform/AtomicOutputFile.h"

namespace vesk {
namespace {

using test::CrLfLines;

constexpr std::string_view kName = "09M0008P000100040003";

class TerrainSection : public ::testing::Test {
protected:
    void AddDem(std::uint32_t columns, std::uint32_t rows, float dx, float dy,
                const std::vector<float>& heights) {
        record.hasDem = 1;
        record.demPosition = sheet.Offset();
        sheet.Dem(columns, rows, dx, dy, heights);
    }

    // A grid of columns x rows with every height 0.
    void AddFlatDem(std::uint32_t columns, std::uint32_t rows) {
        AddDem(columns, rows, 1, 1, std::vector<float>(std::size_t{columns} * rows, 0.0f));
    }

    // The section as the file holds it, and whether the writer accepted the grid.
    std::string Write(bool texture) {
        MemoryByteSource source(sheet.Bytes());
        AtomicOutputFile out(dir / "terrain.geo");
        written = WriteTerrainSection(out, source, record, texture, kName);
        EXPECT_TRUE(out.Commit());
        return test::ReadFileBytes(dir / "terrain.geo");
    }

    test::SheetBuilder sheet;
    SubSheetRecord record;
    test::TempDir dir;
    bool written = false;
};

TEST_F(TerrainSection, TexturedExampleIsWrittenByteForByte) {
    record.originX = 100;
    record.originY = 200;
    AddDem(2, 2, 10, 5, {1, 2, 3, 4});
    EXPECT_EQ(Write(true), CrLfLines(
                               {
                                   "DEM=GROUP(&GROUND);",
                                   "V00=COORD(100.000000,200.000000,1.000000);",
                                   "V01=COORD(110.000000,200.000000,2.000000);",
                                   "V02=COORD(100.000000,205.000000,3.000000);",
                                   "V03=COORD(110.000000,205.000000,4.000000);",
                                   "T00=TCOORD(0.000000,0.000000);",
                                   "T01=TCOORD(1.000000,0.000000);",
                                   "T02=TCOORD(0.000000,1.000000);",
                                   "T03=TCOORD(1.000000,1.000000);",
                                   "P00=VERTEX(V00,,T00);",
                                   "P01=VERTEX(V01,,T01);",
                                   "P02=VERTEX(V02,,T02);",
                                   "P03=VERTEX(V03,,T03);",
                                   "F00=FACE(P00,P01,P03,P02);",
                                   "ORT=TEXTURE(\"09M0008P000100040003.sgi\");",
                                   "FACE_TEXTURE(F00,ORT);",
                                   "GROUP_FACE(DEM,F00);",
                               },
                               false));
    EXPECT_TRUE(written);
}

TEST_F(TerrainSection, WithoutTextureVerticesHaveThreeEmptyFieldsAndNoTextureStatements) {
    record.originX = 100;
    record.originY = 200;
    AddDem(2, 2, 10, 5, {1, 2, 3, 4});
    EXPECT_EQ(Write(false), CrLfLines(
                                {
                                    "DEM=GROUP(&GROUND);",
                                    "V00=COORD(100.000000,200.000000,1.000000);",
                                    "V01=COORD(110.000000,200.000000,2.000000);",
                                    "V02=COORD(100.000000,205.000000,3.000000);",
                                    "V03=COORD(110.000000,205.000000,4.000000);",
                                    "P00=VERTEX(V00,,,);",
                                    "P01=VERTEX(V01,,,);",
                                    "P02=VERTEX(V02,,,);",
                                    "P03=VERTEX(V03,,,);",
                                    "F00=FACE(P00,P01,P03,P02);",
                                    "GROUP_FACE(DEM,F00);",
                                },
                                false));
}

TEST_F(TerrainSection, SingleRowHasPointsButNoFacesAndTextureCoordinateZeroAlongY) {
    AddDem(3, 1, 10, 5, {1, 2, 3});
    const std::string text = Write(true);
    EXPECT_NE(text.find("T00=TCOORD(0.000000,0.000000);\r\n"
                        "T01=TCOORD(0.500000,0.000000);\r\n"
                        "T02=TCOORD(1.000000,0.000000);\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("P02=VERTEX(V02,,T02);\r\nORT=TEXTURE("), std::string::npos);
    EXPECT_EQ(text.find("=FACE("), std::string::npos);
    EXPECT_TRUE(text.ends_with("\"09M0008P000100040003.sgi\");\r\nGROUP_FACE(DEM);"));
}

TEST_F(TerrainSection, SingleColumnHasTextureCoordinateZeroAlongX) {
    AddDem(1, 3, 10, 5, {1, 2, 3});
    const std::string text = Write(true);
    EXPECT_NE(text.find("T00=TCOORD(0.000000,0.000000);\r\n"
                        "T01=TCOORD(0.000000,0.500000);\r\n"
                        "T02=TCOORD(0.000000,1.000000);\r\n"),
              std::string::npos);
    EXPECT_TRUE(text.ends_with("GROUP_FACE(DEM);"));
}

TEST_F(TerrainSection, NamesGrowPastTwoDigitsUpToTheLastPointAndFace) {
    AddFlatDem(41, 31);
    const std::string text = Write(true);
    EXPECT_NE(text.find("\r\nV99=COORD(17.000000,2.000000,0.000000);\r\nV100=COORD("),
              std::string::npos);
    EXPECT_NE(text.find("\r\nV1270=COORD(40.000000,30.000000,0.000000);\r\nT00="),
              std::string::npos);
    EXPECT_NE(text.find("\r\nF1199=FACE(P1228,P1229,P1270,P1269);\r\nORT="), std::string::npos);
    EXPECT_NE(text.find("\r\nFACE_TEXTURE(F1199,ORT);\r\nGROUP_FACE(DEM,F00,F01,"),
              std::string::npos);
    EXPECT_TRUE(text.ends_with(",F1198,F1199);"));
    EXPECT_EQ(text.find("V1271"), std::string::npos);
    EXPECT_EQ(text.find("F1200"), std::string::npos);
}

TEST_F(TerrainSection, CoordinatesAreFormedInDoubleFromOriginPlusIndexTimesSpacing) {
    record.originX = -0.5f;
    record.originY = 0.1f;  // 0.100000001490116... as stored
    AddDem(2, 2, 0.1f, 0.1f, {-1.25f, -0.0f, 0, 1e10f});
    const std::string text = Write(false);
    EXPECT_NE(text.find("V00=COORD(-0.500000,0.100000,-1.250000);\r\n"
                        "V01=COORD(-0.400000,0.100000,-0.000000);\r\n"
                        "V02=COORD(-0.500000,0.200000,0.000000);\r\n"
                        "V03=COORD(-0.400000,0.200000,10000000000.000000);\r\n"),
              std::string::npos)
        << text;
}

TEST_F(TerrainSection, WritesTheSameBytesUnderACommaDecimalLocale) {
    record.originX = 100.25f;
    AddDem(2, 2, 10, 5, {1.5f, 2, 3, 4});
    const std::string inC = Write(true);
    test::CommaLocale locale;
    if (!locale.Active()) {
        GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";
    }
    EXPECT_EQ(Write(true), inC);
    EXPECT_NE(inC.find("V00=COORD(100.250000,0.000000,1.500000);"), std::string::npos);
}

}  // namespace
}  // namespace vesk
