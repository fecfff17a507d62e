#include "findings/FindingPlace.h"

#include "check/FindingOnPicture.h"
#include "document/CMyVeskDoc.h"

namespace vesk::gui {

std::vector<QPointF> HighlightOf(const CMyVeskDoc& doc, const Finding& finding) {
    const DisplayExtent extent = doc.DisplayExtentPixels();
    std::vector<QPointF> points;
    for (const PicturePoint& p :
         FindingOnPicture(doc.Area(), extent.width, extent.height, finding)) {
        points.emplace_back(p.x, p.y);
    }
    return points;
}

}  // namespace vesk::gui
