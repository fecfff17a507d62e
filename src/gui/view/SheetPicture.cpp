#include "view/SheetPicture.h"

#include <QFontMetrics>
#include <QPainter>

#include "document/CMyVeskDoc.h"
#include "view/BottomUpImage.h"

namespace vesk::gui {
namespace {

// Restores the painter's pen, brush and background mode when a step ends, so no
// step's drawing tools leak into the next.
class PainterStep {
public:
    explicit PainterStep(QPainter& painter) : painter_(painter) { painter_.save(); }
    ~PainterStep() { painter_.restore(); }
    PainterStep(const PainterStep&) = delete;
    PainterStep& operator=(const PainterStep&) = delete;

private:
    QPainter& painter_;
};

// One image pixel per picture pixel; the picture is never larger than the image.
void PaintImage(QPainter& painter, const CMyVeskDoc& doc, const QImage& image,
                const QRect& exposed) {
    const DisplayExtent extent = doc.DisplayExtentPixels();
    DrawBottomUpImage(painter, image, exposed & QRect(0, 0, extent.width, extent.height));
}

// A one-pixel border on the inside of the rectangle; nothing for an empty one.
void FrameRect(QPainter& painter, const PixelRect& r, const QBrush& brush) {
    if (r.IsEmpty()) {
        return;
    }
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    painter.fillRect(r.left, r.top, width, 1, brush);
    painter.fillRect(r.left, r.bottom - 1, width, 1, brush);
    painter.fillRect(r.left, r.top, 1, height, brush);
    painter.fillRect(r.right - 1, r.top, 1, height, brush);
}

void OutlineSelected(QPainter& painter, const PixelRect& r) {
    const QPoint points[] = {{r.left + 2, r.top + 2},
                             {r.left + 2, r.bottom - 2},
                             {r.right - 2, r.bottom - 2},
                             {r.right - 2, r.top + 2},
                             {r.left + 2, r.top + 2}};
    painter.drawPolyline(points, 5);
}

void PaintFrames(QPainter& painter, const CMyVeskDoc& doc) {
    PainterStep step(painter);
    painter.setBackgroundMode(Qt::TransparentMode);
    const QBrush black(QColor(0, 0, 0));
    painter.setPen(QPen(QColor(0, 0, 255), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (int number = 0; number < kSubSheetCount; ++number) {
        const PixelRect rect = doc.SubSheetRect(number);
        if (doc.IsSubSheetSelected(number)) {
            OutlineSelected(painter, rect);
        } else {
            FrameRect(painter, rect, black);
        }
    }
}

void PaintBlockNumbers(QPainter& painter, const CMyVeskDoc& doc) {
    PainterStep step(painter);
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(QColor(255, 255, 255));
    painter.setPen(QColor(0, 0, 0));
    for (int number = 0; number < kSubSheetCount; ++number) {
        const PixelRect r = doc.SubSheetRect(number);
        DrawCentredText(painter, (r.left + r.right) / 2, (r.top + r.bottom) / 2,
                        QString::number(number + 1));
    }
}

}  // namespace

void DrawCentredText(QPainter& painter, int x, int y, const QString& text) {
    const QFontMetrics metrics(painter.font());
    const int width = metrics.horizontalAdvance(text);
    const int height = metrics.height();
    painter.drawText(QRect(x - width / 2, y - height / 2, width, height),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
}

void PaintSheetPicture(QPainter& painter, const CMyVeskDoc& doc, const QImage& image,
                       const QRect& exposed) {
    if (!doc.ImageSize().WasRead()) {
        return;
    }
    PaintImage(painter, doc, image, exposed);
    PaintFrames(painter, doc);
    if (doc.ShowsBlockNames()) {
        PaintBlockNumbers(painter, doc);
    }
}

}  // namespace vesk::gui
