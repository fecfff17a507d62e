#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "survey/LabelPlacement.h"

namespace vesk {
class CMyVeskDoc;
}

namespace vesk::gui {

// The one view of the main window: a scrolling view over the document that
// draws the sheet picture or, while a survey zone is chosen, the survey map,
// and turns mouse presses into the document's selection.
class CMyVeskView : public QAbstractScrollArea {
    Q_OBJECT

public:
    CMyVeskView(CMyVeskDoc& doc, QWidget* parent);

    // The scroll extent in drawing pixels; page steps are a tenth of it, line
    // steps a tenth of a page.
    void SetExtent(int width, int height);
    QSize Extent() const { return extent_; }
    QPoint ScrollPosition() const;

    // Draws the whole picture in drawing coordinates, as the view shows it
    // unscrolled; tests and printing paint into their own surfaces with it.
    void PaintPicture(QPainter& painter);

    // The sheet image as drawn, converted once for each image the document reads.
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

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void UpdateScrollBars();
    QPoint DrawingPoint(const QMouseEvent* event) const;
    void ChooseLabelToPlace();

    CMyVeskDoc& doc_;
    QSize extent_{10, 10};
    QImage sheetImage_;
    std::uint64_t sheetImageGeneration_ = ~std::uint64_t{0};
    LabelPlacement placement_;
    // The hovered entry is an index into the list of one survey generation,
    // never a reference that could outlive its entry.
    std::optional<std::size_t> hovered_;
    std::uint64_t hoveredGeneration_ = 0;
};

}  // namespace vesk::gui
