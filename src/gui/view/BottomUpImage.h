#pragma once

#include <QImage>
#include <span>

class QPainter;

#include "sheet/SheetImage.h"

namespace vesk::gui {

// The sheet picture's bottom-up rows as a QImage over the same bytes, without
// a copy: row 0 of the image is the bottom row of the picture, so it is drawn
// flipped. 16-bit pixels are 5-5-5 RGB; 24- and 32-bit pixels are stored blue
// first. The image is valid for as long as the pixels are. Null when the rows
// do not hold the header's image.
QImage BottomUpImage(const BitmapInfoHeader& header, std::span<const std::byte> pixels);

// Draws the part pictureRect (picture coordinates, y down) of a bottom-up image with its rows
// turned upright: picture row y shows image row height - 1 - y.
void DrawBottomUpImage(QPainter& painter, const QImage& image, const QRect& pictureRect);

}  // namespace vesk::gui
