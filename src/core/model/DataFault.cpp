#include "model/DataFault.h"

#include "text/FixedText.h"

namespace vesk {

std::string_view EnglishOf(DataFault fault) {
    switch (fault) {
        case DataFault::kTooFewPoints:
            return "the footprint has fewer than 3 distinct corners";
        case DataFault::kRingSelfIntersection:
            return "the footprint crosses or touches itself";
        case DataFault::kBuildingNotFinite:
            return "a height or corner is NaN or infinite";
        case DataFault::kRoofNotAboveBottom:
            return "the roof is not above the bottom";
        case DataFault::kZeroArea:
            return "the footprint has no area";
        case DataFault::kFootprintNotJudged:
            return "GEOS could not check the footprint";
        case DataFault::kTextureNotDecodable:
            return "the texture is not a readable SGI image";
        case DataFault::kTextureSize:
            return "the texture has no pixels or is too large";
        case DataFault::kChunkPastEnd:
            return "a data chunk runs past the end of the file";
        case DataFault::kChunkClaimsTooMuch:
            return "a data chunk claims more than its body holds";
        case DataFault::kBlockOriginNotFinite:
            return "the block's origin is NaN or infinite";
    }
    return {};
}

std::string WithDetail(std::string_view text, std::string_view detail) {
    std::string result(text);
    if (!detail.empty()) {
        result += " (" + std::string(detail) + ")";
    }
    return result;
}

std::string Describe(DataFault fault, std::string_view detail) {
    return WithDetail(EnglishOf(fault), detail);
}

std::string Marked(char mark, std::uint64_t number) {
    std::string text(1, mark);
    text += std::to_string(number);
    return text;
}

std::string Metres(double value) {
    return FixedText(value, 1) + " m";
}

}  // namespace vesk
