#pragma once

#include <cstddef>
#include <functional>

namespace vesk {

// Calls work(worker, k) for every k below count, on up to threads threads at
// once (worker is the thread's number, from 0); returns when all are done.
void ParallelFor(std::size_t count, unsigned threads,
                 const std::function<void(unsigned, std::size_t)>& work);

}  // namespace vesk
