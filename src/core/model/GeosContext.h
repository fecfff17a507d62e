#pragma once

#include <geos_c.h>

#include <memory>

namespace vesk {

// One reentrant GEOS context, for one thread; every geometry made through it
// is owned by a GeosGeometry so nothing leaks on an early return.
class GeosContext {
public:
    GeosContext();
    ~GeosContext();
    GeosContext(const GeosContext&) = delete;
    GeosContext& operator=(const GeosContext&) = delete;

    GEOSContextHandle_t Handle() const { return handle_; }

private:
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
