#pragma once

#include <cstddef>
#include <functional>

namespace vesk {

// The machine's cores, at least 1: the default number of threads and jobs.
unsigned CoreCount();

// Calls work(worker, k) for every k below count, started in index order, on up
// to `threads` threads, the calling one among them; worker numbers the thread
// (below `threads`, 0 for the calling one), so each can keep state of its own.
// Returns when every call has ended. A thread the system cannot start leaves
// its share to the others. A call that throws stops no other: once all have
// ended, the first exception caught is thrown again here, on the calling
// thread, as a loop over the calls would have thrown it.
void ParallelFor(std::size_t count, unsigned threads,
                 const std::function<void(unsigned worker, std::size_t k)>& work);

}  // namespace vesk
