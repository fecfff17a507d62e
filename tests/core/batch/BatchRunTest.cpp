// A batch on a thread of its own.
#include "batch/BatchRun.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <new>

#include "batch/BatchMessages.h"

namespace vesk {
namespace {

using ::testing::ElementsAre;

// What escapes the sheets' own boundaries (the list of jobs, the ledger) ends
// the run with the reason, and the process goes on.
TEST(BatchRun, WorkThatThrowsEndsTheRunWithTheReason) {
    BatchRun run(
        [](BatchProgress&, const std::atomic<bool>&) -> BatchResult { throw std::bad_alloc(); });
    const BatchResult result = run.Finish();
    EXPECT_TRUE(run.Done());
    EXPECT_TRUE(result.sheets.empty());
    ASSERT_EQ(result.diagnostics.size(), 1u);
    EXPECT_EQ(result.diagnostics[0].Code(), batch_messages::kJobStopped.code);
    EXPECT_THAT(ShownTexts(result.diagnostics),
                ElementsAre("stopped by an internal fault: std::bad_alloc"));
    EXPECT_FALSE(result.AllWell());
}

}  // namespace
}  // namespace vesk
