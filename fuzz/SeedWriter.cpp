// Writes the hand-made seeds of the fuzzing corpus that are not text:
// open_convert/ gets the sheets whose DEM grid has no points while one of its
// sides is as large as 32 bits allow, environment/ an environment file whose
// home folder is in Shift-JIS. `vesk-fuzz-seeds CORPUS` writes them below CORPUS.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
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
    seeds.emplace_back(corpus / "environment" / "home-shift-jis.env", ShiftJisHomeEnvironment());
    for (const auto& [path, bytes] : seeds) {
        if (!WriteFile(path, bytes)) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
