#include "zonemap/PrefectureTable.h"

namespace vesk {
namespace {

// Label values as the program stores them, in their shortest decimal form.
constexpr Prefecture kZone6[] = {
    {"福井県", {26000.0f, -3000.0f}},      {"三重県", {40000.0f, -164000.0f}},
    {"滋賀県", {11000.0f, -90000.0f}},     {"京都府", {-45000.0f, -86000.0f}},
    {"大阪府", {-40983.14f, -146678.23f}}, {"奈良県", {-9340.2f, -184994.83f}},
    {"和歌山県", {-53000.0f, -235000.0f}},
};

constexpr Prefecture kZone9[] = {
    {"千葉県", {36000.0f, -56000.0f}},      {"福島県", {24771.957f, 152765.86f}},
    {"群馬県", {-74324.41f, 50492.63f}},    {"茨城県", {43225.6f, 36244.29f}},
    {"神奈川県", {-41284.363f, -68000.0f}}, {"埼玉県", {-44528.477f, -2907.2815f}},
    {"栃木県", {-2897.4766f, 71697.38f}},   {"東京都", {-32541.805f, -34007.18f}},
};

}  // namespace

std::span<const Prefecture> Prefectures(int zone) {
    switch (zone) {
        case 6:
            return kZone6;
        case 9:
            return kZone9;
        default:
            return {};
    }
}

int PrefectureCount(int zone) {
    return static_cast<int>(Prefectures(zone).size());
}

PrefectureLabel PrefectureNameAndLabel(int zone, int index) {
    const std::span<const Prefecture> table = Prefectures(zone);
    if (index < 0 || index >= static_cast<int>(table.size())) {
        return {std::string(kUndefinedPrefectureName), {0.0f, 0.0f}};
    }
    const Prefecture& entry = table[static_cast<std::size_t>(index)];
    return {std::string(entry.name), entry.label};
}

}  // namespace vesk
