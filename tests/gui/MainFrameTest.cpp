// The main window as a user meets it: start-up, the bars, and which commands
// can run at each step of a session, by menu, button or key.
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QUrl>
#include <fstream>

#include "GuiFixture.h"
#include "ModalDriver.h"
#include "app/AboutDlg.h"
#include "app/CommandCatalog.h"
#include "app/CommandIds.h"
#include "app/CommandTable.h"
#include "view/CMyVeskView.h"

using namespace vesk;
using namespace vesk::gui;
using vesk::test::GuiFixture;
using vesk::test::ModalDriver;

class MainFrameTest : public QObject {
    Q_OBJECT

private slots:
    void startsUntitledWithItsBarsAndSize();
    void menusHoldTheItemsInOrder();
    void toolBarButtonsAndTheirTips();
    void availabilityFollowsASession();
    void blockedCommandsDoNothingByAnyRoute();
    void openDialogOffersSheetFilesFirst();
    void clicksOnEdgesSelectTheSubSheetTheyBelongTo();
    void openingASheetFitsTheWindowToTheImage();
    void genericOpenLoadsTheSheetAndRemembersIt();
    void barsCanBeHiddenAndShownAgain();
    void displaySwitchesRepaintAndKeepTheirCheckMarks();
    void sheetLargerThanTheScreenFitsItAndScrolls();
    void fitHoldsAfterBarTogglesForASheetFromTheCommandLine();
    void qtDialogsSpeakJapanese();
    void aboutBoxTextsFitAndLongMessagesBreakOnlyBetweenWords();
    void captionNamesTheFileOfASheetWithoutAName();
    void fileWithoutSheetDataOpensWithANotice();
    void recentFilesAreKeptWithAbsolutePaths();
    void droppedSheetOpensAndOtherFilesAreRefused();
    void escapeDeselectsAndHoveringTellsTheBlockAndPlace();
    void openDialogStartsInTheLastSheetsFolder();
    void windowKeepsItsPlaceAndSizeAndFitsOnlyASheetItCannotShow();
};

namespace {

// A sheet area alone, without a name, a picture or blocks.
std::filesystem::path UnnamedSheet(GuiFixture& gui) {
    vesk::test::SheetBuilder unnamed;
    unnamed.SheetArea(2500, 9, 0, 0);
    return gui.Write(unnamed, "unnamed.tqb");
}

// Drags the file's URL onto the window and drops it there, as a file manager
// would; gives whether the window took the drag.
bool DropFile(QWidget& window, const std::filesystem::path& file) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(file.string()))});
    const QPointF at(window.width() / 2, window.height() / 2);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&window, &enter);
    if (!enter.isAccepted()) {
        return false;
    }
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&window, &drop);
    return drop.isAccepted();
}

}  // namespace

void MainFrameTest::startsUntitledWithItsBarsAndSize() {
    GuiFixture gui;
    QCOMPARE(gui.Frame().windowTitle(), QString::fromUtf8("無題 - Vesk"));
    QCOMPARE(gui.Frame().frameGeometry().size(), QSize(330, 337));
    QCOMPARE(gui.Frame().toolBarArea(gui.Frame().ToolBar()), Qt::TopToolBarArea);
    QVERIFY(gui.Frame().ToolBar()->isMovable());
    QCOMPARE(gui.Frame().ToolBar()->allowedAreas(), Qt::AllToolBarAreas);
    QCOMPARE(gui.Frame().MessageText(), QString::fromUtf8("ﾚﾃﾞｨ"));
    QCOMPARE(gui.Frame().IndicatorTexts().size(), 4);
    QCOMPARE(gui.Frame().View()->Extent(), QSize(10, 10));
}

void MainFrameTest::menusHoldTheItemsInOrder() {
    GuiFixture gui;
    QStringList seen;
    for (QAction* menuAction : gui.Frame().menuBar()->actions()) {
        seen.append(menuAction->text());
        for (QAction* item : menuAction->menu()->actions()) {
            if (item->isVisible()) {
                seen.append(item->isSeparator() ? QStringLiteral("-") : item->text());
            }
        }
    }
    const QStringList expected =
        QString::fromUtf8(
            "ﾌｧｲﾙ(&F)|新規作成(&N)\tCtrl+N|-|ﾌｫﾙﾀﾞ内のﾌｧｲﾙﾃﾞｰﾀ位置を表示...|"
            "1/"
            "2500図葉ﾌｧｲﾙを開く(&O)...\tCtrl+O|LSS-Gﾌｧｲﾙに変換して保存(&G)...\tCtrl+G|"
            "全区画を変換...|3Dﾓﾃﾞﾙに書き出し...|-|"
            "印刷(&P)...\tCtrl+P|印刷ﾌﾟﾚﾋﾞｭｰ(&V)|ﾌﾟﾘﾝﾀの設定(&R)...|-|最新のﾌｧｲﾙ|-|VESKの終了(&X)|"
            "編集(&E)|元に戻す(&U)\tCtrl+Z|-|切り取り(&T)\tCtrl+X|ｺﾋﾟｰ(&C)\tCtrl+C|"
            "貼り付け(&P)\tCtrl+V|表示(&V)|ﾂｰﾙ ﾊﾞｰ(&T)|ｽﾃｰﾀｽ ﾊﾞｰ(&S)|-|都道府県名表示|区画名表示|-|"
            "ﾃﾞｰﾀ状況表示|ﾃﾞｰﾀ検査結果|-|3Dﾌﾟﾚﾋﾞｭｰ\tF3|ﾌﾞﾗｳｻﾞで3D表示|"
            "ﾍﾙﾌﾟ(&H)|ﾊﾞｰｼﾞｮﾝ情報(Vesk) (&A)...")
            .split('|');
    QCOMPARE(seen, expected);
    // Two commands with one id would share one action, and one would vanish.
    QSet<int> ids;
    for (const CommandText& text : CommandTexts()) {
        QVERIFY2(!ids.contains(text.id), QByteArray::number(text.id));
        ids.insert(text.id);
    }
    QCOMPARE(gui.Action(cmd::kOpenSheet)->statusTip(), QString::fromUtf8("1/2500図葉ﾌｧｲﾙを開く"));
    QCOMPARE(gui.Action(cmd::kCopy)->toolTip(), QString::fromUtf8("ｺﾋﾟ-"));
    QCOMPARE(gui.Action(cmd::kSurvey)->statusTip(),
             QString::fromUtf8("ﾌｫﾙﾀﾞ内のﾌｧｲﾙﾃﾞｰﾀ位置を表示"));
    QCOMPARE(gui.Action(cmd::kCopy)->shortcuts(),
             (QList<QKeySequence>{QKeySequence("Ctrl+C"), QKeySequence("Ctrl+Ins")}));
    QCOMPARE(gui.Action(cmd::kUndo)->shortcuts(),
             (QList<QKeySequence>{QKeySequence("Alt+Backspace"), QKeySequence("Ctrl+Z")}));
}

void MainFrameTest::toolBarButtonsAndTheirTips() {
    GuiFixture gui;
    QList<int> ids;
    for (QAction* action : gui.Frame().ToolBar()->actions()) {
        ids.append(action->isSeparator() ? 0 : action->data().toInt());
        if (!action->isSeparator()) {
            QCOMPARE(action->icon().pixmap(16, 15).size(), QSize(16, 15));
        }
    }
    QCOMPARE(ids, (QList<int>{cmd::kNew, cmd::kOpenSheet, cmd::kConvert, 0, cmd::kCut, cmd::kCopy,
                              cmd::kPaste, 0, cmd::kPrint, cmd::kAbout}));
    QCOMPARE(gui.Action(cmd::kConvert)->toolTip(), QString::fromUtf8("LSS-Gﾌｧｲﾙに変換して保存"));
}

void MainFrameTest::availabilityFollowsASession() {
    GuiFixture gui;
    const auto enabled = [&](int id) { return gui.Action(id)->isEnabled(); };
    for (int id : {cmd::kNew, cmd::kPrint, cmd::kPrintPreview, cmd::kPrintSetup, cmd::kUndo,
                   cmd::kCut, cmd::kCopy, cmd::kPaste, cmd::kConvert, cmd::kExportModel,
                   cmd::kConvertAllBlocks, cmd::kPrefectureNames, cmd::kBlockNames, cmd::kSave}) {
        QVERIFY2(!enabled(id), qPrintable(QString::number(id)));
    }
    QVERIFY(enabled(cmd::kOpenSheet));
    QVERIFY(enabled(cmd::kAbout));
    QVERIFY(gui.Action(cmd::kPrefectureNames)->isChecked());
    QVERIFY(gui.Action(cmd::kBlockNames)->isChecked());

    gui.Open(gui.GridSheet());
    QVERIFY(enabled(cmd::kBlockNames));
    QVERIFY(!enabled(cmd::kPrefectureNames));
    QVERIFY(!enabled(cmd::kConvert));
    QVERIFY(enabled(cmd::kConvertAllBlocks));
    gui.ClickPicture(QPoint(250, 110));
    QCOMPARE(gui.Doc().SelectedSubSheet(), 7);
    QVERIFY(enabled(cmd::kConvert));
    QVERIFY(enabled(cmd::kExportModel));
    gui.ClickPicture(QPoint(250, 110));
    QCOMPARE(gui.Doc().SelectedSubSheet(), -1);
    QVERIFY(!enabled(cmd::kConvert));
    QVERIFY(!enabled(cmd::kExportModel));
}

void MainFrameTest::blockedCommandsDoNothingByAnyRoute() {
    GuiFixture gui;
    ModalDriver driver;
    gui.Open(gui.GridSheet());
    const auto before = std::distance(std::filesystem::directory_iterator(gui.dir.Path()), {});
    for (auto key :
         {Qt::Key_N, Qt::Key_P, Qt::Key_S, Qt::Key_G, Qt::Key_C, Qt::Key_V, Qt::Key_X, Qt::Key_Z}) {
        QTest::keyClick(gui.Frame().View(), key, Qt::ControlModifier);
    }
    QTest::keyClick(gui.Frame().View(), Qt::Key_F6);
    QVERIFY(!gui.Frame().Commands().Run(cmd::kConvert));
    QVERIFY(!gui.Frame().Commands().Run(cmd::kPrint));
    QTest::qWait(50);
    QCOMPARE(driver.unexpectedDialogs, 0);
    QVERIFY(driver.messages.empty());
    QCOMPARE(std::distance(std::filesystem::directory_iterator(gui.dir.Path()), {}), before);
    QVERIFY(gui.Frame().isVisible());
}

void MainFrameTest::openDialogOffersSheetFilesFirst() {
    GuiFixture gui;
    ModalDriver driver;
    QString title;
    QStringList filters;
    driver.Then([&](QWidget* dialog) {
        auto* files = qobject_cast<QFileDialog*>(dialog);
        QVERIFY(files);
        title = files->windowTitle();
        filters = files->nameFilters();
        files->reject();
    });
    QTest::keyClick(gui.Frame().View(), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(title, QString::fromUtf8("建物Orvikﾌｧｲﾙを開く"));
    QCOMPARE(filters.size(), 2);
    QVERIFY(filters[0].startsWith(QString::fromUtf8("建物Orvikﾌｧｲﾙ (*.tqb")));
    QVERIFY(filters[1].startsWith(QString::fromUtf8("すべてのﾌｧｲﾙ")));
    QCOMPARE(gui.Frame().windowTitle(), QString::fromUtf8("無題 - Vesk"));
}

void MainFrameTest::clicksOnEdgesSelectTheSubSheetTheyBelongTo() {
    GuiFixture gui;
    gui.Open(gui.GridSheet());
    gui.ClickPicture(QPoint(100, 75));  // left and top edge of block 7 (sub-sheet 6)
    QCOMPARE(gui.Doc().SelectedSubSheet(), 6);
    gui.ClickPicture(QPoint(199, 80));  // last column inside sub-sheet 6
    QCOMPARE(gui.Doc().SelectedSubSheet(), -1);
    gui.ClickPicture(QPoint(200, 80));  // right edge of 6 is sub-sheet 7
    QCOMPARE(gui.Doc().SelectedSubSheet(), 7);
    gui.ClickPicture(QPoint(120, 150));  // bottom edge of 6 is sub-sheet 11
    QCOMPARE(gui.Doc().SelectedSubSheet(), 11);
    gui.ClickPicture(QPoint(499, 374));
    QCOMPARE(gui.Doc().SelectedSubSheet(), 24);
}

void MainFrameTest::openingASheetFitsTheWindowToTheImage() {
    GuiFixture gui;
    gui.Open(gui.GridSheet(640, 480));
    QTRY_COMPARE(gui.Frame().View()->viewport()->size(), QSize(640, 480));
    QCOMPARE(gui.Frame().View()->Extent(), QSize(640, 480));
    QCOMPARE(gui.Frame().windowTitle(), QString::fromUtf8("テスト - Vesk"));
}

void MainFrameTest::genericOpenLoadsTheSheetAndRemembersIt() {
    GuiFixture gui;
    const auto sheet = gui.GridSheet();
    ModalDriver driver;
    driver.Then([&](QWidget* dialog) {
        auto* files = qobject_cast<QFileDialog*>(dialog);
        QVERIFY(files);
        files->selectFile(QString::fromStdString(sheet.string()));
        static_cast<QDialog*>(files)->accept();
    });
    QTest::keyClick(gui.Frame().View(), Qt::Key_I, Qt::ControlModifier);
    QVERIFY(gui.Doc().IsSheetLoaded());
    QCOMPARE(gui.Frame().RecentFiles().Files(),
             QStringList{QString::fromStdString(sheet.string())});
    QVERIFY(!gui.Action(cmd::kRecentFile)->isVisible());
}

void MainFrameTest::barsCanBeHiddenAndShownAgain() {
    GuiFixture gui;
    QAction* statusBar = gui.Action(cmd::kStatusBar);
    QVERIFY(statusBar->isChecked());
    statusBar->trigger();
    QVERIFY(!gui.Frame().statusBar()->isVisible());
    QVERIFY(!statusBar->isChecked());
    statusBar->trigger();
    QVERIFY(gui.Frame().statusBar()->isVisible());
    QVERIFY(statusBar->isChecked());
    gui.Action(cmd::kToolBar)->trigger();
    QVERIFY(!gui.Frame().ToolBar()->isVisible());
    QVERIFY(!gui.Action(cmd::kToolBar)->isChecked());
}

void MainFrameTest::displaySwitchesRepaintAndKeepTheirCheckMarks() {
    GuiFixture gui;
    ModalDriver driver;
    gui.Open(gui.GridSheet());
    gui.Action(cmd::kBlockNames)->trigger();
    QVERIFY(!gui.Doc().ShowsBlockNames());
    QVERIFY(!gui.Action(cmd::kBlockNames)->isChecked());
    gui.Open(gui.dir / "missing.tqb");
    QCOMPARE(driver.MessageTexts(),
             QStringList{QString::fromUtf8("建物Orvikﾌｧｲﾙが読み込めません\n(Level 1)")});
    QCOMPARE(driver.messages[0].caption, QString::fromUtf8("ｴﾗｰ"));
    QCOMPARE(driver.messages[0].icon, QMessageBox::Critical);
    QCOMPARE(gui.Frame().windowTitle(), QString::fromUtf8("無題 - Vesk"));
    // A failed open keeps the availability of the sheet's switch.
    QVERIFY(gui.Action(cmd::kBlockNames)->isEnabled());
    QVERIFY(!gui.Action(cmd::kBlockNames)->isChecked());
}

void MainFrameTest::sheetLargerThanTheScreenFitsItAndScrolls() {
    GuiFixture gui;
    gui.Open(gui.GridSheet(2400, 1800));
    auto* view = gui.Frame().View();
    const QRect area = gui.Frame().screen()->availableGeometry();
    QTRY_VERIFY(area.contains(gui.Frame().frameGeometry()));
    QTRY_VERIFY(view->horizontalScrollBar()->isVisible() && view->verticalScrollBar()->isVisible());
    // The rest of the sheet is reached by scrolling, to its last pixel.
    QCOMPARE(view->horizontalScrollBar()->maximum() + view->viewport()->width(), 2400);
    QCOMPARE(view->verticalScrollBar()->maximum() + view->viewport()->height(), 1800);
    QVERIFY(gui.Frame().statusBar()->isVisible());
    // A small sheet afterwards is shown whole in the window as it is, without
    // scroll bars.
    const QSize large = gui.Frame().size();
    gui.Open(gui.GridSheet(320, 240));
    QTRY_VERIFY(!view->horizontalScrollBar()->isVisible() &&
                !view->verticalScrollBar()->isVisible());
    QCOMPARE(gui.Frame().size(), large);
}

void MainFrameTest::fitHoldsAfterBarTogglesForASheetFromTheCommandLine() {
    vesk::test::TempDir dir;
    vesk::test::SheetBuilder sheet = vesk::test::StandardSheet(0, 0, 9, 400, 300);
    const auto path = dir / "cli.tqb";
    QVERIFY(sheet.WriteTo(path));
    GuiFixture gui(false, {QString::fromStdString(path.string())});
    auto* viewport = gui.Frame().View()->viewport();
    QTRY_COMPARE(viewport->size(), QSize(400, 300));
    for (int bar : {cmd::kToolBar, cmd::kToolBar, cmd::kStatusBar, cmd::kStatusBar}) {
        gui.Action(bar)->trigger();
        QTRY_COMPARE(viewport->size(), QSize(400, 300));
    }
    QVERIFY(gui.Frame().ToolBar()->isVisible());
}

namespace {

// The list's headers, and every row's size, type and date, as the file
// dialog shows them once it has read its folder.
QStringList FileListTexts(QFileDialog& dialog, int rows) {
    auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    if (!view || !QTest::qWaitFor(
                     [&] { return view->model()->rowCount(view->rootIndex()) == rows; }, 10000)) {
        return {};
    }
    const QAbstractItemModel& list = *view->model();
    QStringList texts;
    for (int column = 0; column < list.columnCount(view->rootIndex()); ++column) {
        texts.append(list.headerData(column, Qt::Horizontal).toString());
        for (int row = 0; row < rows; ++row) {
            if (column > 0) {  // the names are the files'
                texts.append(list.index(row, column, view->rootIndex()).data().toString());
            }
        }
    }
    return texts;
}

}  // namespace

void MainFrameTest::qtDialogsSpeakJapanese() {
    GuiFixture gui;
    std::filesystem::create_directory(gui.dir / "folder");
    std::ofstream(gui.dir / "folder" / "sheet.tqb") << "\x01\x02\x03";
    std::filesystem::create_directory(gui.dir / "folder" / "inner");
    ModalDriver driver;
    QString caption;
    QStringList texts;
    QStringList list;
    driver.Then([&](QWidget* dialog) {
        caption = dialog->windowTitle();
        for (const QAbstractButton* button : dialog->findChildren<QPushButton*>()) {
            texts.append(button->text());
        }
        for (const QLabel* label : dialog->findChildren<QLabel*>()) {
            texts.append(label->text());
        }
        auto* files = static_cast<QFileDialog*>(dialog);
        files->setDirectory(QString::fromStdString((gui.dir / "folder").string()));
        list = FileListTexts(*files, 2);
        files->reject();
    });
    QTest::keyClick(gui.Frame().View(), Qt::Key_I, Qt::ControlModifier);
    QCOMPARE(caption, QString::fromUtf8("開く"));
    QVERIFY2(texts.contains(QString::fromUtf8("キャンセル")), qPrintable(texts.join('|')));
    QVERIFY2(texts.contains(QString::fromUtf8("開く(&O)")), qPrintable(texts.join('|')));
    for (const char* english : {"Cancel", "&Open", "Open", "Look in:", "File &name:"}) {
        QVERIFY2(!texts.contains(QString::fromLatin1(english)), english);
    }
    // Qt words sizes and dates in the system's locale, and has no Japanese
    // for a folder's type: none of that is left in English.
    QVERIFY2(list.contains(QString::fromUtf8("フォルダ")), qPrintable(list.join('|')));
    QVERIFY2(list.contains(QString::fromUtf8("3 バイト")), qPrintable(list.join('|')));
    QVERIFY2(!list.join('|').contains(QRegularExpression(QStringLiteral("[A-Za-z]{2,}"))),
             qPrintable(list.join('|')));
}

void MainFrameTest::aboutBoxTextsFitAndLongMessagesBreakOnlyBetweenWords() {
    GuiFixture gui;
    AboutDlg about(&gui.Frame());
    for (const QLabel* label : about.findChildren<QLabel*>()) {
        QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
                 qPrintable(label->text()));
        QVERIFY(about.rect().contains(label->geometry()));
    }
    const QString words = QString::fromUtf8(
        "ｼﾞｵﾒﾄﾘﾌｧｲﾙ ﾃｸｽﾁｬﾌｧｲﾙ ｴﾝﾊﾞｲﾛﾝﾒﾝﾄﾌｧｲﾙ、ﾌｫﾙﾀﾞ ﾃﾞｨﾚｸﾄﾘ ｱﾌﾟﾘｹｰｼｮﾝ。ｻﾌﾞｼｰﾄ ﾌﾟﾘﾌｪｸﾁｬｰ");
    const QString full = words + words + QStringLiteral("\n(Level 1)");
    ModalDriver driver;
    gui.App().Document().Ui().ShowMessage(full.toStdString(), "ｴﾗｰ", MessageIcon::Stop);
    QCOMPARE(driver.messages.size(), std::size_t{1});
    const QStringList lines = driver.messages[0].text.split('\n');
    QVERIFY(lines.size() > 3);
    QString unbroken = full;
    QCOMPARE(lines.join("").remove(' '), unbroken.remove('\n').remove(' '));
    for (int i = 0; i + 1 < lines.size(); ++i) {
        const QString& next = lines[i + 1];
        const bool atPunctuation = QString::fromUtf8("、。").contains(lines[i].back());
        const bool atSpace = full.contains(lines[i].right(3) + QLatin1Char(' ') + next.left(3));
        const bool atParagraph = next == QStringLiteral("(Level 1)");
        QVERIFY2(atPunctuation || atSpace || atParagraph, qPrintable(lines[i] + " / " + next));
    }
}

// The caption names what is open; the title the document keeps is the load's.
void MainFrameTest::captionNamesTheFileOfASheetWithoutAName() {
    GuiFixture gui;
    ModalDriver driver;
    gui.Open(gui.GridSheet());
    QCOMPARE(gui.Frame().windowTitle(), QString::fromUtf8("テスト - Vesk"));
    gui.Open(UnnamedSheet(gui));
    QCOMPARE(gui.Frame().windowTitle(), QString::fromUtf8("unnamed.tqb - Vesk"));
    QCOMPARE(QString::fromStdString(gui.Doc().Title()), QString::fromUtf8("テスト"));
    std::ofstream(gui.dir / "notes.txt") << "not a sheet";
    gui.Open(gui.dir / "notes.txt");
    QCOMPARE(gui.Frame().windowTitle(), QString::fromUtf8("notes.txt - Vesk"));
    gui.Open(gui.GridSheet());
    QCOMPARE(gui.Frame().windowTitle(), QString::fromUtf8("テスト - Vesk"));
    gui.Open(gui.dir / "missing.tqb");
    QCOMPARE(gui.Frame().windowTitle(), QString::fromUtf8("無題 - Vesk"));
}

void MainFrameTest::fileWithoutSheetDataOpensWithANotice() {
    GuiFixture gui;
    ModalDriver driver;
    std::ofstream(gui.dir / "empty.tqb");
    gui.Frame().OpenAndRemember(QString::fromStdString((gui.dir / "empty.tqb").string()));
    QCOMPARE(driver.MessageTexts(),
             QStringList{QString::fromUtf8("図葉ﾃﾞｰﾀが見つかりません\n「empty.tqb」")});
    QCOMPARE(driver.messages[0].caption, QString::fromUtf8("ﾒｯｾｰｼﾞ"));
    QCOMPARE(driver.messages[0].icon, QMessageBox::Information);
    QCOMPARE(gui.Frame().windowTitle(), QString::fromUtf8("empty.tqb - Vesk"));
    // A sheet with nothing but its area is a sheet: it opens without a word.
    gui.Frame().OpenAndRemember(QString::fromStdString(UnnamedSheet(gui).string()));
    QCOMPARE(driver.messages.size(), std::size_t{1});
}

// A file named relative to the folder the program started in is remembered
// by its whole path, and once, however it is named later.
void MainFrameTest::recentFilesAreKeptWithAbsolutePaths() {
    vesk::test::TempDir dir;
    const auto sheet = dir / "s.tqb";
    QVERIFY(vesk::test::StandardSheet(0, 0).WriteTo(sheet));
    const QString absolute = QString::fromStdString(sheet.string());
    const QString relative = QDir::current().relativeFilePath(absolute);
    QVERIFY(QDir::isRelativePath(relative));
    GuiFixture gui(false, {relative});
    QVERIFY(gui.Doc().IsSheetLoaded());
    QCOMPARE(gui.Frame().RecentFiles().Files(), QStringList{absolute});
    gui.Frame().OpenAndRemember(absolute);
    gui.Frame().OpenAndRemember(QString::fromStdString((dir / "." / "s.tqb").string()));
    QCOMPARE(gui.Frame().RecentFiles().Files(), QStringList{absolute});
}

void MainFrameTest::droppedSheetOpensAndOtherFilesAreRefused() {
    GuiFixture gui;
    ModalDriver driver;
    std::ofstream(gui.dir / "notes.txt") << "not a sheet";
    QVERIFY(!DropFile(gui.Frame(), gui.dir / "notes.txt"));
    QVERIFY(!gui.Doc().IsSheetLoaded());
    const auto sheet = gui.GridSheet();
    const auto upper = gui.dir / "GRID.TQB";
    std::filesystem::copy_file(sheet, upper);
    QVERIFY(DropFile(gui.Frame(), upper));
    QVERIFY(gui.Doc().IsSheetLoaded());
    QCOMPARE(gui.Doc().SheetPath(), upper);
    QCOMPARE(gui.Frame().windowTitle(), QString::fromUtf8("テスト - Vesk"));
    QVERIFY(gui.Action(cmd::kConvertAllBlocks)->isEnabled());
    QVERIFY(driver.messages.empty());
}

void MainFrameTest::escapeDeselectsAndHoveringTellsTheBlockAndPlace() {
    GuiFixture gui;
    gui.Open(gui.GridSheet());
    auto* view = gui.Frame().View();
    // Block 8 (sub-sheet 7) lies at 1800, 2900; a picture pixel is 4 m.
    QTest::mouseMove(view->viewport(), QPoint(250, 110));
    QCOMPARE(gui.Frame().MessageText(),
             QString::fromUtf8("区画8 09P0018P002900040003 X,Y = 2002,3058"));
    gui.ClickPicture(QPoint(250, 110));
    QCOMPARE(gui.Doc().SelectedSubSheet(), 7);
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Escape);
    QCOMPARE(gui.Doc().SelectedSubSheet(), -1);
    QVERIFY(!gui.Action(cmd::kConvert)->isEnabled());
}

void MainFrameTest::openDialogStartsInTheLastSheetsFolder() {
    GuiFixture gui;
    ModalDriver driver;
    const auto sub = gui.dir / "sheets";
    std::filesystem::create_directories(sub);
    std::filesystem::rename(gui.GridSheet(), sub / "grid.tqb");
    gui.Open(sub / "grid.tqb");
    gui.Open(gui.dir / "missing.tqb");
    QString directory;
    driver.Then([&](QWidget* dialog) {
        auto* files = qobject_cast<QFileDialog*>(dialog);
        QVERIFY(files);
        directory = files->directory().absolutePath();
        files->reject();
    });
    gui.Frame().Commands().Run(cmd::kOpenSheet);
    QCOMPARE(directory, QString::fromStdString(sub.string()));
}

// A remembered window comes back where and as large as it was; a sheet it can
// show whole leaves it so, one it cannot show gets the fitted window.
void MainFrameTest::windowKeepsItsPlaceAndSizeAndFitsOnlyASheetItCannotShow() {
    // What this test leaves in the settings would reach the next run's first window.
    const auto forget = qScopeGuard([] { QSettings().clear(); });
    const QRect kept(40, 30, 700, 520);
    {
        GuiFixture gui;
        gui.Frame().setGeometry(kept);
        QTRY_COMPARE(gui.Frame().geometry(), kept);
        gui.Frame().close();
    }
    CMyVeskApp app({QStringLiteral("vesk"), QStringLiteral("-Embedding")});
    app.InitInstance();
    CMainFrame& frame = *app.MainFrame();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    QCOMPARE(frame.geometry(), kept);
    vesk::test::TempDir dir;
    vesk::test::SheetBuilder small = vesk::test::StandardSheet(0, 0, 9, 400, 300);
    QVERIFY(small.WriteTo(dir / "small.tqb"));
    app.Document().OpenSheetFile(dir / "small.tqb");
    QCOMPARE(frame.geometry().size(), kept.size());
    vesk::test::SheetBuilder large = vesk::test::StandardSheet(0, 0, 9, 720, 480);
    QVERIFY(large.WriteTo(dir / "large.tqb"));
    app.Document().OpenSheetFile(dir / "large.tqb");
    QTRY_COMPARE(frame.View()->viewport()->size(), QSize(720, 480));
    frame.close();
}

QTEST_MAIN(MainFrameTest)
#include "MainFrameTest.moc"
