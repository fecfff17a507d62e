#include "batch/JobPool.h"

#include <algorithm>
#include <thread>
#include <vector>

namespace vesk {

unsigned DefaultJobCount() {
    return std::max(1u, std::thread::hardware_concurrency());
}

void RunJobs(std::size_t count, unsigned threads, const std::function<void(std::size_t)>& job,
             const std::atomic<bool>& stop) {
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        while (!stop.load()) {
            const std::size_t index = next.fetch_add(1);
            if (index >= count) {
                return;
            }
            job(index);
        }
    };
    const std::size_t helpers = std::min<std::size_t>(std::max(threads, 1u), count) - (count > 0);
    std::vector<std::jthread> pool;
    pool.reserve(helpers);
    for (std::size_t i = 0; i < helpers; ++i) {
        pool.emplace_back(work);
    }
    work();
}

}  // namespace vesk
