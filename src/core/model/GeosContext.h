#pragma once

#include <geos_c.h>

#include <memory>
#include <string>

namespace vesk {

// One reentrant GEOS context, for one thread; every geometry made through it
// is owned by a GeosGeometry so nothing leaks on an early return. What GEOS
// says of a failure (an exception inside it) is kept for the caller to report.
class GeosContext {
public:
    GeosContext();
    ~GeosContext();
    GeosContext(const GeosContext&) = delete;
    GeosContext& operator=(const GeosContext&) = delete;

    GEOSContextHandle_t Handle() const { return handle_; }

    // GEOS's words for its last error (or, without one, its last notice) since
    // the last call, used up.
    std::string TakeMessage() const;

private:
    // On the heap, so that the addresses GEOS's handlers write to stay put.
    std::unique_ptr<std::string> error_;
    std::unique_ptr<std::string> notice_;
    GEOSContextHandle_t handle_;
};

class GeosGeometryDeleter {
public:
    explicit GeosGeometryDeleter(GEOSContextHandle_t handle = nullptr) : handle_(handle) {}
    void operator()(GEOSGeometry* geometry) const { GEOSGeom_destroy_r(handle_, geometry); }

private:
    GEOSContextHandle_t handle_;
};

using GeosGeometry = std::unique_ptr<GEOSGeometry, GeosGeometryDeleter>;

inline GeosGeometry Own(const GeosContext& context, GEOSGeometry* geometry) {
    return GeosGeometry(geometry, GeosGeometryDeleter(context.Handle()));
}

}  // namespace vesk
