#pragma once

#include <QImage>

#include "view/SheetOverlay.h"

class QPainter;

namespace vesk {
class CMyVeskDoc;
}

namespace vesk::gui {

// Draws the sheet picture in drawing coordinates: the image one to one, the
// frames of the unselected sub-sheets, the blue outline of the selected one and,
// when the block-names switch is on, the block numbers. image is the document's
// bottom-up sheet image (null when there is none); of it only the part within
// exposed (picture coordinates) is drawn. The overlay adds what the data check
// found: with its status shown, the marks of what each block holds and frames
// coloured by the worst finding; and the highlighted finding in red. Only the
// image follows the painter's zoom: frames, outline, marks, numbers and the
// highlight are placed by it but keep their width and size in device pixels.
void PaintSheetPicture(QPainter& painter, const CMyVeskDoc& doc, const QImage& image,
                       const QRect& exposed, const SheetOverlay& overlay = {});

// Draws text centred on (x, y): its measured box's top-left is (x - w/2, y - h/2),
// halves cut toward zero.
void DrawCentredText(QPainter& painter, int x, int y, const QString& text);

}  // namespace vesk::gui
