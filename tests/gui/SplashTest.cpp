// The splash window at start-up and the About box.
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimerEvent>

#include "GuiFixture.h"
#include "ModalDriver.h"
#include "app/AboutDlg.h"
#include "app/CommandIds.h"
#include "app/SplashScreen.h"
#include "app/TitlePicture.h"
#include "view/CMyVeskView.h"

using namespace vesk::gui;
using vesk::test::GuiFixture;
using vesk::test::ModalDriver;

class SplashTest : public QObject {
    Q_OBJECT

private slots:
    void commandLineSwitchesSuppressIt();
    void showsCentredPictureAtStart();
    void keyPressOnlyClosesIt();
    void mousePressOnlyClosesIt();
    void movesAndReleasesLeaveItOpen();
    void timerClosesIt();
    void aboutBoxAndSplashTellNameVersionAndRightsInJapanese();
};

void SplashTest::commandLineSwitchesSuppressIt() {
    const auto shows = [](QStringList args) {
        args.prepend(QStringLiteral("vesk"));
        return SplashScreen::ShowSplashFromCommandLine(args);
    };
    QVERIFY(shows({}));
    QVERIFY(shows({QStringLiteral("sheet.tqb")}));
    QVERIFY(shows({QStringLiteral("-Embeddings")}));
    QVERIFY(shows({QStringLiteral("Embedding")}));
    QVERIFY(!shows({QStringLiteral("-Embedding")}));
    QVERIFY(!shows({QStringLiteral("/embedding")}));
    QVERIFY(!shows({QStringLiteral("a.tqb"), QStringLiteral("-AUTOMATION")}));
    GuiFixture gui(false);
    QVERIFY(!gui.App().Splash().IsShown());
}

void SplashTest::showsCentredPictureAtStart() {
    GuiFixture gui(true);
    SplashWindow* splash = gui.App().Splash().Window();
    QVERIFY(splash);
    QCOMPARE(splash->size(), QSize(360, 234));
    QVERIFY(splash->isVisible());
    QVERIFY(splash->windowFlags() & Qt::FramelessWindowHint);
    const QImage shot = splash->grab().toImage();
    QVERIFY(shot.pixel(5, 5) != shot.pixel(180, 80));  // a picture, not a blank window
}

void SplashTest::keyPressOnlyClosesIt() {
    GuiFixture gui(true);
    ModalDriver driver;
    QTest::keyClick(gui.Frame().View(), Qt::Key_O, Qt::ControlModifier);
    QTRY_VERIFY(!gui.App().Splash().IsShown());
    QTest::qWait(30);
    QCOMPARE(driver.unexpectedDialogs, 0);  // the open dialog did not come up
    // Afterwards the same key works.
    driver.Then([](QWidget* dialog) { static_cast<QDialog*>(dialog)->reject(); });
    QTest::keyClick(gui.Frame().View(), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(driver.unexpectedDialogs, 0);
}

void SplashTest::mousePressOnlyClosesIt() {
    GuiFixture gui(true);
    gui.Open(gui.GridSheet());
    QTest::mousePress(gui.Frame().View()->viewport(), Qt::LeftButton, {}, QPoint(50, 40));
    QTRY_VERIFY(!gui.App().Splash().IsShown());
    QCOMPARE(gui.Doc().SelectedSubSheet(), -1);
}

void SplashTest::movesAndReleasesLeaveItOpen() {
    GuiFixture gui(true);
    QTest::mouseMove(gui.Frame().View()->viewport(), QPoint(30, 30));
    QTest::keyRelease(gui.Frame().View(), Qt::Key_A);
    QTest::mouseRelease(gui.Frame().View()->viewport(), Qt::LeftButton, {}, QPoint(30, 30));
    QVERIFY(gui.App().Splash().IsShown());
}

void SplashTest::timerClosesIt() {
    GuiFixture gui(true);
    QTimerEvent tick(1);
    QApplication::sendEvent(gui.App().Splash().Window(), &tick);
    QTRY_VERIFY(!gui.App().Splash().IsShown());
}

namespace {

// The words of the texts written in Latin letters, but for the program's name
// and the OK of a button, which stay as every dialog of the program has them.
QStringList LatinWords(const QStringList& texts) {
    QStringList words;
    const QRegularExpression word(QStringLiteral("[A-Za-z]+"));
    for (const QString& text : texts) {
        for (const auto& match : word.globalMatch(text)) {
            if (match.captured() != QStringLiteral("Vesk") &&
                match.captured() != QStringLiteral("OK")) {
                words.append(match.captured());
            }
        }
    }
    return words;
}

}  // namespace

void SplashTest::aboutBoxAndSplashTellNameVersionAndRightsInJapanese() {
    GuiFixture gui;
    ModalDriver driver;
    QString title;
    QString version;
    QStringList texts;
    driver.Then([&](QWidget* dialog) {
        title = dialog->windowTitle();
        version = dialog->findChild<QLabel*>(QStringLiteral("title"))->text();
        QVERIFY(!dialog->findChild<QLabel*>(QStringLiteral("rights"))->text().isEmpty());
        texts.append(title);
        for (const QLabel* label : dialog->findChildren<QLabel*>()) {
            texts.append(label->text());
        }
        for (const QPushButton* button : dialog->findChildren<QPushButton*>()) {
            texts.append(button->text());
        }
        dialog->findChild<QPushButton*>(QStringLiteral("1"))->click();
    });
    gui.Action(cmd::kAbout)->trigger();
    QCOMPARE(title, QString::fromUtf8("ﾊﾞｰｼﾞｮﾝ情報(Vesk)"));
    QCOMPARE(version, QString::fromUtf8("Vesk ﾊﾞｰｼﾞｮﾝ 0.72"));
    QCOMPARE(driver.unexpectedDialogs, 0);
    QCOMPARE(LatinWords(texts), QStringList());
    QCOMPARE(LatinWords(TitleTexts()), QStringList());
}

QTEST_MAIN(SplashTest)
#include "SplashTest.moc"
