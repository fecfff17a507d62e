#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <tuple>
#include <vector>

#include "model/DataFault.h"
#include "model/EarClipping.h"
#include "model/FootprintPoint.h"
#include "model/FootprintRing.h"
#include "model/FootprintTriangle.h"
#include "model/GeosContext.h"

namespace vesk {

struct FootprintTriangulation {
    std::vector<FootprintTriangle> triangles;  // counter-clockwise seen from above
    double area = 0.0;                         // of the footprint, positive
    bool counterClockwise = true;              // the footprint's own order, from its signed area
    std::optional<DataFault> code;  // the data check's code for the fault, when it has one
    std::string fault;              // why the footprint is no simple polygon; empty when it is
    FootprintPoint place;           // where the fault lies, else the area centroid

    bool Ok() const { return fault.empty(); }
};

// Checks that a footprint (an open ring of finite corners) is a valid simple
// polygon, as the data check judges it, and triangulates it with its own
// corners only. A footprint that is certainly strictly convex gets the fan
// from its first corner; every other one must be proven simple or be valid to
// GEOS, and then has its ears clipped (EarClipping). Should that not finish,
// GEOS's constrained Delaunay triangulation takes over. Either way the
// triangles are checked to cover the footprint's area exactly (1e-6
// relative), so none can leave it. One triangulator per thread: it holds its
// own GEOS context and buffers.
class FootprintTriangulator {
public:
    FootprintTriangulation Triangulate(std::span<const FootprintPoint> footprint);
    // Every footprint through GEOS's triangulation, convex or not.
    FootprintTriangulation TriangulateWithGeos(std::span<const FootprintPoint> footprint);

private:
    FootprintTriangulation Judge(std::span<const FootprintPoint> footprint);
    bool IsSimple(FootprintTriangulation& result);
    bool ClipEars(std::span<const FootprintPoint> footprint, FootprintTriangulation& result);
    void TriangulateByGeos(std::span<const FootprintPoint> footprint,
                           FootprintTriangulation& result);
    GeosGeometry MakePolygon(std::span<const FootprintPoint> footprint);
    bool CollectTriangles(const GEOSGeometry& collection, std::span<const FootprintPoint> footprint,
                          FootprintTriangulation& result);

    GeosContext geos_;
    FootprintRing verdict_{geos_};
    EarClipping ears_;
    std::vector<double> ring_;
    std::vector<std::tuple<double, double, std::uint32_t>>
        corners_;  // sorted, to find a corner's index
};

}  // namespace vesk
