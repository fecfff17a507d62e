#pragma once

namespace vesk {

class CMyVeskDoc;

// A left-button press at (x, y) in drawing coordinates (pointer plus scroll
// position) on the sheet picture: toggles the sub-sheet under it, keeping at
// most one selected, and repaints. Gives whether anything changed. Presses on
// the survey map and outside every sub-sheet change nothing.
bool PressOnSheetPicture(CMyVeskDoc& doc, int x, int y);

}  // namespace vesk
