#include "sheet/ChunkWalker.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SheetBuilder.h"

namespace vesk {
namespace {

using test::SheetBuilder;

std::vector<std::string> Walk(const std::vector<std::byte>& bytes) {
    MemoryByteSource source(bytes);
    ChunkWalker walker(source);
    std::vector<std::string> seen;
    while (const auto chunk = walker.Next()) {
        seen.push_back(std::string(chunk->header.tag.data(), 4) + "@" +
                       std::to_string(chunk->offset) + "/L" + std::to_string(chunk->level));
    }
    return seen;
}

std::vector<std::byte> Body(std::size_t size) {
    return std::vector<std::byte>(size);
}

TEST(ChunkLevel, FirstMatchingNibbleGivesTheLevel) {
    EXPECT_EQ(ChunkLevel(0x100000), 1);
    EXPECT_EQ(ChunkLevel(0x110001), 2);
    EXPECT_EQ(ChunkLevel(0x111001), 3);
    EXPECT_EQ(ChunkLevel(0x111101), 4);
    EXPECT_EQ(ChunkLevel(0x000100), 4);
    EXPECT_EQ(ChunkLevel(0x001000), 3);
    EXPECT_EQ(ChunkLevel(0x010000), 2);
}

TEST(ChunkLevel, LowAndHighBytesTakeNoPart) {
    EXPECT_EQ(ChunkLevel(0), 0);
    EXPECT_EQ(ChunkLevel(0xFF0000FF), 0);
    EXPECT_EQ(ChunkLevel(0xFF1000FF), 1);
}

TEST(ChunkMatch, AreaNeedsItsExactBodySizeOthersAnySize) {
    ChunkHeader area{0x100001, {'A', 'R', 'E', 'A'}, 24};
    EXPECT_TRUE(Matches(area, kSheetAreaChunk));
    area.bodySize = 25;
    EXPECT_FALSE(Matches(area, kSheetAreaChunk));
    ChunkHeader name{0x100000, {'N', 'A', 'M', 'E'}, 12345};
    EXPECT_TRUE(Matches(name, kNameChunk));
    EXPECT_FALSE(Matches(name, kImageChunk));
    name.identifier = 0x200000;
    EXPECT_FALSE(Matches(name, kNameChunk));
}

TEST(SheetWalk, EmptyFileYieldsNoChunk) {
    EXPECT_TRUE(Walk({}).empty());
}

TEST(SheetWalk, UnknownChunkIsPassedOverByItsBodySize) {
    SheetBuilder sheet;
    sheet.Chunk(0x100007, "XXXX", Body(5))
        .Chunk(0x110005, "YYYY", Body(0))
        .Chunk(0x111005, "ZZZZ", Body(3));
    EXPECT_EQ(Walk(sheet.Bytes()),
              (std::vector<std::string>{"XXXX@0/L1", "YYYY@17/L2", "ZZZZ@29/L3"}));
}

TEST(SheetWalk, FileEndingInsideAHeaderEndsTheWalkThere) {
    SheetBuilder sheet;
    sheet.Chunk(0x100007, "XXXX", Body(4));
    std::vector<std::byte> bytes = sheet.Bytes();
    bytes.resize(bytes.size() + 11);
    EXPECT_EQ(Walk(bytes), (std::vector<std::string>{"XXXX@0/L1"}));
}

TEST(SheetWalk, LevelZeroHeaderEndsTheWalkWhateverFollows) {
    SheetBuilder sheet;
    sheet.Chunk(0x100007, "XXXX", Body(0))
        .Chunk(0xFF0000FF, "STOP", Body(0))
        .Chunk(0x100007, "NEXT", Body(0));
    EXPECT_EQ(Walk(sheet.Bytes()), (std::vector<std::string>{"XXXX@0/L1"}));
}

TEST(SheetWalk, LevelFourHeaderIsFollowedByTheNextHeaderAtOnce) {
    SheetBuilder sheet;
    // The claimed body size of the level-4 chunk is ignored: the next header
    // starts right after its 12 bytes.
    sheet.ChunkClaiming(0x100100, "FOUR", 1000, {}).Chunk(0x100007, "NEXT", Body(2));
    EXPECT_EQ(Walk(sheet.Bytes()), (std::vector<std::string>{"FOUR@0/L4", "NEXT@12/L1"}));
}

TEST(SheetWalk, BodyRunningPastTheEndEndsTheWalk) {
    SheetBuilder sheet;
    sheet.ChunkClaiming(0x100007, "LONG", 0xFFFFFFFF, Body(3));
    EXPECT_EQ(Walk(sheet.Bytes()), (std::vector<std::string>{"LONG@0/L1"}));
}

}  // namespace
}  // namespace vesk
