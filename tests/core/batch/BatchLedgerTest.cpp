#include "batch/BatchLedger.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

namespace vesk {
namespace {

using ::testing::ElementsAre;

BlockOutcome Block(BlockStatus status, std::uint64_t bytes = 0) {
    BlockOutcome block;
    block.status = status;
    block.bytes = bytes;
    return block;
}

SheetOutcome Sheet(std::size_t index, const char* path) {
    SheetOutcome sheet;
    sheet.index = index;
    sheet.path = path;
    return sheet;
}

// Sheets that ask for their names in the reverse order still get them in
// sheet order: the earlier sheet wins every name both want.
TEST(BatchLedger, NamesGoToTheEarlierSheetWhateverOrderJobsAsk) {
    BatchProgress progress;
    BatchLedger ledger(3, progress);
    const std::vector<std::string> first{"A", "B"};
    const std::vector<std::string> second{"B", "C", "C"};
    const std::vector<std::string> third{"A", "D"};
    std::vector<BatchLedger::NameOwner> got1;
    std::vector<BatchLedger::NameOwner> got2;
    std::vector<BatchLedger::NameOwner> got3;
    {
        std::jthread t3([&] { got3 = ledger.TakeNamesInTurn(2, third); });
        std::jthread t2([&] { got2 = ledger.TakeNamesInTurn(1, second); });
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        got1 = ledger.TakeNamesInTurn(0, first);
    }
    const auto owners = [](const std::vector<BatchLedger::NameOwner>& got) {
        std::vector<std::pair<bool, std::size_t>> pairs;
        for (const auto& owner : got) {
            pairs.emplace_back(owner.taken, owner.sheet);
        }
        return pairs;
    };
    using P = std::pair<bool, std::size_t>;
    EXPECT_THAT(owners(got1), ElementsAre(P{true, 0}, P{true, 0}));
    EXPECT_THAT(owners(got2), ElementsAre(P{false, 0}, P{true, 1}, P{false, 1}));
    EXPECT_THAT(owners(got3), ElementsAre(P{false, 0}, P{true, 2}));
}

// A sheet passed over after a cancel, before or after a later sheet asks for
// its names, holds that sheet up no longer.
TEST(BatchLedger, PassedTurnLetsTheLaterSheetsTakeTheirNames) {
    BatchProgress progress;
    BatchLedger ledger(4, progress);
    const std::vector<std::string> names{"A"};
    std::vector<BatchLedger::NameOwner> got3;
    auto later = std::async(std::launch::async, [&] { got3 = ledger.TakeNamesInTurn(3, names); });
    ledger.TakeNamesInTurn(0, names);
    ledger.PassTurn(2);
    ledger.PassTurn(1);
    const bool ended = later.wait_for(std::chrono::seconds(60)) == std::future_status::ready;
    EXPECT_TRUE(ended) << "sheet 3 still waits for the sheets passed over";
    if (!ended) {
        ledger.TakeNamesInTurn(1, {});  // lets the thread end, so the test does
        ledger.TakeNamesInTurn(2, {});
    }
    later.wait();
    ASSERT_EQ(got3.size(), 1u);
    EXPECT_FALSE(got3[0].taken);
    EXPECT_EQ(got3[0].sheet, 0u);
}

TEST(BatchLedger, ResultKeepsSheetOrderAndCountsEveryStatus) {
    BatchProgress progress;
    BatchLedger ledger(3, progress);
    SheetOutcome later = Sheet(2, "z.tqb");
    later.blocks = {Block(BlockStatus::kConverted, 100), Block(BlockStatus::kConflict),
                    Block(BlockStatus::kLeftOut)};
    for (const BlockOutcome& block : later.blocks) {
        ledger.RecordBlock(block);
    }
    ledger.FinishSheet(later);
    SheetOutcome unreadable = Sheet(0, "a.tqb");
    unreadable.failed = true;
    ledger.FinishSheet(unreadable);

    const ProgressCounts counts = progress.Snapshot();
    EXPECT_EQ(counts.sheetsTotal, 3u);
    EXPECT_EQ(counts.sheetsDone, 2u);
    EXPECT_EQ(counts.blocksDone, 3u);
    EXPECT_EQ(counts.bytesWritten, 100u);

    const BatchResult result = ledger.TakeResult(true);
    ASSERT_EQ(result.sheets.size(), 2u);  // sheet 1 never finished
    EXPECT_EQ(result.sheets[0].path, "a.tqb");
    const BatchSummary summary = result.Summary();
    EXPECT_EQ(summary.sheetsFailed, 1u);
    EXPECT_EQ(summary.converted, 1u);
    EXPECT_EQ(summary.conflicts, 1u);
    EXPECT_EQ(summary.leftOut, 1u);
    EXPECT_FALSE(result.AllWell());
}

}  // namespace
}  // namespace vesk
