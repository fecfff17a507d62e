#include "batch/RunJobs.h"

#include "platform/ParallelFor.h"

namespace vesk {

void RunJobs(std::size_t count, unsigned threads, const std::function<void(std::size_t)>& job,
             const std::function<void(std::size_t)>& skip, const std::atomic<bool>& stop) {
    ParallelFor(count, threads, [&](unsigned, std::size_t index) {
        if (stop.load()) {
            skip(index);
        } else {
            job(index);
        }
    });
}

}  // namespace vesk
