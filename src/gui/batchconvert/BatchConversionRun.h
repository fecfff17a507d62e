#pragma once

class QWidget;

namespace vesk {
class CMyVeskDoc;
}

namespace vesk::gui {

// Converts every block of the open sheet: asks what and where to as the
// one-block conversion does, then writes the blocks on a thread of their own
// behind a progress dialog, modal to `window`, whose ｷｬﾝｾﾙ lets the block being
// written finish and starts no other. The window keeps painting meanwhile; one
// message at the end says how it went.
void RunBatchConversion(CMyVeskDoc& doc, QWidget* window);

}  // namespace vesk::gui
