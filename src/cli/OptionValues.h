#pragma once

#include <optional>
#include <string_view>
#include <utility>

#include "tiles/TilesBatch.h"

namespace vesk::cli {

// Option values read from their whole text: anything left over, or a value out
// of range, is no value.

// An integer within [low, high].
std::optional<long long> ParseInteger(std::string_view text, long long low, long long high);

// A finite real within [-limit, limit].
std::optional<double> ParseReal(std::string_view text, double limit);

// Two integers in [low, high] joined by the separator, as in "500x375".
std::optional<std::pair<int, int>> ParseIntegerPair(std::string_view text, char separator, int low,
                                                    int high);

// "I/N" with 0 <= I < N.
std::optional<Shard> ParseShard(std::string_view text);

}  // namespace vesk::cli
