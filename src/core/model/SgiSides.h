#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace vesk {

struct SgiSides {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

// The sides an SGI file's header states, read without decoding it, so that an
// image of no pixels or too large to load is not decoded either; nothing when
// it is no SGI header. A one-dimensional image is one row.
std::optional<SgiSides> StatedSgiSides(std::span<const std::byte> file);

// A detail naming each side outside least to most pixels with its length:
// "width 0", "width 0, height 20000"; empty when both lie within.
std::string SidesOutside(const SgiSides& sides, std::uint32_t least, std::uint32_t most);

// The detail of a texture that has no pixels, naming its sides of 0, as the
// model and the data check both give it; empty when it has pixels.
std::string EmptySides(const SgiSides& sides);

}  // namespace vesk
