#include "view/CMyVeskView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "dialogs/CLabelPositionDlg.h"
#include "document/CMyVeskDoc.h"
#include "document/SubSheetSelection.h"
#include "text/ShiftJis.h"
#include "view/SheetImageConversion.h"
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
    } else {
        PaintSurveyMap(painter, doc_, placement_);
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

QPoint CMyVeskView::DrawingPoint(const QMouseEvent* event) const {
    return event->position().toPoint() + ScrollPosition();
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
        const QPoint p = DrawingPoint(event);
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

void CMyVeskView::mouseMoveEvent(QMouseEvent* event) {
    if (doc_.SurveyZone() != 0) {
        const QPoint p = DrawingPoint(event);
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

void CMyVeskView::keyPressEvent(QKeyEvent* event) {
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
    if (key == LabelKey::Other) {
        QAbstractScrollArea::keyPressEvent(event);
    }
}

}  // namespace vesk::gui
