#include "BenchBlock.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <utility>
#include <vector>

#include "ByteWriter.h"
#include "ChunkWriter.h"
#include "Raster.h"
#include "SgiImage.h"

namespace vesk::bench {
namespace {

constexpr int kTexturePixels = 1024;

using Corners = std::vector<std::pair<float, float>>;

Corners Star(std::mt19937& random, int corners, float cx, float cy) {
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    Corners star;
    for (int i = 0; i < corners; ++i) {
        const double angle = 2.0 * 3.14159265358979 * i / corners;
        const float radius = 4.0f + 12.0f * unit(random);
        star.emplace_back(cx + radius * static_cast<float>(std::cos(angle)),
                          cy + radius * static_cast<float>(std::sin(angle)));
    }
    return star;
}

// A rectangle, or an L when one corner is cut out, turned about its centre.
Corners RectangleOrL(std::mt19937& random, float cx, float cy, bool cutCorner) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const double w = 6.0 + 24.0 * unit(random);
    const double d = 6.0 + 14.0 * unit(random);
    const double turn = std::numbers::pi * unit(random);
    std::vector<std::pair<double, double>> local = {{0, 0}, {w, 0}, {w, d}, {0, d}};
    if (cutCorner) {
        local = {{0, 0}, {w, 0}, {w, d / 2}, {w / 2, d / 2}, {w / 2, d}, {0, d}};
    }
    Corners shape;
    for (const auto& [x, y] : local) {
        const double u = x - w / 2;
        const double v = y - d / 2;
        shape.emplace_back(cx + static_cast<float>(u * std::cos(turn) - v * std::sin(turn)),
                           cy + static_cast<float>(u * std::sin(turn) + v * std::cos(turn)));
    }
    return shape;
}

void PutBuilding(CountingSink& sink, std::mt19937& random, FootprintMix mix, int number) {
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    const int starCorners = mix == FootprintMix::kStars ? 4 + static_cast<int>(random() % 37) : 0;
    const float cx = kBlockX0 + 20.0f + 360.0f * unit(random);
    const float cy = kBlockY0 + 20.0f + 260.0f * unit(random);
    const float bottom = 5.0f + 40.0f * unit(random);
    const float roof = bottom + 3.0f + 60.0f * unit(random);
    const Corners corners = mix == FootprintMix::kStars
                                ? Star(random, starCorners, cx, cy)
                                : RectangleOrL(random, cx, cy, number % 5 == 4);
    sample::ByteWriter body;
    body.F32(bottom);
    body.F32(roof);
    body.U32(static_cast<std::uint32_t>(corners.size()));
    for (const auto& [x, y] : corners) {
        body.F32(x);
        body.F32(y);
    }
    sample::PutChunk(sink, sample::kBuildingId, "STRC", body.Bytes());
}

void PutDem(CountingSink& sink, std::mt19937& random) {
    constexpr std::uint32_t kColumns = 401;
    constexpr std::uint32_t kRows = 301;
    sample::ByteWriter body;
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
    sample::PutChunk(sink, sample::kDemId, "DEMF", body.Bytes());
}

// Smooth colour fields with a little grain, as an aerial photograph has.
void PutOrtho(CountingSink& sink, std::mt19937& random) {
    sample::Raster raster(kTexturePixels, kTexturePixels);
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
    sample::VectorSink body(sample::SgiImageSize(kTexturePixels, kTexturePixels));
    sample::PutSgiImage(body, raster, "bench");
    sample::PutChunk(sink, sample::kOrthoId, "ORTS", body.Take());
}

}  // namespace

void CountingSink::Put(std::span<const std::byte> bytes) {
    out_.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    offset_ += bytes.size();
}

BenchSheet MakeBlockSheet(const std::filesystem::path& path, const BlockContents& contents) {
    BenchSheet sheet{path, {}};
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    CountingSink sink(out);
    std::mt19937 random(2500);
    sample::ByteWriter area;
    area.I32(0);
    area.F32(kBlockX0);
    area.F32(kBlockY0);
    area.F32(400.0f);
    area.F32(300.0f);
    sample::PutChunk(sink, sample::kSubSheetAreaId, "AREA", area.Bytes());
    for (int k = 0; k < contents.buildings; ++k) {
        sheet.record.buildingPositions.push_back(sink.Offset());
        PutBuilding(sink, random, contents.footprints, k);
    }
    sheet.record.buildingCount = contents.buildings;
    sheet.record.hasDem = 1;
    sheet.record.demPosition = sink.Offset();
    PutDem(sink, random);
    if (contents.texture) {
        sheet.record.hasOrtho = 1;
        sheet.record.orthoPosition = sink.Offset();
        PutOrtho(sink, random);
    }
    sheet.record.zone = 9;
    sheet.record.originX = kBlockX0;
    sheet.record.originY = kBlockY0;
    sheet.record.width = 400.0f;
    sheet.record.height = 300.0f;
    return sheet;
}

}  // namespace vesk::bench
