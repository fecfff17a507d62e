#include "model/ParallelTriangulation.h"

#include <algorithm>
#include <optional>

#include "platform/ParallelFor.h"

namespace vesk {
namespace {

constexpr std::size_t kLeastForThreads = 256;  // fewer are done before a thread would start
constexpr unsigned kMostThreads = 8;

unsigned Threads(std::size_t buildings) {
    return buildings < kLeastForThreads ? 1 : std::min(CoreCount(), kMostThreads);
}

}  // namespace

std::vector<FootprintTriangulation> TriangulateFootprints(const FootprintSet& set) {
    std::vector<FootprintTriangulation> results(set.buildings.size());
    const unsigned threads = Threads(results.size());
    // GEOS contexts are not shared between threads: one triangulator each.
    std::vector<std::optional<FootprintTriangulator>> triangulators(threads);
    ParallelFor(results.size(), threads, [&](unsigned worker, std::size_t k) {
        if (!triangulators[worker]) {
            triangulators[worker].emplace();
        }
        results[k] = triangulators[worker]->Triangulate(set.Corners(set.buildings[k]));
    });
    return results;
}

}  // namespace vesk
