#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <cstdint>

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

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void UpdateScrollBars();

    CMyVeskDoc& doc_;
    QSize extent_{10, 10};
    QImage sheetImage_;
    std::uint64_t sheetImageGeneration_ = ~std::uint64_t{0};
};

}  // namespace vesk::gui
