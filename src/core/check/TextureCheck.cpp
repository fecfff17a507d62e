#include "check/TextureCheck.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <string>

#include "check/CheckLimits.h"
#include "check/SgiLayoutCheck.h"
#include "model/BlockCentre.h"
#include "model/SgiSides.h"
#include "sheet/ByteReader.h"
#include "sheet/SgiLayout.h"

namespace vesk {
namespace {

std::string SidesText(const SgiSides& sides) {
    return std::to_string(sides.width) + " x " + std::to_string(sides.height);
}

// The sides that keep the texture out, of no pixels (named as the model names
// them when it leaves the texture out) or beyond what simulators load; empty
// when both are sound.
std::string SidesOutOfRange(const SgiSides& sides) {
    const std::string empty = EmptySides(sides);
    return !empty.empty() ? empty : SidesOutside(sides, 1, check_limits::kLargestTextureSide);
}

// The file's first bytes, as many as its header takes or all of a shorter
// file: all that the sides are read from.
std::vector<std::byte> Head(ByteSource& image) {
    std::vector<std::byte> head(static_cast<std::size_t>(std::min(image.Size(), kSgiHeaderBytes)));
    head.resize(ByteReader(image).ReadSome(head));
    return head;
}

}  // namespace

void CheckTexture(ByteSource& image, const SubSheetRecord& record, std::vector<Finding>& findings) {
    const FootprintPoint centre = BlockCentre(record);
    const auto add = [&](FindingCode code, const std::string& detail) {
        findings.push_back(MakeFinding(code, centre.x, centre.y, detail));
    };
    // A fault the model also leaves the texture out for: the English text is
    // the model's, its detail in words; the Japanese keeps its plain detail.
    const auto addShared = [&](DataFault fault, const std::string& detail,
                               const std::string& words) {
        add(CodeOf(fault), detail);
        findings.back().english = Describe(fault, words);
    };
    const auto sides = StatedSgiSides(Head(image));
    const std::string outOfRange = sides ? SidesOutOfRange(*sides) : std::string();
    if (!outOfRange.empty()) {
        addShared(DataFault::kTextureSize, SidesText(*sides), outOfRange);
        return;
    }
    if (const std::string fault = SgiLayoutFault(image); !fault.empty()) {
        addShared(DataFault::kTextureNotDecodable, {}, fault);
        return;
    }
    if (!std::has_single_bit(sides->width) || !std::has_single_bit(sides->height)) {
        add(FindingCode::kTextureNotPowerOfTwo, SidesText(*sides));
    }
}

}  // namespace vesk
