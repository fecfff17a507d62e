#include "document/SubSheetSelection.h"

#include "convert/OutputName.h"
#include "document/CMyVeskDoc.h"

namespace vesk {

bool PressOnSheetPicture(CMyVeskDoc& doc, int x, int y) {
    if (doc.SurveyZone() != 0) {
        return false;
    }
    const auto hit = doc.HitTestSubSheet(x, y);
    if (!hit) {
        return false;
    }
    const unsigned number = static_cast<unsigned>(*hit);
    if (doc.IsSubSheetSelected(*hit)) {
        doc.SelectSubSheet(number, false);
    } else {
        doc.SelectOnlySubSheet(number);
    }
    doc.Ui().InvalidateView();
    return true;
}

bool DeselectSubSheet(CMyVeskDoc& doc) {
    const int selected = doc.SelectedSubSheet();
    if (selected < 0) {
        return false;
    }
    doc.SelectSubSheet(static_cast<unsigned>(selected), false);
    doc.Ui().InvalidateView();
    return true;
}

// The picture spans the sheet area as the sub-sheets' rectangles are laid on
// it: its bottom-left corner is the area's south-west corner.
std::optional<PointedSubSheet> SubSheetAt(const CMyVeskDoc& doc, int x, int y) {
    const auto hit = doc.SurveyZone() == 0 ? doc.HitTestSubSheet(x, y) : std::nullopt;
    if (!hit) {
        return std::nullopt;
    }
    const SheetArea& area = doc.Area();
    const double width = doc.ImageSize().Width();
    const double height = doc.ImageSize().Height();
    return PointedSubSheet{*hit, MakeOutputName(doc.CopySubSheetRecord(*hit)),
                           area.originX + (x + 0.5) * area.width / width,
                           area.originY + (height - (y + 0.5)) * area.height / height};
}

}  // namespace vesk
