#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "survey/LabelPlacement.h"
#include "view/SheetOverlay.h"
#include "view/ViewZoom.h"

namespace vesk {
class CMyVeskDoc;
}

namespace vesk::gui {

// The one view of the main window: a scrolling, zoomable view over the
// document that draws the sheet picture or, while a survey zone is chosen, the
// survey map, and turns mouse presses into the document's selection. The
// document and its pictures work in picture pixels; only this view knows the
// zoom.
class CMyVeskView : public QAbstractScrollArea {
    Q_OBJECT

public:
    CMyVeskView(CMyVeskDoc& doc, QWidget* parent);

    // The picture's extent in picture pixels. The zoom returns to 100 %: a new
    // picture is first shown as it is.
    void SetExtent(int width, int height);
    QSize Extent() const { return extent_; }
    // The extent as shown at the current zoom, in screen pixels; the scroll range.
    QSize ZoomedExtent() const;
    QPoint ScrollPosition() const;

    double Zoom() const { return zoom_.Factor(); }
    // Zooms so that the picture point under anchor (a viewport point) stays there.
    void SetZoom(double factor, QPoint anchor);

    // Draws the picture in picture coordinates, as the view shows it unscrolled
    // at 100 %; only what lies in exposed needs to be drawn (the whole picture
    // by default). Tests and printing paint into their own surfaces with it.
    void PaintPicture(QPainter& painter, const QRect& exposed = {});

    // What the data check adds to the sheet picture; the view is repainted.
    void SetOverlay(SheetOverlay overlay);
    const SheetOverlay& Overlay() const { return overlay_; }

    // Scrolls a part of the picture (picture coordinates) into the middle of
    // the view unless all of it is shown already.
    void ScrollToShow(const QRectF& pictureRect);

    // The sheet image as drawn: the document's pixels, shared, not copied.
    const QImage& SheetImage();

    const LabelPlacement& Placement() const { return placement_; }
    // The survey entry under the pointer after the last mouse move, if its
    // list still exists.
    std::optional<std::size_t> HoveredEntry() const;

    // A survey was confirmed: a placement chosen on another zone's map that
    // lies outside this zone's prefecture table ends.
    void SurveyConfirmed();

signals:
    // The text for the status bar's message pane.
    void StatusText(const QString& text);
    void ZoomChanged(int percent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void UpdateScrollBars();
    QPoint DrawingPoint(QPointF viewportPoint) const;
    QRect PictureRectOf(const QRect& viewportRect) const;
    bool ZoomByKey(const QKeyEvent* event);
    QPoint ZoomAnchor() const;
    void ChooseLabelToPlace();
    QString SubSheetText(QPoint drawingPoint) const;

    CMyVeskDoc& doc_;
    QSize extent_{10, 10};
    ViewZoom zoom_;
    QImage sheetImage_;
    std::uint64_t sheetImageGeneration_ = ~std::uint64_t{0};
    LabelPlacement placement_;
    SheetOverlay overlay_;
    // The hovered entry is an index into the list of one survey generation,
    // never a reference that could outlive its entry.
    std::optional<std::size_t> hovered_;
    std::uint64_t hoveredGeneration_ = 0;
    bool overSubSheet_ = false;  // the status bar shows the block under the pointer
};

}  // namespace vesk::gui
