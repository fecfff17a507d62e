#include "platform/ParallelFor.h"

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <mutex>
#include <thread>

namespace vesk {
namespace {

// Callers keep state per worker number: a number must belong to one thread
// only and stay below the threads asked for.
TEST(ParallelFor, EachWorkerNumberBelongsToOneThread) {
    std::mutex mutex;
    std::map<unsigned, std::thread::id> owners;
    std::size_t calls = 0;
    bool sameThread = true;
    ParallelFor(40, 3, [&](unsigned worker, std::size_t) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        std::lock_guard lock(mutex);
        ++calls;
        const auto [owner, added] = owners.emplace(worker, std::this_thread::get_id());
        sameThread = sameThread && owner->second == std::this_thread::get_id();
        EXPECT_LT(worker, 3u);
    });
    EXPECT_EQ(calls, 40u);
    EXPECT_TRUE(sameThread);
    EXPECT_EQ(owners.at(0), std::this_thread::get_id());
    ParallelFor(0, 4, [&](unsigned, std::size_t) { ++calls; });
    EXPECT_EQ(calls, 40u);
}

}  // namespace
}  // namespace vesk
