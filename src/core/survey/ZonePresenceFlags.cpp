#include "survey/ZonePresenceFlags.h"

#include <cstdint>

namespace vesk {

ZonePresence PresentZones(const SurveyList& list) {
    ZonePresence presence{};
    for (const SurveyEntry& entry : list) {
        const auto zone = static_cast<std::uint32_t>(entry.area.zone);
        if (zone < presence.size()) {
            presence[zone] = 1;
        }
    }
    return presence;
}

std::vector<int> ZonesPresent(const ZonePresence& presence) {
    std::vector<int> zones;
    for (std::size_t zone = 1; zone < presence.size(); ++zone) {
        if (presence[zone] != 0) {
            zones.push_back(static_cast<int>(zone));
        }
    }
    return zones;
}

}  // namespace vesk
