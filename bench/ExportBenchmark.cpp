// Exporting a block to .glb, against the LSS-G writer on the same block in the
// same run, with the peak heap of the export beside the .glb's size.
//
//   build/release/bench/vesk_export_benchmark
//
// The block is the conversion benchmark's (BenchBlock.h): 5,000 star-shaped
// buildings of 4 to 40 corners, nearly all concave, and a 401 x 301 DEM. A
// second block adds a 1024 x 1024 ortho texture, which the LSS-G side copies
// into its .sgi file and the export decodes and encodes as PNG. A third has
// footprints as real blocks mostly do: rectangles, every fifth an L.
//
// The ear clipper's figure (BM_EarClipFootprints) has its counterpart in npm's
// earcut on the same corners, which the benchmark writes to the temporary
// folder (scripts/deps.sh's vesk_install_bench_tools installs earcut):
//
//   node bench/earcut_stars.mjs build/release/node_tools
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <new>
#include <numbers>
#include <random>
#include <string>

#include "BenchBlock.h"
#include "SilentUi.h"
#include "convert/GeometryWriter.h"
#include "convert/OrthoTextureExport.h"
#include "export/BlockExport.h"
#include "export/PngEncoding.h"
#include "model/ClearlySimpleRing.h"
#include "model/ConvexFootprint.h"
#include "model/EarClipping.h"
#include "model/FootprintBox.h"
#include "model/FootprintSet.h"
#include "model/FootprintTriangulation.h"
#include "model/GeosContext.h"
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

constexpr const char* kBaseName = "09M0080M034800040003";

const std::filesystem::path g_folder = std::filesystem::temp_directory_path() / "vesk-bench-export";

using vesk::bench::BenchSheet;
using vesk::bench::FootprintMix;

// Arguments of the benchmarks: the block's footprints, and whether it has the texture.
constexpr int kStars = 0;
constexpr int kStarsWithTexture = 1;
constexpr int kRectangles = 2;

const BenchSheet& SheetFor(int block) {
    static std::map<int, BenchSheet> sheets;
    auto found = sheets.find(block);
    if (found == sheets.end()) {
        vesk::bench::BlockContents contents;
        contents.texture = block == kStarsWithTexture;
        contents.footprints =
            block == kRectangles ? FootprintMix::kRectanglesAndLShapes : FootprintMix::kStars;
        const auto path = g_folder / ("block-" + std::to_string(block) + ".tqb");
        found = sheets.emplace(block, vesk::bench::MakeBlockSheet(path, contents)).first;
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
    const BenchSheet& sheet = SheetFor(static_cast<int>(state.range(0)));
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
    const BenchSheet& sheet = SheetFor(static_cast<int>(state.range(0)));
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
    const BenchSheet& sheet = SheetFor(static_cast<int>(state.range(0)));
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
    const BenchSheet& sheet = SheetFor(static_cast<int>(state.range(0)));
    auto source = vesk::FileByteSource::Open(sheet.path);
    for (auto _ : state) {
        const vesk::BlockModel model = vesk::BuildBlockModel(*source, sheet.record, {});
        benchmark::DoNotOptimize(model.buildings.indices.data());
    }
}

// The texture with the terrain it lies on: the SGI image decoded into the
// model's pixels, and the 401 x 301 grid.
vesk::RgbaImage DecodeTexture() {
    const BenchSheet& sheet = SheetFor(kStarsWithTexture);
    auto source = vesk::FileByteSource::Open(sheet.path);
    vesk::BlockModel model = vesk::BuildBlockModel(*source, sheet.record, {false, true, true});
    return model.texture.value_or(vesk::RgbaImage{});
}

void BM_DecodeTexture(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(DecodeTexture().pixels.data());
    }
}

// The texture as PNG at a zlib level (first argument) and strategy (second)
// with a set of row filters (third, PNG_FILTER_* bits): the measurement
// behind PngSettings.
void BM_EncodePng(benchmark::State& state) {
    const vesk::RgbaImage texture = DecodeTexture();
    const vesk::PngSettings settings{static_cast<int>(state.range(0)),
                                     static_cast<int>(state.range(1)),
                                     static_cast<int>(state.range(2))};
    std::size_t size = 0;
    for (auto _ : state) {
        const auto png = vesk::EncodePng(texture, settings);
        if (!png) {
            state.SkipWithError("the texture was not encoded");
            return;
        }
        size = png->size();
    }
    state.counters["png_MB"] = static_cast<double>(size) / 1e6;
    state.counters["of_raw_rgb"] =
        static_cast<double>(size) / (static_cast<double>(texture.pixels.size()) / 4 * 3);
}

vesk::FootprintSet ReadBlockFootprints(const BenchSheet& sheet) {
    auto source = vesk::FileByteSource::Open(sheet.path);
    std::vector<vesk::LeftOutBuilding> leftOut;
    return vesk::ReadFootprints(*source, sheet.record, leftOut);
}

// The footprints alone, on one thread: as the model triangulates them (the
// fan for strictly convex ones, GEOS's validity check and our ear clipper for
// the rest), and every one through GEOS's validity check and triangulation.
void TimeFootprints(benchmark::State& state, bool geosOnly) {
    const vesk::FootprintSet set = ReadBlockFootprints(SheetFor(static_cast<int>(state.range(0))));
    vesk::FootprintTriangulator triangulator;
    for (auto _ : state) {
        for (const vesk::FootprintSet::Building& building : set.buildings) {
            const auto corners = set.Corners(building);
            benchmark::DoNotOptimize(geosOnly ? triangulator.TriangulateWithGeos(corners)
                                              : triangulator.Triangulate(corners));
        }
    }
    const auto convex = std::count_if(set.buildings.begin(), set.buildings.end(),
                                      [&](const vesk::FootprintSet::Building& b) {
                                          return vesk::IsCertainlyStrictlyConvex(set.Corners(b));
                                      });
    state.counters["convex_share"] =
        static_cast<double>(convex) / static_cast<double>(set.buildings.size());
}

void BM_TriangulateFootprints(benchmark::State& state) {
    TimeFootprints(state, false);
}

void BM_GeosFootprints(benchmark::State& state) {
    TimeFootprints(state, true);
}

// The footprints' corners as JSON, an array of flat [x0, y0, x1, y1, ...]
// arrays, each number as short as gives back the same double.
void WriteCornersJson(const vesk::FootprintSet& set, const std::filesystem::path& path) {
    std::ofstream out(path);
    char number[32];
    out << '[';
    for (const vesk::FootprintSet::Building& building : set.buildings) {
        out << (&building == &set.buildings.front() ? "\n[" : ",\n[");
        bool first = true;
        for (const vesk::FootprintPoint& p : set.Corners(building)) {
            for (const double value : {p.x, p.y}) {
                out << (first ? "" : ",");
                out.write(number,
                          std::to_chars(number, number + sizeof number, value).ptr - number);
                first = false;
            }
        }
        out << ']';
    }
    out << "\n]\n";
}

// The ear clipper alone on every footprint, convex or not, with nothing
// checked first, on one thread: as npm's earcut is timed on the same
// corners by bench/earcut_stars.mjs, from the file this writes.
void BM_EarClipFootprints(benchmark::State& state) {
    const vesk::FootprintSet set = ReadBlockFootprints(SheetFor(static_cast<int>(state.range(0))));
    WriteCornersJson(set, g_folder / ("footprints-" + std::to_string(state.range(0)) + ".json"));
    vesk::EarClipping ears;
    std::vector<vesk::FootprintTriangle> triangles;
    std::size_t count = 0;
    for (auto _ : state) {
        count = 0;
        for (const vesk::FootprintSet::Building& building : set.buildings) {
            const auto corners = set.Corners(building);
            triangles.clear();
            if (!ears.Triangulate(corners, vesk::SignedFootprintArea(corners) > 0.0, triangles)) {
                state.SkipWithError("a footprint's ears could not all be clipped");
                return;
            }
            count += triangles.size();
        }
        benchmark::DoNotOptimize(triangles.data());
    }
    state.counters["triangles"] = static_cast<double>(count);
}

// Rings of 100,000 corners, counter-clockwise: a comb of 25,000 teeth whose
// valleys lie on one line, a star of corners at random distances from its
// centre, each a long thin ear, and a comb of 25,000 teeth 6 mm wide and
// 100 m long turned by 30 degrees. Walking the ring for every ear would make
// them quadratic; the z-order index keeps them close to linear. The star's
// and the turned comb's edges have bounding boxes that overlap by the
// thousand, which made GEOS's validity check quadratic on them.
constexpr int kComb = 0;
constexpr int kStar = 1;
constexpr int kTurnedComb = 2;
constexpr int kNarrowComb = 3;

std::vector<vesk::FootprintPoint> Comb(std::mt19937& random) {
    std::vector<vesk::FootprintPoint> top;
    double x = 0.0;
    for (int tooth = 0; tooth < 25000; ++tooth) {
        const double width = 1.0 + static_cast<double>(random() % 3);
        const double height = 2.0 + static_cast<double>(random() % 8);
        top.insert(top.end(), {{x, 0.0}, {x, height}, {x + width, height}, {x + width, 0.0}});
        x += width + 1.0 + static_cast<double>(random() % 3);
    }
    std::vector<vesk::FootprintPoint> ring = {{0.0, -3.0}, {x, -3.0}};
    ring.insert(ring.end(), top.rbegin(), top.rend());
    return ring;
}

std::vector<vesk::FootprintPoint> Star(std::mt19937& random) {
    constexpr int kCorners = 100000;
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::vector<vesk::FootprintPoint> ring;
    for (int k = 0; k < kCorners; ++k) {
        const double angle = (k + 0.5 * unit(random)) * 2.0 * std::numbers::pi / kCorners;
        const double radius = 1.0 + 19.0 * unit(random);
        ring.push_back({radius * std::cos(angle), radius * std::sin(angle)});
    }
    return ring;
}

std::vector<vesk::FootprintPoint> TurnedComb() {
    constexpr int kTeeth = 25000;
    constexpr double kPeriod = 300.0 / kTeeth;
    std::vector<vesk::FootprintPoint> ring = {{0.0, -3.0}, {kTeeth * kPeriod, -3.0}};
    for (int tooth = kTeeth - 1; tooth >= 0; --tooth) {
        const double left = tooth * kPeriod;
        const double right = left + kPeriod / 2;
        ring.insert(ring.end(), {{right, 0.0}, {right, 100.0}, {left, 100.0}, {left, 0.0}});
    }
    const double c = std::cos(std::numbers::pi / 6);
    const double s = std::sin(std::numbers::pi / 6);
    for (vesk::FootprintPoint& p : ring) {
        p = {p.x * c - p.y * s, p.x * s + p.y * c};
    }
    return ring;
}

// 25,000 teeth 8 mm wide and 99 m tall on a strip 1 m deep, in the floats a
// sheet holds.
std::vector<vesk::FootprintPoint> NarrowComb() {
    constexpr int kTeeth = 25000;
    constexpr float kWidth = 0.008f;
    std::vector<vesk::FootprintPoint> ring = {{0.0, 0.0}, {2 * kTeeth * kWidth, 0.0}};
    for (int tooth = kTeeth - 1; tooth >= 0; --tooth) {
        const float left = static_cast<float>(2 * tooth) * kWidth;
        ring.insert(ring.end(),
                    {{left + kWidth, 1.0}, {left + kWidth, 100.0}, {left, 100.0}, {left, 1.0}});
    }
    return ring;
}

std::vector<vesk::FootprintPoint> LargeRing(std::int64_t which) {
    std::mt19937 random(11);
    switch (which) {
        case kComb:
            return Comb(random);
        case kStar:
            return Star(random);
        case kTurnedComb:
            return TurnedComb();
        default:
            return NarrowComb();
    }
}

void BM_EarClipLargeRing(benchmark::State& state) {
    const auto ring = LargeRing(state.range(0));
    vesk::EarClipping ears;
    std::vector<vesk::FootprintTriangle> triangles;
    for (auto _ : state) {
        triangles.clear();
        if (!ears.Triangulate(ring, true, triangles)) {
            state.SkipWithError("the ring's ears could not all be clipped");
            return;
        }
    }
    state.counters["triangles"] = static_cast<double>(triangles.size());
}

// The proof of simplicity that the model and the check run first: a sweep
// for rings of more than 32 corners, which GEOS's validity check decided
// before.
void BM_ProveLargeRingSimple(benchmark::State& state) {
    const auto ring = LargeRing(state.range(0));
    for (auto _ : state) {
        if (!vesk::IsClearlySimpleRing(ring)) {
            state.SkipWithError("the ring was not proven simple");
            return;
        }
    }
}

void BM_GeosValidLargeRing(benchmark::State& state) {
    const auto ring = LargeRing(state.range(0));
    vesk::GeosContext geos;
    const auto handle = geos.Handle();
    std::vector<double> xy;
    for (std::size_t k = 0; k <= ring.size(); ++k) {
        xy.insert(xy.end(), {ring[k % ring.size()].x, ring[k % ring.size()].y});
    }
    for (auto _ : state) {
        GEOSCoordSequence* sequence = GEOSCoordSeq_copyFromBuffer_r(
            handle, xy.data(), static_cast<unsigned>(ring.size() + 1), 0, 0);
        const vesk::GeosGeometry polygon =
            vesk::Own(geos, GEOSGeom_createPolygon_r(
                                handle, GEOSGeom_createLinearRing_r(handle, sequence), nullptr, 0));
        if (GEOSisValid_r(handle, polygon.get()) != 1) {
            state.SkipWithError("GEOS found the ring invalid");
            return;
        }
    }
}

// Wall time, and the CPU time of every thread of the process.
BENCHMARK(BM_LssgConversion)
    ->Arg(kStars)
    ->Arg(kStarsWithTexture)
    ->Arg(kRectangles)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK(BM_ExportGlb)
    ->Arg(kStars)
    ->Arg(kStarsWithTexture)
    ->Arg(kRectangles)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK(BM_BuildBlockModel)
    ->Arg(kStars)
    ->Arg(kStarsWithTexture)
    ->Arg(kRectangles)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK(BM_TriangulateFootprints)->Arg(kStars)->Arg(kRectangles)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GeosFootprints)->Arg(kStars)->Arg(kRectangles)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EarClipFootprints)->Arg(kStars)->Arg(kRectangles)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EarClipLargeRing)
    ->Arg(kComb)
    ->Arg(kStar)
    ->Arg(kTurnedComb)
    ->Arg(kNarrowComb)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProveLargeRingSimple)
    ->Arg(kComb)
    ->Arg(kStar)
    ->Arg(kTurnedComb)
    ->Arg(kNarrowComb)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GeosValidLargeRing)
    ->Arg(kComb)
    ->Arg(kStar)
    ->Arg(kTurnedComb)
    ->Arg(kNarrowComb)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeTexture)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodePng)
    ->ArgsProduct({{1, 3, 6, 9}, {1}, {0x08, 0x10, 0x20, 0x80, 0xF8}})
    ->ArgsProduct({{1}, {2, 3}, {0x08, 0x10, 0x20, 0x80, 0xF8}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportGlbPeakHeap)
    ->Arg(kStars)
    ->Arg(kStarsWithTexture)
    ->Arg(kRectangles)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
