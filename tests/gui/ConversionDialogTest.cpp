// The conversion settings dialog, and conversions run from the main window by
// both routes with real files.
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QPushButton>
#include <QTest>
#include <cstdlib>
#include <fstream>

#include "GuiFixture.h"
#include "ModalDriver.h"
#include "app/CommandIds.h"
#include "app/CommandTable.h"
#include "dialogs/ConversionSettingsDlg.h"
#include "dialogs/ModelExportDlg.h"
#include "view/CMyVeskView.h"

using namespace vesk;
using namespace vesk::gui;
using vesk::test::GuiFixture;
using vesk::test::ModalDriver;

namespace {

struct BoxState {
    bool checked;
    bool enabled;
    friend bool operator==(const BoxState&, const BoxState&) = default;
};

BoxState State(const ConversionSettingsDlg& dialog, int id) {
    return {dialog.CheckBox(id)->isChecked(), dialog.CheckBox(id)->isEnabled()};
}

void ClickOk(QWidget* dialog) {
    dialog->findChild<QPushButton*>(QStringLiteral("1"))->click();
}

// A sheet whose sub-sheet 0 (block 1, top left) has a building, a DEM and a texture.
std::filesystem::path ConvertibleSheet(GuiFixture& gui) {
    vesk::test::SheetBuilder sheet = vesk::test::StandardSheet(0, 0);
    sheet.SubSheetArea(0, 0, 1200)
        .Building(0, 12.5f, {{10, 1220}, {30, 1220}, {30, 1240}})
        .Dem(2, 2, 10, 10, {1, 2, 3, 4});
    const std::byte texture[] = {std::byte{0x01}, std::byte{0xDA}, std::byte{'\r'}, std::byte{'\n'},
                                 std::byte{0}};
    sheet.Ortho(texture);
    return gui.Write(sheet, "convertible.tqb");
}

}  // namespace

class ConversionDialogTest : public QObject {
    Q_OBJECT

private slots:
    void opensWithWhatTheSubSheetHas();
    void terrainTakesTheTextureWithIt();
    void ctrlKeyIsFollowedUntilOk();
    void cancelRecordsNothing();
    void environmentRouteWritesIntoTheSimulatorsFolders();
    void chosenFolderRouteWritesBothFilesIntoTheFolder();
    void modelExportWritesTheChosenFormatIntoTheChosenFolder();
};

void ConversionDialogTest::opensWithWhatTheSubSheetHas() {
    ConversionSettingsDlg dialog({.buildings = false, .terrain = true, .texture = true}, nullptr);
    QCOMPARE(dialog.windowTitle(), QString::fromUtf8("LSS-Gﾌｧｲﾙ変換設定ﾀﾞｲｱﾛｸﾞ"));
    QCOMPARE(State(dialog, 1001), (BoxState{false, false}));
    QCOMPARE(State(dialog, 1002), (BoxState{true, true}));
    QCOMPARE(State(dialog, 1003), (BoxState{true, true}));
    QCOMPARE(dialog.CheckBox(1001)->text(), QString::fromUtf8("建物ﾃﾞｰﾀを変換する"));
    QCOMPARE(dialog.CheckBox(1002)->text(), QString::fromUtf8("地形ﾃﾞｰﾀ(DEM)を変換する"));
    QCOMPARE(dialog.CheckBox(1003)->text(), QString::fromUtf8("地形ﾃﾞｰﾀ(ｵﾙｿ画像)を変換する"));
    QVERIFY(dialog.findChild<QPushButton*>(QStringLiteral("1"))->isDefault());
    QCOMPARE(dialog.findChild<QPushButton*>(QStringLiteral("2"))->text(),
             QString::fromUtf8("ｷｬﾝｾﾙ"));
    QVERIFY(!(dialog.windowFlags() & Qt::WindowSystemMenuHint));
}

void ConversionDialogTest::terrainTakesTheTextureWithIt() {
    ConversionSettingsDlg dialog({.buildings = true, .terrain = true, .texture = true}, nullptr);
    dialog.show();
    QTest::mouseClick(dialog.CheckBox(1002), Qt::LeftButton);
    QCOMPARE(State(dialog, 1003), (BoxState{false, false}));
    QTest::mouseClick(dialog.CheckBox(1002), Qt::LeftButton);
    QCOMPARE(State(dialog, 1003), (BoxState{false, true}));

    ConversionSettingsDlg noOrtho({.buildings = true, .terrain = true, .texture = false}, nullptr);
    noOrtho.show();
    QTest::mouseClick(noOrtho.CheckBox(1002), Qt::LeftButton);
    QTest::mouseClick(noOrtho.CheckBox(1002), Qt::LeftButton);
    QCOMPARE(State(noOrtho, 1003), (BoxState{false, false}));
}

void ConversionDialogTest::ctrlKeyIsFollowedUntilOk() {
    ConversionSettingsDlg dialog({.buildings = true, .terrain = false, .texture = true}, nullptr);
    dialog.show();
    QVERIFY(!dialog.CtrlHeld());
    QTest::keyPress(dialog.CheckBox(1001), Qt::Key_Control);
    QVERIFY(dialog.CtrlHeld());
    QTest::keyRelease(dialog.CheckBox(1001), Qt::Key_Control);
    QVERIFY(!dialog.CtrlHeld());
    QTest::keyPress(&dialog, Qt::Key_Control);
    ClickOk(&dialog);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const ConversionChoices choices = dialog.Choices();
    QVERIFY(choices.ctrlHeld);
    QVERIFY(choices.buildings);
    QVERIFY(!choices.terrain);
    QVERIFY(choices.texture);

    // Ctrl+Enter from the keyboard is OK with Ctrl held.
    for (auto key : {Qt::Key_Return, Qt::Key_Enter}) {
        ConversionSettingsDlg keyed({.buildings = true, .terrain = false, .texture = false},
                                    nullptr);
        keyed.show();
        QTest::keyClick(keyed.CheckBox(1001), key, Qt::ControlModifier);
        QCOMPARE(keyed.result(), int(QDialog::Accepted));
        QVERIFY(keyed.Choices().ctrlHeld);
        QVERIFY(keyed.Choices().buildings);
    }
}

void ConversionDialogTest::cancelRecordsNothing() {
    ConversionSettingsDlg dialog({.buildings = true, .terrain = true, .texture = true}, nullptr);
    dialog.show();
    dialog.findChild<QPushButton*>(QStringLiteral("2"))->click();
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(!dialog.Choices().buildings);
}

void ConversionDialogTest::environmentRouteWritesIntoTheSimulatorsFolders() {
    GuiFixture gui;
    const auto home = gui.dir / "sim";
    std::filesystem::create_directories(home / "geo");
    std::filesystem::create_directories(home / "kdb" / "texture" / "sgi");
    const auto envFile = gui.dir / "ksim.env";
    std::ofstream(envFile) << "HOME_PATH=" << home.string() << ";\r\nFILE_PATH_GEOMETRY=geo;\r\n";
    ::setenv("KSIM_ENV", envFile.c_str(), 1);

    gui.Open(ConvertibleSheet(gui));
    gui.ClickPicture(QPoint(10, 10));
    ModalDriver driver;
    driver.Then([](QWidget* dialog) { ClickOk(dialog); });
    QTest::keyClick(gui.Frame().View(), Qt::Key_G, Qt::ControlModifier);

    const std::string name = "09P0000P001200040003";
    QVERIFY(std::filesystem::exists(home / "geo" / (name + ".geo")));
    QCOMPARE(std::filesystem::file_size(home / "kdb" / "texture" / "sgi" / (name + ".sgi")),
             std::uintmax_t{5});
    QCOMPARE(driver.messages.size(), std::size_t{2});
    QVERIFY(
        driver.messages[0].text.startsWith(QString::fromUtf8("TEXTUREﾌｫﾙﾀﾞの指定が分かりません")));
    QCOMPARE(driver.messages[1].text,
             QString::fromUtf8("建物Orvikﾌｧｲﾙを変換して\nLSS-Gﾌｧｲﾙに保存しました。\nﾌｧｲﾙ名「") +
                 QString::fromStdString(name) + QString::fromUtf8(".geo」"));
    QCOMPARE(driver.messages[1].caption, QString::fromUtf8("ﾒｯｾｰｼﾞ"));
    QCOMPARE(driver.messages[1].icon, QMessageBox::Information);
    ::unsetenv("KSIM_ENV");
}

void ConversionDialogTest::chosenFolderRouteWritesBothFilesIntoTheFolder() {
    GuiFixture gui;
    ::unsetenv("KSIM_ENV");
    const auto out = gui.dir / "chosen";
    std::filesystem::create_directories(out);
    gui.Open(ConvertibleSheet(gui));
    gui.ClickPicture(QPoint(10, 10));

    ModalDriver driver;
    driver.Then([](QWidget* dialog) {
        QTest::keyPress(dialog, Qt::Key_Control);
        ClickOk(dialog);
    });
    QString folderTitle;
    driver.Then([&](QWidget* dialog) {
        auto* files = qobject_cast<QFileDialog*>(dialog);
        QVERIFY(files);
        folderTitle = files->windowTitle();
        files->setDirectory(QString::fromStdString(out.string()));
        files->selectFile(QString::fromStdString(out.string()));
        static_cast<QDialog*>(files)->accept();
    });
    gui.Frame().Commands().Run(cmd::kConvert);

    QCOMPARE(folderTitle, QString::fromUtf8("ﾌｫﾙﾀﾞを選択してください"));
    const std::string name = "09P0000P001200040003";
    QVERIFY(std::filesystem::exists(out / (name + ".geo")));
    QVERIFY(std::filesystem::exists(out / (name + ".sgi")));
    QCOMPARE(driver.messages.size(), std::size_t{2});
    QCOMPARE(driver.messages[0].text, QString::fromUtf8("「") +
                                          QString::fromStdString(out.string()) +
                                          QString::fromUtf8("」ﾌｫﾙﾀﾞにﾃﾞｰﾀを保存します"));
    QCOMPARE(driver.messages[0].ownerTitle, gui.Frame().windowTitle());
}

void ConversionDialogTest::modelExportWritesTheChosenFormatIntoTheChosenFolder() {
    GuiFixture gui;
    const auto out = gui.dir / "models";
    std::filesystem::create_directories(out);
    gui.Open(ConvertibleSheet(gui));
    gui.ClickPicture(QPoint(10, 10));

    ModalDriver driver;
    driver.Then([](QWidget* widget) {
        auto* dialog = qobject_cast<ModelExportDlg*>(widget);
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QString::fromUtf8("3Dﾓﾃﾞﾙ書き出し設定"));
        QTest::mouseClick(dialog->TerrainBox(), Qt::LeftButton);
        QVERIFY(!dialog->TextureBox()->isEnabled());
        dialog->FormatBox()->setCurrentIndex(1);
        for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
            if (button->text() == QStringLiteral("OK")) {
                QTest::mouseClick(button, Qt::LeftButton);
            }
        }
    });
    driver.Then([&](QWidget* dialog) {
        auto* files = qobject_cast<QFileDialog*>(dialog);
        QVERIFY(files);
        files->setDirectory(QString::fromStdString(out.string()));
        files->selectFile(QString::fromStdString(out.string()));
        static_cast<QDialog*>(files)->accept();
    });
    gui.Frame().Commands().Run(cmd::kExportModel);

    const std::string name = "09P0000P001200040003";
    QVERIFY(std::filesystem::exists(out / (name + ".gltf")));
    QVERIFY(std::filesystem::exists(out / (name + ".bin")));
    QVERIFY(!std::filesystem::exists(out / (name + ".png")));
    QCOMPARE(driver.messages.size(), std::size_t{1});
    QVERIFY(driver.messages[0].text.startsWith(QString::fromUtf8("3Dﾓﾃﾞﾙを書き出しました。")));
}

QTEST_MAIN(ConversionDialogTest)
#include "ConversionDialogTest.moc"
