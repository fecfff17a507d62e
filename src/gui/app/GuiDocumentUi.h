#pragma once

#include "document/DocumentUi.h"

namespace vesk::gui {

class CMainFrame;

// The document's user interface in the Qt program: modal message boxes owned
// by the main window (or the dialog in front of it), the file and folder
// dialogs, the conversion settings dialog, the view, the wait cursor, and
// sheets loaded on a thread of their own.
class GuiDocumentUi : public DocumentUi {
public:
    void SetFrame(CMainFrame* frame) { frame_ = frame; }

    void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override;
    void Report(const Diagnostic& diagnostic) override;
    void SetExtentAndFitFrame(int width, int height) override;
    void InvalidateView() override;
    void TitleChanged(std::string_view title) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    void RunSheetLoad(SheetLoad& load) override;
    std::optional<std::filesystem::path> ChooseSheetFile() override;
    std::optional<ConversionChoices> AskConversionSettings(
        const ConversionPresence& presence) override;
    std::optional<ModelExportSettings> AskModelExportSettings(
        const ConversionPresence& presence) override;
    std::optional<std::filesystem::path> ChooseFolder() override;
    std::optional<int> AskSurveyZone(const ZonePresence& presence) override;

private:
    void UpdateCommands();

    CMainFrame* frame_ = nullptr;
};

}  // namespace vesk::gui
