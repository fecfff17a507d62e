// The sheet picture, painted into an image and read pixel by pixel.
#include <QApplication>
#include <QPainter>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include "GuiFixture.h"
#include "ModalDriver.h"
#include "view/CMyVeskView.h"

using namespace vesk;
using vesk::test::GuiFixture;

namespace {

// What the test bitmaps hold at pixel x of row y counted from the bottom.
QRgb ExpectedPixel(int x, int yFromBottom, int bits) {
    const auto byte = [&](int index, int channel) {
        return (index * 7 + yFromBottom * 13 + channel) & 0xFF;
    };
    if (bits == 16) {
        const unsigned v = byte(x, 0) | (byte(x, 1) << 8);
        const auto expand = [](unsigned c) { return static_cast<int>((c << 3) | (c >> 2)); };
        return qRgb(expand((v >> 10) & 31), expand((v >> 5) & 31), expand(v & 31));
    }
    return qRgb(byte(x, 2), byte(x, 1), byte(x, 0));
}

QImage Paint(GuiFixture& gui) {
    const QSize extent = gui.Frame().View()->Extent();
    QImage image(extent, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    gui.Frame().View()->PaintPicture(painter);
    return image;
}

bool IsBlue(QRgb c) {
    return qBlue(c) > 200 && qRed(c) < 60 && qGreen(c) < 60;
}

// What the view draws over the image, told apart from the image: frames and
// text ink are black, the numbers' boxes white, the outline pure blue. The
// test bitmaps hold none of these colours.
char OverlayClass(QRgb c) {
    switch (c & RGB_MASK) {
        case 0x000000:
            return 'k';
        case 0xFFFFFF:
            return 'w';
        case 0x0000FF:
            return 'b';
        default:
            return '.';
    }
}

// The pixels where two drawings differ in what they draw over the image.
QList<QPoint> OverlayDifferences(const QImage& a, const QImage& b, QSize size) {
    QList<QPoint> differences;
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            if (OverlayClass(a.pixel(x, y)) != OverlayClass(b.pixel(x, y))) {
                differences.append(QPoint(x, y));
            }
        }
    }
    return differences;
}

}  // namespace

class SheetViewTest : public QObject {
    Q_OBJECT

private slots:
    void imageIsCopiedOneToOneAtEachDepth_data();
    void imageIsCopiedOneToOneAtEachDepth();
    void unselectedSubSheetsHaveABlackFrameInside();
    void selectedSubSheetHasABlueOutlineInsetByTwo();
    void blockNumbersFollowTheSwitch();
    void undescribedSubSheetsDrawTheirNumbersAtTheCorner();
    void clicksFollowTheScrollPosition();
    void failedOpenLeavesNoTraceOfThePreviousSheetOnScreen();
    void imageIsTheDocumentsPixelsAndOnlyTheExposedPartIsDrawn();
    void zoomKeepsThePointUnderThePointerAndClicksHitInPictureCoordinates();
    void framesOutlineAndNumbersKeepTheirScreenSizeAtAQuarter();
};

void SheetViewTest::imageIsCopiedOneToOneAtEachDepth_data() {
    QTest::addColumn<int>("bits");
    QTest::newRow("16") << 16;
    QTest::newRow("24") << 24;
    QTest::newRow("32") << 32;
}

void SheetViewTest::imageIsCopiedOneToOneAtEachDepth() {
    QFETCH(int, bits);
    GuiFixture gui;
    gui.Open(gui.GridSheet(500, 375, bits));
    gui.Doc().ToggleBlockNames();
    const QImage image = Paint(gui);
    for (QPoint p : {QPoint(1, 1), QPoint(50, 37), QPoint(333, 222), QPoint(498, 373)}) {
        QCOMPARE(image.pixel(p), ExpectedPixel(p.x(), 374 - p.y(), bits));
    }
}

void SheetViewTest::unselectedSubSheetsHaveABlackFrameInside() {
    GuiFixture gui;
    gui.Open(gui.GridSheet());
    const QImage image = Paint(gui);
    const QRgb black = qRgb(0, 0, 0);
    // Sub-sheet 6 covers x 100..199, y 75..149.
    for (QPoint p : {QPoint(100, 110), QPoint(199, 110), QPoint(150, 75), QPoint(150, 149)}) {
        QCOMPARE(image.pixel(p), black);
    }
    QCOMPARE(image.pixel(101, 110), ExpectedPixel(101, 374 - 110, 24));
}

void SheetViewTest::selectedSubSheetHasABlueOutlineInsetByTwo() {
    GuiFixture gui;
    gui.Open(gui.GridSheet());
    gui.ClickPicture(QPoint(150, 100));
    QCOMPARE(gui.Doc().SelectedSubSheet(), 6);
    const QImage image = Paint(gui);
    QVERIFY(IsBlue(image.pixel(102, 110)));   // left side, on the inset line
    QVERIFY(IsBlue(image.pixel(197, 110)));   // right side: right - 2 = 198, drawn 196..200
    QVERIFY(IsBlue(image.pixel(150, 77)));    // top side
    QVERIFY(IsBlue(image.pixel(150, 147)));   // bottom side
    QVERIFY(!IsBlue(image.pixel(106, 110)));  // inside the 5-pixel pen
    QCOMPARE(image.pixel(120, 95), ExpectedPixel(120, 374 - 95, 24));
    QCOMPARE(image.pixel(99, 110), qRgb(0, 0, 0));  // the neighbour keeps its frame

    gui.ClickPicture(QPoint(150, 100));  // off again: the black frame comes back
    const QImage after = Paint(gui);
    QCOMPARE(after.pixel(102, 110), ExpectedPixel(102, 374 - 110, 24));
    QCOMPARE(after.pixel(100, 110), qRgb(0, 0, 0));
}

void SheetViewTest::blockNumbersFollowTheSwitch() {
    GuiFixture gui;
    gui.Open(gui.GridSheet());
    const QImage withNumbers = Paint(gui);
    gui.Doc().ToggleBlockNames();
    const QImage without = Paint(gui);
    // Around each centre the numbers' opaque box differs from the image.
    for (int n = 0; n < 25; ++n) {
        const QPoint centre(50 + 100 * (n % 5), 37 + 75 * (n / 5));
        QVERIFY2(withNumbers.pixel(centre) != without.pixel(centre),
                 qPrintable(QString::number(n)));
        QCOMPARE(without.pixel(centre), ExpectedPixel(centre.x(), 374 - centre.y(), 24));
    }
    // Only the numbers' boxes differ: a point far from every centre is the same.
    QCOMPARE(withNumbers.pixel(20, 20), without.pixel(20, 20));
}

void SheetViewTest::undescribedSubSheetsDrawTheirNumbersAtTheCorner() {
    GuiFixture gui;
    vesk::test::SheetBuilder sheet;
    sheet.SheetArea(2500, 9, 0, 0).Image({.width = 200, .height = 150});
    gui.Open(gui.Write(sheet, "empty.tqb"));
    const QImage image = Paint(gui);
    // All 25 numbers lie on top of one another around (0, 0).
    QVERIFY(image.pixel(0, 0) != ExpectedPixel(0, 149, 24));
    QCOMPARE(image.pixel(100, 75), ExpectedPixel(100, 74, 24));
}

void SheetViewTest::clicksFollowTheScrollPosition() {
    GuiFixture gui;
    gui.Open(gui.GridSheet(2000, 1500));
    auto* view = gui.Frame().View();
    gui.Frame().resize(400, 300);
    QTRY_VERIFY(view->viewport()->width() < 2000);
    view->horizontalScrollBar()->setValue(800);
    view->verticalScrollBar()->setValue(600);
    // Window point (10, 10) is drawing point (810, 610): sub-sheet 12.
    QTest::mousePress(view->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(gui.Doc().SelectedSubSheet(), 12);
}

void SheetViewTest::failedOpenLeavesNoTraceOfThePreviousSheetOnScreen() {
    GuiFixture gui;
    vesk::test::ModalDriver driver;
    vesk::test::SheetBuilder noChunks;
    for (const auto& file : {gui.dir / "missing.tqb", gui.Write(noChunks, "empty.tqb")}) {
        gui.Open(gui.GridSheet());
        gui.ClickPicture(QPoint(150, 100));
        QTRY_VERIFY(IsBlue(gui.ViewportOnScreen().pixel(102, 110)));
        gui.Doc().OpenSheetFile(file);
        // Image, frames and outline are gone; only the numbers are left, piled
        // up on the top-left corner.
        const QImage shown = gui.ViewportOnScreen();
        const QRgb background = gui.Frame().View()->viewport()->palette().base().color().rgb();
        for (QPoint p : {QPoint(102, 110), QPoint(100, 110), QPoint(250, 200), QPoint(450, 300)}) {
            QCOMPARE(shown.pixel(p), background);
        }
        QVERIFY(shown.pixel(1, 1) != background);
        gui.ClickPicture(QPoint(150, 100));
        QCOMPARE(gui.Doc().SelectedSubSheet(), -1);
    }
}

void SheetViewTest::imageIsTheDocumentsPixelsAndOnlyTheExposedPartIsDrawn() {
    GuiFixture gui;
    gui.Open(gui.GridSheet(500, 375, 24));
    gui.Doc().ToggleBlockNames();
    auto* view = gui.Frame().View();
    // One copy of the pixels: the drawn image is the document's buffer itself.
    const auto pixels = gui.Doc().SheetImagePixels();
    QVERIFY(pixels);
    QCOMPARE(static_cast<const void*>(view->SheetImage().constBits()),
             static_cast<const void*>(pixels->data()));
    QImage image(view->Extent(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    view->PaintPicture(painter, QRect(120, 90, 40, 30));
    painter.end();
    QCOMPARE(image.pixel(120, 90), ExpectedPixel(120, 374 - 90, 24));
    QCOMPARE(image.pixel(159, 119), ExpectedPixel(159, 374 - 119, 24));
    for (QPoint outside : {QPoint(119, 100), QPoint(160, 100), QPoint(130, 89), QPoint(130, 120)}) {
        QCOMPARE(image.pixel(outside), qRgb(255, 255, 255));
    }
}

void SheetViewTest::zoomKeepsThePointUnderThePointerAndClicksHitInPictureCoordinates() {
    GuiFixture gui;
    gui.Open(gui.GridSheet());
    gui.Doc().ToggleBlockNames();
    auto* view = gui.Frame().View();
    QTRY_COMPARE(view->viewport()->size(), QSize(500, 375));
    // Ctrl + wheel at picture point (300, 200): it stays under the pointer.
    QWheelEvent wheel(QPointF(300, 200), view->viewport()->mapToGlobal(QPointF(300, 200)), QPoint(),
                      QPoint(0, 120), Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view->viewport(), &wheel);
    QCOMPARE(view->Zoom(), 1.5);
    QCOMPARE(view->ScrollPosition(), QPoint(150, 100));
    QCOMPARE(gui.Frame().ZoomText(), QStringLiteral("150 %"));
    QTest::keyClick(view, Qt::Key_Plus, Qt::ControlModifier);
    QCOMPARE(view->Zoom(), 2.0);
    view->horizontalScrollBar()->setValue(0);
    view->verticalScrollBar()->setValue(0);
    // Viewport point (220, 150) is picture point (110, 75): sub-sheet 6.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(220, 150));
    QCOMPARE(gui.Doc().SelectedSubSheet(), 6);
    // Each picture pixel is two screen pixels; the outline keeps its width and
    // its inset of 2 screen pixels from the block's zoomed edge.
    const QImage shown = gui.ViewportOnScreen();
    QVERIFY(IsBlue(shown.pixel(2 * 100 + 2, 2 * 110)));
    QVERIFY(!IsBlue(shown.pixel(2 * 100 + 6, 2 * 110)));
    QCOMPARE(shown.pixel(2 * 120 + 1, 2 * 95 + 1), ExpectedPixel(120, 374 - 95, 24));
    for (int i = 0; i < 12; ++i) {
        QTest::keyClick(view, Qt::Key_Minus, Qt::ControlModifier);
    }
    QCOMPARE(view->Zoom(), 0.25);
    QCOMPARE(view->ZoomedExtent(), QSize(125, 94));
    QTest::keyClick(view, Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(view->Zoom(), 1.0);
    QCOMPARE(gui.Frame().ZoomText(), QString());
}

// A sheet four times as large shown at 25 % has its frames, its selected
// block's outline and its numbers where a sheet of the zoomed size has them
// at 100 %, pixel for pixel: one pixel wide, never thinned away.
void SheetViewTest::framesOutlineAndNumbersKeepTheirScreenSizeAtAQuarter() {
    GuiFixture gui;
    auto* view = gui.Frame().View();
    const QSize zoomed(500, 300);
    gui.Open(gui.GridSheet(zoomed.width(), zoomed.height()));
    gui.ClickPicture(QPoint(150, 100));
    QTRY_VERIFY(view->viewport()->width() >= zoomed.width() &&
                view->viewport()->height() >= zoomed.height());
    const QImage atFull = gui.ViewportOnScreen();

    gui.Open(gui.GridSheet(4 * zoomed.width(), 4 * zoomed.height()));
    view->SetZoom(0.25, QPoint(0, 0));
    QCOMPARE(view->ZoomedExtent(), zoomed);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(150, 100));
    QCOMPARE(gui.Doc().SelectedSubSheet(), 6);
    QTRY_VERIFY(view->viewport()->width() >= zoomed.width() &&
                view->viewport()->height() >= zoomed.height());
    const QImage atQuarter = gui.ViewportOnScreen();
    const QList<QPoint> differences = OverlayDifferences(atFull, atQuarter, zoomed);
    QVERIFY2(differences.isEmpty(), qPrintable(QStringLiteral("%1 pixels, first at %2,%3")
                                                   .arg(differences.size())
                                                   .arg(differences.value(0).x())
                                                   .arg(differences.value(0).y())));
    // Two neighbours' frames, a pixel each, and the image on either side.
    QCOMPARE(atQuarter.pixel(99, 20), qRgb(0, 0, 0));
    QCOMPARE(atQuarter.pixel(100, 20), qRgb(0, 0, 0));
    QCOMPARE(OverlayClass(atQuarter.pixel(98, 20)), '.');
    QCOMPARE(OverlayClass(atQuarter.pixel(101, 20)), '.');
}

QTEST_MAIN(SheetViewTest)
#include "SheetViewTest.moc"
