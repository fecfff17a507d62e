// Writing a sub-sheet's geometry file, against two baselines: (a) the same
// statements written with one fprintf each, the straightforward way, and (b)
// the finished bytes written from memory with one write.
//
//   build/release/bench/vesk_convert_benchmark
//
// The sub-sheet (BenchBlock.h: 5,000 buildings of 4 to 40 vertices, a 401 x 301 DEM, with
// texture) is generated into a temporary file first. A second run with 20,000
// buildings shows that peak heap memory does not grow with their number, and
// one building of 5 million vertices what a single building costs.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "BenchBlock.h"
#include "ByteWriter.h"
#include "ChunkWriter.h"
#include "SilentUi.h"
#include "convert/GeometryWriter.h"
#include "platform/ReadOnlyFile.h"
#include "sheet/ByteReader.h"
#include "sheet/ChunkHeader.h"
#include "sheet/FileByteSource.h"
#include "sheet/LittleEndian.h"

// Heap bytes in use and their peak, counted by replacing the global allocator
// of this program: the conversion's peak must not follow the building count.
// Kept out of line so that the compiler does not pair these with other
// allocation functions.
namespace {

std::atomic<std::size_t> g_liveBytes{0};
std::atomic<std::size_t> g_peakBytes{0};

}  // namespace

[[gnu::noinline]] void* operator new(std::size_t size) {
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    const std::size_t live = g_liveBytes += malloc_usable_size(block);
    std::size_t peak = g_peakBytes.load();
    while (live > peak && !g_peakBytes.compare_exchange_weak(peak, live)) {
    }
    return block;
}

[[gnu::noinline]] void operator delete(void* block) noexcept {
    if (block != nullptr) {
        g_liveBytes -= malloc_usable_size(block);
        std::free(block);
    }
}

[[gnu::noinline]] void operator delete(void* block, std::size_t) noexcept {
    operator delete(block);
}

namespace {

using vesk::ByteReader;
using vesk::FileByteSource;
using vesk::SubSheetRecord;

constexpr const char* kBaseName = "09M0080M034800040003";
const std::filesystem::path g_folder =
    std::filesystem::temp_directory_path() / "vesk-bench-convert";

using vesk::bench::BenchSheet;
using vesk::bench::CountingSink;
using vesk::bench::kBlockX0;
using vesk::bench::kBlockY0;
using vesk::bench::SilentUi;

// One building of `corners` vertices on a circle, alone in its sub-sheet.
BenchSheet MakeLargeBuildingSheet(int corners) {
    BenchSheet sheet;
    std::filesystem::create_directories(g_folder);
    sheet.path = g_folder / ("building-" + std::to_string(corners) + ".tqb");
    std::ofstream out(sheet.path, std::ios::binary | std::ios::trunc);
    CountingSink sink(out);
    vesk::sample::ByteWriter body;
    body.F32(10.0f);
    body.F32(42.5f);
    body.U32(static_cast<std::uint32_t>(corners));
    for (int i = 0; i < corners; ++i) {
        const double angle = 2.0 * 3.14159265358979 * i / corners;
        body.F32(kBlockX0 + 200.0f + 150.0f * static_cast<float>(std::cos(angle)));
        body.F32(kBlockY0 + 150.0f + 120.0f * static_cast<float>(std::sin(angle)));
    }
    sheet.record.buildingPositions.push_back(sink.Offset());
    sheet.record.buildingCount = 1;
    vesk::sample::PutChunk(sink, vesk::sample::kBuildingId, "STRC", body.Bytes());
    sheet.record.originX = kBlockX0;
    sheet.record.originY = kBlockY0;
    sheet.record.width = 400.0f;
    sheet.record.height = 300.0f;
    return sheet;
}

const BenchSheet& SheetWith(int buildings) {
    static std::map<int, BenchSheet> sheets;
    auto found = sheets.find(buildings);
    if (found == sheets.end()) {
        const auto path = g_folder / ("subsheet-" + std::to_string(buildings) + ".tqb");
        found = sheets.emplace(buildings, vesk::bench::MakeBlockSheet(path, {buildings})).first;
    }
    return found->second;
}

std::string ReadWhole(const std::filesystem::path& path) {
    return vesk::ReadWholeFile(path).value_or(std::string());
}

bool WriteOurs(const BenchSheet& sheet, const std::filesystem::path& out) {
    auto source = FileByteSource::Open(sheet.path);
    SilentUi ui;
    return source && vesk::WriteGeometryFile(*source, out, kBaseName, sheet.record,
                                             {true, true, true, false}, ui);
}

// ---- Baseline (a): one fprintf per statement ----

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

void FprintfBuilding(std::FILE* f, int k, float b, float r, const std::vector<float>& xy) {
    const int n = static_cast<int>(xy.size() / 2);
    const auto x = [&](int i) { return static_cast<double>(xy[2 * i]); };
    const auto y = [&](int i) { return static_cast<double>(xy[2 * i + 1]); };
    if (n > 3)
        std::fprintf(f, "CONCAVE(ON);\r\n");
    std::fprintf(f, "BUILD_ROOF%06d=GROUP();\r\n", k);
    for (int i = 0; i < n; ++i)
        std::fprintf(f, "V%06d=COORD(%f,%f,%f);\r\n", i, x(i), y(i), double{r});
    for (int i = 0; i < n; ++i)
        std::fprintf(f, "P%06d=VERTEX(V%06d,,,);\r\n", i, i);
    std::fprintf(f, "F000000=FACE(");
    for (int i = 0; i < n; ++i)
        std::fprintf(f, i ? ",P%06d" : "P%06d", i);
    std::fprintf(f, ");\r\n");
    std::fprintf(f, "N000000=NORMAL(0.0,0.0,1.0);\r\n");
    std::fprintf(f, "FACE_NORMAL(F000000,N000000);\r\n");
    std::fprintf(f, "GROUP_FACE(BUILD_ROOF%06d,F000000);\r\n", k);
    if (n > 3)
        std::fprintf(f, "CONCAVE(OFF);\r\n");
    std::fprintf(f, "BUILD_WALL%06d=GROUP();\r\n", k);
    for (int i = 0; i < n; ++i) {
        std::fprintf(f, "VBOTM%06d=COORD(%f,%f,%f);\r\n", i, x(i), y(i), double{b});
        std::fprintf(f, "VROOF%06d=COORD(%f,%f,%f);\r\n", i, x(i), y(i), double{r});
    }
    for (int i = 0; i < n; ++i) {
        std::fprintf(f, "PBOTM%06d=VERTEX(VBOTM%06d,,,);\r\n", i, i);
        std::fprintf(f, "PROOF%06d=VERTEX(VROOF%06d,,,);\r\n", i, i);
    }
    for (int i = 0; i < n; ++i) {
        const int j = (i + 1) % n;
        std::fprintf(f, "F%06d=FACE(PBOTM%06d,PBOTM%06d,PROOF%06d,PROOF%06d);\r\n", i, i, j, j, i);
    }
    std::fprintf(f, "GROUP_FACE(BUILD_WALL%06d", k);
    for (int i = 0; i < n; ++i)
        std::fprintf(f, ",F%06d", i);
    std::fprintf(f, ");\r\n");
}

void FprintfTerrain(std::FILE* f, const SubSheetRecord& record, int nx, int ny, float dx, float dy,
                    const std::vector<float>& h) {
    std::fprintf(f, "DEM=GROUP(&GROUND);\r\n");
    for (int i = 0; i < ny; ++i) {
        for (int j = 0; j < nx; ++j) {
            std::fprintf(f, "V%02d=COORD(%f,%f,%f);\r\n", i * nx + j,
                         record.originX + j * double{dx}, record.originY + i * double{dy},
                         double{h[i * nx + j]});
        }
    }
    for (int i = 0; i < ny; ++i) {
        for (int j = 0; j < nx; ++j) {
            std::fprintf(f, "T%02d=TCOORD(%f,%f);\r\n", i * nx + j, j / double(nx - 1),
                         i / double(ny - 1));
        }
    }
    for (int v = 0; v < nx * ny; ++v)
        std::fprintf(f, "P%02d=VERTEX(V%02d,,T%02d);\r\n", v, v, v);
    int faces = 0;
    for (int i = 0; i < ny - 1; ++i) {
        for (int j = 0; j < nx - 1; ++j, ++faces) {
            const int a = i * nx + j;
            std::fprintf(f, "F%02d=FACE(P%02d,P%02d,P%02d,P%02d);\r\n", faces, a, a + 1, a + nx + 1,
                         a + nx);
        }
    }
    std::fprintf(f, "ORT=TEXTURE(\"%s.sgi\");\r\n", kBaseName);
    for (int g = 0; g < faces; ++g)
        std::fprintf(f, "FACE_TEXTURE(F%02d,ORT);\r\n", g);
    std::fprintf(f, "GROUP_FACE(DEM");
    for (int g = 0; g < faces; ++g)
        std::fprintf(f, ",F%02d", g);
    std::fprintf(f, ");");
}

bool WriteWithFprintf(const BenchSheet& sheet, const std::filesystem::path& out) {
    auto source = FileByteSource::Open(sheet.path);
    std::unique_ptr<std::FILE, FileCloser> f(std::fopen(out.c_str(), "wb"));
    if (!source || !f) {
        return false;
    }
    int k = 0;
    for (const std::uint32_t position : sheet.record.buildingPositions) {
        ByteReader reader(*source, position + vesk::kChunkHeaderSize);
        const auto b = reader.ReadF32();
        const auto r = reader.ReadF32();
        const auto n = reader.ReadU32();
        std::vector<float> xy(2 * std::size_t{*n});
        for (float& value : xy) {
            value = *reader.ReadF32();
        }
        FprintfBuilding(f.get(), k++, *b, *r, xy);
    }
    ByteReader reader(*source, sheet.record.demPosition + vesk::kChunkHeaderSize);
    const int nx = static_cast<int>(*reader.ReadU32());
    const int ny = static_cast<int>(*reader.ReadU32());
    const float dx = *reader.ReadF32();
    const float dy = *reader.ReadF32();
    std::vector<float> heights(static_cast<std::size_t>(nx) * ny);
    for (float& value : heights) {
        value = *reader.ReadF32();
    }
    FprintfTerrain(f.get(), sheet.record, nx, ny, dx, dy, heights);
    return true;
}

// ---- The benchmarks ----

void ReportGeoBytes(benchmark::State& state, const std::filesystem::path& out) {
    const auto bytes = static_cast<std::int64_t>(std::filesystem::file_size(out));
    state.SetBytesProcessed(bytes * state.iterations());
    state.counters["geo_MB"] = static_cast<double>(bytes) / 1e6;
}

void BM_WriteGeometryFile(benchmark::State& state) {
    const BenchSheet& sheet = SheetWith(static_cast<int>(state.range(0)));
    const auto out = g_folder / "ours.geo";
    std::size_t peak = 0;
    for (auto _ : state) {
        const std::size_t before = g_liveBytes.load();
        g_peakBytes = before;
        if (!WriteOurs(sheet, out)) {
            state.SkipWithError("the geometry file was not written");
            return;
        }
        peak = std::max(peak, g_peakBytes.load() - before);
    }
    ReportGeoBytes(state, out);
    state.counters["peak_heap_MB"] = static_cast<double>(peak) / 1e6;
}

// The heap one building needs while it is written, against the bytes of its
// STRC body (the 1 MiB output buffer and the read-ahead block included).
void BM_WriteOneLargeBuilding(benchmark::State& state) {
    const int corners = static_cast<int>(state.range(0));
    const BenchSheet sheet = MakeLargeBuildingSheet(corners);
    const auto out = g_folder / "building.geo";
    const double bodyBytes = 12.0 + 8.0 * corners;
    std::size_t peak = 0;
    for (auto _ : state) {
        const std::size_t before = g_liveBytes.load();
        g_peakBytes = before;
        auto source = FileByteSource::Open(sheet.path);
        SilentUi ui;
        if (!source || !vesk::WriteGeometryFile(*source, out, kBaseName, sheet.record,
                                                {true, false, false, false}, ui)) {
            state.SkipWithError("the geometry file was not written");
            return;
        }
        peak = std::max(peak, g_peakBytes.load() - before);
    }
    ReportGeoBytes(state, out);
    state.counters["strc_body_MB"] = bodyBytes / 1e6;
    state.counters["peak_heap_MB"] = static_cast<double>(peak) / 1e6;
    state.counters["peak_per_body"] = static_cast<double>(peak) / bodyBytes;
    std::filesystem::remove(out);
    std::filesystem::remove(sheet.path);
}

void BM_FprintfPerStatement(benchmark::State& state) {
    const BenchSheet& sheet = SheetWith(static_cast<int>(state.range(0)));
    const auto ours = g_folder / "ours.geo";
    const auto out = g_folder / "fprintf.geo";
    if (!WriteOurs(sheet, ours) || !WriteWithFprintf(sheet, out) ||
        ReadWhole(ours) != ReadWhole(out)) {
        state.SkipWithError("the baseline does not write the same bytes");
        return;
    }
    for (auto _ : state) {
        WriteWithFprintf(sheet, out);
    }
    ReportGeoBytes(state, out);
}

void BM_OneWriteFromMemory(benchmark::State& state) {
    const BenchSheet& sheet = SheetWith(static_cast<int>(state.range(0)));
    const auto ours = g_folder / "ours.geo";
    const auto out = g_folder / "memory.geo";
    WriteOurs(sheet, ours);
    const std::string bytes = ReadWhole(ours);
    for (auto _ : state) {
        const int fd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        std::size_t done = 0;
        while (fd >= 0 && done < bytes.size()) {
            const ssize_t wrote = ::write(fd, bytes.data() + done, bytes.size() - done);
            if (wrote <= 0) {
                break;
            }
            done += static_cast<std::size_t>(wrote);
        }
        ::close(fd);
        if (done != bytes.size()) {
            state.SkipWithError("the write failed");
            return;
        }
    }
    ReportGeoBytes(state, out);
}

BENCHMARK(BM_WriteGeometryFile)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteOneLargeBuilding)->Arg(5'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FprintfPerStatement)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OneWriteFromMemory)->Arg(5000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
