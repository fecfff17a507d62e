#include "document/SubSheetSelection.h"

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

}  // namespace vesk
