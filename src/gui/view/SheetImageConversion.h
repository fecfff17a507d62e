#pragma once

#include <QImage>
#include <cstddef>
#include <span>

#include "sheet/SheetImage.h"

namespace vesk::gui {

// The sheet picture's bottom-up 16-, 24- or 32-bit rows as a top-down QImage
// ready to draw, made once per load rather than on every repaint. 16-bit pixels
// are 5-5-5 RGB; 24- and 32-bit pixels are stored blue first. Gives a null
// image when the rows do not hold the header's image.
QImage ConvertSheetImage(const BitmapInfoHeader& header, std::span<const std::byte> pixels);

}  // namespace vesk::gui
