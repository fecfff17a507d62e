#pragma once

#include "convert/ConversionChoices.h"

namespace vesk {

// The three check boxes of the conversion settings dialog and how they follow
// one another, kept apart from any widget so that the program's dialog, the
// command-line tool and the tests share one behaviour: each box starts checked
// and enabled when its data is present, unchecked and disabled when not; the
// texture is bound to the terrain faces, so clearing the terrain clears and
// disables the texture, and checking the terrain again enables the texture
// (when there is one) but leaves it unchecked.
class ConversionSettings {
public:
    struct CheckBox {
        bool checked = false;
        bool enabled = false;
    };

    explicit ConversionSettings(const ConversionPresence& presence);

    const CheckBox& Buildings() const { return buildings_; }
    const CheckBox& Terrain() const { return terrain_; }
    const CheckBox& Texture() const { return texture_; }

    // The user left the box checked or not; a disabled box does not change.
    void SetBuildings(bool checked);
    void SetTerrain(bool checked);
    void SetTexture(bool checked);

    // What OK records, with the route the Ctrl key picked.
    ConversionChoices Choices(bool ctrlHeld) const;

private:
    bool hasTexture_;
    CheckBox buildings_;
    CheckBox terrain_;
    CheckBox texture_;
};

// The parts a user clears in the dialog, as a command line's switches name them.
struct ClearedParts {
    bool buildings = false;
    bool terrain = false;
    bool texture = false;
};

// What the dialog gives on OK once `cleared` boxes are unchecked, each box
// following the others as it does in the dialog.
ConversionChoices ChoicesWithout(const ConversionPresence& presence, const ClearedParts& cleared,
                                 bool ctrlHeld);

}  // namespace vesk
