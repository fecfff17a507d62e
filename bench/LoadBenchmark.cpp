// Loading a large sheet against the least work any loader must do: reading the
// image bytes and the 12-byte header of every chunk with pread.
//
//   build/release/bench/vesk_load_benchmark [--sheet PATH]
//
// The sheet is the large sheet of LargeSheet.h, made on first use.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "LargeSheet.h"
#include "SilentUi.h"
#include "document/CMyVeskDoc.h"

namespace {

std::filesystem::path g_sheet;

double PeakResidentMegabytes() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

double CurrentResidentMegabytes() {
    long pages = 0;
    long resident = 0;
    if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) {
            resident = 0;
        }
        std::fclose(statm);
    }
    return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE)) /
           (1024.0 * 1024.0);
}

std::uint32_t Le32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// The floor: one pread per chunk header, and the image bytes into a buffer.
std::size_t BareLoop(int fd) {
    std::uint64_t offset = 0;
    std::size_t headers = 0;
    unsigned char header[12];
    while (::pread(fd, header, 12, static_cast<off_t>(offset)) == 12) {
        const std::uint32_t id = Le32(header);
        const std::uint32_t size = Le32(header + 8);
        if ((id & 0xFFFF00u) == 0) {
            break;
        }
        ++headers;
        if (std::memcmp(header + 4, "IDXB", 4) == 0) {
            auto pixels = std::make_unique_for_overwrite<unsigned char[]>(size);
            if (::pread(fd, pixels.get(), size, static_cast<off_t>(offset + 12)) !=
                static_cast<ssize_t>(size)) {
                break;
            }
            benchmark::DoNotOptimize(pixels.get());
        }
        offset += 12 + std::uint64_t{size};
    }
    return headers;
}

void BM_BareLoop(benchmark::State& state) {
    const int fd = ::open(g_sheet.c_str(), O_RDONLY);
    if (fd < 0) {
        state.SkipWithError("no sheet");
        return;
    }
    std::size_t headers = 0;
    for (auto _ : state) {
        headers = BareLoop(fd);
    }
    ::close(fd);
    state.counters["chunks"] = static_cast<double>(headers);
}

void BM_LoadSheet(benchmark::State& state) {
    vesk::bench::SilentUi ui;
    vesk::ProgramImageSize imageSize;
    const double before = CurrentResidentMegabytes();
    double peak = 0;
    for (auto _ : state) {
        vesk::CMyVeskDoc doc(ui, imageSize);
        doc.OpenSheetFile(g_sheet);
        benchmark::DoNotOptimize(doc.CopySubSheetRecord(24).buildingCount);
        peak = std::max(peak, CurrentResidentMegabytes());
    }
    state.counters["messages"] = ui.messages;
    state.counters["rss_growth_MB"] = peak - before;
    state.counters["peak_rss_MB"] = PeakResidentMegabytes();
}

}  // namespace

BENCHMARK(BM_BareLoop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadSheet)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return vesk::bench::RunOnLargeSheet(argc, argv, g_sheet);
}
