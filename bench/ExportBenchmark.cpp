// Exporting a block to .glb, against the LSS-G writer on the same block in the
// same run, with the peak heap of the export beside the .glb's size.
//
//   build/release/bench/vesk_export_benchmark
//
// The block is the conversion benchmark's: 5,000 star-shaped buildings of 4
// to 40 corners and a 401 x 301 DEM, generated into a temporary file with the
// same seed. A second block adds a 1024 x 1024 ortho texture, which the LSS-G
// side copies into its .sgi file and the export decodes and encodes as PNG.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <new>
#include <random>

#include "ByteWriter.h"
#include "ChunkWriter.h"
#include "Raster.h"
#include "SgiImage.h"
#include "SilentUi.h"
#include "convert/GeometryWriter.h"
#include "convert/OrthoTextureExport.h"
#include "export/BlockExport.h"
#include "model/FootprintSet.h"
#include "model/FootprintTriangulation.h"
#include "sheet/FileByteSource.h"

// Heap bytes in use and their peak, counted by replacing the global allocator
// of this program (GEOS and tinygltf allocate through it too; libpng's and
// zlib's few hundred kilobytes of state do not). Counting is switched on only
// for the memory figure: its shared counters would slow the threads that
// triangulate, and so the timed runs.
namespace {

std::atomic<bool> g_counting{false};
std::atomic<std::int64_t> g_liveBytes{0};
std::atomic<std::int64_t> g_peakBytes{0};

}  // namespace

[[gnu::noinline]] void* operator new(std::size_t size) {
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    if (g_counting.load(std::memory_order_relaxed)) {
        const std::int64_t live = g_liveBytes +=
            static_cast<std::int64_t>(malloc_usable_size(block));
        std::int64_t peak = g_peakBytes.load();
        while (live > peak && !g_peakBytes.compare_exchange_weak(peak, live)) {
        }
    }
    return block;
}

[[gnu::noinline]] void operator delete(void* block) noexcept {
    if (block != nullptr) {
        if (g_counting.load(std::memory_order_relaxed)) {
            g_liveBytes -= static_cast<std::int64_t>(malloc_usable_size(block));
        }
        std::free(block);
    }
}

[[gnu::noinline]] void operator delete(void* block, std::size_t) noexcept {
    operator delete(block);
}

namespace {

using vesk::SubSheetRecord;

constexpr const char* kBaseName = "09M0080M034800040003";
constexpr float kX0 = -8000.0f;
constexpr float kY0 = -34800.0f;
constexpr int kBuildings = 5000;
constexpr int kTexturePixels = 1024;

const std::filesystem::path g_folder = std::filesystem::temp_directory_path() / "vesk-bench-export";

class CountingSink : public vesk::sample::ByteSink {
public:
    explicit CountingSink(std::ofstream& out) : out_(out) {}
    void Put(std::span<const std::byte> bytes) override {
        out_.write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        offset_ += bytes.size();
    }
    std::uint32_t Offset() const { return static_cast<std::uint32_t>(offset_); }

private:
    std::ofstream& out_;
    std::uint64_t offset_ = 0;
};

struct BenchSheet {
    std::filesystem::path path;
    SubSheetRecord record;
};

// As in the conversion benchmark: a star of 4 to 40 corners around a random point.
void PutBuilding(CountingSink& sink, std::mt19937& random) {
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    const int corners = 4 + static_cast<int>(random() % 37);
    const float cx = kX0 + 20.0f + 360.0f * unit(random);
    const float cy = kY0 + 20.0f + 260.0f * unit(random);
    const float bottom = 5.0f + 40.0f * unit(random);
    vesk::sample::ByteWriter body;
    body.F32(bottom);
    body.F32(bottom + 3.0f + 60.0f * unit(random));
    body.U32(static_cast<std::uint32_t>(corners));
    for (int i = 0; i < corners; ++i) {
        const double angle = 2.0 * 3.14159265358979 * i / corners;
        const float radius = 4.0f + 12.0f * unit(random);
        body.F32(cx + radius * static_cast<float>(std::cos(angle)));
        body.F32(cy + radius * static_cast<float>(std::sin(angle)));
    }
    vesk::sample::PutChunk(sink, vesk::sample::kBuildingId, "STRC", body.Bytes());
}

void PutDem(CountingSink& sink, std::mt19937& random) {
    constexpr std::uint32_t kColumns = 401;
    constexpr std::uint32_t kRows = 301;
    vesk::sample::ByteWriter body;
    body.U32(kColumns);
    body.U32(kRows);
    body.F32(1.0f);
    body.F32(1.0f);
    std::uniform_real_distribution<float> noise(-0.05f, 0.05f);
    for (std::uint32_t i = 0; i < kRows; ++i) {
        for (std::uint32_t j = 0; j < kColumns; ++j) {
            body.F32(30.0f + 8.0f * static_cast<float>(std::sin(j / 40.0) * std::cos(i / 55.0)) +
                     noise(random));
        }
    }
    vesk::sample::PutChunk(sink, vesk::sample::kDemId, "DEMF", body.Bytes());
}

// Smooth colour fields with a little grain, as an aerial photograph has.
void PutOrtho(CountingSink& sink, std::mt19937& random) {
    vesk::sample::Raster raster(kTexturePixels, kTexturePixels);
    std::uniform_int_distribution<int> grain(-6, 6);
    for (int y = 0; y < kTexturePixels; ++y) {
        for (int x = 0; x < kTexturePixels; ++x) {
            const double field = std::sin(x / 37.0) * std::cos(y / 53.0);
            const auto channel = [&](double base) {
                return static_cast<std::uint8_t>(
                    std::clamp(base + 40.0 * field + grain(random), 0.0, 255.0));
            };
            raster.Set(x, y, {channel(110), channel(120), channel(95)});
        }
    }
    vesk::sample::VectorSink body(vesk::sample::SgiImageSize(kTexturePixels, kTexturePixels));
    vesk::sample::PutSgiImage(body, raster, "bench");
    vesk::sample::PutChunk(sink, vesk::sample::kOrthoId, "ORTS", body.Take());
}

BenchSheet MakeSheet(bool texture) {
    BenchSheet sheet;
    std::filesystem::create_directories(g_folder);
    sheet.path = g_folder / (texture ? "block-textured.tqb" : "block.tqb");
    std::ofstream out(sheet.path, std::ios::binary | std::ios::trunc);
    CountingSink sink(out);
    std::mt19937 random(2500);
    vesk::sample::ByteWriter area;
    area.I32(0);
    area.F32(kX0);
    area.F32(kY0);
    area.F32(400.0f);
    area.F32(300.0f);
    vesk::sample::PutChunk(sink, vesk::sample::kSubSheetAreaId, "AREA", area.Bytes());
    for (int k = 0; k < kBuildings; ++k) {
        sheet.record.buildingPositions.push_back(sink.Offset());
        PutBuilding(sink, random);
    }
    sheet.record.buildingCount = kBuildings;
    sheet.record.hasDem = 1;
    sheet.record.demPosition = sink.Offset();
    PutDem(sink, random);
    if (texture) {
        sheet.record.hasOrtho = 1;
        sheet.record.orthoPosition = sink.Offset();
        PutOrtho(sink, random);
    }
    sheet.record.zone = 9;
    sheet.record.originX = kX0;
    sheet.record.originY = kY0;
    sheet.record.width = 400.0f;
    sheet.record.height = 300.0f;
    return sheet;
}

const BenchSheet& SheetWith(bool texture) {
    static std::map<bool, BenchSheet> sheets;
    auto found = sheets.find(texture);
    if (found == sheets.end()) {
        found = sheets.emplace(texture, MakeSheet(texture)).first;
    }
    return found->second;
}

// The LSS-G conversion of the block: the texture file, then the geometry file.
bool WriteLssg(const BenchSheet& sheet) {
    auto source = vesk::FileByteSource::Open(sheet.path);
    vesk::bench::SilentUi ui;
    const bool texture = sheet.record.hasOrtho != 0;
    if (!source ||
        (texture && !vesk::CopyOrthoTexture(*source, g_folder / "lssg.sgi", sheet.record, ui))) {
        return false;
    }
    return vesk::WriteGeometryFile(*source, g_folder / "lssg.geo", kBaseName, sheet.record,
                                   {true, true, texture, false}, ui);
}

bool WriteGlb(const BenchSheet& sheet, vesk::ExportReport& report) {
    auto source = vesk::FileByteSource::Open(sheet.path);
    if (!source) {
        return false;
    }
    report = vesk::ExportBlock(*source, sheet.record, {vesk::ExportFormat::kGlb, {}}, g_folder);
    return report.AllWritten() && report.buildingsLeftOut.empty();
}

void BM_LssgConversion(benchmark::State& state) {
    const BenchSheet& sheet = SheetWith(state.range(0) != 0);
    for (auto _ : state) {
        if (!WriteLssg(sheet)) {
            state.SkipWithError("the LSS-G files were not written");
            return;
        }
    }
    state.counters["geo_MB"] =
        static_cast<double>(std::filesystem::file_size(g_folder / "lssg.geo")) / 1e6;
}

void BM_ExportGlb(benchmark::State& state) {
    const BenchSheet& sheet = SheetWith(state.range(0) != 0);
    vesk::ExportReport report;
    for (auto _ : state) {
        if (!WriteGlb(sheet, report)) {
            state.SkipWithError("the .glb file was not written whole");
            return;
        }
    }
    state.counters["glb_MB"] =
        static_cast<double>(std::filesystem::file_size(report.files.at(0).path)) / 1e6;
    state.counters["triangles"] = static_cast<double>(report.triangles);
}

// The peak of heap memory during one export, against the size of the .glb.
// It starts from a fresh report, so the export frees nothing made before.
void BM_ExportGlbPeakHeap(benchmark::State& state) {
    const BenchSheet& sheet = SheetWith(state.range(0) != 0);
    vesk::ExportReport report;
    std::int64_t peak = 0;
    for (auto _ : state) {
        g_liveBytes = 0;
        g_peakBytes = 0;
        g_counting = true;
        const bool written = WriteGlb(sheet, report);
        g_counting = false;
        if (!written) {
            state.SkipWithError("the .glb file was not written whole");
            return;
        }
        peak = std::max(peak, g_peakBytes.load());
    }
    const auto glb = static_cast<double>(std::filesystem::file_size(report.files.at(0).path));
    state.counters["glb_MB"] = glb / 1e6;
    state.counters["peak_heap_MB"] = static_cast<double>(peak) / 1e6;
    state.counters["peak_per_glb"] = static_cast<double>(peak) / glb;
}

// The model alone, without any file: how much of the export it takes.
void BM_BuildBlockModel(benchmark::State& state) {
    const BenchSheet& sheet = SheetWith(state.range(0) != 0);
    auto source = vesk::FileByteSource::Open(sheet.path);
    for (auto _ : state) {
        const vesk::BlockModel model = vesk::BuildBlockModel(*source, sheet.record, {});
        benchmark::DoNotOptimize(model.buildings.indices.data());
    }
}

// GEOS's part alone: validity and constrained Delaunay triangulation of every
// footprint of the block, on one thread.
void BM_GeosFootprints(benchmark::State& state) {
    const BenchSheet& sheet = SheetWith(false);
    auto source = vesk::FileByteSource::Open(sheet.path);
    std::vector<vesk::LeftOutBuilding> leftOut;
    const vesk::FootprintSet set = vesk::ReadFootprints(*source, sheet.record, leftOut);
    vesk::FootprintTriangulator triangulator;
    for (auto _ : state) {
        for (const vesk::FootprintSet::Building& building : set.buildings) {
            benchmark::DoNotOptimize(triangulator.Triangulate(set.Corners(building)));
        }
    }
}

// Wall time, and the CPU time of every thread of the process.
BENCHMARK(BM_LssgConversion)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK(BM_ExportGlb)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK(BM_BuildBlockModel)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK(BM_GeosFootprints)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportGlbPeakHeap)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
