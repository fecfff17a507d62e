// The ground grid's chunk: its heights only where its body and the file hold
// them, and no grid of no points.
#include "sheet/DemChunk.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "SheetBuilder.h"

namespace vesk {
namespace {

// A DEMF chunk of columns x rows, 1 m apart, holding the heights given.
std::vector<std::byte> GridBody(std::uint32_t columns, std::uint32_t rows,
                                const std::vector<float>& heights) {
    test::ByteWriter body;
    body.U32(columns);
    body.U32(rows);
    body.F32(1);
    body.F32(1);
    for (const float h : heights) {
        body.F32(h);
    }
    return body.Data();
}

DemChunkResult Read(const test::SheetBuilder& sheet, std::uint32_t position = 0) {
    MemoryByteSource source(sheet.Bytes());
    return ReadDemChunk(source, position);
}

// Either count 0 makes the product 0, which any body holds: the other count
// alone must not drive the rows or columns anyone loops over.
TEST(DemChunk, ACountOfZeroGivesTheGridAsStatedWithoutHeights) {
    for (const auto& [columns, rows] : {std::pair{0u, 0xFFFFFFFFu}, std::pair{0xFFFFFFFFu, 0u},
                                        std::pair{0u, 7u}, std::pair{0u, 0u}}) {
        test::SheetBuilder sheet;
        sheet.Dem(columns, rows, 10, 5, {});
        sheet.Building(0, 1, std::vector<std::pair<float, float>>(8, {1.0f, 2.0f}));
        const DemChunkResult result = Read(sheet);
        EXPECT_EQ(result.read, DemChunkRead::kNoPoints) << columns << " x " << rows;
        EXPECT_EQ(result.chunk.grid.columns, columns);
        EXPECT_EQ(result.chunk.grid.rows, rows);
        EXPECT_TRUE(result.chunk.heights.empty());
    }
}

TEST(DemChunk, GridLargerThanItsBodyIsBroken) {
    test::SheetBuilder sheet;
    sheet.Chunk(0x112001, "DEMF", GridBody(3, 3, std::vector<float>(8, 0.0f)));
    sheet.Building(0, 1, {{0, 0}, {1, 1}, {2, 2}});  // a ninth height's bytes would be here
    EXPECT_EQ(Read(sheet).read, DemChunkRead::kBroken);
}

// 65536 x 65537 wraps around to 65536 in 32 bits, which the body holds.
TEST(DemChunk, GridWhoseCountProductOverflowsIsBroken) {
    test::SheetBuilder sheet;
    sheet.Chunk(0x112001, "DEMF", GridBody(65536, 65537, std::vector<float>(65536, 0.0f)));
    EXPECT_EQ(Read(sheet).read, DemChunkRead::kBroken);
}

TEST(DemChunk, GridEndingBeyondTheFileOrPositionPastItIsBroken) {
    test::SheetBuilder sheet;
    sheet.ChunkClaiming(0x112001, "DEMF", 32, GridBody(2, 2, {5}));
    EXPECT_EQ(Read(sheet).read, DemChunkRead::kBroken);
    EXPECT_EQ(Read(sheet, sheet.Offset() + 4).read, DemChunkRead::kBroken);
}

}  // namespace
}  // namespace vesk
