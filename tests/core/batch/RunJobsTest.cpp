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
            stop);
        EXPECT_THAT(runs, ::testing::Each(1)) << threads;
        EXPECT_LE(workers.size(), threads);
        EXPECT_GE(workers.size(), threads > 1 ? 2u : 1u);
    }
}

TEST(RunJobs, StopLetsRunningJobsEndAndStartsNoOther) {
    std::atomic<bool> stop{false};
    std::atomic<int> started{0};
    RunJobs(
        100, 2,
        [&](std::size_t index) {
            ++started;
            if (index == 3) {
                stop = true;
            }
        },
        stop);
    // Job 3 stops the pool: the other thread may have taken one more.
    EXPECT_GE(started.load(), 4);
    EXPECT_LE(started.load(), 6);
}

}  // namespace
}  // namespace vesk
