#include "view/SheetPicture.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygonF>

#include "document/CMyVeskDoc.h"
#include "view/BottomUpImage.h"
#include "view/ScreenSpace.h"

namespace vesk::gui {
namespace {

const QColor kWarningColour(255, 140, 0);
const QColor kErrorColour(255, 0, 0);
const QColor kBuildingColour(230, 60, 200);
const QColor kTerrainColour(40, 170, 60);
const QColor kTextureColour(40, 140, 230);
constexpr int kMarkSide = 7;
constexpr int kMarkStep = 9;   // from one mark's left edge to the next's
constexpr int kMarkInset = 6;  // past the selection outline, which reaches 4 pixels in
constexpr double kPlaceRadius = 6.0;

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

// Black as usual; a block with findings gets a frame two pixels wide, orange
// for warnings and red for errors, to stand out on any image.
void FrameUnselected(QPainter& painter, const PixelRect& r, BlockHealth health) {
    if (health != BlockHealth::kWarnings && health != BlockHealth::kErrors) {
        FrameRect(painter, r, QBrush(QColor(0, 0, 0)));
        return;
    }
    const QBrush brush(health == BlockHealth::kErrors ? kErrorColour : kWarningColour);
    FrameRect(painter, r, brush);
    FrameRect(painter, PixelRect{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, brush);
}

void PaintFrames(QPainter& painter, const CMyVeskDoc& doc, const SheetOverlay& overlay) {
    const ScreenSpace screen(painter);
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setPen(QPen(QColor(0, 0, 255), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (int number = 0; number < kSubSheetCount; ++number) {
        const PixelRect rect = screen.Map(doc.SubSheetRect(number));
        if (doc.IsSubSheetSelected(number)) {
            OutlineSelected(painter, rect);
        } else {
            const auto index = static_cast<std::size_t>(number);
            FrameUnselected(painter, rect,
                            overlay.showStatus ? overlay.health[index] : BlockHealth::kUnknown);
        }
    }
}

// A square with a black border, filled with the kind's colour when the block
// holds it and white (hollow) when not.
void DrawMark(QPainter& painter, QPoint topLeft, const QColor& colour, bool present) {
    painter.fillRect(QRect(topLeft, QSize(kMarkSide, kMarkSide)), QColor(0, 0, 0));
    painter.fillRect(QRect(topLeft + QPoint(1, 1), QSize(kMarkSide - 2, kMarkSide - 2)),
                     present ? colour : QColor(255, 255, 255));
}

// Buildings, terrain and texture, left to right in the frame's lower-left
// corner, clear of the selection outline; a frame too small for them has none.
void PaintBlockMarks(QPainter& painter, const CMyVeskDoc& doc) {
    const ScreenSpace screen(painter);
    for (int number = 0; number < kSubSheetCount; ++number) {
        const PixelRect r = screen.Map(doc.SubSheetRect(number));
        if (r.right - r.left < 2 * kMarkInset + 3 * kMarkStep ||
            r.bottom - r.top < 2 * kMarkInset + kMarkSide) {
            continue;
        }
        const SubSheetRecord record = doc.CopySubSheetRecord(number);
        const QPoint first(r.left + kMarkInset, r.bottom - kMarkInset - kMarkSide);
        DrawMark(painter, first, kBuildingColour, record.buildingCount > 0);
        DrawMark(painter, first + QPoint(kMarkStep, 0), kTerrainColour, record.hasDem != 0);
        DrawMark(painter, first + QPoint(2 * kMarkStep, 0), kTextureColour, record.hasOrtho != 0);
    }
}

// A footprint as a red outline; a place without one as a red ring around it.
void PaintHighlight(QPainter& painter, const std::vector<QPointF>& points) {
    if (points.empty()) {
        return;
    }
    const ScreenSpace screen(painter);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kErrorColour, 2));
    if (points.size() == 1) {
        painter.drawEllipse(screen.Map(points.front()), kPlaceRadius, kPlaceRadius);
        return;
    }
    QPolygonF outline;
    for (QPointF p : points) {
        outline.append(screen.Map(p));
    }
    painter.drawPolygon(outline);
}

void PaintBlockNumbers(QPainter& painter, const CMyVeskDoc& doc) {
    const ScreenSpace screen(painter);
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(QColor(255, 255, 255));
    painter.setPen(QColor(0, 0, 0));
    for (int number = 0; number < kSubSheetCount; ++number) {
        const PixelRect r = doc.SubSheetRect(number);
        const QPoint centre = screen.Map(QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2));
        DrawCentredText(painter, centre.x(), centre.y(), QString::number(number + 1));
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
                       const QRect& exposed, const SheetOverlay& overlay) {
    if (!doc.ImageSize().WasRead()) {
        return;
    }
    PaintImage(painter, doc, image, exposed);
    PaintFrames(painter, doc, overlay);
    if (overlay.showStatus && doc.IsSheetLoaded()) {
        PaintBlockMarks(painter, doc);
    }
    if (doc.ShowsBlockNames()) {
        PaintBlockNumbers(painter, doc);
    }
    PaintHighlight(painter, overlay.highlight);
}

}  // namespace vesk::gui
