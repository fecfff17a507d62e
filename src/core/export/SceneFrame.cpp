#include "export/SceneFrame.h"

#include "geo/PlaneZone.h"

namespace vesk {

std::optional<std::string> BlockCrs(int zone) {
    const auto code = PlaneZoneEpsgCode(zone);
    if (!code) {
        return std::nullopt;
    }
    return "EPSG:" + std::to_string(*code);
}

std::string GeneratorName() {
    return std::string("Vesk ") + VESK_VERSION;
}

}  // namespace vesk
