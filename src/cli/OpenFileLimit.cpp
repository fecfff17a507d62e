#include "OpenFileLimit.h"

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>

namespace vesk::cli {
namespace {

// Files one job holds open at once, measured as the least limit under which
// 1, 4, 8 and 16 jobs ran clean: 2 for convert and check (the sheet, and an
// output file or the sheet again), 3 for tiles (and the geoid's grid); one
// more for a margin.
constexpr unsigned kFilesPerJob = 4;
// Files the process holds besides: standard streams, PROJ's database, a
// report; measured at most 5.
constexpr unsigned kFilesBesides = 16;

}  // namespace

unsigned JobsWithinOpenFileLimit(std::string_view command, unsigned jobs) {
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) {
        return jobs;
    }
    const rlim_t room = limit.rlim_cur > kFilesBesides ? limit.rlim_cur - kFilesBesides : 0;
    const auto most =
        static_cast<unsigned>(std::max<rlim_t>(1, std::min<rlim_t>(jobs, room / kFilesPerJob)));
    if (most < jobs) {
        std::fprintf(
            stderr,
            "vesk-cli %.*s: --jobs %u lowered to %u: the open-file limit (ulimit -n) is %llu\n",
            static_cast<int>(command.size()), command.data(), jobs, most,
            static_cast<unsigned long long>(limit.rlim_cur));
    }
    return most;
}

}  // namespace vesk::cli
