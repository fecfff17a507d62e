#pragma once

#include <QPointF>
#include <vector>

#include "check/Finding.h"

namespace vesk {
class CMyVeskDoc;
}

namespace vesk::gui {

// Where a finding is drawn on the document's sheet picture, in picture
// coordinates; nothing where it cannot be drawn.
std::vector<QPointF> HighlightOf(const CMyVeskDoc& doc, const Finding& finding);

}  // namespace vesk::gui
