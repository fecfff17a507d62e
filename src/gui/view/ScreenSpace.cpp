#include "view/ScreenSpace.h"

#include <QPainter>
#include <cmath>

namespace vesk::gui {
namespace {

// Half-way cases go the same way on both sides of the origin, so that an
// edge keeps its place as the view scrolls across it.
int NearestBoundary(double coordinate) {
    return static_cast<int>(std::floor(coordinate + 0.5));
}

}  // namespace

ScreenSpace::ScreenSpace(QPainter& painter)
    : painter_(painter), toScreen_(painter.combinedTransform()) {
    painter_.save();
    painter_.resetTransform();
}

ScreenSpace::~ScreenSpace() {
    painter_.restore();
}

QPointF ScreenSpace::Map(QPointF picturePoint) const {
    return toScreen_.map(picturePoint);
}

QPoint ScreenSpace::Map(QPoint picturePoint) const {
    const QPointF p = Map(QPointF(picturePoint));
    return QPoint(NearestBoundary(p.x()), NearestBoundary(p.y()));
}

PixelRect ScreenSpace::Map(const PixelRect& pictureRect) const {
    const QPoint topLeft = Map(QPoint(pictureRect.left, pictureRect.top));
    const QPoint bottomRight = Map(QPoint(pictureRect.right, pictureRect.bottom));
    return PixelRect{topLeft.x(), topLeft.y(), bottomRight.x(), bottomRight.y()};
}

}  // namespace vesk::gui
