#include "platform/ParallelFor.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <map>
#include <mutex>
#include <new>
#include <stdexcept>
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

// A call that throws, on whichever thread, ends no other call and no process:
// the exception reaches the caller once every call has ended.
TEST(ParallelFor, AThrowingCallStopsNoOtherAndIsThrownToTheCaller) {
    for (const std::size_t throwing : {0u, 7u, 39u}) {
        std::atomic<std::size_t> calls{0};
        const auto work = [&](unsigned, std::size_t k) {
            ++calls;
            if (k == throwing) {
                throw std::runtime_error("call " + std::to_string(k));
            }
        };
        EXPECT_THROW(
            {
                try {
                    ParallelFor(40, 4, work);
                } catch (const std::runtime_error& error) {
                    EXPECT_EQ(error.what(), "call " + std::to_string(throwing));
                    throw;
                }
            },
            std::runtime_error);
        EXPECT_EQ(calls.load(), 40u);
    }
}

}  // namespace
}  // namespace vesk
