#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace vesk::sample {

// One plane wave of the ground: amplitude * sin(u x + v y + phase).
struct TerrainWave {
    double amplitude = 0.0;
    double u = 0.0;
    double v = 0.0;
    double phase = 0.0;
};

// Gentle hills as a sum of a few long plane waves over a base height. It is a
// function of the plane coordinates alone, so grids sampled from it meet
// seamlessly at sub-sheet borders and neighbouring sheets fit together.
class Terrain {
public:
    explicit Terrain(std::uint32_t seed);

    double HeightAt(double x, double y) const;
    double Lowest() const { return base_ - amplitudeSum_; }
    double Highest() const { return base_ + amplitudeSum_; }
    double Base() const { return base_; }
    std::span<const TerrainWave> Waves() const { return waves_; }

private:
    std::vector<TerrainWave> waves_;
    double base_ = 0.0;
    double amplitudeSum_ = 0.0;
};

struct TerrainSample {
    double height = 0.0;
    double slopeX = 0.0;  // d height / d x
    double slopeY = 0.0;  // d height / d y
};

// The terrain on a grid given by the plane coordinates of its columns and rows.
// Each wave splits into factors of x and of y, so a grid point costs a few
// multiplications instead of sines: pictures of millions of pixels stay fast.
class TerrainGrid {
public:
    TerrainGrid(const Terrain& terrain, std::span<const double> xs, std::span<const double> ys);

    TerrainSample At(std::size_t column, std::size_t row) const;
    double HeightAt(std::size_t column, std::size_t row) const;

private:
    struct Factors {
        std::vector<double> sin;
        std::vector<double> cos;
    };

    std::span<const TerrainWave> waves_;
    double base_;
    std::size_t columns_;
    std::size_t rows_;
    Factors byColumn_;  // wave k, column c at k * columns_ + c
    Factors byRow_;     // wave k, row r at k * rows_ + r
};

// Plane coordinates of count points from start in steps of step.
std::vector<double> Steps(double start, double step, std::size_t count);

}  // namespace vesk::sample
