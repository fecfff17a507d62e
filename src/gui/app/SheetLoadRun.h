#pragma once

class QWidget;

namespace vesk {
class SheetLoad;
}

namespace vesk::gui {

// Runs a sheet's load on a thread of its own and returns once it has ended.
// The windows keep painting meanwhile and take no input. A load that lasts
// longer than a moment shows a progress dialog, modal to `window`, whose
// ｷｬﾝｾﾙ stops the load before its next chunk or slice of the picture.
void RunSheetLoadInBackground(SheetLoad& load, QWidget* window);

}  // namespace vesk::gui
