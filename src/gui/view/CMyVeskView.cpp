#include "view/CMyVeskView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "sheet/CMyVeskDoc.h"
#include "sheet/SubSheetSelection.h"
#include "view/SheetImageConversion.h"
#include "view/SheetPicture.h"

namespace vesk::gui {

CMyVeskView::CMyVeskView(CMyVeskDoc& doc, QWidget* parent)
    : QAbstractScrollArea(parent), doc_(doc) {
    setFrameShape(QFrame::NoFrame);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    const DisplayExtent extent = doc_.DisplayExtentPixels();
    SetExtent(extent.width, extent.height);
}

void CMyVeskView::SetExtent(int width, int height) {
    extent_ = QSize(std::max(width, 0), std::max(height, 0));
    UpdateScrollBars();
}

QPoint CMyVeskView::ScrollPosition() const {
    return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

void CMyVeskView::UpdateScrollBars() {
    // An extent that fits the view without scroll bars needs none; otherwise
    // scroll over what the viewport shows.
    const QSize whole = maximumViewportSize();
    const bool fits = extent_.width() <= whole.width() && extent_.height() <= whole.height();
    const QSize page = fits ? whole : viewport()->size();
    const auto setUp = [](QScrollBar* bar, int extent, int visible) {
        const int pageStep = std::max(extent / 10, 1);
        bar->setRange(0, std::max(extent - visible, 0));
        bar->setPageStep(pageStep);
        bar->setSingleStep(std::max(pageStep / 10, 1));
    };
    setUp(horizontalScrollBar(), extent_.width(), page.width());
    setUp(verticalScrollBar(), extent_.height(), page.height());
}

const QImage& CMyVeskView::SheetImage() {
    if (sheetImageGeneration_ != doc_.ImageGeneration()) {
        const auto pixels = doc_.SheetImagePixels();
        sheetImage_ = pixels ? ConvertSheetImage(doc_.SheetImageHeader(), *pixels) : QImage();
        sheetImageGeneration_ = doc_.ImageGeneration();
    }
    return sheetImage_;
}

void CMyVeskView::PaintPicture(QPainter& painter) {
    painter.setFont(font());
    if (doc_.SurveyZone() == 0) {
        PaintSheetPicture(painter, doc_, SheetImage());
    }
}

void CMyVeskView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.translate(-ScrollPosition());
    PaintPicture(painter);
}

void CMyVeskView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void CMyVeskView::scrollContentsBy(int, int) {
    viewport()->update();
}

void CMyVeskView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        const QPoint p = event->position().toPoint() + ScrollPosition();
        PressOnSheetPicture(doc_, p.x(), p.y());
    }
    QAbstractScrollArea::mousePressEvent(event);
}

}  // namespace vesk::gui
