#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <set>

#include "RecordingUi.h"
#include "SampleChunks.h"
#include "SampleSheet.h"
#include "TempDir.h"
#include "document/CMyVeskDoc.h"
#include "text/ShiftJis.h"

namespace vesk {
namespace {

using sample::MakeSampleSheet;
using sample::SampleOptions;
using sample::WriteSampleSheet;
using test::RawChunks;
using test::RawSubSheet;
using test::ReadRawChunks;

// Quick to make, yet with every kind of chunk; 250 pixels make rows of 750
// bytes that the bitmap pads to 752.
SampleOptions SmallSheet() {
    SampleOptions options;
    options.buildingsPerSubSheet = 8;
    options.demColumns = 9;
    options.demRows = 7;
    options.demSpacingX = options.demSpacingY = 50.0f;
    options.texturePixels = 64;
    options.imageWidth = 250;
    options.imageHeight = 150;
    return options;
}

std::vector<std::byte> ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<char> chars{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<std::byte> bytes(chars.size());
    std::transform(chars.begin(), chars.end(), bytes.begin(),
                   [](char c) { return static_cast<std::byte>(c); });
    return bytes;
}

std::string NameOf(const std::vector<std::byte>& file) {
    const auto names = ReadRawChunks(file).Tagged("NAME");
    if (names.size() != 1) {
        return "(no single NAME chunk)";
    }
    const auto body = names[0].body;
    return ShiftJisToUtf8(std::string(reinterpret_cast<const char*>(body.data()), body.size()));
}

double DemHeight(const test::RawDem& dem, const RawSubSheet& group, double x, double y) {
    const double fx = (x - group.originX) / dem.dx;
    const double fy = (y - group.originY) / dem.dy;
    const auto j = static_cast<std::uint32_t>(std::clamp(std::floor(fx), 0.0, dem.columns - 2.0));
    const auto i = static_cast<std::uint32_t>(std::clamp(std::floor(fy), 0.0, dem.rows - 2.0));
    const double tx = fx - j;
    const double ty = fy - i;
    return (1 - ty) * ((1 - tx) * dem.At(i, j) + tx * dem.At(i, j + 1)) +
           ty * ((1 - tx) * dem.At(i + 1, j) + tx * dem.At(i + 1, j + 1));
}

double SignedArea(const std::vector<std::pair<float, float>>& ring) {
    double twice = 0.0;
    for (std::size_t i = 0; i < ring.size(); ++i) {
        const auto& [x0, y0] = ring[i];
        const auto& [x1, y1] = ring[(i + 1) % ring.size()];
        twice += static_cast<double>(x0) * y1 - static_cast<double>(x1) * y0;
    }
    return twice / 2.0;
}

bool HasReflexCorner(const std::vector<std::pair<float, float>>& ring) {
    for (std::size_t i = 0; i < ring.size(); ++i) {
        const auto& [ax, ay] = ring[i];
        const auto& [bx, by] = ring[(i + 1) % ring.size()];
        const auto& [cx, cy] = ring[(i + 2) % ring.size()];
        if ((bx - ax) * (cy - by) - (by - ay) * (cx - bx) < 0) {
            return true;
        }
    }
    return false;
}

TEST(SampleSheet, DefaultLayoutLoadsWithoutMessages) {
    test::TempDir dir;
    SampleOptions options;
    options.name = "試験図葉";
    options.texturePixels = 16;
    std::string error;
    ASSERT_TRUE(WriteSampleSheet(options, dir / "sample.tqb", error)) << error;

    test::RecordingUi ui;
    ProgramImageSize imageSize;
    CMyVeskDoc doc(ui, imageSize);
    doc.OpenSheetFile(dir / "sample.tqb");
    ASSERT_TRUE(ui.messages.empty()) << ui.messages.front().text;
    EXPECT_TRUE(doc.IsSheetLoaded());
    EXPECT_EQ(doc.Title(), "試験図葉");
    EXPECT_EQ(doc.SheetImageHeader().width, 500);
    EXPECT_EQ(doc.SheetImageHeader().height, 375);
    EXPECT_EQ(doc.SheetImageHeader().bitCount, 24);
    for (int n = 0; n < 25; ++n) {
        SCOPED_TRACE("sub-sheet " + std::to_string(n));
        ASSERT_TRUE(doc.SubSheetAccepted(n));
        const SubSheetRecord record = doc.CopySubSheetRecord(n);
        const int left = 100 * (n % 5);
        const int top = 75 * (n / 5);
        EXPECT_EQ(record.rect, (PixelRect{left, top, left + 100, top + 75}));
        EXPECT_EQ(record.originX, -8000.0f + 400.0f * static_cast<float>(n % 5));
        EXPECT_EQ(record.originY, -36000.0f + 300.0f * static_cast<float>(4 - n / 5));
        EXPECT_EQ(record.zone, 9);
        EXPECT_EQ(record.buildingCount, 40);
        EXPECT_TRUE(record.hasDem);
        EXPECT_TRUE(record.hasOrtho);
    }
}

TEST(SampleSheet, GeneratedNamesArePlaceNames) {
    SampleOptions options = SmallSheet();
    const std::string central = NameOf(MakeSampleSheet(options));
    EXPECT_TRUE(central.starts_with("千代田区")) << central;
    options.seed = 2;
    EXPECT_NE(NameOf(MakeSampleSheet(options)), central);
    options.originX = 52000.0f;
    const std::string elsewhere = NameOf(MakeSampleSheet(options));
    EXPECT_TRUE(elsewhere.ends_with("丁目")) << elsewhere;
}

TEST(SampleSheet, ChunksComeInTheOrderReadersRelyOn) {
    const auto file = MakeSampleSheet(SmallSheet());
    const RawChunks raw = ReadRawChunks(file);
    ASSERT_TRUE(raw.complete);
    ASSERT_GE(raw.chunks.size(), 3u);
    const auto& area = raw.chunks[0];
    EXPECT_EQ(area.identifier, 0x100001u);
    EXPECT_EQ(area.tag, "AREA");
    ASSERT_EQ(area.body.size(), 24u);
    EXPECT_EQ(test::LeI32(area.body, 0), 2500);
    EXPECT_EQ(test::LeI32(area.body, 4), 9);
    EXPECT_EQ(test::LeF32(area.body, 8), -8000.0f);
    EXPECT_EQ(test::LeF32(area.body, 12), -36000.0f);
    EXPECT_EQ(test::LeF32(area.body, 16), 2000.0f);
    EXPECT_EQ(test::LeF32(area.body, 20), 1500.0f);
    EXPECT_EQ(raw.chunks[1].identifier, 0x100000u);
    EXPECT_EQ(raw.chunks[1].tag, "NAME");
    EXPECT_EQ(raw.chunks[2].identifier, 0x100000u);
    EXPECT_EQ(raw.chunks[2].tag, "IDXB");

    const auto groups = test::GroupSubSheets(raw);
    ASSERT_EQ(groups.size(), 25u);
    for (int n = 0; n < 25; ++n) {
        SCOPED_TRACE("sub-sheet " + std::to_string(n));
        EXPECT_EQ(groups[n].number, n);
        std::string tags;
        for (const auto& chunk : groups[n].data) {
            const std::uint32_t expected = chunk.tag == "STRC"   ? 0x111001u
                                           : chunk.tag == "DEMF" ? 0x112001u
                                                                 : 0x113001u;
            EXPECT_EQ(chunk.identifier, expected) << chunk.tag;
            tags += chunk.tag + " ";
        }
        std::string expectedTags;
        for (int i = 0; i < 8; ++i) {
            expectedTags += "STRC ";
        }
        EXPECT_EQ(tags, expectedTags + "DEMF ORTS ");
    }
}

TEST(SampleSheet, BodiesAreWellFormedFiles) {
    const auto file = MakeSampleSheet(SmallSheet());
    const RawChunks raw = ReadRawChunks(file);

    const auto bitmap = raw.Tagged("IDXB").at(0).body;
    EXPECT_EQ(test::Byte(bitmap, 0), 'B');
    EXPECT_EQ(test::Byte(bitmap, 1), 'M');
    EXPECT_EQ(test::LeU32(bitmap, 2), bitmap.size());
    EXPECT_EQ(test::LeU32(bitmap, 10), 54u);
    EXPECT_EQ(test::LeU32(bitmap, 14), 40u);
    EXPECT_EQ(test::LeI32(bitmap, 18), 250);
    EXPECT_EQ(test::LeI32(bitmap, 22), 150);
    EXPECT_EQ(test::LeU16(bitmap, 26), 1);
    EXPECT_EQ(test::LeU16(bitmap, 28), 24);
    EXPECT_EQ(test::LeU32(bitmap, 30), 0u);
    EXPECT_EQ(bitmap.size(), 54u + 752u * 150u);

    for (const auto& chunk : raw.Tagged("STRC")) {
        const std::uint32_t count = test::LeU32(chunk.body, 8);
        EXPECT_GE(count, 3u);
        EXPECT_EQ(chunk.body.size(), 12u + 8u * count);
    }
    for (const auto& chunk : raw.Tagged("DEMF")) {
        EXPECT_EQ(chunk.body.size(), 16u + 4u * 9u * 7u);
        const auto dem = test::ReadDem(chunk.body);
        EXPECT_EQ(dem.columns, 9u);
        EXPECT_EQ(dem.rows, 7u);
        EXPECT_EQ(dem.dx, 50.0f);
        EXPECT_EQ(dem.dy, 50.0f);
    }
    for (const auto& chunk : raw.Tagged("ORTS")) {
        const auto sgi = chunk.body;
        ASSERT_EQ(sgi.size(), 512u + 3u * 64u * 64u);
        EXPECT_EQ(test::BeU16(sgi, 0), 474);
        EXPECT_EQ(test::Byte(sgi, 2), 0);  // verbatim
        EXPECT_EQ(test::Byte(sgi, 3), 1);  // one byte a channel
        EXPECT_EQ(test::BeU16(sgi, 4), 3);
        EXPECT_EQ(test::BeU16(sgi, 6), 64);
        EXPECT_EQ(test::BeU16(sgi, 8), 64);
        EXPECT_EQ(test::BeU16(sgi, 10), 3);
        EXPECT_EQ(test::BeI32(sgi, 12), 0);
        EXPECT_EQ(test::BeI32(sgi, 16), 255);
        EXPECT_EQ(test::BeI32(sgi, 104), 0);
    }
}

TEST(SampleSheet, SameSeedSameBytesOtherSeedOtherBytes) {
    SampleOptions options = SmallSheet();
    const auto first = MakeSampleSheet(options);
    EXPECT_FALSE(first.empty());
    EXPECT_EQ(MakeSampleSheet(options), first);
    options.seed = 2;
    EXPECT_NE(MakeSampleSheet(options), first);
}

TEST(SampleSheet, BuildingsLieInTheirSubSheetAndStandOnTheGround) {
    SampleOptions options;
    options.texturePixels = 8;
    options.imageWidth = 10;
    options.imageHeight = 10;
    const auto file = MakeSampleSheet(options);
    int triangles = 0;
    int concave = 0;
    for (const RawSubSheet& group : test::GroupSubSheets(ReadRawChunks(file))) {
        const auto dem = test::ReadDem(group.Tagged("DEMF").at(0).body);
        for (const auto& chunk : group.Tagged("STRC")) {
            const auto building = test::ReadBuilding(chunk.body);
            const auto& ring = building.vertices;
            ASSERT_GE(ring.size(), 3u);
            EXPECT_NE(ring.front(), ring.back()) << "the ring must stay open";
            EXPECT_GT(SignedArea(ring), 0.0) << "counter-clockwise";
            double lowest = 1e9;
            for (std::size_t i = 0; i < ring.size(); ++i) {
                const auto [x, y] = ring[i];
                EXPECT_NE(ring[i], ring[(i + 1) % ring.size()]);
                EXPECT_TRUE(x >= group.originX && x <= group.originX + 400.0f &&
                            y >= group.originY && y <= group.originY + 300.0f)
                    << x << "," << y << " outside sub-sheet " << group.number;
                lowest = std::min(lowest, DemHeight(dem, group, x, y));
            }
            EXPECT_NEAR(building.bottom, lowest, 0.05);
            EXPECT_GE(building.roof - building.bottom, 3.0f - 0.01f);
            EXPECT_LE(building.roof - building.bottom, 60.0f + 0.01f);
            triangles += ring.size() == 3;
            concave += HasReflexCorner(ring);
        }
    }
    EXPECT_GT(triangles, 10);
    EXPECT_GT(concave, 100);
}

TEST(SampleSheet, GroundIsGentleAndContinuousAcrossSubSheets) {
    const auto file = MakeSampleSheet(SmallSheet());
    const auto groups = test::GroupSubSheets(ReadRawChunks(file));
    const auto dem = [&](int n) { return test::ReadDem(groups.at(n).Tagged("DEMF").at(0).body); };
    // With 9 x 7 points at 50 m a grid spans exactly its 400 x 300 m sub-sheet.
    const auto north = dem(0);
    const auto east = dem(1);
    const auto south = dem(5);
    for (std::uint32_t i = 0; i < 7; ++i) {
        EXPECT_NEAR(north.At(i, 8), east.At(i, 0), 1e-3);
    }
    for (std::uint32_t j = 0; j < 9; ++j) {
        EXPECT_NEAR(north.At(0, j), south.At(6, j), 1e-3);
    }
    float lowest = north.heights[0];
    float highest = lowest;
    for (int n = 0; n < 25; ++n) {
        const auto grid = dem(n);
        for (std::uint32_t i = 0; i < 7; ++i) {
            for (std::uint32_t j = 0; j + 1 < 9; ++j) {
                EXPECT_LT(std::abs(grid.At(i, j + 1) - grid.At(i, j)), 0.1f * 50.0f);
            }
        }
        const auto [low, high] = std::minmax_element(grid.heights.begin(), grid.heights.end());
        lowest = std::min(lowest, *low);
        highest = std::max(highest, *high);
    }
    EXPECT_GT(lowest, 0.0f);
    EXPECT_GT(highest - lowest, 1.0f) << "hills, not a plain";
}

// Where a picture covering a plane window shows a point; rows count from the bottom
// as both the bitmap and the SGI image store them.
struct PictureFrame {
    double x0;
    double y0;
    double width;
    double height;
    int columns;
    int rows;

    double Column(double x) const { return (x - x0) * columns / width; }
    double RowFromBottom(double y) const { return (y - y0) * rows / height; }
};

// A footprint's bounding box in pixels; upright when the footprint is a rectangle
// along the axes, so that the box's middle lies well inside it.
struct PixelBox {
    double left, bottom, right, top;
    bool upright;

    bool Large() const { return upright && right - left > 4 && top - bottom > 4; }
    int MiddleColumn() const { return static_cast<int>((left + right) / 2); }
    int MiddleRow() const { return static_cast<int>((bottom + top) / 2); }
};

bool IsUprightRectangle(const std::vector<std::pair<float, float>>& ring) {
    std::set<float> xs;
    std::set<float> ys;
    for (const auto& [x, y] : ring) {
        xs.insert(x);
        ys.insert(y);
    }
    return ring.size() == 4 && xs.size() == 2 && ys.size() == 2;
}

std::vector<PixelBox> BuildingBoxes(const RawSubSheet& group, const PictureFrame& frame) {
    std::vector<PixelBox> boxes;
    for (const auto& chunk : group.Tagged("STRC")) {
        const auto ring = test::ReadBuilding(chunk.body).vertices;
        PixelBox box{1e9, 1e9, -1e9, -1e9, IsUprightRectangle(ring)};
        for (const auto& [x, y] : ring) {
            box.left = std::min(box.left, frame.Column(x));
            box.right = std::max(box.right, frame.Column(x));
            box.bottom = std::min(box.bottom, frame.RowFromBottom(y));
            box.top = std::max(box.top, frame.RowFromBottom(y));
        }
        boxes.push_back(box);
    }
    return boxes;
}

bool NearSomeBox(const std::vector<PixelBox>& boxes, int column, int row) {
    return std::any_of(boxes.begin(), boxes.end(), [&](const PixelBox& b) {
        return column >= b.left - 1.5 && column <= b.right + 1.5 && row >= b.bottom - 1.5 &&
               row <= b.top + 1.5;
    });
}

using Rgb = std::array<std::uint8_t, 3>;

// SGI: three planes of rows from the bottom, red first.
Rgb SgiPixel(std::span<const std::byte> sgi, int side, int column, int row) {
    const std::size_t plane = static_cast<std::size_t>(side) * side;
    const std::size_t at = 512 + static_cast<std::size_t>(row) * side + column;
    return {test::Byte(sgi, at), test::Byte(sgi, at + plane), test::Byte(sgi, at + 2 * plane)};
}

// Bitmap: rows from the bottom of blue, green, red, padded to 4 bytes.
Rgb BitmapPixel(std::span<const std::byte> bmp, int width, int column, int row) {
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
    const std::size_t at = 54 + static_cast<std::size_t>(row) * stride + 3 * column;
    return {test::Byte(bmp, at + 2), test::Byte(bmp, at + 1), test::Byte(bmp, at)};
}

// Compares a picture with the same picture of a sheet without buildings: it must
// differ inside large rectangles and nowhere far from a footprint.
template <typename PixelOf>
void ExpectBuildingsDrawn(const std::vector<PixelBox>& boxes, const PictureFrame& frame,
                          PixelOf pixelOf) {
    int checkedMiddles = 0;
    for (const PixelBox& box : boxes) {
        if (box.Large()) {
            EXPECT_NE(pixelOf(true, box.MiddleColumn(), box.MiddleRow()),
                      pixelOf(false, box.MiddleColumn(), box.MiddleRow()));
            ++checkedMiddles;
        }
    }
    EXPECT_GT(checkedMiddles, 0);
    for (int row = 0; row < frame.rows; ++row) {
        for (int column = 0; column < frame.columns; ++column) {
            if (pixelOf(true, column, row) != pixelOf(false, column, row)) {
                ASSERT_TRUE(NearSomeBox(boxes, column, row)) << column << "," << row;
            }
        }
    }
}

class SamplePictures : public ::testing::Test {
protected:
    SamplePictures() {
        SampleOptions empty = SmallSheet();
        empty.buildingsPerSubSheet = 0;
        builtFile = MakeSampleSheet(SmallSheet());
        bareFile = MakeSampleSheet(empty);
        built = ReadRawChunks(builtFile);
        bare = ReadRawChunks(bareFile);
    }

    std::span<const std::byte> Texture(const RawChunks& file, int number) const {
        return test::GroupSubSheets(file).at(number).Tagged("ORTS").at(0).body;
    }
    std::span<const std::byte> Image(const RawChunks& file) const {
        return file.Tagged("IDXB").at(0).body;
    }

    static constexpr int kTextureSide = 64;
    const PictureFrame sheetFrame{-8000, -36000, 2000, 1500, 250, 150};
    std::vector<std::byte> builtFile;
    std::vector<std::byte> bareFile;
    RawChunks built;
    RawChunks bare;
};

TEST_F(SamplePictures, TextureShowsTheSubSheetsBuildingsWhereTheyStand) {
    const RawSubSheet middle = test::GroupSubSheets(built).at(12);
    const PictureFrame frame{middle.originX, middle.originY, 400, 300, kTextureSide, kTextureSide};
    const auto withBuildings = Texture(built, 12);
    const auto without = Texture(bare, 12);
    ExpectBuildingsDrawn(BuildingBoxes(middle, frame), frame, [&](bool drawn, int c, int r) {
        return SgiPixel(drawn ? withBuildings : without, kTextureSide, c, r);
    });
}

TEST_F(SamplePictures, SheetImageShowsAllBuildingsWhereTheyStand) {
    std::vector<PixelBox> boxes;
    for (const RawSubSheet& group : test::GroupSubSheets(built)) {
        const auto more = BuildingBoxes(group, sheetFrame);
        boxes.insert(boxes.end(), more.begin(), more.end());
    }
    const auto withBuildings = Image(built);
    const auto without = Image(bare);
    ExpectBuildingsDrawn(boxes, sheetFrame, [&](bool drawn, int c, int r) {
        return BitmapPixel(drawn ? withBuildings : without, sheetFrame.columns, c, r);
    });
}

// Both pictures paint a building in the same colour, so a writer that mixed up
// its channels or rows shows here.
TEST_F(SamplePictures, SheetImageAndTextureAgreeOnBuildingColours) {
    int compared = 0;
    for (const RawSubSheet& group : test::GroupSubSheets(built)) {
        const PictureFrame frame{group.originX, group.originY, 400,
                                 300,           kTextureSide,  kTextureSide};
        const auto onSheet = BuildingBoxes(group, sheetFrame);
        const auto onTexture = BuildingBoxes(group, frame);
        for (std::size_t i = 0; i < onSheet.size(); ++i) {
            if (onSheet[i].Large() && onTexture[i].Large()) {
                EXPECT_EQ(BitmapPixel(Image(built), sheetFrame.columns, onSheet[i].MiddleColumn(),
                                      onSheet[i].MiddleRow()),
                          SgiPixel(Texture(built, group.number), kTextureSide,
                                   onTexture[i].MiddleColumn(), onTexture[i].MiddleRow()));
                ++compared;
            }
        }
    }
    EXPECT_GT(compared, 5);
}

TEST(SampleSheet, EachWithoutSwitchTakesOutOnlyItsChunks) {
    const auto fullFile = MakeSampleSheet(SmallSheet());
    const auto full = ReadRawChunks(fullFile).chunks;
    const std::vector<std::pair<bool SampleOptions::*, std::string>> parts = {
        {&SampleOptions::withName, "NAME"},      {&SampleOptions::withImage, "IDXB"},
        {&SampleOptions::withBuildings, "STRC"}, {&SampleOptions::withDem, "DEMF"},
        {&SampleOptions::withOrtho, "ORTS"},
    };
    for (const auto& [part, tagName] : parts) {
        const std::string& tag = tagName;  // a lambda below takes it; bindings cannot be taken
        SCOPED_TRACE(tag);
        SampleOptions options = SmallSheet();
        options.*part = false;
        const auto file = MakeSampleSheet(options);
        const auto chunks = ReadRawChunks(file).chunks;
        std::vector<test::RawChunk> expected;
        std::copy_if(full.begin(), full.end(), std::back_inserter(expected),
                     [&](const test::RawChunk& c) { return c.tag != tag; });
        ASSERT_EQ(chunks.size(), expected.size());
        for (std::size_t i = 0; i < chunks.size(); ++i) {
            EXPECT_EQ(chunks[i].tag, expected[i].tag);
            EXPECT_TRUE(std::ranges::equal(chunks[i].body, expected[i].body)) << i;
        }
    }
}

TEST(SampleSheet, OptionsOutOfRangeMakeNoFile) {
    test::TempDir dir;
    std::vector<SampleOptions> bad(7, SmallSheet());
    bad[0].texturePixels = 0;
    bad[1].imageWidth = 20001;
    bad[2].demColumns = 0;
    bad[3].demColumns = 4096, bad[3].demRows = 4096;
    bad[4].buildingsPerSubSheet = -1;
    bad[5].originX = std::nanf("");
    bad[6].demSpacingY = 0.0f;
    for (std::size_t i = 0; i < bad.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(MakeSampleSheet(bad[i]).empty());
        std::string error;
        EXPECT_FALSE(WriteSampleSheet(bad[i], dir / "bad.tqb", error));
        EXPECT_FALSE(error.empty());
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

TEST(SampleSheet, SheetBeyondFourGibibytesIsRefused) {
    test::TempDir dir;
    SampleOptions options = SmallSheet();
    options.texturePixels = 8192;  // 25 textures of 192 MiB
    std::string error;
    EXPECT_FALSE(WriteSampleSheet(options, dir / "huge.tqb", error));
    EXPECT_NE(error.find("4 GiB"), std::string::npos) << error;
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

TEST(SampleSheet, WritingReplacesTheFileAndLeavesNothingElse) {
    test::TempDir dir;
    SampleOptions options = SmallSheet();
    std::string error;
    ASSERT_TRUE(WriteSampleSheet(options, dir / "sheet.tqb", error)) << error;
    options.seed = 5;
    ASSERT_TRUE(WriteSampleSheet(options, dir / "sheet.tqb", error)) << error;
    EXPECT_EQ(ReadFile(dir / "sheet.tqb"), MakeSampleSheet(options));
    const auto entries = std::distance(std::filesystem::directory_iterator(dir.Path()),
                                       std::filesystem::directory_iterator());
    EXPECT_EQ(entries, 1);
}

TEST(SampleSheet, WritingIntoAMissingFolderFailsWithTheReason) {
    test::TempDir dir;
    std::string error;
    EXPECT_FALSE(WriteSampleSheet(SmallSheet(), dir / "missing" / "sheet.tqb", error));
    EXPECT_NE(error.find("missing"), std::string::npos) << error;
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

}  // namespace
}  // namespace vesk
