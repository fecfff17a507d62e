#include "view/BottomUpImage.h"

#include <QPainter>
#include <cstring>

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

// The part of a bottom-up image in picture rectangle part, rows upright.
QImage UprightCopy(const QImage& image, const QRect& part) {
    QImage copy(part.size(), image.format());
    const int bytesPerPixel = image.depth() / 8;
    const std::size_t rowBytes = static_cast<std::size_t>(part.width()) * bytesPerPixel;
    for (int y = 0; y < part.height(); ++y) {
        const uchar* row = image.constScanLine(image.height() - 1 - (part.top() + y));
        std::memcpy(copy.scanLine(y), row + part.left() * bytesPerPixel, rowBytes);
    }
    return copy;
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
    // At 100 % and above the part drawn is at most the screen's worth of
    // pixels: turned upright by plain row copies, it is then blitted. Shrunk,
    // the part would be many screens' worth, so the painter flips it instead.
    if (painter.worldTransform().m11() >= 1.0) {
        painter.drawImage(target.topLeft(), UprightCopy(image, target));
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
