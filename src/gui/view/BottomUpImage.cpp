#include "view/BottomUpImage.h"

#include <QPainter>

namespace vesk::gui {
namespace {

QImage::Format FormatOf(int bitCount) {
    switch (bitCount) {
        case 16:
            return QImage::Format_RGB555;
        case 24:
            return QImage::Format_BGR888;
        case 32:
            return QImage::Format_RGB32;
        default:
            return QImage::Format_Invalid;
    }
}

}  // namespace

QImage BottomUpImage(const BitmapInfoHeader& header, std::span<const std::byte> pixels) {
    const QImage::Format format = FormatOf(header.bitCount);
    if (header.width <= 0 || header.height <= 0 || format == QImage::Format_Invalid) {
        return {};
    }
    const std::uint64_t rowBytes = BitmapRowBytes(header.width, header.bitCount);
    if (rowBytes * static_cast<std::uint64_t>(header.height) > pixels.size()) {
        return {};
    }
    // Read-only data: Qt never writes into it, and a copy would detach.
    return QImage(reinterpret_cast<const uchar*>(pixels.data()), header.width, header.height,
                  static_cast<qsizetype>(rowBytes), format);
}

void DrawBottomUpImage(QPainter& painter, const QImage& image, const QRect& pictureRect) {
    const QRect target = pictureRect & image.rect();
    if (target.isEmpty()) {
        return;
    }
    const int height = image.height();
    const QRect source(target.left(), height - 1 - target.bottom(), target.width(),
                       target.height());
    painter.save();
    painter.translate(0, height);
    painter.scale(1, -1);
    painter.drawImage(source.topLeft(), image, source);
    painter.restore();
}

}  // namespace vesk::gui
