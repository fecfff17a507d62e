#include "convert/ConversionSettings.h"

namespace vesk {

ConversionSettings::ConversionSettings(const ConversionPresence& presence)
    : hasTexture_(presence.texture),
      buildings_{presence.buildings, presence.buildings},
      terrain_{presence.terrain, presence.terrain},
      texture_{presence.texture, presence.texture} {}

void ConversionSettings::SetBuildings(bool checked) {
    if (buildings_.enabled) {
        buildings_.checked = checked;
    }
}

void ConversionSettings::SetTerrain(bool checked) {
    if (!terrain_.enabled || terrain_.checked == checked) {
        return;
    }
    terrain_.checked = checked;
    if (checked) {
        texture_.enabled = hasTexture_;
    } else {
        texture_ = CheckBox{false, false};
    }
}

void ConversionSettings::SetTexture(bool checked) {
    if (texture_.enabled) {
        texture_.checked = checked;
    }
}

ConversionChoices ConversionSettings::Choices(bool ctrlHeld) const {
    return {buildings_.checked, terrain_.checked, texture_.checked, ctrlHeld};
}

ConversionChoices ChoicesWithout(const ConversionPresence& presence, const ClearedParts& cleared,
                                 bool ctrlHeld) {
    ConversionSettings settings(presence);
    if (cleared.buildings) {
        settings.SetBuildings(false);
    }
    if (cleared.terrain) {
        settings.SetTerrain(false);
    }
    if (cleared.texture) {
        settings.SetTexture(false);
    }
    return settings.Choices(ctrlHeld);
}

}  // namespace vesk
