#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vesk {

// The faults that keep a building or a texture out of the 3D model and that
// the data check reports as errors, with the check's stable numbers. Kept here,
// below both, so that an export and the check give the same code and English
// text for the same fault; the check adds severities and Japanese texts.
enum class DataFault : int {
    kTooFewPoints = 101,
    kRingSelfIntersection = 104,
    kBuildingNotFinite = 1001,
    kRoofNotAboveBottom = 1002,
    kZeroArea = 1007,
    kFootprintNotJudged = 1008,
    kTextureNotDecodable = 1201,
    kTextureSize = 1202,
    kChunkPastEnd = 1301,
    kChunkClaimsTooMuch = 1302,
    kBlockOriginNotFinite = 1309,
};

// The fault's English text, as the check prints it.
std::string_view EnglishOf(DataFault fault);

// A text with its detail (a measured value, say) in brackets after it, as
// every finding carries its detail; the text alone when there is none.
std::string WithDetail(std::string_view text, std::string_view detail);

// The fault's English text with its detail.
std::string Describe(DataFault fault, std::string_view detail = {});

// A detail naming something by number: "#3" for a corner or a block, "@1024"
// for a file position.
std::string Marked(char mark, std::uint64_t number);

// A detail giving a length in metres to a tenth: "12.5 m".
std::string Metres(double value);

}  // namespace vesk
