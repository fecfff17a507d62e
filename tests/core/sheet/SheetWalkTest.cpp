// The walk over a sheet's chunks, told to stop on the way.
#include "sheet/SheetWalk.h"

#include <gtest/gtest.h>

#include "SheetBuilder.h"

namespace vesk {
namespace {

// Stops the walk at the sheet's area, and counts the blocks it meets after.
class StoppingVisitor : public SheetWalkVisitor {
public:
    explicit StoppingVisitor(std::atomic<bool>& stop) : stop_(stop) {}

    void SheetAreaRead(const SheetArea& /*area*/) override { stop_ = true; }
    SubSheetRecord& SubSheetAccepted(const SubSheetArea& /*area*/, int /*zone*/) override {
        ++blocks;
        return record_;
    }

    int blocks = 0;

private:
    std::atomic<bool>& stop_;
    SubSheetRecord record_;
};

TEST(SheetWalk, StopsBeforeTheNextChunkOnceToldTo) {
    test::SheetBuilder sheet;
    sheet.SheetArea(2500, 9, 0, 0).SubSheetArea(0, 0, 1200).SubSheetArea(1, 400, 1200);
    MemoryByteSource source(sheet.Bytes());
    std::atomic<bool> stop{false};
    StoppingVisitor stopping(stop);
    WalkSheet(source, stopping, stop);
    EXPECT_EQ(stopping.blocks, 0);
    // Without the flag the same walk meets both blocks.
    std::atomic<bool> unused{false};
    StoppingVisitor walking(unused);
    WalkSheet(source, walking);
    EXPECT_EQ(walking.blocks, 2);
}

}  // namespace
}  // namespace vesk
