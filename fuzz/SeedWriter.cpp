// Writes the hand-made seeds of the fuzzing corpus that are not text:
// open_convert/ gets the sheets whose DEM grid has no points while one of its
// sides is as large as 32 bits allow, footprints of 100,000 corners (a comb
// and a star) and a run-length texture whose rows all claim the rest of the
// file, which once took time growing with the square of their size; sgi/
// that texture alone and a small one that decodes;
// environment/ an environment file whose home folder is in Shift-JIS.
// `vesk-fuzz-seeds CORPUS` writes them below CORPUS.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ByteSink.h"
#include "ByteWriter.h"
#include "ChunkWriter.h"

namespace {

using vesk::sample::ByteWriter;
using vesk::sample::PutChunk;
using vesk::sample::VectorSink;

struct DemSeed {
    const char* fileName;
    std::uint32_t columns;
    std::uint32_t rows;
};

constexpr DemSeed kDemSeeds[] = {
    {"dem-0-columns-4294967295-rows.tqb", 0, 0xFFFFFFFFu},
    {"dem-4294967295-columns-0-rows.tqb", 0xFFFFFFFFu, 0},
};

// A zone-9 sheet with one sub-sheet (block 1) whose only data is the DEM
// header: no heights follow, and the grid claims none.
std::vector<std::byte> DemOnlySheet(const DemSeed& seed) {
    VectorSink sink(128);
    ByteWriter body;
    body.I32(2500);
    body.I32(9);
    body.F32(-8000.0f);
    body.F32(-36000.0f);
    body.F32(2000.0f);
    body.F32(1500.0f);
    PutChunk(sink, vesk::sample::kSheetAreaId, "AREA", body.Bytes());
    body.Clear();
    body.I32(0);
    body.F32(-8000.0f);
    body.F32(-34800.0f);
    body.F32(400.0f);
    body.F32(300.0f);
    PutChunk(sink, vesk::sample::kSubSheetAreaId, "AREA", body.Bytes());
    body.Clear();
    body.U32(seed.columns);
    body.U32(seed.rows);
    body.F32(10.0f);
    body.F32(10.0f);
    PutChunk(sink, vesk::sample::kDemId, "DEMF", body.Bytes());
    return sink.Take();
}

// A zone-9 sheet whose block 1 lies at the zone's origin, with the given
// chunks after its area.
std::vector<std::byte> OneBlockSheet(std::uint32_t chunkId, std::string_view tag,
                                     std::span<const std::byte> chunkBody) {
    VectorSink sink(chunkBody.size() + 128);
    ByteWriter body;
    body.I32(2500);
    body.I32(9);
    for (const float value : {0.0f, 0.0f, 2000.0f, 1500.0f}) {
        body.F32(value);
    }
    PutChunk(sink, vesk::sample::kSheetAreaId, "AREA", body.Bytes());
    body.Clear();
    body.I32(0);
    for (const float value : {0.0f, 0.0f, 400.0f, 300.0f}) {
        body.F32(value);
    }
    PutChunk(sink, vesk::sample::kSubSheetAreaId, "AREA", body.Bytes());
    PutChunk(sink, chunkId, tag, chunkBody);
    return sink.Take();
}

using Corners = std::vector<std::pair<float, float>>;

std::vector<std::byte> BuildingSheet(const Corners& corners) {
    ByteWriter body;
    body.F32(10.0f);
    body.F32(20.0f);
    body.U32(static_cast<std::uint32_t>(corners.size()));
    for (const auto& [x, y] : corners) {
        body.F32(x);
        body.F32(y);
    }
    return OneBlockSheet(vesk::sample::kBuildingId, "STRC", body.Bytes());
}

// 25,000 teeth 8 mm wide and 99 m tall standing on a strip, counter-clockwise.
Corners Comb() {
    constexpr int kTeeth = 25000;
    constexpr float kWidth = 0.008f;
    Corners corners{{0.0f, 0.0f}, {2 * kTeeth * kWidth, 0.0f}};
    for (int tooth = kTeeth - 1; tooth >= 0; --tooth) {
        const float left = static_cast<float>(2 * tooth) * kWidth;
        corners.insert(
            corners.end(),
            {{left + kWidth, 1.0f}, {left + kWidth, 100.0f}, {left, 100.0f}, {left, 1.0f}});
    }
    return corners;
}

// Corners 150 m and 50 m from the block's centre by turns.
Corners Star() {
    constexpr int kCorners = 100000;
    Corners corners;
    for (int k = 0; k < kCorners; ++k) {
        const double angle = 2.0 * std::numbers::pi * k / kCorners;
        const double radius = k % 2 == 0 ? 150.0 : 50.0;
        corners.emplace_back(static_cast<float>(200.0 + radius * std::cos(angle)),
                             static_cast<float>(150.0 + radius * std::sin(angle)));
    }
    return corners;
}

// A 4 MB run-length SGI image of 1024 x 1024 RGB pixels whose 3,072 rows all
// start at the first data byte and claim every byte to the end of the file;
// the data are packets of 127 repeats.
std::vector<std::byte> OverlappingRowsImage() {
    constexpr std::uint16_t kSide = 1024;
    constexpr std::uint32_t kRows = kSide * 3;
    constexpr std::uint32_t kSize = 4u << 20;
    constexpr std::uint32_t kData = 512 + 8 * kRows;
    ByteWriter image;
    image.U16BigEndian(474);
    image.U8(1);  // run-length
    image.U8(1);  // bytes per channel
    image.U16BigEndian(3);
    image.U16BigEndian(kSide);
    image.U16BigEndian(kSide);
    image.U16BigEndian(3);
    image.Zeros(512 - 12);
    for (std::uint32_t row = 0; row < kRows; ++row) {
        image.I32BigEndian(static_cast<std::int32_t>(kData));
    }
    for (std::uint32_t row = 0; row < kRows; ++row) {
        image.I32BigEndian(static_cast<std::int32_t>(kSize - kData));
    }
    while (image.Bytes().size() < kSize) {
        image.U8(0x7F);
        image.U8(0x80);
    }
    return {image.Bytes().begin(), image.Bytes().end()};
}

// A verbatim SGI image of 2 x 2 RGB pixels, a seed of the images that decode.
std::vector<std::byte> SmallImage() {
    ByteWriter image;
    image.U16BigEndian(474);
    image.U8(0);  // verbatim
    image.U8(1);
    image.U16BigEndian(3);
    image.U16BigEndian(2);
    image.U16BigEndian(2);
    image.U16BigEndian(3);
    image.Zeros(512 - 12);
    for (int sample = 0; sample < 12; ++sample) {
        image.U8(static_cast<std::uint8_t>(sample * 20));
    }
    return {image.Bytes().begin(), image.Bytes().end()};
}

// "HOME_PATH=C:\\景観" as an old Windows installation writes it.
std::vector<std::byte> ShiftJisHomeEnvironment() {
    ByteWriter text;
    text.Text("HOME_PATH=C:\\");
    for (const std::uint8_t byte : {0x8C, 0x69, 0x8A, 0xCF}) {
        text.U8(byte);
    }
    text.Text(";\r\nFILE_PATH_TEXTURE=kdb\\texture;\r\n");
    return {text.Bytes().begin(), text.Bytes().end()};
}

bool WriteFile(const std::filesystem::path& path, const std::vector<std::byte>& bytes) {
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: vesk-fuzz-seeds CORPUS\n", stderr);
        return 2;
    }
    const std::filesystem::path corpus = argv[1];
    std::vector<std::pair<std::filesystem::path, std::vector<std::byte>>> seeds;
    for (const DemSeed& seed : kDemSeeds) {
        seeds.emplace_back(corpus / "open_convert" / seed.fileName, DemOnlySheet(seed));
    }
    seeds.emplace_back(corpus / "open_convert" / "comb-100000-corners.tqb", BuildingSheet(Comb()));
    seeds.emplace_back(corpus / "open_convert" / "star-100000-corners.tqb", BuildingSheet(Star()));
    const std::vector<std::byte> overlapping = OverlappingRowsImage();
    seeds.emplace_back(corpus / "open_convert" / "texture-rows-overlapping.tqb",
                       OneBlockSheet(vesk::sample::kOrthoId, "ORTS", overlapping));
    seeds.emplace_back(corpus / "sgi" / "rows-overlapping.sgi", overlapping);
    seeds.emplace_back(corpus / "sgi" / "verbatim-2x2.sgi", SmallImage());
    seeds.emplace_back(corpus / "environment" / "home-shift-jis.env", ShiftJisHomeEnvironment());
    for (const auto& [path, bytes] : seeds) {
        if (!WriteFile(path, bytes)) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
