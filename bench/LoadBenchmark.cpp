// Loading a large sheet against the least work any loader must do: reading the
// image bytes and the 12-byte header of every chunk with pread.
//
//   build/release/bench/vesk_load_benchmark [--sheet PATH]
//
// The sheet (4000 x 3000 image, 25 sub-sheets of 2,000 buildings, a 401 x 301
// DEM and a 1024 x 1024 texture each) is generated on first use, in a child
// process so that its generation does not count in this process's peak memory.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "SampleSheet.h"
#include "sheet/CMyVeskDoc.h"

namespace {

std::filesystem::path g_sheet = std::filesystem::temp_directory_path() / "vesk-bench-large.tqb";

class SilentUi : public vesk::DocumentUi {
public:
    void ShowMessage(std::string_view, std::string_view, vesk::MessageIcon) override { ++messages; }
    void SetExtentAndFitFrame(int, int) override {}
    void InvalidateView() override {}
    void TitleChanged(std::string_view) override {}
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    std::optional<std::filesystem::path> ChooseSheetFile() override { return std::nullopt; }
    std::optional<vesk::ConversionChoices> AskConversionSettings(
        const vesk::ConversionPresence&) override {
        return std::nullopt;
    }
    std::optional<std::filesystem::path> ChooseFolder() override { return std::nullopt; }
    std::optional<int> AskSurveyZone(const vesk::ZonePresence&) override { return std::nullopt; }
    int messages = 0;
};

bool MakeLargeSheet(const std::filesystem::path& path) {
    const pid_t child = ::fork();
    if (child == 0) {
        vesk::sample::SampleOptions options;
        options.imageWidth = 4000;
        options.imageHeight = 3000;
        options.buildingsPerSubSheet = 2000;
        options.demColumns = 401;
        options.demRows = 301;
        options.texturePixels = 1024;
        std::string error;
        ::_exit(vesk::sample::WriteSampleSheet(options, path, error) ? 0 : 1);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

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
    SilentUi ui;
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
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--sheet") == 0) {
            g_sheet = argv[i + 1];
        }
    }
    if (!std::filesystem::exists(g_sheet) && !MakeLargeSheet(g_sheet)) {
        std::fprintf(stderr, "could not make %s\n", g_sheet.c_str());
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
