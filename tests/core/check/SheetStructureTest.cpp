// Faults of a sheet's structure: a file without sheet data, data chunks cut
// short or claiming more than they hold, and blocks without data, off the
// sheet, off its grid, at one place or with one number.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <stop_token>

#include "CheckSheetFixture.h"
#include "SgiTestFile.h"
#include "TempDir.h"

namespace vesk {
namespace {

using ::testing::ElementsAre;
using ::testing::FieldsAre;
using ::testing::IsEmpty;
using ::testing::Optional;

constexpr Severity kError = Severity::kError;
constexpr Severity kWarning = Severity::kWarning;

class SheetStructure : public test::CheckSheetFixture {};

TEST_F(SheetStructure, ABuildingCutOffByTheEndOfTheFileRunsPastIt) {
    OpenBlock();
    SoundSquare();
    test::SheetBuilder last;
    last.Building(kGround, kGround + 5,
                  {{kX0 + 1, kY0 + 1}, {kX0 + 5, kY0 + 1}, {kX0 + 5, kY0 + 5}});
    sheet.Raw(std::span(last.Bytes()).first(last.Bytes().size() - 4));
    EXPECT_THAT(Found(), ElementsAre(FieldsAre(FindingCode::kChunkPastEnd, kError, Optional(1u))));
}

// A sheet cut anywhere in its data is checked; a cut inside a data chunk
// (past its header) is that chunk running past the end of the file.
TEST_F(SheetStructure, EveryCutThroughTheDataIsCheckedAndACutChunkRunsPastTheEnd) {
    OpenBlock();
    std::vector<std::size_t> bounds{sheet.Offset()};
    FlatGround();
    bounds.push_back(sheet.Offset());
    SoundSquare();
    bounds.push_back(sheet.Offset());
    sheet.Ortho(test::SgiFile(true, 8, 8, 3).With([](int x, int, int) {
        return static_cast<std::uint8_t>(x);
    }));
    bounds.push_back(sheet.Offset());
    const std::vector<std::byte> whole = sheet.Bytes();
    for (std::size_t size = bounds.front(); size < whole.size(); ++size) {
        MemoryByteSource cut(std::span<const std::byte>(whole).first(size));
        const SheetCheck check = CheckSheet(cut);
        ASSERT_EQ(check.blocks.size(), 1u) << size;
        const auto& findings = check.blocks[0].findings;
        const bool found = std::any_of(findings.begin(), findings.end(), [](const Finding& f) {
            return f.code == FindingCode::kChunkPastEnd;
        });
        bool inside = false;
        for (std::size_t k = 0; k + 1 < bounds.size(); ++k) {
            inside = inside || (size >= bounds[k] + 12 && size < bounds[k + 1]);
        }
        EXPECT_EQ(found, inside) << size;
    }
}

TEST_F(SheetStructure, ChunksWhoseCountsClaimMoreThanTheirBodyAreErrors) {
    OpenBlock();
    test::ByteWriter building;  // 10 corners claimed, 3 given
    building.F32(kGround);
    building.F32(kGround + 5);
    building.U32(10);
    for (int k = 0; k < 6; ++k) {
        building.F32(static_cast<float>(k));
    }
    sheet.Chunk(0x111001, "STRC", building.Data());
    test::ByteWriter grid;  // 5 x 4 points claimed, 19 given
    grid.U32(5);
    grid.U32(4);
    grid.F32(100.0f);
    grid.F32(100.0f);
    for (int k = 0; k < 19; ++k) {
        grid.F32(kGround);
    }
    sheet.Chunk(0x112001, "DEMF", grid.Data());
    SoundSquare();  // the next chunk is read where the body size says
    EXPECT_THAT(Found(),
                ElementsAre(FieldsAre(FindingCode::kChunkClaimsTooMuch, kError, std::nullopt),
                            FieldsAre(FindingCode::kChunkClaimsTooMuch, kError, Optional(0u))));
}

TEST_F(SheetStructure, ABlockWithoutDataIsAWarning) {
    OpenBlock(0);
    OpenBlock(1, 400, 0);
    AddBuilding({{500, 100}, {510, 100}, {510, 110}});
    EXPECT_THAT(Found(0), ElementsAre(FieldsAre(FindingCode::kBlockEmpty, kWarning, std::nullopt)));
    EXPECT_THAT(Found(1), IsEmpty());
}

TEST_F(SheetStructure, BlocksOffTheSheetOrItsGrid) {
    OpenBlock(0, 1600.0f, 1200.0f);  // the north-eastern block: sound
    FlatGround();
    OpenBlock(1, 1800.0f, 0.0f);  // reaches 200 m past the eastern edge
    FlatGround();
    OpenBlock(2, 10.0f, 0.0f);  // on the sheet, 10 m off the grid
    FlatGround();
    EXPECT_THAT(Found(0), IsEmpty());
    EXPECT_THAT(Found(1),
                ElementsAre(FieldsAre(FindingCode::kBlockOutsideSheet, kError, std::nullopt)));
    EXPECT_THAT(Found(2),
                ElementsAre(FieldsAre(FindingCode::kBlockOffGrid, kWarning, std::nullopt)));
}

TEST_F(SheetStructure, TwoBlocksAtOnePlace) {
    OpenBlock(3, 800, 300);
    FlatGround();
    OpenBlock(7, 800, 300);
    FlatGround();
    EXPECT_THAT(Found(3), IsEmpty());
    EXPECT_THAT(Found(7),
                ElementsAre(FieldsAre(FindingCode::kBlocksSamePlace, kError, std::nullopt)));
}

// As the load does, the second group of a number adds its buildings to the
// first group's, so a building's index is its place among both.
TEST_F(SheetStructure, ANumberSeenTwiceGathersBothGroups) {
    OpenBlock(5);
    FlatGround();
    SoundSquare();
    OpenBlock(5);
    AddBuilding({{0, 0}, {10, 10}, {10, 0}, {0, 10}});
    const SheetCheck check = Check();
    ASSERT_EQ(check.blocks.size(), 1u);
    EXPECT_EQ(check.blocks[0].record.buildingCount, 2);
    EXPECT_THAT(Found(5),
                ElementsAre(FieldsAre(FindingCode::kBlockNumberTwice, kError, std::nullopt),
                            FieldsAre(FindingCode::kRingSelfIntersection, kError, Optional(1u))));
}

TEST_F(SheetStructure, SideBySideOnAFileTheCheckFindsTheSameAsAlone) {
    for (int number = 0; number < 25; ++number) {
        OpenBlock(number, 400.0f * static_cast<float>(number % 5),
                  300.0f * static_cast<float>(number / 5));
        FlatGround();
        const float x = 400.0f * static_cast<float>(number % 5);
        const float y = 300.0f * static_cast<float>(number / 5);
        const float bottom = kGround + static_cast<float>(number);
        AddBuilding({{x + 20, y + 20}, {x + 30, y + 20}, {x + 30, y + 30}}, bottom, bottom + 5);
        AddBuilding({{x, y}, {x + 10, y + 10}, {x + 10, y}, {x, y + 10}});
    }
    test::TempDir dir;
    const auto path = dir / "sheet.tqb";
    ASSERT_TRUE(sheet.WriteTo(path));
    const SheetCheck alone = Check();
    const auto together = CheckSheetFile(path, {.threads = 3, .stop = {}});
    ASSERT_TRUE(together);
    ASSERT_EQ(together->blocks.size(), 25u);
    for (std::size_t k = 0; k < 25; ++k) {
        ASSERT_EQ(together->blocks[k].findings.size(), alone.blocks[k].findings.size());
        for (std::size_t f = 0; f < alone.blocks[k].findings.size(); ++f) {
            EXPECT_EQ(together->blocks[k].findings[f].english, alone.blocks[k].findings[f].english);
        }
    }
    EXPECT_EQ(together->Count(Severity::kError),
              25u + 22u);  // 25 crossings, 22 floating more than 2 m

    std::stop_source stop;
    stop.request_stop();
    EXPECT_FALSE(CheckSheetFile(path, {.threads = 2, .stop = stop.get_token()}));
    EXPECT_FALSE(CheckSheetFile(dir / "missing.tqb"));
}

// What the program's open tells as no sheet data is an error of the sheet as a
// whole; any one of an area, a picture or a block is sheet data.
TEST_F(SheetStructure, AFileWithoutAreaPictureOrBlockHoldsNoSheetData) {
    test::SheetBuilder nameOnly;
    nameOnly.Name("\x83\x65");
    for (const test::SheetBuilder& empty : {test::SheetBuilder(), nameOnly}) {
        MemoryByteSource source(empty.Bytes());
        const SheetCheck check = CheckSheet(source);
        ASSERT_EQ(check.findings.size(), 1u);
        EXPECT_EQ(check.findings[0].code, FindingCode::kNoSheetData);
        EXPECT_EQ(check.findings[0].japanese, "図葉ﾃﾞｰﾀが見つかりません");
        EXPECT_EQ(check.Count(kError), 1u);
    }
    test::SheetBuilder picture;
    picture.Image({.width = 50, .height = 40});
    test::SheetBuilder block;
    block.SubSheetArea(0, 0, 0);
    test::SheetBuilder area;
    area.SheetArea(2500, 9, 0, 0);
    for (const test::SheetBuilder& some : {picture, block, area}) {
        MemoryByteSource source(some.Bytes());
        EXPECT_THAT(CheckSheet(source).findings, IsEmpty());
    }
    const std::string text = "not a sheet";
    MemoryByteSource notASheet(std::as_bytes(std::span(text)));
    EXPECT_THAT(CheckSheet(notASheet).findings, ::testing::SizeIs(1));
}

}  // namespace
}  // namespace vesk
