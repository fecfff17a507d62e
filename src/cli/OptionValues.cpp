#include "OptionValues.h"

#include <charconv>
#include <cmath>

namespace vesk::cli {
namespace {

// Shards beyond this would each hold less than a sheet of any collection we know.
constexpr long long kMaxShards = 1000000;

}  // namespace

std::optional<long long> ParseInteger(std::string_view text, long long low, long long high) {
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> ParseReal(std::string_view text, double limit) {
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value) ||
        std::abs(value) > limit) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::pair<int, int>> ParseIntegerPair(std::string_view text, char separator, int low,
                                                    int high) {
    const auto at = text.find(separator);
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    const auto first = ParseInteger(text.substr(0, at), low, high);
    const auto second = ParseInteger(text.substr(at + 1), low, high);
    if (!first || !second) {
        return std::nullopt;
    }
    return std::pair{static_cast<int>(*first), static_cast<int>(*second)};
}

std::optional<Shard> ParseShard(std::string_view text) {
    const std::size_t slash = text.find('/');
    if (slash == std::string_view::npos) {
        return std::nullopt;
    }
    const auto count = ParseInteger(text.substr(slash + 1), 1, kMaxShards);
    const auto index = count ? ParseInteger(text.substr(0, slash), 0, *count - 1) : std::nullopt;
    if (!index) {
        return std::nullopt;
    }
    return Shard{static_cast<unsigned>(*index), static_cast<unsigned>(*count)};
}

}  // namespace vesk::cli
