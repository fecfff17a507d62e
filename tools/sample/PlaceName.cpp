#include "PlaceName.h"

#include <array>
#include <bit>
#include <string_view>

#include "Random.h"

namespace vesk::sample {
namespace {

// The districts within 2 km east and 1.5 km north of the default sheet's corner.
constexpr std::array<std::string_view, 7> kCentralDistricts = {
    "千代田区日比谷公園", "千代田区丸の内", "千代田区有楽町",   "千代田区霞が関",
    "千代田区内幸町",     "千代田区大手町", "千代田区皇居外苑",
};

constexpr std::array<std::string_view, 12> kTownFirst = {
    "桜", "緑", "若葉", "本", "東", "西", "南", "北", "中", "旭", "栄", "松",
};
constexpr std::array<std::string_view, 6> kTownLast = {"町", "台", "ヶ丘", "原", "川", "野"};
constexpr std::array<std::string_view, 5> kChome = {"一丁目", "二丁目", "三丁目", "四丁目",
                                                    "五丁目"};

template <std::size_t N>
std::string_view Pick(const std::array<std::string_view, N>& names, std::uint64_t value) {
    return names[value % N];
}

}  // namespace

std::string MakePlaceName(int zone, float originX, float originY, std::uint32_t seed) {
    if (zone == 9 && originX == -8000.0f && originY == -36000.0f) {
        return std::string(Pick(kCentralDistricts, seed));
    }
    Random random(
        HashKey({seed, static_cast<std::uint64_t>(static_cast<std::uint32_t>(zone)),
                 std::bit_cast<std::uint32_t>(originX), std::bit_cast<std::uint32_t>(originY)}));
    std::string name(Pick(kTownFirst, random.Next()));
    name += Pick(kTownLast, random.Next());
    name += Pick(kChome, random.Next());
    return name;
}

}  // namespace vesk::sample
