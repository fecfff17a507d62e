// Every block of the open sheet converted from the main window, behind a
// progress dialog that can be cancelled.
#include <QFileDialog>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <algorithm>
#include <atomic>
#include <fstream>
#include <map>

#include "GuiFixture.h"
#include "ModalDriver.h"
#include "SampleSheet.h"
#include "app/CommandIds.h"
#include "app/CommandTable.h"
#include "batch/BatchMessages.h"
#include "batch/ConversionBatch.h"
#include "batchconvert/OpenSheetBatchSummary.h"
#include "convert/ConversionMessages.h"
#include "sheet/SheetMessages.h"

using namespace vesk;
using namespace vesk::gui;
using vesk::test::GuiFixture;
using vesk::test::ModalDriver;

namespace {

constexpr int kBlocks = 25;  // a sample sheet has data in every block

std::filesystem::path Sample(GuiFixture& gui, const sample::SampleOptions& options) {
    const auto path = gui.dir / "sample.tqb";
    std::string error;
    if (!sample::WriteSampleSheet(options, path, error)) {
        qWarning("%s", error.c_str());
    }
    return path;
}

// Ctrl held at OK, then the folder: both files of each block go into `out`.
void ChooseFolderRoute(ModalDriver& driver, const std::filesystem::path& out) {
    driver.Then([](QWidget* dialog) {
        QTest::keyPress(dialog, Qt::Key_Control);
        dialog->findChild<QPushButton*>(QStringLiteral("1"))->click();
    });
    driver.Then([out](QWidget* dialog) {
        auto* files = qobject_cast<QFileDialog*>(dialog);
        QVERIFY(files);
        files->setDirectory(QString::fromStdString(out.string()));
        files->selectFile(QString::fromStdString(out.string()));
        static_cast<QDialog*>(files)->accept();
    });
}

// The folder's files by name with their bytes.
std::map<std::string, std::string> Files(const std::filesystem::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        files[entry.path().filename().string()].assign(std::istreambuf_iterator<char>(in), {});
    }
    return files;
}

std::size_t CountEnding(const std::map<std::string, std::string>& files, std::string_view end) {
    return std::count_if(files.begin(), files.end(),
                         [end](const auto& file) { return file.first.ends_with(end); });
}

}  // namespace

class BatchConversionTest : public QObject {
    Q_OBJECT

private slots:
    void everyBlockWithDataIsConvertedIntoTheChosenFolder();
    void cancelLeavesOnlyTheBlocksWrittenWhole();
    void summaryCountsEachOutcomeAndShowsTheFirstFailuresOnly();
};

void BatchConversionTest::everyBlockWithDataIsConvertedIntoTheChosenFolder() {
    GuiFixture gui;
    ::unsetenv("KSIM_ENV");
    const auto out = gui.dir / "out";
    std::filesystem::create_directories(out);
    gui.Open(Sample(gui, {}));
    QVERIFY(gui.Action(cmd::kConvertAllBlocks)->isEnabled());

    ModalDriver driver;
    ChooseFolderRoute(driver, out);
    driver.Then([](QWidget*) {});  // the progress dialog, if the blocks take long enough to see it
    gui.Frame().Commands().Run(cmd::kConvertAllBlocks);

    const auto files = Files(out);
    QCOMPARE(CountEnding(files, ".geo"), std::size_t{kBlocks});
    QCOMPARE(CountEnding(files, ".sgi"), std::size_t{kBlocks});
    QCOMPARE(files.size(), std::size_t{2 * kBlocks});
    QVERIFY(
        files.contains("09M0080M036000040003.geo"));  // block 1 at the sheet's south-west corner
    QCOMPARE(driver.messages.size(), std::size_t{2});
    QCOMPARE(driver.messages[1].text,
             QString::fromUtf8("全区画の変換が終わりました。\n変換した区画: 25\nﾃﾞｰﾀのない区画: "
                               "0\n失敗した区画: 0"));
    QCOMPARE(driver.messages[1].caption, QString::fromUtf8("ﾒｯｾｰｼﾞ"));
    QCOMPARE(driver.messages[1].ownerTitle, gui.Frame().windowTitle());
}

void BatchConversionTest::cancelLeavesOnlyTheBlocksWrittenWhole() {
    GuiFixture gui;
    ::unsetenv("KSIM_ENV");
    const auto out = gui.dir / "cancelled";
    std::filesystem::create_directories(out);
    sample::SampleOptions heavy;
    heavy.buildingsPerSubSheet = 3000;
    heavy.demColumns = 201;
    heavy.demRows = 151;
    heavy.demSpacingX = heavy.demSpacingY = 2.0f;
    const auto sheet = Sample(gui, heavy);
    gui.Open(sheet);

    ModalDriver driver;
    ChooseFolderRoute(driver, out);
    QString label;
    bool windowModal = false;
    driver.Then([&](QWidget* dialog) {
        auto* progress = qobject_cast<QProgressDialog*>(dialog);
        QVERIFY(progress);
        label = progress->labelText();
        windowModal = progress->windowModality() == Qt::WindowModal;
        QPushButton* cancel = progress->findChild<QPushButton*>();
        QCOMPARE(cancel->text(), QString::fromUtf8("ｷｬﾝｾﾙ"));
        cancel->click();
        QVERIFY(progress->isVisible());  // until the block being written is finished
        QVERIFY(!progress->findChild<QPushButton*>());
    });
    gui.Frame().Commands().Run(cmd::kConvertAllBlocks);

    QVERIFY(windowModal);
    QVERIFY2(QRegularExpression(QString::fromUtf8("^\\d+ / 25 区画\n\\d\\d[MP]\\d{4}[MP]\\d{12}$"))
                 .match(label)
                 .hasMatch(),
             qPrintable(label));
    const auto cancelled = Files(out);
    const std::size_t written = CountEnding(cancelled, ".geo");
    QVERIFY(written < std::size_t{kBlocks});
    QCOMPARE(CountEnding(cancelled, ".sgi"), written);
    QCOMPARE(cancelled.size(), 2 * written);  // nothing else, no temporary file

    // Each file left is the one a whole run writes.
    ConversionBatchRequest whole;
    whole.sheets = {sheet};
    whole.folders = {gui.dir / "whole", gui.dir / "whole"};
    whole.chosenFolder = true;
    std::filesystem::create_directories(gui.dir / "whole");
    BatchProgress progress;
    const std::atomic<bool> noCancel{false};
    RunConversionBatch(whole, progress, noCancel);
    const auto all = Files(gui.dir / "whole");
    for (const auto& [name, bytes] : cancelled) {
        QVERIFY2(all.contains(name) && all.at(name) == bytes, name.c_str());
    }

    QCOMPARE(driver.messages.size(), std::size_t{2});
    QCOMPARE(driver.messages[1].text,
             QString::fromUtf8("全区画の変換をｷｬﾝｾﾙしました。\n変換した区画: %1\nﾃﾞｰﾀのない区画: "
                               "0\n失敗した区画: 0\n変換していない区画: %2")
                 .arg(written)
                 .arg(kBlocks - written));
}

void BatchConversionTest::summaryCountsEachOutcomeAndShowsTheFirstFailuresOnly() {
    BatchResult result;
    result.cancelled = true;
    SheetOutcome& sheet = result.sheets.emplace_back();
    const auto notWritten = [](const char* file) {
        return MakeDiagnostic(conversion_messages::kCannotWriteFile, {file});
    };
    sheet.blocks.push_back({1, "A", BlockStatus::kConverted, 10, {}});
    sheet.blocks.push_back(
        {2, "B", BlockStatus::kLeftOut, 0, {MakeDiagnostic(batch_messages::kNothingChosen)}});
    sheet.blocks.push_back(
        {3, "C", BlockStatus::kFailed, 0, {notWritten("C.geo"), notWritten("C.sgi")}});
    sheet.blocks.push_back(
        {4, "D", BlockStatus::kConflict, 0, {MakeDiagnostic(batch_messages::kNameTwiceInSheet)}});
    sheet.blocks.push_back({5, "E", BlockStatus::kFailed, 0, {}});
    sheet.blocks.push_back({6, "F", BlockStatus::kFailed, 0, {notWritten("F.geo")}});
    sheet.blocks.push_back({7, "G", BlockStatus::kFailed, 0, {notWritten("G.geo")}});
    QCOMPARE(
        QString::fromStdString(OpenSheetBatchSummary(result, 10)),
        QString::fromUtf8("全区画の変換をｷｬﾝｾﾙしました。\n変換した区画: 1\nﾃﾞｰﾀのない区画: 1\n"
                          "失敗した区画: 5\n変換していない区画: 3\n"
                          "区画3「C」: 「C.geo」ﾌｧｲﾙに書き込めません\n"
                          "区画4「D」: 前の区画と出力名が同じため書き出していません\n区画5「E」\n"
                          "ほか2区画が失敗しました"));

    // A sheet that cannot be read again: the document's reason, not the core's English one.
    SheetOutcome& unreadable = result.sheets.emplace_back();
    unreadable.failed = true;
    unreadable.diagnostics = {MakeDiagnostic(sheet_messages::kCannotOpenSheetFile),
                              MakeDiagnostic(batch_messages::kSheetNotOpened)};
    QVERIFY(QString::fromStdString(OpenSheetBatchSummary(result, 10))
                .contains(QString::fromUtf8(
                    "\nｼｰﾄを読み直せませんでした: 建物Orvikﾌｧｲﾙが読み込めません\n(Level 1)\n")));

    result.sheets.resize(1);
    result.cancelled = false;
    result.sheets[0].blocks.resize(2);
    QCOMPARE(
        QString::fromStdString(OpenSheetBatchSummary(result, 2)),
        QString::fromUtf8(
            "全区画の変換が終わりました。\n変換した区画: 1\nﾃﾞｰﾀのない区画: 1\n失敗した区画: 0"));
}

QTEST_MAIN(BatchConversionTest)
#include "BatchConversionTest.moc"
