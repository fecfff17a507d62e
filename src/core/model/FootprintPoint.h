#pragma once

namespace vesk {

// A corner of a footprint, in the zone's plane coordinates or a block's frame.
struct FootprintPoint {
    double x = 0.0;
    double y = 0.0;
};

}  // namespace vesk
