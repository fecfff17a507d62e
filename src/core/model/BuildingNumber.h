#pragma once

#include <cstdint>

namespace vesk {

// A building carries no number of its own in the sheet: people know it by its
// place in its block's file order, counted from 1 as the map counts blocks.
// What other programs read (check --json, the exports' metadata) keeps the
// place from 0.
inline std::uint32_t ShownBuildingNumber(std::uint32_t place) {
    return place + 1;
}

}  // namespace vesk
