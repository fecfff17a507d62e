// Opening a sheet whose picture is gigabytes: the load runs on a thread of its
// own behind a progress dialog while the main window keeps painting, and its
// ｷｬﾝｾﾙ leaves no sheet open.
#include <QElapsedTimer>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "GuiFixture.h"
#include "ModalDriver.h"
#include "view/CMyVeskView.h"

using namespace vesk;
using vesk::test::GuiFixture;
using vesk::test::ModalDriver;

class SheetLoadRunTest : public QObject {
    Q_OBJECT

private slots:
    void windowPaintsWhileABigSheetLoadsBehindItsProgress();
    void cancelLeavesNoSheetOpenAndTheRecentFilesAsTheyWere();
};

namespace {

constexpr int kSide = 20000;

// A sheet of one block whose 20000 x 20000 picture comes last, its 1.2 GB of
// pixels a hole in the file: written at once, and read as slowly as any.
std::filesystem::path BigSheet(GuiFixture& gui) {
    constexpr std::int64_t kRowBytes = std::int64_t{kSide} * 3;
    constexpr std::int64_t kPixelBytes = kRowBytes * kSide;
    vesk::test::SheetBuilder sheet;
    sheet.SheetArea(2500, 9, 1000.0f, 2000.0f)
        .SubSheetArea(0, 1000.0f, 2600.0f)
        .Building(0, 10, {{1010, 2610}, {1020, 2610}, {1020, 2620}})
        .Image({.width = kSide, .height = kSide, .fileSize = 54 + kPixelBytes, .pixelBytes = 0});
    const auto path = gui.Write(sheet, "big.tqb");
    std::filesystem::resize_file(path, std::filesystem::file_size(path) + kPixelBytes);
    return path;
}

// Counts the paint events of a widget.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

void SheetLoadRunTest::windowPaintsWhileABigSheetLoadsBehindItsProgress() {
    GuiFixture gui;
    gui.Open(gui.GridSheet());
    const auto big = BigSheet(gui);
    QWidget* viewport = gui.Frame().View()->viewport();
    PaintCounter counter(viewport);
    int ticks = 0;
    int paintsWhileLoading = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        ++ticks;
        paintsWhileLoading = counter.paints;
    });
    ModalDriver driver;
    QString label;
    QImage during;
    driver.Then([&](QWidget* dialog) {
        auto* progress = qobject_cast<QProgressDialog*>(dialog);
        QVERIFY(progress);
        label = progress->labelText();
        during = gui.ViewportOnScreen();
    });
    tick.start(10);
    QElapsedTimer clock;
    clock.start();
    gui.Frame().OpenAndRemember(QString::fromStdString(big.string()));
    tick.stop();
    qInfo("loaded in %lld ms, %d ticks, %d paints", clock.elapsed(), ticks, paintsWhileLoading);
    QVERIFY(ticks > 5);
    QVERIFY(paintsWhileLoading > 0);
    QVERIFY2(label.contains(QStringLiteral("big.tqb")), qPrintable(label));
    // Meanwhile the window shows the grid sheet gone, as a failed open leaves it.
    const QRgb background = gui.Frame().View()->viewport()->palette().base().color().rgb();
    for (QPoint p : {QPoint(102, 110), QPoint(250, 200), QPoint(450, 300)}) {
        QCOMPARE(during.pixel(p), background);
    }
    QCOMPARE(driver.unexpectedDialogs, 0);
    QVERIFY(driver.messages.empty());
    QVERIFY(gui.Doc().IsSheetLoaded());
    QCOMPARE(gui.Doc().SheetImageHeader().width, kSide);
    QCOMPARE(gui.Frame().View()->Extent(), QSize(kSide, kSide));
    QCOMPARE(gui.Frame().windowTitle(), QStringLiteral("big.tqb - Vesk"));
    QCOMPARE(gui.Frame().RecentFiles().Files().front(), QString::fromStdString(big.string()));
}

void SheetLoadRunTest::cancelLeavesNoSheetOpenAndTheRecentFilesAsTheyWere() {
    GuiFixture gui;
    const QString grid = QString::fromStdString(gui.GridSheet().string());
    gui.Frame().OpenAndRemember(grid);
    const QString big = QString::fromStdString(BigSheet(gui).string());
    ModalDriver driver;
    driver.Then([](QWidget* dialog) {
        auto* progress = qobject_cast<QProgressDialog*>(dialog);
        QVERIFY(progress);
        progress->findChild<QPushButton*>()->click();
    });
    QElapsedTimer clock;
    clock.start();
    gui.Frame().OpenAndRemember(big);
    qInfo("cancelled after %lld ms", clock.elapsed());
    QCOMPARE(driver.unexpectedDialogs, 0);
    QVERIFY(driver.messages.empty());
    QVERIFY(!gui.Doc().IsSheetLoaded());
    QVERIFY(gui.Doc().LastLoadCancelled());
    QVERIFY(!gui.Doc().SheetImagePixels());
    QCOMPARE(gui.Frame().windowTitle(), QString::fromUtf8("無題 - Vesk"));
    QCOMPARE(gui.Frame().RecentFiles().Files(), QStringList{grid});
    // The next open reads as ever.
    gui.Frame().OpenAndRemember(grid);
    QVERIFY(gui.Doc().IsSheetLoaded());
    QVERIFY(!gui.Doc().LastLoadCancelled());
}

QTEST_MAIN(SheetLoadRunTest)
#include "SheetLoadRunTest.moc"
