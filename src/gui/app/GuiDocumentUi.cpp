#include "app/GuiDocumentUi.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QScreen>
#include <algorithm>

#include "app/CMainFrame.h"
#include "app/CommandTable.h"
#include "app/MessageLines.h"
#include "app/PathText.h"
#include "app/SessionSettings.h"
#include "app/SheetLoadRun.h"
#include "dialogs/CZoneSelectionDlg.h"
#include "dialogs/ConversionSettingsDlg.h"
#include "dialogs/JapaneseFileList.h"
#include "dialogs/ModelExportDlg.h"
#include "view/CMyVeskView.h"

namespace vesk::gui {
namespace {

// Every diagnostic with its code, for a bug report: on with VESK_DEBUG set (or
// through Qt's logging rules, "vesk.diagnostics.debug=true").
Q_LOGGING_CATEGORY(diagnosticsLog, "vesk.diagnostics",
                   qEnvironmentVariableIsSet("VESK_DEBUG") ? QtDebugMsg : QtWarningMsg)

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

const char* const kOpenSheetTitle = "建物Orvikﾌｧｲﾙを開く";
const char* const kSheetFilter = "建物Orvikﾌｧｲﾙ (*.tqb)";
const char* const kAllFilesFilter = "すべてのﾌｧｲﾙ (*)";
const char* const kChooseFolderTitle = "ﾌｫﾙﾀﾞを選択してください";

// The dialog in front, if any, owns a message; else the main window does.
QWidget* MessageOwner(CMainFrame* frame) {
    QWidget* modal = QApplication::activeModalWidget();
    return modal ? modal : frame;
}

// Qt wraps a message box's text anywhere once the box would grow beyond half
// the screen (500 pixels at most); lines broken beforehand to this width,
// which leaves room for the icon and the margins, keep it from doing so.
int MessageLineWidth(const QWidget& box) {
    constexpr int kIconAndMargins = 120;
    const QScreen* screen = box.screen();
    const int half = screen ? screen->availableGeometry().width() / 2 : 500;
    return std::min(half, 500) - kIconAndMargins;
}

}  // namespace

void GuiDocumentUi::Report(const Diagnostic& diagnostic) {
    qCDebug(diagnosticsLog).noquote() << QString::fromStdString(DiagnosticLine(diagnostic));
    DocumentUi::Report(diagnostic);
}

void GuiDocumentUi::ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) {
    const QMessageBox::Icon boxIcon =
        icon == MessageIcon::Stop ? QMessageBox::Critical : QMessageBox::Information;
    QWidget* owner = MessageOwner(frame_);
    QMessageBox box(boxIcon, FromUtf8(caption), QString(), QMessageBox::Ok, owner);
    box.setText(BreakMessageLines(FromUtf8(text), box.fontMetrics(), MessageLineWidth(box)));
    box.exec();
}

void GuiDocumentUi::SetExtentAndFitFrame(int width, int height) {
    if (frame_) {
        frame_->SetExtentAndFit(width, height);
    }
    UpdateCommands();
}

void GuiDocumentUi::InvalidateView() {
    if (frame_) {
        frame_->View()->viewport()->update();
        frame_->DocumentChanged();
    }
    UpdateCommands();
}

// The caption is the frame's to word: it names a sheet without a name by its file.
void GuiDocumentUi::TitleChanged(std::string_view /*title*/) {
    if (frame_) {
        frame_->DocumentTitleChanged();
    }
}

void GuiDocumentUi::BeginWaitCursor() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

// Every change of the document's state ends in one of these calls: ask the
// commands' availability again there, besides the idle update.
void GuiDocumentUi::EndWaitCursor() {
    QApplication::restoreOverrideCursor();
    UpdateCommands();
}

// The emptied document is shown while the next sheet loads: the window is
// drawn meanwhile, and must not draw the sheet that is gone.
void GuiDocumentUi::RunSheetLoad(SheetLoad& load) {
    InvalidateView();
    RunSheetLoadInBackground(load, frame_);
}

void GuiDocumentUi::UpdateCommands() {
    if (frame_) {
        frame_->Commands().Update();
    }
}

std::optional<std::filesystem::path> GuiDocumentUi::ChooseSheetFile() {
    QFileDialog dialog(frame_, QString::fromUtf8(kOpenSheetTitle));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::ReadOnly);
    const QString folder = LastSheetFolder();
    if (!folder.isEmpty() && QFileInfo(folder).isDir()) {
        dialog.setDirectory(folder);
    }
    dialog.setNameFilters({QString::fromUtf8(kSheetFilter), QString::fromUtf8(kAllFilesFilter)});
    ListFilesInJapanese(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return ToPath(dialog.selectedFiles().constFirst());
}

std::optional<ConversionChoices> GuiDocumentUi::AskConversionSettings(
    const ConversionPresence& presence) {
    ConversionSettingsDlg dialog(presence, frame_);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Choices();
}

std::optional<ModelExportSettings> GuiDocumentUi::AskModelExportSettings(
    const ConversionPresence& presence) {
    ModelExportDlg dialog(presence, frame_);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Settings();
}

std::optional<std::filesystem::path> GuiDocumentUi::ChooseFolder() {
    QFileDialog dialog(frame_, QString::fromUtf8(kChooseFolderTitle));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    ListFilesInJapanese(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return ToPath(dialog.selectedFiles().constFirst());
}

std::optional<int> GuiDocumentUi::AskSurveyZone(const ZonePresence& presence) {
    CZoneSelectionDlg dialog(presence, frame_);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.SelectedZone();
}

}  // namespace vesk::gui
