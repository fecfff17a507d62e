#include "check/CheckedSheets.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <new>

#include "CheckSheetFixture.h"
#include "TempDir.h"

namespace vesk {
namespace {

using ::testing::ElementsAre;

class CheckedSheets : public test::CheckSheetFixture {};

// Only an error of the opening counts among the sheet's errors.
constexpr DiagnosticKind kRefused{1, Severity::kError, "refused %s", {}};
constexpr DiagnosticKind kOpened{2, Severity::kNotice, "opened %s", {}};

// More jobs than sheets: a sheet the opening refuses, a sound one, and one
// that opens but is gone when the check reads it again.
TEST_F(CheckedSheets, EachSheetComesBackInItsPlaceWithWhatItsOpeningSaid) {
    OpenBlock();
    FlatGround();
    SoundSquare();
    test::TempDir dir;
    ASSERT_TRUE(sheet.WriteTo(dir / "sound.tqb"));
    const std::vector<std::filesystem::path> sheets{dir / "refused.tqb", dir / "sound.tqb",
                                                    dir / "gone.tqb"};
    const SheetOpener open = [](const std::filesystem::path& path) {
        const bool refused = path.filename() == "refused.tqb";
        const DiagnosticKind& kind = refused ? kRefused : kOpened;
        return SheetOpening{!refused, {MakeDiagnostic(kind, {path.filename().string()})}};
    };

    std::vector<CheckedSheet> results;
    CheckTotals totals;
    CheckSheets(sheets, 8, open, [&](CheckedSheet&& result) {
        totals.Add(result);
        results.push_back(std::move(result));
    });

    ASSERT_EQ(results.size(), 3u);
    EXPECT_EQ(results[0].path, sheets[0]);
    EXPECT_FALSE(results[0].opened);
    EXPECT_THAT(ShownTexts(results[0].diagnostics), ElementsAre("refused refused.tqb"));
    EXPECT_TRUE(results[0].check.blocks.empty());
    EXPECT_EQ(results[1].path, sheets[1]);
    EXPECT_TRUE(results[1].opened);
    EXPECT_THAT(ShownTexts(results[1].diagnostics), ElementsAre("opened sound.tqb"));
    ASSERT_EQ(results[1].check.blocks.size(), 1u);
    EXPECT_TRUE(results[1].check.blocks[0].findings.empty());
    EXPECT_EQ(results[2].path, sheets[2]);
    EXPECT_FALSE(results[2].opened);
    EXPECT_THAT(ShownTexts(results[2].diagnostics),
                ElementsAre("opened gone.tqb", "the sheet could not be read again for the check"));

    EXPECT_EQ(totals.errors, 1u);
    EXPECT_EQ(totals.warnings, 0u);
    EXPECT_FALSE(totals.allOpened);
}

// Sheets that finish out of turn wait for those before them, and no job runs
// further ahead of the next sheet to hand on than twice the jobs: sheet 0's
// opening goes on only once every sheet it leaves room for has been opened.
TEST_F(CheckedSheets, ResultsComeInTurnAndFewWaitForIt) {
    constexpr unsigned kJobs = 3;
    constexpr std::size_t kAhead = 2 * kJobs;
    std::vector<std::filesystem::path> sheets;
    for (int k = 0; k < 60; ++k) {
        sheets.push_back("missing-" + std::to_string(k) + ".tqb");
    }
    std::mutex mutex;
    std::condition_variable opened;
    std::size_t openings = 0;
    std::size_t taken = 0;
    std::size_t mostAhead = 0;
    const SheetOpener open = [&](const std::filesystem::path& path) {
        std::unique_lock lock(mutex);
        ++openings;
        mostAhead = std::max(mostAhead, openings - taken);
        opened.notify_all();
        if (path == sheets[0]) {
            opened.wait_for(lock, std::chrono::seconds(30), [&] { return openings == kAhead; });
        }
        return SheetOpening{};
    };
    std::vector<std::filesystem::path> order;
    CheckSheets(sheets, kJobs, open, [&](CheckedSheet&& result) {
        std::lock_guard lock(mutex);
        ++taken;
        order.push_back(result.path);
    });
    EXPECT_EQ(order, sheets);
    EXPECT_EQ(mostAhead, kAhead);
}

// A sheet whose opening throws is not opened and says why; the others are checked.
TEST_F(CheckedSheets, SheetWhoseCheckThrowsFailsAloneWithTheReason) {
    OpenBlock();
    SoundSquare();
    test::TempDir dir;
    std::vector<std::filesystem::path> sheets;
    for (const char* name : {"a.tqb", "b.tqb", "c.tqb", "d.tqb"}) {
        ASSERT_TRUE(sheet.WriteTo(dir / name));
        sheets.push_back(dir / name);
    }
    const SheetOpener open = [](const std::filesystem::path& path) {
        if (path.filename() == "b.tqb") {
            throw std::bad_alloc();
        }
        return SheetOpening{true, {}};
    };

    std::vector<CheckedSheet> results;
    CheckSheets(sheets, 3, open,
                [&](CheckedSheet&& result) { results.push_back(std::move(result)); });

    ASSERT_EQ(results.size(), 4u);
    EXPECT_EQ(results[1].path, sheets[1]);
    EXPECT_FALSE(results[1].opened);
    EXPECT_THAT(ShownTexts(results[1].diagnostics),
                ElementsAre("the check of the sheet stopped by an internal fault: std::bad_alloc"));
    for (const std::size_t k : {0u, 2u, 3u}) {
        EXPECT_TRUE(results[k].opened) << k;
        EXPECT_EQ(results[k].check.blocks.size(), 1u) << k;
    }
}

}  // namespace
}  // namespace vesk
