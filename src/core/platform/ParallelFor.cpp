#include "platform/ParallelFor.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace vesk {

unsigned CoreCount() {
    return std::max(1u, std::thread::hardware_concurrency());
}

void ParallelFor(std::size_t count, unsigned threads,
                 const std::function<void(unsigned, std::size_t)>& work) {
    if (count == 0) {
        return;
    }
    std::atomic<std::size_t> next{0};
    std::mutex faultMutex;
    std::exception_ptr firstFault;
    const auto worker = [&](unsigned number) {
        for (std::size_t k = next++; k < count; k = next++) {
            try {
                work(number, k);
            } catch (...) {
                const std::lock_guard lock(faultMutex);
                if (!firstFault) {
                    firstFault = std::current_exception();
                }
            }
        }
    };
    const unsigned helpers =
        static_cast<unsigned>(std::min<std::size_t>(std::max(threads, 1u), count)) - 1;
    std::vector<std::jthread> pool;
    try {
        for (unsigned number = 1; number <= helpers; ++number) {
            pool.emplace_back(worker, number);
        }
    } catch (const std::system_error&) {
        // The threads there are, this one among them, do it all.
    }
    worker(0);
    pool.clear();
    if (firstFault) {
        std::rethrow_exception(firstFault);
    }
}

}  // namespace vesk
