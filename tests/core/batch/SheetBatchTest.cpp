// Many sheets on a pool of jobs: every sheet's outcome comes back, whatever its job did.
#include "batch/SheetBatch.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "batch/BatchMessages.h"

namespace vesk {
namespace {

using ::testing::ElementsAre;

std::vector<std::filesystem::path> Sheets(std::size_t count) {
    std::vector<std::filesystem::path> sheets;
    for (std::size_t i = 0; i < count; ++i) {
        sheets.push_back("s" + std::to_string(i) + ".tqb");
    }
    return sheets;
}

SheetOutcome Converted(std::size_t index, const std::filesystem::path& sheet, BatchLedger& ledger) {
    SheetOutcome outcome;
    outcome.index = index;
    outcome.path = sheet;
    BlockOutcome block;
    block.block = 1;
    block.status = BlockStatus::kConverted;
    ledger.RecordBlock(block);
    outcome.blocks.push_back(block);
    return outcome;
}

// One sheet that runs out of memory and one whose library throws among good
// ones: those two fail with the reason, the others are converted.
TEST(SheetBatch, JobThatThrowsFailsItsSheetAloneWithTheReason) {
    const std::vector<std::filesystem::path> sheets = Sheets(8);
    BatchProgress progress;
    const std::atomic<bool> cancel{false};
    const BatchResult result =
        RunSheetBatch(sheets, 3, progress, cancel, [&](std::size_t index, BatchLedger& ledger) {
            if (index == 2) {
                throw std::bad_alloc();
            }
            if (index == 5) {
                throw std::runtime_error("TopologyException: side location conflict");
            }
            return Converted(index, sheets[index], ledger);
        });

    ASSERT_EQ(result.sheets.size(), 8u);
    for (const std::size_t failed : {2u, 5u}) {
        const SheetOutcome& sheet = result.sheets[failed];
        EXPECT_EQ(sheet.path, sheets[failed]);
        EXPECT_TRUE(sheet.failed);
        ASSERT_EQ(sheet.diagnostics.size(), 1u);
        EXPECT_EQ(sheet.diagnostics[0].Code(), batch_messages::kJobStopped.code);
    }
    EXPECT_EQ(result.sheets[2].diagnostics[0].English(),
              "stopped by an internal fault: std::bad_alloc");
    EXPECT_EQ(result.sheets[5].diagnostics[0].English(),
              "stopped by an internal fault: TopologyException: side location conflict");
    const BatchSummary summary = result.Summary();
    EXPECT_EQ(summary.sheetsFailed, 2u);
    EXPECT_EQ(summary.converted, 6u);
    EXPECT_EQ(progress.Snapshot().sheetsDone, 8u);
}

}  // namespace
}  // namespace vesk
