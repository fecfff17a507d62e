#include "view/CMyVeskView.h"

#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <utility>

#include "dialogs/CLabelPositionDlg.h"
#include "document/CMyVeskDoc.h"
#include "document/SubSheetSelection.h"
#include "text/ShiftJis.h"
#include "view/BottomUpImage.h"
#include "view/SheetPicture.h"
#include "view/SurveyMapPicture.h"
#include "zonemap/PrefectureTable.h"

namespace vesk::gui {

CMyVeskView::CMyVeskView(CMyVeskDoc& doc, QWidget* parent)
    : QAbstractScrollArea(parent), doc_(doc) {
    setFrameShape(QFrame::NoFrame);
    viewport()->setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    const DisplayExtent extent = doc_.DisplayExtentPixels();
    SetExtent(extent.width, extent.height);
}

void CMyVeskView::SetExtent(int width, int height) {
    extent_ = QSize(std::max(width, 0), std::max(height, 0));
    zoom_.Set(1.0);
    UpdateScrollBars();
    emit ZoomChanged(zoom_.Percent());
}

QSize CMyVeskView::ZoomedExtent() const {
    const double factor = zoom_.Factor();
    return QSize(static_cast<int>(std::ceil(extent_.width() * factor)),
                 static_cast<int>(std::ceil(extent_.height() * factor)));
}

QPoint CMyVeskView::ScrollPosition() const {
    return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

void CMyVeskView::UpdateScrollBars() {
    // An extent that fits the view without scroll bars needs none; otherwise
    // scroll over what the viewport shows.
    const QSize extent = ZoomedExtent();
    const QSize whole = maximumViewportSize();
    const bool fits = extent.width() <= whole.width() && extent.height() <= whole.height();
    const QSize page = fits ? whole : viewport()->size();
    const auto setUp = [](QScrollBar* bar, int length, int visible) {
        const int pageStep = std::max(length / 10, 1);
        bar->setRange(0, std::max(length - visible, 0));
        bar->setPageStep(pageStep);
        bar->setSingleStep(std::max(pageStep / 10, 1));
    };
    setUp(horizontalScrollBar(), extent.width(), page.width());
    setUp(verticalScrollBar(), extent.height(), page.height());
}

void CMyVeskView::SetZoom(double factor, QPoint anchor) {
    const double before = zoom_.Factor();
    zoom_.Set(factor);
    if (zoom_.Factor() == before) {
        return;
    }
    const QPointF picturePoint = QPointF(anchor + ScrollPosition()) / before;
    UpdateScrollBars();
    const QPointF scroll = picturePoint * zoom_.Factor() - QPointF(anchor);
    horizontalScrollBar()->setValue(static_cast<int>(std::lround(scroll.x())));
    verticalScrollBar()->setValue(static_cast<int>(std::lround(scroll.y())));
    viewport()->update();
    emit ZoomChanged(zoom_.Percent());
}

void CMyVeskView::SetOverlay(SheetOverlay overlay) {
    overlay_ = std::move(overlay);
    viewport()->update();
}

void CMyVeskView::ScrollToShow(const QRectF& pictureRect) {
    const double factor = zoom_.Factor();
    const QRectF shown(QPointF(ScrollPosition()), QSizeF(viewport()->size()));
    const QRectF wanted(pictureRect.topLeft() * factor, pictureRect.size() * factor);
    if (shown.contains(wanted)) {
        return;
    }
    const QPointF scroll = wanted.center() - QPointF(viewport()->width(), viewport()->height()) / 2;
    horizontalScrollBar()->setValue(static_cast<int>(std::lround(scroll.x())));
    verticalScrollBar()->setValue(static_cast<int>(std::lround(scroll.y())));
}

const QImage& CMyVeskView::SheetImage() {
    if (sheetImageGeneration_ != doc_.ImageGeneration()) {
        const auto pixels = doc_.SheetImagePixels();
        sheetImage_ = pixels ? BottomUpImage(doc_.SheetImageHeader(), *pixels) : QImage();
        sheetImageGeneration_ = doc_.ImageGeneration();
    }
    return sheetImage_;
}

void CMyVeskView::PaintPicture(QPainter& painter, const QRect& exposed) {
    painter.setFont(font());
    if (doc_.SurveyZone() == 0) {
        const QRect area = exposed.isNull() ? QRect(QPoint(0, 0), extent_) : exposed;
        PaintSheetPicture(painter, doc_, SheetImage(), area, overlay_);
    } else {
        PaintSurveyMap(painter, doc_, placement_);
    }
}

// The picture pixels that a part of the viewport shows, with a pixel to spare
// for what the zoom's rounding touches.
QRect CMyVeskView::PictureRectOf(const QRect& viewportRect) const {
    const double factor = zoom_.Factor();
    const QRectF shown(QPointF(viewportRect.translated(ScrollPosition()).topLeft()) / factor,
                       QSizeF(viewportRect.size()) / factor);
    return shown.toAlignedRect().adjusted(-1, -1, 1, 1);
}

void CMyVeskView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    painter.setClipRect(event->rect());
    painter.translate(-ScrollPosition());
    painter.scale(zoom_.Factor(), zoom_.Factor());
    PaintPicture(painter, PictureRectOf(event->rect()));
}

void CMyVeskView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

// Only the strip that scrolling uncovers is painted again.
void CMyVeskView::scrollContentsBy(int dx, int dy) {
    viewport()->scroll(dx, dy);
}

QPoint CMyVeskView::DrawingPoint(QPointF viewportPoint) const {
    const QPointF p = (viewportPoint + QPointF(ScrollPosition())) / zoom_.Factor();
    return QPoint(static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y())));
}

std::optional<std::size_t> CMyVeskView::HoveredEntry() const {
    if (hoveredGeneration_ != doc_.SurveyGeneration()) {
        return std::nullopt;
    }
    return hovered_;
}

void CMyVeskView::SurveyConfirmed() {
    if (placement_.on && placement_.index >= PrefectureCount(doc_.SurveyZone())) {
        placement_.on = 0;
    }
}

void CMyVeskView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        const QPoint p = DrawingPoint(event->position());
        if (doc_.SurveyZone() == 0) {
            PressOnSheetPicture(doc_, p.x(), p.y());
        } else if (event->modifiers() & Qt::ControlModifier) {
            ChooseLabelToPlace();
        }
    }
    QAbstractScrollArea::mousePressEvent(event);
}

void CMyVeskView::ChooseLabelToPlace() {
    const int zone = doc_.SurveyZone();
    CLabelPositionDlg dialog(window());
    dialog.SetInputs(zone, PrefectureCount(zone), placement_);
    if (dialog.exec() == QDialog::Accepted) {
        placement_ = LabelPlacement{1, dialog.ChosenIndex(), 0.0f, 0.0f};
    } else {
        placement_.on = 0;
    }
    viewport()->update();
}

// The block under the pointer on a sheet, for the status bar; empty off the
// blocks. A picture pixel spans metres, so whole metres say all there is, and
// the line fits the status bar of a window fitted to a small picture.
QString CMyVeskView::SubSheetText(QPoint drawingPoint) const {
    const auto pointed = SubSheetAt(doc_, drawingPoint.x(), drawingPoint.y());
    if (!pointed) {
        return {};
    }
    return QString::fromUtf8("区画%1 %2 X,Y = %3,%4")
        .arg(pointed->number + 1)
        .arg(QString::fromStdString(pointed->outputName))
        .arg(pointed->x, 0, 'f', 0)
        .arg(pointed->y, 0, 'f', 0);
}

void CMyVeskView::mouseMoveEvent(QMouseEvent* event) {
    if (doc_.SurveyZone() == 0) {
        const QString text = SubSheetText(DrawingPoint(event->position()));
        // Leaving the blocks clears the text once; elsewhere the pane keeps its own.
        if (!text.isEmpty() || overSubSheet_) {
            emit StatusText(text);
        }
        overSubSheet_ = !text.isEmpty();
    } else {
        const QPoint p = DrawingPoint(event->position());
        hovered_ = doc_.HitTestSurvey(p.x(), p.y());
        hoveredGeneration_ = doc_.SurveyGeneration();
        const QString name =
            hovered_ ? QString::fromStdString(ShiftJisToUtf8(doc_.Survey()[*hovered_].name))
                     : QString();
        emit StatusText(name);
    }
    QAbstractScrollArea::mouseMoveEvent(event);
}

void CMyVeskView::mouseDoubleClickEvent(QMouseEvent* event) {
    const auto entry = HoveredEntry();
    if (event->button() == Qt::LeftButton && doc_.SurveyZone() != 0 && entry) {
        const std::filesystem::path path = doc_.Survey()[*entry].path;
        hovered_.reset();
        doc_.OpenSurveyedSheet(path);
    }
    QAbstractScrollArea::mouseDoubleClickEvent(event);
}

QPoint CMyVeskView::ZoomAnchor() const {
    const QPoint pointer = viewport()->mapFromGlobal(QCursor::pos());
    return viewport()->rect().contains(pointer) ? pointer : viewport()->rect().center();
}

// Ctrl with +, - or 0 (main keys or keypad) zooms about the pointer.
bool CMyVeskView::ZoomByKey(const QKeyEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        return false;
    }
    switch (event->key()) {
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            SetZoom(zoom_.StepIn(), ZoomAnchor());
            return true;
        case Qt::Key_Minus:
            SetZoom(zoom_.StepOut(), ZoomAnchor());
            return true;
        case Qt::Key_0:
            SetZoom(1.0, ZoomAnchor());
            return true;
        default:
            return false;
    }
}

void CMyVeskView::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    const int notches = event->angleDelta().y() / 120;
    for (int i = 0; i < std::abs(notches); ++i) {
        SetZoom(notches > 0 ? zoom_.StepIn() : zoom_.StepOut(), event->position().toPoint());
    }
    event->accept();
}

void CMyVeskView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && doc_.SurveyZone() == 0 && DeselectSubSheet(doc_)) {
        return;
    }
    const bool zoomed = ZoomByKey(event);
    LabelKey key = LabelKey::Other;
    switch (event->key()) {
        case Qt::Key_Left:
            key = LabelKey::Left;
            break;
        case Qt::Key_Right:
            key = LabelKey::Right;
            break;
        case Qt::Key_Up:
            key = LabelKey::Up;
            break;
        case Qt::Key_Down:
            key = LabelKey::Down;
            break;
        default:
            break;
    }
    if (placement_.on) {
        MoveLabel(placement_, key);
        viewport()->update();
    }
    // Arrow keys move the placed name, never the scroll position.
    if (key == LabelKey::Other && !zoomed) {
        QAbstractScrollArea::keyPressEvent(event);
    }
}

}  // namespace vesk::gui
