// The reading rule of one surveyed file: which leading chunks make and name entries.
#include "survey/SurveyReading.h"

#include <gtest/gtest.h>

#include <array>

#include "SheetBuilder.h"
#include "TempDir.h"

namespace vesk {
namespace {

using test::SheetBuilder;
using test::StandardSheet;

const std::filesystem::path kPath = "folder/sheet.tqb";

SurveyList Read(const SheetBuilder& sheet) {
    MemoryByteSource source(sheet.Bytes());
    SurveyList list;
    const std::size_t appended = ReadSurveyEntries(source, kPath, list);
    EXPECT_EQ(appended, list.size());
    return list;
}

TEST(SurveyReading, StandardSheetGivesOneNamedEntryWithItsAreaAsStored) {
    SheetBuilder sheet = StandardSheet(-850.5f, 120.25f, 9);
    sheet.SubSheetArea(0, -850.5f, 1320.25f).SheetArea(2500, 6, 0, 0);
    const SurveyList list = Read(sheet);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].area.scale, 2500);
    EXPECT_EQ(list[0].area.zone, 9);
    EXPECT_EQ(list[0].area.originX, -850.5f);
    EXPECT_EQ(list[0].area.originY, 120.25f);
    EXPECT_EQ(list[0].area.width, 2000.0f);
    EXPECT_EQ(list[0].area.height, 1500.0f);
    EXPECT_EQ(list[0].name, "\x83\x65\x83\x58\x83\x67");
    EXPECT_EQ(list[0].path, kPath);
}

TEST(SurveyReading, TwoAreasBeforeTheImageGiveTwoEntriesAndANameNamesTheLast) {
    SheetBuilder sheet;
    sheet.SheetArea(2500, 9, 0, 0).SheetArea(25000, 6, 4000, 3000).Name("second").Image();
    const SurveyList list = Read(sheet);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].area.zone, 9);
    EXPECT_EQ(list[0].name, "");
    EXPECT_EQ(list[1].area.scale, 25000);
    EXPECT_EQ(list[1].area.originX, 4000.0f);
    EXPECT_EQ(list[1].name, "second");
}

TEST(SurveyReading, NamesAreEmptyForSizeZeroAndCutAtANul) {
    SheetBuilder empty;
    empty.SheetArea(2500, 9, 0, 0).Name("");
    ASSERT_EQ(Read(empty).size(), 1u);
    EXPECT_EQ(Read(empty)[0].name, "");

    SheetBuilder replaced;
    replaced.SheetArea(2500, 9, 0, 0).Name("first").Name("");
    EXPECT_EQ(Read(replaced).at(0).name, "");

    SheetBuilder withNul;
    withNul.SheetArea(2500, 9, 0, 0).Name(std::string_view("ab\0cd", 5));
    EXPECT_EQ(Read(withNul).at(0).name, "ab");
}

TEST(SurveyReading, NameBeforeAnyAreaNamesNothing) {
    SheetBuilder sheet;
    sheet.Name("orphan").SheetArea(2500, 9, 0, 0);
    const SurveyList list = Read(sheet);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].name, "");
}

TEST(SurveyReading, OtherLevelOneChunkIsNotPassedOverSoItsBodyIsReadAsHeaders) {
    SheetBuilder inner;
    inner.Name("inside");
    SheetBuilder sheet;
    sheet.SheetArea(2500, 9, 0, 0).Chunk(0x100000, "XXXX", inner.Bytes());
    EXPECT_EQ(Read(sheet).at(0).name, "inside");

    // An area of the wrong size is another chunk too: its body is read as a header.
    SheetBuilder wrongSize;
    std::array<std::byte, 20> zeros{};
    wrongSize.Chunk(0x100001, "AREA", zeros).SheetArea(2500, 9, 0, 0);
    EXPECT_TRUE(Read(wrongSize).empty());
}

TEST(SurveyReading, FirstHeaderNotOfLevelOneEndsTheReading) {
    SheetBuilder subSheetFirst;
    subSheetFirst.SubSheetArea(0, 0, 0).SheetArea(2500, 9, 0, 0);
    EXPECT_TRUE(Read(subSheetFirst).empty());

    SheetBuilder nameAfterSubSheet;
    nameAfterSubSheet.SheetArea(2500, 9, 0, 0).SubSheetArea(0, 0, 0).Name("late");
    EXPECT_EQ(Read(nameAfterSubSheet).at(0).name, "");

    // 0x101000: a level-1 bit, but the level-3 test comes first.
    SheetBuilder levelThree;
    levelThree.Chunk(0x101000, "AREA", {}).SheetArea(2500, 9, 0, 0);
    EXPECT_TRUE(Read(levelThree).empty());
}

TEST(SurveyReading, AreaCutShortByTheEndOfTheFileAddsNoEntry) {
    SheetBuilder sheet;
    std::array<std::byte, 23> almost{};
    sheet.SheetArea(2500, 9, 0, 0).ChunkClaiming(0x100001, "AREA", 24, almost);
    EXPECT_EQ(Read(sheet).size(), 1u);
}

TEST(SurveyReading, NameClaimingMoreThanTheFileHoldsNamesNothing) {
    SheetBuilder sheet;
    sheet.SheetArea(2500, 9, 0, 0).ChunkClaiming(0x100000, "NAME", 0xFFFFFFFFu, {});
    EXPECT_EQ(Read(sheet).at(0).name, "");

    SheetBuilder oneShort;
    oneShort.SheetArea(2500, 9, 0, 0)
        .Name("kept")
        .ChunkClaiming(0x100000, "NAME", 5, std::as_bytes(std::span("abcd", 4)));
    EXPECT_EQ(Read(oneShort).at(0).name, "kept");
}

TEST(SurveyReading, HeaderCutShortKeepsTheEntriesBeforeIt) {
    SheetBuilder sheet;
    std::array<std::byte, 11> partial{};
    sheet.SheetArea(2500, 9, 0, 0).Name("whole").Raw(partial);
    EXPECT_EQ(Read(sheet).at(0).name, "whole");
    EXPECT_TRUE(Read(SheetBuilder{}).empty());
}

TEST(SurveyReading, EveryCutOfTheLeadingChunksKeepsWhatIsWhole) {
    const std::vector<std::byte> whole = StandardSheet(0, 0).Bytes();
    constexpr std::size_t kAreaEnd = 12 + 24;
    constexpr std::size_t kNameEnd = kAreaEnd + 12 + 6;
    for (std::size_t length = 0; length <= kNameEnd + 12; ++length) {
        MemoryByteSource source(std::span<const std::byte>(whole).first(length));
        SurveyList list;
        ReadSurveyEntries(source, kPath, list);
        ASSERT_EQ(list.size(), length >= kAreaEnd ? 1u : 0u) << length;
        if (!list.empty()) {
            EXPECT_EQ(list[0].name.empty(), length < kNameEnd) << length;
        }
    }
}

TEST(SurveyReading, EntriesOfEachFileAreAppendedAndAFolderAddsNone) {
    test::TempDir dir;
    ASSERT_TRUE(StandardSheet(0, 0, 9).WriteTo(dir / "a.tqb"));
    ASSERT_TRUE(StandardSheet(2000, 0, 6).WriteTo(dir / "b.tqb"));
    std::filesystem::create_directory(dir / "c.tqb");
    SurveyList list;
    EXPECT_EQ(ReadSurveyEntriesOfFile(dir / "a.tqb", list), 1u);
    EXPECT_EQ(ReadSurveyEntriesOfFile(dir / "c.tqb", list), 0u);
    EXPECT_EQ(ReadSurveyEntriesOfFile(dir / "missing.tqb", list), 0u);
    EXPECT_EQ(ReadSurveyEntriesOfFile(dir / "b.tqb", list), 1u);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].path, dir / "a.tqb");
    EXPECT_EQ(list[1].area.zone, 6);
    EXPECT_EQ(list[1].name, "\x83\x65\x83\x58\x83\x67");
}

}  // namespace
}  // namespace vesk
