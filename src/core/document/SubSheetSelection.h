#pragma once

#include <optional>
#include <string>

namespace vesk {

class CMyVeskDoc;

// A left-button press at (x, y) in drawing coordinates (pointer plus scroll
// position) on the sheet picture: toggles the sub-sheet under it, keeping at
// most one selected, and repaints. Gives whether anything changed. Presses on
// the survey map and outside every sub-sheet change nothing.
bool PressOnSheetPicture(CMyVeskDoc& doc, int x, int y);

// Deselects the selected sub-sheet, if any, and repaints; gives whether one was.
bool DeselectSubSheet(CMyVeskDoc& doc);

// The sub-sheet under a point of the sheet picture and where the point lies.
struct PointedSubSheet {
    int number = 0;          // 0 to 24
    std::string outputName;  // as its converted files are named
    double x = 0.0;          // the pixel's centre in the zone's plane coordinates, metres
    double y = 0.0;
};

// What lies under (x, y) in drawing coordinates; nothing off every sub-sheet
// and on the survey map.
std::optional<PointedSubSheet> SubSheetAt(const CMyVeskDoc& doc, int x, int y);

}  // namespace vesk
