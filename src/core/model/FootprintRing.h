#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/DataFault.h"
#include "model/FootprintPoint.h"
#include "model/GeosContext.h"

namespace vesk {

// What a footprint's ring is, as the data check and the model both judge it:
// its fault, if any, and where to show it; all places in the footprint's frame.
struct RingVerdict {
    std::optional<DataFault> fault;  // fewer than 3 distinct corners, no area, crossing itself
    std::string detail;              // the distinct corners' count for too few of them
    FootprintPoint place;            // where the fault lies, else the area centroid
    FootprintPoint centroid;         // the area centroid; the corners' mean when there is no area
    std::optional<std::size_t> repeated;  // the first corner that its successor repeats
};

// Judges footprint rings one at a time, with reused buffers. The ring is the
// footprint without repeated corners in succession. One per thread: it uses
// the GEOS context it is given.
class FootprintRing {
public:
    explicit FootprintRing(const GeosContext& geos) : geos_(geos) {}

    // The faults that need no GEOS: too few distinct corners, no area. The
    // corners must be finite.
    const RingVerdict& Read(std::span<const FootprintPoint> footprint);

    // Whether the ring read last is simple, decided by exact orientations.
    // When it is not, the verdict says it crosses itself, where GEOS finds it
    // does, or that GEOS failed on it and why.
    bool IsSimple();

    const RingVerdict& Verdict() const { return verdict_; }

private:
    bool IsValidToGeos();

    const GeosContext& geos_;
    RingVerdict verdict_;
    std::vector<FootprintPoint> ring_;
    std::vector<FootprintPoint> sorted_;
    std::vector<double> coordinates_;
};

}  // namespace vesk
