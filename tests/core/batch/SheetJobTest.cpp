// One sheet of a batch: its blocks worked on, each with an outcome of its own.
#include "batch/SheetJob.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <new>

#include "SheetBuilder.h"
#include "TempDir.h"
#include "batch/BatchMessages.h"

namespace vesk {
namespace {

using ::testing::ElementsAre;

// A block whose work throws fails with the reason, in turn or side by side;
// the sheet's other blocks are worked on.
TEST(SheetJob, BlockWhoseWorkThrowsFailsAloneWithTheReason) {
    test::TempDir dir;
    test::SheetBuilder sheet = test::StandardSheet(-1250.0f, -180.0f);
    sheet.SubSheetArea(0, -850.0f, 120.0f);
    sheet.SubSheetArea(1, -450.0f, 120.0f);
    sheet.SubSheetArea(2, -50.0f, 120.0f);
    ASSERT_TRUE(sheet.WriteTo(dir / "sheet.tqb"));
    const auto convertAllButTheSecond = [](std::size_t k, BlockOutcome& block) {
        if (k == 1) {
            throw std::bad_alloc();
        }
        block.status = BlockStatus::kConverted;
    };
    for (const unsigned threads : {0u, 1u, 3u}) {
        SheetJob job(0, dir / "sheet.tqb");
        ASSERT_TRUE(job.Loaded());
        BatchProgress progress;
        BatchLedger ledger(1, progress);
        const std::atomic<bool> cancel{false};
        if (threads == 0) {
            job.WorkOnBlocks({0, 1, 2}, ledger, cancel,
                             [&](std::size_t k, const SubSheetRecord&, BlockOutcome& block) {
                                 convertAllButTheSecond(k, block);
                             });
        } else {
            job.WorkOnBlocksSideBySide(
                {0, 1, 2}, ledger, cancel, threads,
                [&](std::size_t k, const SubSheetRecord&, BlockOutcome& block, MessageSink&) {
                    convertAllButTheSecond(k, block);
                });
        }
        const SheetOutcome outcome = job.Finish();
        ASSERT_EQ(outcome.blocks.size(), 3u) << threads;
        EXPECT_EQ(outcome.blocks[0].status, BlockStatus::kConverted);
        EXPECT_EQ(outcome.blocks[1].status, BlockStatus::kFailed);
        EXPECT_THAT(ShownTexts(outcome.blocks[1].diagnostics),
                    ElementsAre("stopped by an internal fault: std::bad_alloc"));
        EXPECT_EQ(outcome.blocks[2].status, BlockStatus::kConverted);
        EXPECT_EQ(progress.Snapshot().blocksFailed, 1u);
    }
}

}  // namespace
}  // namespace vesk
