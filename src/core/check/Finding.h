#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/DataFault.h"
#include "model/FootprintPoint.h"
#include "platform/Diagnostic.h"

namespace vesk {

// Stable numbers, published to users. Faults of a footprint ring that GIS
// validators number keep those numbers (101 to 104); the sheet's own faults
// count from 1000 so that they clash with none of them. Those that also keep
// data out of the 3D model take their numbers from the model's faults.
enum class FindingCode : int {
    kTooFewPoints = static_cast<int>(DataFault::kTooFewPoints),
    kConsecutivePointsSame = 102,
    kRingSelfIntersection = static_cast<int>(DataFault::kRingSelfIntersection),
    kBuildingNotFinite = static_cast<int>(DataFault::kBuildingNotFinite),
    kRoofNotAboveBottom = static_cast<int>(DataFault::kRoofNotAboveBottom),
    kOutsideBlock = 1003,
    kFloating = 1004,
    kBuried = 1005,
    kImplausibleHeight = 1006,
    kZeroArea = static_cast<int>(DataFault::kZeroArea),
    kFootprintNotJudged = static_cast<int>(DataFault::kFootprintNotJudged),
    kGridTooSmall = 1101,
    kGridNotCovering = 1102,
    kGridNotFinite = 1103,
    kSpike = 1104,
    kTextureNotDecodable = static_cast<int>(DataFault::kTextureNotDecodable),
    kTextureSize = static_cast<int>(DataFault::kTextureSize),
    kTextureNotPowerOfTwo = 1203,
    kChunkPastEnd = static_cast<int>(DataFault::kChunkPastEnd),
    kChunkClaimsTooMuch = static_cast<int>(DataFault::kChunkClaimsTooMuch),
    kBlockEmpty = 1303,
    kBlockOutsideSheet = 1304,
    kBlockOffGrid = 1305,
    kBlocksSamePlace = 1306,
    kBlockNumberTwice = 1307,
    kNoSheetData = 1308,
    kBlockOriginNotFinite = static_cast<int>(DataFault::kBlockOriginNotFinite),
};

// One fault found in a block (or in the sheet as a whole), with where to show it.
struct Finding {
    FindingCode code = FindingCode::kTooFewPoints;
    Severity severity = Severity::kError;
    std::optional<std::uint32_t> building;  // its index in the block's buildings, from 0
    double x = 0.0;                         // plane coordinates of the zone, metres
    double y = 0.0;
    std::string english;
    std::string japanese;  // UTF-8, for the program
    // The building's footprint in plane coordinates, when the finding is about
    // a building whose corners could be read.
    std::vector<FootprintPoint> footprint;
};

// A finding of the code at (x, y), its messages from the catalogue with the
// detail (a measured value, say) appended to both.
Finding MakeFinding(FindingCode code, double x, double y, std::string_view detail = {});

Severity SeverityOf(FindingCode code);

// The finding code of a fault that the model also leaves out.
inline FindingCode CodeOf(DataFault fault) {
    return static_cast<FindingCode>(fault);
}

// Every code with its severity and English message, for listing them.
struct FindingKind {
    FindingCode code;
    Severity severity;
    std::string_view english;
    std::string_view japanese;
};
const std::vector<FindingKind>& FindingCatalogue();

}  // namespace vesk
