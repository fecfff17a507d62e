// The folder survey in the program: the zone dialog, the survey map drawn into
// an image, hovering, opening by double-click, and placing a prefecture name.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include "GuiFixture.h"
#include "ModalDriver.h"
#include "SampleSheet.h"
#include "app/CommandIds.h"
#include "app/CommandTable.h"
#include "dialogs/CLabelPositionDlg.h"
#include "dialogs/CZoneSelectionDlg.h"
#include "view/CMyVeskView.h"
#include "zonemap/PrefectureOutlines.h"
#include "zonemap/PrefectureTable.h"
#include "zonemap/ZoneMap.h"

using namespace vesk;
using namespace vesk::gui;
using vesk::test::GuiFixture;
using vesk::test::ModalDriver;

namespace {

// A small sample sheet of the zone at the origin, named name.
void WriteSheet(const std::filesystem::path& path, int zone, float x, float y,
                const std::string& name) {
    sample::SampleOptions options;
    options.zone = zone;
    options.originX = x;
    options.originY = y;
    options.name = name;
    options.imageWidth = 100;
    options.imageHeight = 75;
    options.buildingsPerSubSheet = 2;
    options.demColumns = 3;
    options.demRows = 3;
    options.texturePixels = 4;
    std::string error;
    QVERIFY2(sample::WriteSampleSheet(options, path, error), error.c_str());
}

// Sheets of zones 9, 6 and 7 in the fixture's folder.
std::filesystem::path SurveyFolder(GuiFixture& gui) {
    const auto folder = gui.dir / "survey";
    std::filesystem::create_directories(folder);
    WriteSheet(folder / "a.tqb", 9, -8000.0f, -36000.0f, "丸の内");
    WriteSheet(folder / "b.TQB", 6, 10000.0f, -100000.0f, "難波");
    WriteSheet(folder / "c.tqb", 7, 0.0f, 0.0f, "名古屋");
    return folder;
}

// Surveys the folder and confirms zone in the zone dialog; gives the zones the
// dialog offered.
QList<int> Survey(GuiFixture& gui, ModalDriver& driver, const std::filesystem::path& folder,
                  int zone) {
    QList<int> offered;
    driver.ThenChooseFolder(folder);
    driver.Then([&offered, zone](QWidget* dialog) {
        auto* zones = qobject_cast<CZoneSelectionDlg*>(dialog);
        QVERIFY(zones);
        for (int z = 1; z <= CZoneSelectionDlg::kLastZone; ++z) {
            QVERIFY(!zones->ZoneButtonOf(z)->isChecked());
            if (zones->ZoneButtonOf(z)->isEnabled()) {
                offered.append(z);
            }
        }
        zones->ZoneButtonOf(zone)->click();
        zones->findChild<QPushButton*>(QStringLiteral("1020"))->click();
    });
    gui.Frame().Commands().Run(cmd::kSurvey);
    return offered;
}

QImage Paint(GuiFixture& gui) {
    QImage image(gui.Frame().View()->Extent(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    gui.Frame().View()->PaintPicture(painter);
    return image;
}

QPoint MapPoint(int zone, float x, float y) {
    const MapPixel pixel = BuiltInZoneMap(zone)->Position({x, y});
    return QPoint(pixel.x, pixel.y);
}

bool IsGrey(QRgb c) {
    return qRed(c) == 128 && qGreen(c) == 128 && qBlue(c) == 128;
}

// Grey text is smoothed into lighter greys at its edges.
bool IsGreyInk(QRgb c) {
    return qRed(c) == qGreen(c) && qGreen(c) == qBlue(c) && qRed(c) < 235;
}

// The centre of the grey ink in a box around point.
QPointF GreyCentre(const QImage& image, QPoint point, int halfWidth, int halfHeight) {
    double sx = 0, sy = 0;
    int count = 0;
    for (int y = point.y() - halfHeight; y <= point.y() + halfHeight; ++y) {
        for (int x = point.x() - halfWidth; x <= point.x() + halfWidth; ++x) {
            if (image.rect().contains(x, y) && IsGreyInk(image.pixel(x, y))) {
                sx += x, sy += y, ++count;
            }
        }
    }
    return count ? QPointF(sx / count, sy / count) : QPointF(-1, -1);
}

int IndexOf(int zone, const char* name) {
    for (int i = 0; i < PrefectureCount(zone); ++i) {
        if (PrefectureNameAndLabel(zone, i).name == name) {
            return i;
        }
    }
    return -1;
}

// Ctrl+click on the map; step answers the label dialog.
void CtrlClick(GuiFixture& gui, ModalDriver& driver, std::function<void(CLabelPositionDlg*)> step) {
    driver.Then([step](QWidget* dialog) {
        auto* labels = qobject_cast<CLabelPositionDlg*>(dialog);
        QVERIFY(labels);
        step(labels);
    });
    QTest::mouseClick(gui.Frame().View()->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      QPoint(5, 5));
}

// A mouse move straight to the viewport, whatever the pointer did before.
void HoverAt(QWidget* viewport, QPoint point) {
    QMouseEvent move(QEvent::MouseMove, QPointF(point), viewport->mapToGlobal(QPointF(point)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
}

void Pick(CLabelPositionDlg* dialog, int index) {
    dialog->Prefectures()->setCurrentIndex(index);
    emit dialog->Prefectures()->activated(index);
    dialog->findChild<QPushButton*>(QStringLiteral("1023"))->click();
}

}  // namespace

class SurveyMapTest : public QObject {
    Q_OBJECT

private slots:
    void wholeSurveySession();
    void mapShowsOutlinesNamesAndSheets();
    void placedNameMovesWithTheArrowKeys();
    void dialogsKeepOpenOnTheirErrors();
    void farIslandZonesAreOfferedAndShown();
    void zoneWithoutBuiltInMapShowsItsSheetsLargeInAUsableWindow();
    void statusPaneIsReadyAgainAfterLeavingTheMapAndOnTheNextSurvey();
    void hoverAndLabelsWorkInMapCoordinatesAtEveryZoom();
    void linesStayOnePixelWideAtEightTimes();
};

void SurveyMapTest::wholeSurveySession() {
    GuiFixture gui;
    ModalDriver driver;
    const auto folder = SurveyFolder(gui);
    QCOMPARE(Survey(gui, driver, folder, 9), (QList<int>{6, 7, 9}));
    QCOMPARE(gui.Frame().windowTitle(), QString::fromUtf8("第9系 - Vesk"));
    QCOMPARE(gui.Frame().View()->Extent(), QSize(490, 720));
    QTRY_COMPARE(gui.Frame().View()->viewport()->size(), QSize(490, 720));
    QVERIFY(gui.Action(cmd::kPrefectureNames)->isEnabled());
    QVERIFY(!gui.Action(cmd::kBlockNames)->isEnabled());

    // The zone 9 sheet spans map pixels x 244..247, y 529..531.
    auto* viewport = gui.Frame().View()->viewport();
    QTest::mouseMove(viewport, QPoint(245, 530));
    QCOMPARE(gui.Frame().MessageText(), QString::fromUtf8("丸の内"));
    QTest::mouseMove(viewport, QPoint(100, 100));
    QCOMPARE(gui.Frame().MessageText(), QString());
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, QPoint(100, 100));
    QCOMPARE(gui.Doc().SurveyZone(), 9);

    QTest::mouseMove(viewport, QPoint(244, 529));
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, QPoint(244, 529));
    QCOMPARE(gui.Doc().SurveyZone(), 0);
    QVERIFY(gui.Doc().IsSheetLoaded());
    QCOMPARE(gui.Frame().windowTitle(), QString::fromUtf8("丸の内 - Vesk"));
    QVERIFY(gui.Doc().Survey().empty());
    QVERIFY(!gui.Frame().View()->HoveredEntry());
    QVERIFY(gui.Action(cmd::kBlockNames)->isEnabled());
    QVERIFY(!gui.Action(cmd::kPrefectureNames)->isEnabled());
    QVERIFY(driver.messages.empty());
}

void SurveyMapTest::mapShowsOutlinesNamesAndSheets() {
    GuiFixture gui;
    ModalDriver driver;
    Survey(gui, driver, SurveyFolder(gui), 9);
    const QImage withNames = Paint(gui);
    for (const auto& outline : PrefectureOutlines(9)) {
        for (std::size_t i = 0; i < outline.size(); i += 25) {
            const QPoint p = MapPoint(9, outline[i].x, outline[i].y);
            QVERIFY2(IsGrey(withNames.pixel(p)),
                     qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
        }
    }
    QCOMPARE(withNames.pixel(245, 530), qRgb(0, 255, 0));  // inside the sheet
    QCOMPARE(withNames.pixel(244, 529), qRgb(0, 0, 0));    // its outline, current pen
    gui.Action(cmd::kPrefectureNames)->trigger();
    QVERIFY(!gui.Action(cmd::kPrefectureNames)->isChecked());
    const QImage without = Paint(gui);
    const PrefectureLabel tokyo = PrefectureNameAndLabel(9, IndexOf(9, "東京都"));
    const QPoint centre = MapPoint(9, tokyo.position.x, tokyo.position.y);
    const QPointF ink = GreyCentre(withNames, centre, 16, 8);
    QVERIFY(std::abs(ink.x() - centre.x()) <= 3 && std::abs(ink.y() - centre.y()) <= 3);
    int greyWith = 0, greyWithout = 0;
    for (int y = centre.y() - 6; y <= centre.y() + 6; ++y) {
        for (int x = centre.x() - 15; x <= centre.x() + 15; ++x) {
            greyWith += IsGreyInk(withNames.pixel(x, y));
            greyWithout += IsGreyInk(without.pixel(x, y));
        }
    }
    QVERIFY(greyWith > greyWithout + 10);
}

void SurveyMapTest::placedNameMovesWithTheArrowKeys() {
    GuiFixture gui;
    ModalDriver driver;
    Survey(gui, driver, SurveyFolder(gui), 9);
    const int tokyo = IndexOf(9, "東京都");
    CtrlClick(gui, driver, [&](CLabelPositionDlg* dialog) {
        QCOMPARE(dialog->Prefectures()->count(), 8);
        QCOMPARE(dialog->Prefectures()->currentIndex(), -1);
        QVERIFY(dialog->NameField()->text().isEmpty());
        QVERIFY(dialog->PositionField()->text().isEmpty());
        Pick(dialog, tokyo);
    });
    QVERIFY(gui.Frame().View()->Placement().on);
    QPointF centre = GreyCentre(Paint(gui), QPoint(260, 460), 14, 8);
    QVERIFY(std::abs(centre.x() - 260) <= 2 && std::abs(centre.y() - 460) <= 2);

    auto* view = gui.Frame().View();
    for (auto key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Up, Qt::Key_Up}) {
        QTest::keyClick(view, key);
    }
    QCOMPARE(view->horizontalScrollBar()->value(), 0);
    centre = GreyCentre(Paint(gui), QPoint(266, 456), 14, 8);
    QVERIFY(std::abs(centre.x() - 266) <= 2 && std::abs(centre.y() - 456) <= 2);

    CtrlClick(gui, driver, [&](CLabelPositionDlg* dialog) {
        QCOMPARE(dialog->NameField()->text(), QString::fromUtf8("東京都"));
        QCOMPARE(dialog->PositionField()->text(), QStringLiteral("X,Y = 3000.0,2000.0"));
        Pick(dialog, tokyo);
    });
    QTest::keyClick(view, Qt::Key_Left);
    QTest::keyClick(view, Qt::Key_Down);
    CtrlClick(gui, driver, [&](CLabelPositionDlg* dialog) {
        QCOMPARE(dialog->PositionField()->text(), QStringLiteral("X,Y = -1000.0,-1000.0"));
        static_cast<QDialog*>(dialog)->reject();
    });
    QVERIFY(!view->Placement().on);
}

void SurveyMapTest::dialogsKeepOpenOnTheirErrors() {
    ZonePresence presence{};
    presence[9] = 1;
    presence[0] = presence[18] = presence[19] = 1;
    CZoneSelectionDlg zones(presence, nullptr);
    QCOMPARE(zones.windowTitle(), QString::fromUtf8("新国家座標系選択ﾀﾞｲｱﾛｸﾞ"));
    QCOMPARE(zones.ZoneButtonOf(9)->text(), QString::fromUtf8("第９系　関東"));
    QCOMPARE(zones.ZoneButtonOf(14)->text(), QString::fromUtf8("第１４系　小笠原諸島"));
    QCOMPARE(zones.ZoneButtonOf(18)->text(), QString::fromUtf8("第１８系　沖ノ鳥島"));
    QCOMPARE(zones.ZoneButtonOf(19)->text(), QString::fromUtf8("第１９系　南鳥島"));
    for (int z = 1; z <= CZoneSelectionDlg::kLastZone; ++z) {
        QCOMPARE(zones.ZoneButtonOf(z)->isEnabled(), z == 9 || z >= 18);
        QVERIFY(zones.rect().contains(zones.ZoneButtonOf(z)->geometry()));
    }
    zones.show();
    {
        ModalDriver driver;
        zones.findChild<QPushButton*>(QStringLiteral("1020"))->click();
        QCOMPARE(driver.MessageTexts(),
                 QStringList{QString::fromUtf8("新国家座標系が選択されていません")});
        QCOMPARE(driver.messages[0].caption, QString::fromUtf8("ｴﾗｰ"));
        QVERIFY(zones.isVisible());
        QCOMPARE(zones.SelectedZone(), 0);
    }
    zones.ZoneButtonOf(9)->click();
    zones.findChild<QPushButton*>(QStringLiteral("1020"))->click();
    QCOMPARE(zones.SelectedZone(), 9);
    QCOMPARE(zones.result(), int(QDialog::Accepted));

    CLabelPositionDlg labels;
    labels.SetInputs(7, 0, LabelPlacement{});
    labels.show();
    ModalDriver driver;
    labels.findChild<QPushButton*>(QStringLiteral("1023"))->click();
    QCOMPARE(driver.MessageTexts(),
             QStringList{QString::fromUtf8("都道府県名が選択されていません")});
    QVERIFY(labels.isVisible());
    QCOMPARE(labels.Prefectures()->count(), 0);
}

// A folder of the far islands' zones alone: they are offered, and the map of
// the one chosen shows its sheet.
void SurveyMapTest::farIslandZonesAreOfferedAndShown() {
    GuiFixture gui;
    ModalDriver driver;
    const auto folder = gui.dir / "islands";
    std::filesystem::create_directories(folder);
    WriteSheet(folder / "a.tqb", 18, 0.0f, 0.0f, "沖ノ鳥島");
    WriteSheet(folder / "b.tqb", 19, 0.0f, 0.0f, "南鳥島");
    QCOMPARE(Survey(gui, driver, folder, 19), (QList<int>{18, 19}));
    QCOMPARE(gui.Doc().SurveyZone(), 19);
    QCOMPARE(gui.Frame().windowTitle(), QString::fromUtf8("第19系 - Vesk"));
    const QSize extent = gui.Frame().View()->Extent();
    QTest::mouseMove(gui.Frame().View()->viewport(), QPoint(extent.width(), extent.height()) / 2);
    QCOMPARE(gui.Frame().MessageText(), QString::fromUtf8("南鳥島"));
}

void SurveyMapTest::zoneWithoutBuiltInMapShowsItsSheetsLargeInAUsableWindow() {
    GuiFixture gui;
    ModalDriver driver;
    const auto folder = SurveyFolder(gui);
    WriteSheet(folder / "d.tqb", 7, 2000.0f, 0.0f, "栄");
    Survey(gui, driver, folder, 7);
    QCOMPARE(gui.Frame().windowTitle(), QString::fromUtf8("第7系 - Vesk"));
    // Two sheets side by side, 4,000 m by 1,500 m: 760 pixels wide at 0.19 a
    // metre, on a map of the least height, 360.
    QCOMPARE(gui.Frame().View()->Extent(), QSize(800, 360));
    QTRY_VERIFY(gui.Frame().width() >= 480);
    const QImage image = Paint(gui);
    for (QPoint inside : {QPoint(21, 38), QPoint(399, 321), QPoint(401, 38), QPoint(779, 321)}) {
        QCOMPARE(image.pixel(inside), qRgb(0, 255, 0));
    }
    QCOMPARE(image.pixel(20, 37), qRgb(0, 0, 0));
    QCOMPARE(image.pixel(19, 100), qRgb(255, 255, 255));
    QTest::mouseMove(gui.Frame().View()->viewport(), QPoint(200, 200));
    QCOMPARE(gui.Frame().MessageText(), QString::fromUtf8("名古屋"));
    QTest::mouseMove(gui.Frame().View()->viewport(), QPoint(600, 200));
    QCOMPARE(gui.Frame().MessageText(), QString::fromUtf8("栄"));
}

void SurveyMapTest::statusPaneIsReadyAgainAfterLeavingTheMapAndOnTheNextSurvey() {
    GuiFixture gui;
    ModalDriver driver;
    const auto folder = SurveyFolder(gui);
    auto* viewport = gui.Frame().View()->viewport();
    const QString ready = QString::fromUtf8("ﾚﾃﾞｨ");
    Survey(gui, driver, folder, 9);
    QTest::mouseMove(viewport, QPoint(245, 530));
    QCOMPARE(gui.Frame().MessageText(), QString::fromUtf8("丸の内"));
    Survey(gui, driver, folder, 9);
    QCOMPARE(gui.Frame().MessageText(), ready);
    QTest::mouseMove(viewport, QPoint(244, 529));
    // A sheet without a picture: the view leaves the map all the same.
    std::filesystem::remove(folder / "a.tqb");
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, QPoint(244, 529));
    QCOMPARE(gui.Doc().SurveyZone(), 0);
    QCOMPARE(gui.Frame().MessageText(), ready);
}

void SurveyMapTest::hoverAndLabelsWorkInMapCoordinatesAtEveryZoom() {
    GuiFixture gui;
    ModalDriver driver;
    Survey(gui, driver, SurveyFolder(gui), 9);
    auto* view = gui.Frame().View();
    for (int i = 0; i < 2; ++i) {
        QTest::keyClick(view, Qt::Key_Plus, Qt::ControlModifier);
    }
    QCOMPARE(view->Zoom(), 2.0);
    QCOMPARE(gui.Frame().ZoomText(), QStringLiteral("200 %"));
    view->horizontalScrollBar()->setValue(400);
    view->verticalScrollBar()->setValue(700);
    QCOMPARE(view->ScrollPosition(), QPoint(400, 700));
    // Map pixel (245, 530) of the zone-9 sheet is viewport point (90, 360).
    HoverAt(view->viewport(), QPoint(90, 360));
    QCOMPARE(gui.Frame().MessageText(), QString::fromUtf8("丸の内"));
    HoverAt(view->viewport(), QPoint(80, 350));
    QCOMPARE(gui.Frame().MessageText(), QString());
    // A name placed at the zone origin, map pixel (260, 460), is drawn around
    // viewport point (120, 220).
    CtrlClick(gui, driver, [&](CLabelPositionDlg* dialog) { Pick(dialog, IndexOf(9, "東京都")); });
    const QPointF ink = GreyCentre(gui.ViewportOnScreen(), QPoint(120, 220), 28, 14);
    QVERIFY2(std::abs(ink.x() - 120) <= 4 && std::abs(ink.y() - 220) <= 4,
             qPrintable(QStringLiteral("%1,%2").arg(ink.x()).arg(ink.y())));
}

// Zoomed in, the map's areas grow but its lines do not: no 3 x 3 square of an
// outline is all grey, and a sheet's black border is one pixel inside its green.
void SurveyMapTest::linesStayOnePixelWideAtEightTimes() {
    GuiFixture gui;
    ModalDriver driver;
    Survey(gui, driver, SurveyFolder(gui), 9);
    auto* view = gui.Frame().View();
    view->SetZoom(8.0, QPoint(0, 0));
    const auto scrollTo = [view](QPoint p) {
        view->horizontalScrollBar()->setValue(p.x());
        view->verticalScrollBar()->setValue(p.y());
        QCOMPARE(view->ScrollPosition(), p);
    };
    const PlanePoint corner = PrefectureOutlines(9).front().front();
    scrollTo(8 * MapPoint(9, corner.x, corner.y) - QPoint(100, 100));
    const QImage outlines = gui.ViewportOnScreen();
    int grey = 0;
    int thick = 0;
    for (int y = 1; y + 1 < outlines.height(); ++y) {
        for (int x = 1; x + 1 < outlines.width(); ++x) {
            grey += IsGrey(outlines.pixel(x, y));
            bool square = true;
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    square = square && IsGrey(outlines.pixel(x + dx, y + dy));
                }
            }
            thick += square;
        }
    }
    QVERIFY(grey > 50);
    QCOMPARE(thick, 0);

    // The zone 9 sheet's rectangle, map pixels (244, 529) to (248, 532), is
    // viewport points (40, 40) to (72, 64).
    scrollTo(QPoint(8 * 244 - 40, 8 * 529 - 40));
    const QImage sheet = gui.ViewportOnScreen();
    for (QPoint border : {QPoint(40, 52), QPoint(72, 52), QPoint(56, 40), QPoint(56, 64)}) {
        QCOMPARE(sheet.pixel(border), qRgb(0, 0, 0));
    }
    for (QPoint inside : {QPoint(41, 52), QPoint(71, 52), QPoint(56, 41), QPoint(56, 63)}) {
        QCOMPARE(sheet.pixel(inside), qRgb(0, 255, 0));
    }
}

QTEST_MAIN(SurveyMapTest)
#include "SurveyMapTest.moc"
