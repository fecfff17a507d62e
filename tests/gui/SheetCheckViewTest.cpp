// The data check as the sheet picture and the findings panel show it.
#include <QHeaderView>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSettings>
#include <QTest>
#include <QTreeWidget>
#include <new>

#include "GuiFixture.h"
#include "ModalDriver.h"
#include "app/CommandIds.h"
#include "app/CommandTable.h"
#include "dialogs/CZoneSelectionDlg.h"
#include "findings/DataStatusSetting.h"
#include "findings/FindingsPanel.h"
#include "findings/SheetCheckDisplay.h"
#include "findings/SheetCheckRunner.h"
#include "view/CMyVeskView.h"

using namespace vesk;
using vesk::test::GuiFixture;

namespace {

constexpr float kWest = 1000.0f;
constexpr float kSouth = 2000.0f;

// Block n's south-west corner: column n % 5, row n / 5 from the top.
std::pair<float, float> BlockOrigin(int n) {
    return {kWest + 400.0f * static_cast<float>(n % 5),
            kSouth + 300.0f * static_cast<float>(4 - n / 5)};
}

// A square footprint of side metres, its south-west corner (east, north)
// metres into block n.
std::vector<std::pair<float, float>> Square(int n, float east, float north, float side) {
    const auto [x, y] = BlockOrigin(n);
    return {{x + east, y + north},
            {x + east + side, y + north},
            {x + east + side, y + north + side},
            {x + east, y + north + side}};
}

// On a 500 x 375 picture each block is 100 x 75 pixels (scale multiplies
// both). Block 0 is clean with a building; block 1's building is implausibly
// tall (a warning); block 2's building has two corners (an error) and the
// block has a texture; block 3 has a building on a ground grid.
test::SheetBuilder CheckedSheet(int scale = 1) {
    test::SheetBuilder sheet;
    sheet.SheetArea(2500, 9, kWest, kSouth).Image({.width = 500 * scale, .height = 375 * scale});
    const auto area = [&](int n) {
        sheet.SubSheetArea(n, BlockOrigin(n).first, BlockOrigin(n).second);
    };
    area(0);
    sheet.Building(0, 10, Square(0, 10, 10, 40));
    area(1);
    sheet.Building(0, 500, Square(1, 50, 200, 40));
    area(2);
    sheet.Building(0, 10, {Square(2, 10, 10, 40)[0], Square(2, 10, 10, 40)[1]});
    const std::byte notAnImage[] = {std::byte{1}, std::byte{2}, std::byte{3}, std::byte{4}};
    sheet.Ortho(notAnImage);
    area(3);
    sheet.Dem(5, 4, 100.0f, 100.0f, std::vector<float>(20, 0.0f));
    sheet.Building(0, 10, Square(3, 150, 100, 40));
    return sheet;
}

QImage Paint(GuiFixture& gui) {
    QImage image(gui.Frame().View()->Extent(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    gui.Frame().View()->PaintPicture(painter);
    return image;
}

const gui::SheetCheckRunner& Runner(GuiFixture& gui) {
    return gui.Frame().CheckDisplay().Runner();
}

bool IsRed(QRgb c) {
    return qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60;
}

// Block 0 of the checked sheet alone: nothing to find.
test::SheetBuilder CleanSheet() {
    test::SheetBuilder sheet;
    sheet.SheetArea(2500, 9, kWest, kSouth).Image({.width = 500, .height = 375});
    sheet.SubSheetArea(0, BlockOrigin(0).first, BlockOrigin(0).second);
    sheet.Building(0, 10, Square(0, 10, 10, 40));
    return sheet;
}

QTreeWidget& ListOf(gui::FindingsPanel& panel) {
    return *panel.findChild<QTreeWidget*>();
}

// Surveys folder and shows the map of zone 9 in the sheet's place.
void ShowSurveyMap(GuiFixture& gui, test::ModalDriver& driver,
                   const std::filesystem::path& folder) {
    driver.ThenChooseFolder(folder);
    driver.Then([](QWidget* dialog) {
        auto* zones = qobject_cast<gui::CZoneSelectionDlg*>(dialog);
        QVERIFY(zones);
        zones->ZoneButtonOf(9)->click();
        zones->findChild<QPushButton*>(QStringLiteral("1020"))->click();
    });
    gui.Frame().Commands().Run(gui::cmd::kSurvey);
}

}  // namespace

class SheetCheckViewTest : public QObject {
    Q_OBJECT

private slots:
    void marksAndFrameColoursFollowTheCheckAndTheSwitch();
    void aResultForASheetNoLongerShownIsDropped();
    void panelListsTheSelectedBlockAndTheChosenFootprintIsDrawnInRed();
    void aFindingWithoutFootprintIsRingedAtItsPlace();
    void marksFramesAndTheFindingKeepTheirScreenSizeAtAQuarter();
    void panelShowsTheMessagesAndClosingGivesItsRoomToTheView();
    void panelFollowsTheSheetShownAndSaysWhenItChecksOrFindsNothing();
    void theChosenFindingGoesWithTheSelection();
    void aCheckThatThrowsEndsWithItsReasonInThePanel();
};

void SheetCheckViewTest::marksAndFrameColoursFollowTheCheckAndTheSwitch() {
    GuiFixture gui;
    QVERIFY(gui::DataStatusShown());  // on for a user who never switched it
    gui.Frame().Commands().Update();
    QVERIFY(!gui.Action(gui::cmd::kDataStatus)->isEnabled());  // no sheet yet
    gui.Open(gui.Write(CheckedSheet(), "checked.tqb"));
    const QImage before = Paint(gui);
    QTRY_VERIFY(Runner(gui).Result());
    QCOMPARE(Runner(gui).Result()->blocks.size(), std::size_t{4});
    QCOMPARE(Paint(gui), before);  // switched off, the result changes nothing

    gui.Action(gui::cmd::kDataStatus)->trigger();
    QVERIFY(gui.Action(gui::cmd::kDataStatus)->isChecked());
    QCOMPARE(QSettings().value(QStringLiteral("Settings/DataStatus")).toBool(), true);
    const QImage shown = Paint(gui);
    const QRgb black = qRgb(0, 0, 0);
    const QRgb white = qRgb(255, 255, 255);
    const QRgb orange = qRgb(255, 140, 0);
    const QRgb red = qRgb(255, 0, 0);
    // Frames: clean block 0 black, block 1 orange and block 2 red, two pixels
    // wide, the third pixel in being the image's.
    QCOMPARE(shown.pixel(50, 0), black);
    QCOMPARE(shown.pixel(50, 1), before.pixel(50, 1));
    QCOMPARE(shown.pixel(150, 0), orange);
    QCOMPARE(shown.pixel(150, 1), orange);
    QCOMPARE(shown.pixel(100, 40), orange);
    QCOMPARE(shown.pixel(150, 2), before.pixel(150, 2));
    QCOMPARE(shown.pixel(250, 74), red);
    QCOMPARE(shown.pixel(298, 40), red);
    QCOMPARE(shown.pixel(350, 0), black);
    // Marks: 7 x 7 squares from (left + 6, bottom - 13), 9 apart; the centre
    // is the kind's colour when the block holds it, white when not.
    const auto centre = [](int block, int mark) { return QPoint(block * 100 + 9 + 9 * mark, 65); };
    QCOMPARE(shown.pixel(centre(0, 0)), qRgb(230, 60, 200));
    QCOMPARE(shown.pixel(centre(0, 1)), white);
    QCOMPARE(shown.pixel(centre(0, 2)), white);
    QCOMPARE(shown.pixel(centre(2, 2)), qRgb(40, 140, 230));
    QCOMPARE(shown.pixel(centre(3, 1)), qRgb(40, 170, 60));
    QCOMPARE(shown.pixel(6, 62), black);                  // the border's corner
    QCOMPARE(shown.pixel(12, 68), black);                 // and the opposite one
    QCOMPARE(shown.pixel(13, 65), before.pixel(13, 65));  // between two marks
    // A block the sheet does not describe has neither marks nor frame.
    QCOMPARE(shown.pixel(centre(4, 0)), before.pixel(centre(4, 0)));

    gui.Action(gui::cmd::kDataStatus)->trigger();
    QCOMPARE(QSettings().value(QStringLiteral("Settings/DataStatus")).toBool(), false);
    QCOMPARE(Paint(gui), before);
}

void SheetCheckViewTest::aResultForASheetNoLongerShownIsDropped() {
    GuiFixture gui;
    test::ModalDriver driver;
    test::SheetBuilder oneBlock;
    oneBlock.SheetArea(2500, 9, kWest, kSouth).Image({.width = 500, .height = 375});
    oneBlock.SubSheetArea(0, BlockOrigin(0).first, BlockOrigin(0).second);
    oneBlock.Building(0, 10, Square(0, 10, 10, 40));
    // The second load comes before the first check's result can be delivered.
    gui.Open(gui.Write(CheckedSheet(), "checked.tqb"));
    gui.Open(gui.Write(oneBlock, "one.tqb"));
    QVERIFY(!Runner(gui).Result());
    QTRY_VERIFY(Runner(gui).Result());
    QCOMPARE(Runner(gui).Result()->blocks.size(), std::size_t{1});
    QTest::qWait(50);  // nothing late replaces it
    QCOMPARE(Runner(gui).Result()->blocks.size(), std::size_t{1});
    // A load that fails shows no result and starts no check.
    gui.Doc().OpenSheetFile(gui.dir / "missing.tqb");
    QVERIFY(!Runner(gui).Result());
    QVERIFY(!Runner(gui).Running());
}

void SheetCheckViewTest::panelListsTheSelectedBlockAndTheChosenFootprintIsDrawnInRed() {
    GuiFixture gui;
    gui.Open(gui.Write(CheckedSheet(), "checked.tqb"));
    QTRY_VERIFY(Runner(gui).Result());
    gui::FindingsPanel& panel = *gui.Frame().CheckDisplay().Panel();
    gui.Action(gui::cmd::kCheckResults)->trigger();
    QVERIFY(panel.isVisible());
    const std::size_t all = Runner(gui).Result()->Count(Severity::kError) +
                            Runner(gui).Result()->Count(Severity::kWarning);
    QCOMPARE(static_cast<std::size_t>(panel.RowCount()), all);

    gui.ClickPicture(QPoint(250, 40));  // block 2 (shown as 3)
    QVERIFY(panel.RowCount() > 0);
    for (int row = 0; row < panel.RowCount(); ++row) {
        QCOMPARE(panel.RowTexts(row).front(), QStringLiteral("3"));
    }
    QVERIFY(panel.RowTexts(0)[1] == QString::fromUtf8("ｴﾗｰ"));

    gui.ClickPicture(QPoint(250, 40));  // none selected: the whole sheet again
    QCOMPARE(static_cast<std::size_t>(panel.RowCount()), all);
    int tallRow = -1;
    for (int row = 0; row < panel.RowCount(); ++row) {
        if (panel.RowTexts(row)[2] == QStringLiteral("1006")) {
            tallRow = row;
        }
    }
    QVERIFY(tallRow >= 0);
    QCOMPARE(panel.RowTexts(tallRow)[0], QStringLiteral("2"));
    QCOMPARE(panel.RowTexts(tallRow)[1], QString::fromUtf8("警告"));
    const QImage before = Paint(gui);
    panel.ChooseRow(tallRow);
    QCOMPARE(gui.Doc().SelectedSubSheet(), 1);
    QCOMPARE(panel.RowTexts(0).front(), QStringLiteral("2"));
    QCOMPARE(panel.RowTexts(panel.CurrentRow())[2], QStringLiteral("1006"));  // still chosen
    // Block 1's building, 1450..1490 east and 3400..3440 north, lies at
    // x 112.5..122.5, y 15..25 on the picture: its outline is red there.
    const QImage shown = Paint(gui);
    QVERIFY(IsRed(shown.pixel(112, 20)));
    QVERIFY(IsRed(shown.pixel(122, 20)));
    QVERIFY(IsRed(shown.pixel(117, 15)));
    QVERIFY(IsRed(shown.pixel(117, 25)));
    QCOMPARE(shown.pixel(117, 20), before.pixel(117, 20));  // not filled
    QCOMPARE(shown.pixel(130, 20), before.pixel(130, 20));

    // Another block selected: the finding of block 1 is no longer drawn.
    gui.ClickPicture(QPoint(250, 40));
    QCOMPARE(Paint(gui).pixel(112, 20), before.pixel(112, 20));
    gui.ClickPicture(QPoint(250, 40));
    panel.ChooseRow(tallRow);

    // Zoomed in and scrolled away, choosing it again scrolls it into view.
    auto* view = gui.Frame().View();
    view->SetZoom(4.0, QPoint(0, 0));
    view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->maximum());
    view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum());
    const QRect footprint(4 * 112, 4 * 15, 4 * 11, 4 * 11);  // on the zoomed picture
    const auto shownPart = [&] { return QRect(view->ScrollPosition(), view->viewport()->size()); };
    QVERIFY(!shownPart().intersects(footprint));
    panel.ChooseRow(panel.CurrentRow());
    QVERIFY(shownPart().contains(footprint));
}

void SheetCheckViewTest::aFindingWithoutFootprintIsRingedAtItsPlace() {
    GuiFixture gui;
    test::SheetBuilder empty;
    empty.SheetArea(2500, 9, kWest, kSouth).Image({.width = 500, .height = 375});
    empty.SubSheetArea(0, BlockOrigin(0).first, BlockOrigin(0).second);
    gui.Open(gui.Write(empty, "empty-block.tqb"));
    QTRY_VERIFY(Runner(gui).Result());
    gui::FindingsPanel& panel = *gui.Frame().CheckDisplay().Panel();
    QCOMPARE(panel.RowCount(), 1);
    QCOMPARE(panel.RowTexts(0)[2], QStringLiteral("1303"));  // the block holds no data
    const QImage before = Paint(gui);
    panel.ChooseRow(0);
    // The block's centre, (1200, 3350), is (50, 37.5) on the picture: a ring
    // of radius 6 around it, its inside left as it was.
    const QImage shown = Paint(gui);
    QVERIFY(IsRed(shown.pixel(44, 37)));
    QVERIFY(IsRed(shown.pixel(56, 37)));
    QVERIFY(IsRed(shown.pixel(50, 31)));
    QCOMPARE(shown.pixel(50, 37), before.pixel(50, 37));
    QCOMPARE(shown.pixel(60, 37), before.pixel(60, 37));
}

// A sheet four times as large at 25 % shows its marks, coloured frames and
// chosen finding as the sheet of the zoomed size does at 100 %.
void SheetCheckViewTest::marksFramesAndTheFindingKeepTheirScreenSizeAtAQuarter() {
    GuiFixture gui;
    gui.Open(gui.Write(CheckedSheet(4), "large.tqb"));
    QTRY_VERIFY(Runner(gui).Result());
    gui.Action(gui::cmd::kDataStatus)->trigger();
    auto* view = gui.Frame().View();
    view->SetZoom(0.25, QPoint(0, 0));
    QTRY_VERIFY(view->viewport()->width() >= 500 && view->viewport()->height() >= 375);
    const QImage shown = gui.ViewportOnScreen();
    const QRgb black = qRgb(0, 0, 0);
    const QRgb orange = qRgb(255, 140, 0);
    QCOMPARE(shown.pixel(50, 0), black);
    QVERIFY(shown.pixel(50, 1) != black);
    QCOMPARE(shown.pixel(150, 0), orange);
    QCOMPARE(shown.pixel(150, 1), orange);
    QVERIFY(shown.pixel(150, 2) != orange);
    QCOMPARE(shown.pixel(250, 74), qRgb(255, 0, 0));
    const auto centre = [](int block, int mark) { return QPoint(block * 100 + 9 + 9 * mark, 65); };
    QCOMPARE(shown.pixel(centre(0, 0)), qRgb(230, 60, 200));
    QCOMPARE(shown.pixel(centre(0, 1)), qRgb(255, 255, 255));
    QCOMPARE(shown.pixel(centre(2, 2)), qRgb(40, 140, 230));
    QCOMPARE(shown.pixel(centre(3, 1)), qRgb(40, 170, 60));
    QCOMPARE(shown.pixel(6, 62), black);
    QCOMPARE(shown.pixel(12, 68), black);
    QVERIFY(shown.pixel(13, 65) != black);

    gui::FindingsPanel& panel = *gui.Frame().CheckDisplay().Panel();
    for (int row = 0; row < panel.RowCount(); ++row) {
        if (panel.RowTexts(row)[2] == QStringLiteral("1006")) {
            panel.ChooseRow(row);
        }
    }
    QCOMPARE(gui.Doc().SelectedSubSheet(), 1);
    // The tall building's outline, two pixels wide, where it lies at 100 %
    // on the smaller sheet.
    const QImage chosen = gui.ViewportOnScreen();
    for (QPoint p : {QPoint(112, 20), QPoint(122, 20), QPoint(117, 15), QPoint(117, 25)}) {
        QVERIFY2(IsRed(chosen.pixel(p)), qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
    }
    QVERIFY(!IsRed(chosen.pixel(117, 20)));
}

void SheetCheckViewTest::panelShowsTheMessagesAndClosingGivesItsRoomToTheView() {
    GuiFixture gui;
    gui.Open(gui.Write(CheckedSheet(), "checked.tqb"));
    QTRY_VERIFY(Runner(gui).Result());
    gui::FindingsPanel& panel = *gui.Frame().CheckDisplay().Panel();
    QTreeWidget& list = ListOf(panel);
    gui.Action(gui::cmd::kCheckResults)->trigger();
    QTRY_VERIFY(list.isVisible());
    // Block, kind and code take what they need; the message column starts in
    // sight with room for at least 15 full-width characters.
    const int fullWidth = list.fontMetrics().horizontalAdvance(QString::fromUtf8("あ"));
    const auto messageRoom = [&] {
        return list.viewport()->width() - list.header()->sectionViewportPosition(3);
    };
    QTRY_VERIFY2_WITH_TIMEOUT(messageRoom() >= 15 * fullWidth,
                              qPrintable(QString::number(messageRoom())), 5000);
    // The first row's message is drawn there, and every row's full message
    // is its tooltip.
    const QImage shown = list.viewport()->grab().toImage();
    const QRect firstRow = list.visualItemRect(list.topLevelItem(0));
    int ink = 0;
    for (int x = list.header()->sectionViewportPosition(3); x < shown.width(); ++x) {
        for (int y = firstRow.top(); y <= firstRow.bottom(); ++y) {
            ink += qGray(shown.pixel(x, y)) < 128;
        }
    }
    QVERIFY(ink > 20);
    for (int row = 0; row < panel.RowCount(); ++row) {
        QCOMPARE(panel.MessageToolTip(row), panel.RowTexts(row)[3]);
    }
    // Made narrow by hand, the message column still begins in sight.
    gui.Frame().resizeDocks({&panel}, {160}, Qt::Horizontal);
    QTRY_VERIFY(panel.width() < 200);
    QVERIFY(messageRoom() > 0);

    // Closed by its own button or by the menu, its room goes to the view.
    auto* view = gui.Frame().View();
    panel.close();
    QTRY_COMPARE(view->width(), gui.Frame().width());
    gui.Action(gui::cmd::kCheckResults)->trigger();
    QTRY_VERIFY(view->width() + panel.width() <= gui.Frame().width());
    gui.Action(gui::cmd::kCheckResults)->trigger();
    QTRY_COMPARE(view->width(), gui.Frame().width());
}

void SheetCheckViewTest::panelFollowsTheSheetShownAndSaysWhenItChecksOrFindsNothing() {
    GuiFixture gui;
    test::ModalDriver driver;
    gui::FindingsPanel& panel = *gui.Frame().CheckDisplay().Panel();
    gui.Action(gui::cmd::kCheckResults)->trigger();
    const QString checking = QString::fromUtf8("検査中...");
    const QString nothingFound = QString::fromUtf8("問題は見つかりませんでした");
    QCOMPARE(panel.StateText(), QString());  // no sheet: an empty list

    const auto folder = gui.dir / "sheets";
    std::filesystem::create_directories(folder);
    gui.Open(gui.Write(CleanSheet(), "sheets/clean.tqb"));
    QCOMPARE(panel.StateText(), checking);
    QTRY_VERIFY(Runner(gui).Result());
    QCOMPARE(panel.StateText(), nothingFound);
    QCOMPARE(panel.RowCount(), 0);

    gui.Open(gui.Write(CheckedSheet(), "sheets/checked.tqb"));
    QCOMPARE(panel.StateText(), checking);
    QTRY_VERIFY(Runner(gui).Result());
    QCOMPARE(panel.StateText(), QString());
    QCOMPARE(panel.RowCount(), 3);
    gui.ClickPicture(QPoint(50, 40));  // block 0 has nothing to show
    QCOMPARE(panel.StateText(), nothingFound);
    gui.ClickPicture(QPoint(150, 40));  // block 1 its warning
    QCOMPARE(panel.StateText(), QString());
    QCOMPARE(panel.RowCount(), 1);

    // The survey map in the sheet's place takes its findings away.
    ShowSurveyMap(gui, driver, folder);
    QCOMPARE(gui.Doc().SurveyZone(), 9);
    QCOMPARE(panel.RowCount(), 0);
    QCOMPARE(panel.StateText(), QString());
    QVERIFY(!Runner(gui).Result());
    QVERIFY(!Runner(gui).Running());
    QVERIFY(driver.messages.empty());
}

void SheetCheckViewTest::theChosenFindingGoesWithTheSelection() {
    GuiFixture gui;
    gui.Open(gui.Write(CheckedSheet(), "checked.tqb"));
    QTRY_VERIFY(Runner(gui).Result());
    gui::FindingsPanel& panel = *gui.Frame().CheckDisplay().Panel();
    const QImage before = Paint(gui);
    const auto chooseTheTallBuilding = [&] {
        for (int row = 0; row < panel.RowCount(); ++row) {
            if (panel.RowTexts(row)[2] == QStringLiteral("1006")) {
                panel.ChooseRow(row);
                break;
            }
        }
        QCOMPARE(gui.Doc().SelectedSubSheet(), 1);
        QVERIFY(panel.CurrentRow() >= 0);
        QVERIFY(IsRed(Paint(gui).pixel(112, 20)));
    };
    const auto nothingChosen = [&] {
        QCOMPARE(gui.Doc().SelectedSubSheet(), -1);
        QCOMPARE(panel.RowCount(), 3);
        QCOMPARE(panel.CurrentRow(), -1);
        QVERIFY(ListOf(panel).selectedItems().isEmpty());
        QCOMPARE(Paint(gui).pixel(112, 20), before.pixel(112, 20));
    };
    chooseTheTallBuilding();
    gui.ClickPicture(QPoint(150, 40));  // its block unselected
    nothingChosen();
    chooseTheTallBuilding();
    gui.ClickPicture(QPoint(250, 40));  // another block, then none
    gui.ClickPicture(QPoint(250, 40));
    nothingChosen();
}

// The check's thread is its boundary: a fault ends that check, not the program.
void SheetCheckViewTest::aCheckThatThrowsEndsWithItsReasonInThePanel() {
    GuiFixture gui;
    gui.Open(gui.Write(CleanSheet(), "clean.tqb"));
    gui::SheetCheckRunner runner(
        [](const std::filesystem::path&, const CheckOptions&) -> std::optional<SheetCheck> {
            throw std::bad_alloc();
        });
    runner.Follow(gui.Doc());
    QVERIFY(runner.Running());
    QTRY_VERIFY(!runner.Running());
    QVERIFY(!runner.Result());
    const std::string reason =
        "the check of the sheet stopped by an internal fault: std::bad_alloc";
    QCOMPARE(runner.Failure(), reason);

    gui::FindingsPanel panel(nullptr);
    panel.List(runner.Result(), runner.Running(), -1, runner.Failure());
    QCOMPARE(panel.StateText(), QString::fromUtf8("ﾃﾞｰﾀ検査を完了できませんでした\n") +
                                    QString::fromStdString(reason));
    // The next sheet's check starts afresh.
    gui.Open(gui.Write(CheckedSheet(), "checked.tqb"));
    runner.Follow(gui.Doc());
    QVERIFY(runner.Failure().empty());
}

QTEST_MAIN(SheetCheckViewTest)
#include "SheetCheckViewTest.moc"
