// Surveying a folder of 10,000 sheet files against the least work any survey
// must do: opening each file, reading its first 4 KiB and closing it.
//
//   build/release/bench/vesk_survey_benchmark [--folder PATH]
//
// Without --folder the folder (small sample sheets, one per origin on a
// 100 x 100 grid of sheets) is made in the temporary folder on first use and
// kept for later runs.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "SampleSheet.h"
#include "sheet/LittleEndian.h"
#include "survey/FolderSurvey.h"
#include "survey/SheetFileSearch.h"

namespace {

constexpr int kSheetCount = 10000;
constexpr int kSheetsPerRow = 100;
// Where the sheet AREA body keeps origin x and origin y: after the 12-byte
// header and the scale and zone.
constexpr std::size_t kOriginXOffset = 12 + 8;
constexpr std::size_t kOriginYOffset = kOriginXOffset + 4;

std::filesystem::path g_folder = std::filesystem::temp_directory_path() / "vesk-bench-survey-10000";

std::vector<std::byte> SmallSheet() {
    vesk::sample::SampleOptions options;
    options.imageWidth = 20;
    options.imageHeight = 15;
    options.buildingsPerSubSheet = 1;
    options.demColumns = 2;
    options.demRows = 2;
    options.texturePixels = 4;
    return vesk::sample::MakeSampleSheet(options);
}

std::filesystem::path SheetPath(int index) {
    char name[32];
    std::snprintf(name, sizeof name, "sheet-%05d.tqb", index);
    return g_folder / name;
}

// One sheet's bytes written again and again with the origin of each place.
bool MakeFolder() {
    std::vector<std::byte> sheet = SmallSheet();
    if (sheet.size() < kOriginYOffset + 4) {
        return false;
    }
    std::filesystem::create_directories(g_folder);
    for (int i = 0; i < kSheetCount; ++i) {
        vesk::EncodeF32(sheet.data() + kOriginXOffset, -100000.0f + 2000.0f * (i % kSheetsPerRow));
        vesk::EncodeF32(sheet.data() + kOriginYOffset, -75000.0f + 1500.0f * (i / kSheetsPerRow));
        std::ofstream out(SheetPath(i), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(sheet.data()),
                  static_cast<std::streamsize>(sheet.size()));
        if (!out) {
            return false;
        }
    }
    return true;
}

bool FolderIsComplete() {
    return vesk::FindSheetFiles(g_folder).files.size() == kSheetCount;
}

// The floor: open, one read of 4 KiB, close, for a list of paths made beforehand.
void BM_BareLoop(benchmark::State& state) {
    const std::vector<std::filesystem::path> paths = vesk::FindSheetFiles(g_folder).files;
    std::array<char, 4096> buffer{};
    std::size_t bytes = 0;
    for (auto _ : state) {
        bytes = 0;
        for (const std::filesystem::path& path : paths) {
            const int fd = ::open(path.c_str(), O_RDONLY);
            if (fd < 0) {
                continue;
            }
            const ssize_t got = ::read(fd, buffer.data(), buffer.size());
            bytes += got > 0 ? static_cast<std::size_t>(got) : 0;
            ::close(fd);
        }
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["files"] = static_cast<double>(paths.size());
}

// Listing and sorting the names alone, to show what the survey spends on them.
void BM_FindSheetFiles(benchmark::State& state) {
    std::size_t found = 0;
    for (auto _ : state) {
        found = vesk::FindSheetFiles(g_folder).files.size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["files"] = static_cast<double>(found);
}

// The whole survey: listing, sorting, and reading each file's leading chunks.
void BM_SurveyFolder(benchmark::State& state) {
    std::size_t entries = 0;
    for (auto _ : state) {
        const vesk::FolderSurvey survey = vesk::SurveyFolder(g_folder);
        entries = survey.entries.size();
        benchmark::DoNotOptimize(entries);
    }
    state.counters["entries"] = static_cast<double>(entries);
}

}  // namespace

BENCHMARK(BM_BareLoop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindSheetFiles)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SurveyFolder)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    bool folderGiven = false;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--folder") == 0) {
            g_folder = argv[i + 1];
            folderGiven = true;
        }
    }
    // A folder named on the command line is surveyed as it is, never written into.
    if (!folderGiven && !FolderIsComplete() && !MakeFolder()) {
        std::fprintf(stderr, "could not make %s\n", g_folder.c_str());
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
