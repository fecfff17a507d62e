#pragma once

#include <QPoint>
#include <QPointF>
#include <QTransform>

#include "sheet/PixelRect.h"

class QPainter;

namespace vesk::gui {

// Draws over a picture painted under the view's zoom at the screen's own
// resolution: while it lives the painter draws in device pixels, and points and
// rectangles of the picture are mapped there, so pens, marks and text keep
// their size in screen pixels at every zoom instead of thinning out or
// swelling with it. The painter's state, its transform and drawing tools,
// comes back when it ends, so no step's tools leak into the next.
class ScreenSpace {
public:
    explicit ScreenSpace(QPainter& painter);
    ~ScreenSpace();
    ScreenSpace(const ScreenSpace&) = delete;
    ScreenSpace& operator=(const ScreenSpace&) = delete;

    QPointF Map(QPointF picturePoint) const;
    // The pixel the picture pixel's top-left corner falls on.
    QPoint Map(QPoint picturePoint) const;
    // The screen pixels a rectangle of picture pixels covers, its edges on
    // the pixel boundaries nearest to where the picture's edges fall.
    PixelRect Map(const PixelRect& pictureRect) const;

private:
    QPainter& painter_;
    QTransform toScreen_;
};

}  // namespace vesk::gui
