#include "model/ParallelTriangulation.h"

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>

namespace vesk {
namespace {

constexpr std::size_t kBatch = 64;             // buildings a thread takes at a time
constexpr std::size_t kLeastForThreads = 256;  // fewer are done before a thread would start
constexpr unsigned kMostThreads = 8;

unsigned HelperThreads(std::size_t buildings) {
    if (buildings < kLeastForThreads) {
        return 0;
    }
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    return std::min(cores, kMostThreads) - 1;
}

}  // namespace

std::vector<FootprintTriangulation> TriangulateFootprints(const FootprintSet& set) {
    std::vector<FootprintTriangulation> results(set.buildings.size());
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        FootprintTriangulator triangulator;
        for (std::size_t begin = next.fetch_add(kBatch); begin < results.size();
             begin = next.fetch_add(kBatch)) {
            const std::size_t end = std::min(begin + kBatch, results.size());
            for (std::size_t i = begin; i < end; ++i) {
                results[i] = triangulator.Triangulate(set.Corners(set.buildings[i]));
            }
        }
    };
    {
        std::vector<std::jthread> helpers;
        try {
            for (unsigned k = HelperThreads(results.size()); k > 0; --k) {
                helpers.emplace_back(work);
            }
        } catch (const std::system_error&) {
            // No thread to be had: the ones there are, this one included, do it all.
        }
        work();
    }  // the helpers are joined here
    return results;
}

}  // namespace vesk
