// Many sheets at once: vesk-cli convert --all and vesk-cli tiles over 50
// sheets of vesk-cli sample's defaults, and convert --all of one large sheet
// (the loading benchmark's), on 1 and 2 jobs, each against the write floor:
// the same files, of the same sizes, each written, fsynced and closed, and
// nothing else.
//
//   build/release/bench/vesk_batch_benchmark
//
// The sheets are made once into $VESK_BENCH_DIR (default
// /tmp/vesk-batch-bench/sheets, about 280 MB) and read from the page cache.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <variant>
#include <vector>

#include "LargeSheet.h"
#include "SampleSheet.h"
#include "SilentUi.h"
#include "batch/ConversionBatch.h"
#include "convert/ConversionSettings.h"
#include "document/CMyVeskDoc.h"
#include "document/SubSheetConversions.h"
#include "platform/ParallelFor.h"
#include "tiles/TilesBatch.h"
#include "tiles/TilesetMerge.h"

namespace {

namespace fs = std::filesystem;
constexpr int kSheets = 50;

fs::path g_largeSheet;

fs::path BenchRoot() {
    const char* dir = std::getenv("VESK_BENCH_DIR");
    return dir != nullptr ? fs::path(dir) : fs::path("/tmp/vesk-batch-bench");
}

// 50 sheets side by side, 20 to a row, each of the sample's defaults.
const std::vector<fs::path>& Sheets() {
    static const std::vector<fs::path> sheets = [] {
        std::vector<fs::path> paths;
        fs::create_directories(BenchRoot() / "sheets");
        for (int i = 0; i < kSheets; ++i) {
            vesk::sample::SampleOptions options;
            options.originX = -20000.0f + 2000.0f * static_cast<float>(i % 20);
            options.originY = -40000.0f + 1500.0f * static_cast<float>(i / 20);
            options.seed = static_cast<std::uint32_t>(i + 1);
            char name[32];
            std::snprintf(name, sizeof name, "sheet%03d.tqb", i);
            const fs::path path = BenchRoot() / "sheets" / name;
            std::string error;
            if (!fs::exists(path) && !vesk::sample::WriteSampleSheet(options, path, error)) {
                std::fprintf(stderr, "%s: %s\n", path.c_str(), error.c_str());
                std::exit(1);
            }
            paths.push_back(path);
        }
        return paths;
    }();
    return sheets;
}

fs::path FreshFolder(const std::string& name) {
    const fs::path folder = BenchRoot() / name;
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

// Every regular file under the folder with its size.
std::vector<std::uintmax_t> FileSizes(const fs::path& folder) {
    std::vector<std::uintmax_t> sizes;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            sizes.push_back(entry.file_size());
        }
    }
    return sizes;
}

double PeakResidentMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void Report(benchmark::State& state, std::uint64_t bytes, std::size_t files, int sheets) {
    state.counters["MB/s"] =
        benchmark::Counter(static_cast<double>(bytes) / 1e6, benchmark::Counter::kIsRate);
    state.counters["sheets/s"] = benchmark::Counter(sheets, benchmark::Counter::kIsRate);
    state.counters["files"] = static_cast<double>(files);
    state.counters["peak_RSS_MB"] = PeakResidentMegabytes();
}

vesk::BatchResult Convert(unsigned jobs, const fs::path& out) {
    vesk::ConversionBatchRequest request;
    request.sheets = Sheets();
    request.folders = {out, out};
    request.chosenFolder = true;
    request.jobs = jobs;
    vesk::BatchProgress progress;
    const std::atomic<bool> cancel{false};
    return vesk::RunConversionBatch(request, progress, cancel);
}

vesk::BatchResult Tiles(unsigned jobs, const fs::path& out) {
    vesk::TilesBatchRequest request;
    request.sheets = Sheets();
    request.out = out;
    request.jobs = jobs;
    // As vesk-cli tiles runs by default: heights raised by EGM96, compressed.
    request.datum = *vesk::OpenHeightDatum(true, std::nullopt);
    vesk::BatchProgress progress;
    const std::atomic<bool> cancel{false};
    vesk::BatchResult result = vesk::RunTilesBatch(request, progress, cancel);
    vesk::MergeTilesets(out);
    return result;
}

// vesk-cli convert --all of the one large sheet, as the command runs it.
vesk::BatchResult ConvertOneSheet(unsigned jobs, const fs::path& out) {
    vesk::bench::SilentUi ui;
    ui.choices = vesk::ConversionSettings({true, true, true}).Choices(true);
    ui.folder = out;
    vesk::CMyVeskDoc doc(ui);
    doc.KeepSheetImagePixels(false);
    doc.OpenSheetFile(g_largeSheet);
    const std::vector<int> numbers = doc.AcceptedSubSheets();
    const auto outcome = vesk::ConvertSubSheets(
        doc, numbers, [](const char*) { return std::nullopt; }, jobs);
    vesk::BatchResult result;
    result.sheets.emplace_back().failed = outcome.failed;
    return result;
}

using Batch = vesk::BatchResult (*)(unsigned, const fs::path&);

// `sheets` tells how many the batch works on: the 50 are made before the timing.
void RunBatch(benchmark::State& state, Batch batch, const std::string& name, int sheets) {
    if (sheets == kSheets) {
        Sheets();
    }
    const auto jobs = static_cast<unsigned>(state.range(0));
    std::uint64_t bytes = 0;
    std::size_t files = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const fs::path out = FreshFolder(name);
        state.ResumeTiming();
        const vesk::BatchResult result = batch(jobs, out);
        state.PauseTiming();
        if (!result.AllWell()) {
            state.SkipWithError("the batch failed");
        }
        const auto sizes = FileSizes(out);
        files = sizes.size();
        bytes = 0;
        for (const auto size : sizes) {
            bytes += size;
        }
        state.ResumeTiming();
    }
    Report(state, bytes, files, sheets);
}

// One file of `size` bytes: written in pieces of the output's buffer, then
// fsynced and closed.
void WritePlainFile(const fs::path& path, std::uintmax_t size, const std::string& piece) {
    const int file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    for (std::uintmax_t left = size; left > 0 && file >= 0;) {
        const auto bytes = static_cast<std::size_t>(std::min<std::uintmax_t>(left, piece.size()));
        if (::write(file, piece.data(), bytes) != static_cast<ssize_t>(bytes)) {
            break;
        }
        left -= bytes;
    }
    if (file >= 0) {
        ::fsync(file);
        ::close(file);
    }
}

// The same sizes as the batch's output, written on the same number of threads.
void RunWriteFloor(benchmark::State& state, Batch batch, const std::string& name, int sheets) {
    const fs::path made = BenchRoot() / name;
    if (!fs::exists(made)) {
        batch(2, FreshFolder(name));
    }
    const std::vector<std::uintmax_t> sizes = FileSizes(made);
    const std::string piece(std::size_t{1} << 20, 'x');
    std::uint64_t bytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const fs::path out = FreshFolder(name + "-floor");
        state.ResumeTiming();
        vesk::ParallelFor(sizes.size(), static_cast<unsigned>(state.range(0)),
                          [&](unsigned, std::size_t i) {
                              WritePlainFile(out / std::to_string(i), sizes[i], piece);
                          });
        bytes = 0;
        for (const auto size : sizes) {
            bytes += size;
        }
    }
    Report(state, bytes, sizes.size(), sheets);
}

void BM_ConvertAll(benchmark::State& state) {
    RunBatch(state, Convert, "convert", kSheets);
}
void BM_ConvertWriteFloor(benchmark::State& state) {
    RunWriteFloor(state, Convert, "convert", kSheets);
}
void BM_ConvertOneSheet(benchmark::State& state) {
    RunBatch(state, ConvertOneSheet, "one-sheet", 1);
}
void BM_ConvertOneSheetWriteFloor(benchmark::State& state) {
    RunWriteFloor(state, ConvertOneSheet, "one-sheet", 1);
}
void BM_Tiles(benchmark::State& state) {
    RunBatch(state, Tiles, "tiles", kSheets);
}
void BM_TilesWriteFloor(benchmark::State& state) {
    RunWriteFloor(state, Tiles, "tiles", kSheets);
}

BENCHMARK(BM_ConvertOneSheet)
    ->Arg(1)
    ->Arg(2)
    ->Iterations(5)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();
BENCHMARK(BM_ConvertOneSheetWriteFloor)
    ->Arg(1)
    ->Arg(2)
    ->Iterations(5)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();
BENCHMARK(BM_ConvertAll)->Arg(1)->Arg(2)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(BM_ConvertWriteFloor)
    ->Arg(1)
    ->Arg(2)
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();
BENCHMARK(BM_Tiles)->Arg(1)->Arg(2)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(BM_TilesWriteFloor)
    ->Arg(1)
    ->Arg(2)
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    return vesk::bench::RunOnLargeSheet(argc, argv, g_largeSheet);
}
