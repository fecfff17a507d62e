#include "Terrain.h"

#include <cmath>
#include <numbers>

#include "Random.h"

namespace vesk::sample {
namespace {

constexpr int kWaveCount = 4;

}  // namespace

Terrain::Terrain(std::uint32_t seed) {
    Random random(HashKey({seed, 0x7E55A1Au}));
    for (int k = 0; k < kWaveCount; ++k) {
        // Long waves carry the larger amplitudes; no slope comes near 5 degrees.
        const double wavelength = random.Between(500.0, 2500.0);
        const double direction = random.Between(0.0, 2.0 * std::numbers::pi);
        const double frequency = 2.0 * std::numbers::pi / wavelength;
        TerrainWave wave;
        wave.amplitude = wavelength * random.Between(0.0015, 0.003);
        wave.u = frequency * std::cos(direction);
        wave.v = frequency * std::sin(direction);
        wave.phase = random.Between(0.0, 2.0 * std::numbers::pi);
        amplitudeSum_ += wave.amplitude;
        waves_.push_back(wave);
    }
    base_ = amplitudeSum_ + random.Between(2.0, 20.0);
}

double Terrain::HeightAt(double x, double y) const {
    double height = base_;
    for (const TerrainWave& wave : waves_) {
        height += wave.amplitude * std::sin(wave.u * x + wave.v * y + wave.phase);
    }
    return height;
}

TerrainGrid::TerrainGrid(const Terrain& terrain, std::span<const double> xs,
                         std::span<const double> ys)
    : waves_(terrain.Waves()), base_(terrain.Base()), columns_(xs.size()), rows_(ys.size()) {
    const std::size_t waveCount = waves_.size();
    byColumn_.sin.resize(waveCount * columns_);
    byColumn_.cos.resize(waveCount * columns_);
    byRow_.sin.resize(waveCount * rows_);
    byRow_.cos.resize(waveCount * rows_);
    for (std::size_t k = 0; k < waveCount; ++k) {
        for (std::size_t c = 0; c < columns_; ++c) {
            const double a = waves_[k].u * xs[c] + waves_[k].phase;
            byColumn_.sin[k * columns_ + c] = std::sin(a);
            byColumn_.cos[k * columns_ + c] = std::cos(a);
        }
        for (std::size_t r = 0; r < rows_; ++r) {
            const double b = waves_[k].v * ys[r];
            byRow_.sin[k * rows_ + r] = std::sin(b);
            byRow_.cos[k * rows_ + r] = std::cos(b);
        }
    }
}

TerrainSample TerrainGrid::At(std::size_t column, std::size_t row) const {
    TerrainSample sample{base_, 0.0, 0.0};
    for (std::size_t k = 0; k < waves_.size(); ++k) {
        const double sx = byColumn_.sin[k * columns_ + column];
        const double cx = byColumn_.cos[k * columns_ + column];
        const double sy = byRow_.sin[k * rows_ + row];
        const double cy = byRow_.cos[k * rows_ + row];
        // sin(a + b) and cos(a + b) from the factors of a and b.
        const double s = sx * cy + cx * sy;
        const double c = cx * cy - sx * sy;
        sample.height += waves_[k].amplitude * s;
        sample.slopeX += waves_[k].amplitude * waves_[k].u * c;
        sample.slopeY += waves_[k].amplitude * waves_[k].v * c;
    }
    return sample;
}

double TerrainGrid::HeightAt(std::size_t column, std::size_t row) const {
    double height = base_;
    for (std::size_t k = 0; k < waves_.size(); ++k) {
        const double s = byColumn_.sin[k * columns_ + column] * byRow_.cos[k * rows_ + row] +
                         byColumn_.cos[k * columns_ + column] * byRow_.sin[k * rows_ + row];
        height += waves_[k].amplitude * s;
    }
    return height;
}

std::vector<double> Steps(double start, double step, std::size_t count) {
    std::vector<double> values(count);
    for (std::size_t i = 0; i < count; ++i) {
        values[i] = start + static_cast<double>(i) * step;
    }
    return values;
}

}  // namespace vesk::sample
