#pragma once

namespace vesk {

// Which of a sub-sheet's data the conversion settings dialog can offer.
struct ConversionPresence {
    bool buildings = false;
    bool terrain = false;
    bool texture = false;
};

// What the conversion settings dialog gave after OK; ctrlHeld picks the
// chosen-folder route.
struct ConversionChoices {
    bool buildings = false;
    bool terrain = false;
    bool texture = false;
    bool ctrlHeld = false;
};

}  // namespace vesk
