#pragma once

#include <atomic>
#include <cstddef>
#include <functional>

namespace vesk {

// Runs job(0) to job(count - 1) on `threads` threads (the calling one among
// them) and returns when all have ended. Jobs start in index order, so when
// job k has started every job before it has too. Once `stop` is set no further
// job starts: skip(k) is called instead for each job left, so that every index
// is run or skipped once; those running finish.
void RunJobs(std::size_t count, unsigned threads, const std::function<void(std::size_t)>& job,
             const std::function<void(std::size_t)>& skip, const std::atomic<bool>& stop);

}  // namespace vesk
