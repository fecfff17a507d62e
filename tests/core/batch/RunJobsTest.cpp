#include "batch/RunJobs.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <mutex>
#include <set>
#include <thread>
#include <vector>

namespace vesk {
namespace {

TEST(RunJobs, RunsEveryJobOnceOnAsManyThreadsAsAsked) {
    for (const unsigned threads : {1u, 3u, 8u}) {
        std::mutex mutex;
        std::vector<int> runs(20, 0);
        std::set<std::thread::id> workers;
        const std::atomic<bool> stop{false};
        RunJobs(
            runs.size(), threads,
            [&](std::size_t index) {
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
                std::lock_guard lock(mutex);
                ++runs[index];
                workers.insert(std::this_thread::get_id());
            },
            [](std::size_t) { FAIL() << "nothing stops the jobs"; }, stop);
        EXPECT_THAT(runs, ::testing::Each(1)) << threads;
        EXPECT_LE(workers.size(), threads);
        EXPECT_GE(workers.size(), threads > 1 ? 2u : 1u);
    }
}

// Every job left once the pool is stopped is skipped instead, once: the
// batch's later sheets wait for the turns of those passed over.
TEST(RunJobs, StopLetsRunningJobsEndAndSkipsEveryOther) {
    std::atomic<bool> stop{false};
    std::vector<std::atomic<int>> runs(100);
    std::vector<std::atomic<int>> skips(100);
    RunJobs(
        100, 2,
        [&](std::size_t index) {
            ++runs[index];
            if (index == 3) {
                stop = true;
            }
        },
        [&](std::size_t index) { ++skips[index]; }, stop);
    int started = 0;
    for (std::size_t i = 0; i < 100; ++i) {
        EXPECT_EQ(runs[i] + skips[i], 1) << i;
        started += runs[i];
    }
    // Job 3 stops the pool: the other thread may have taken one more.
    EXPECT_GE(started, 4);
    EXPECT_LE(started, 6);
}

}  // namespace
}  // namespace vesk
