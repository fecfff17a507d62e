#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "convert/ConversionChoices.h"
#include "document/SheetLoad.h"
#include "export/ExportFormat.h"
#include "platform/MessageSink.h"
#include "survey/ZonePresenceFlags.h"

namespace vesk {

// What the 3D model export dialog gave after OK.
struct ModelExportSettings {
    ExportFormat format = ExportFormat::kGlb;
    ConversionChoices choices;
};

// Everything the document needs from whoever shows it to a user: the Qt program,
// the command-line tool, or a test that records what was shown. Texts are UTF-8.
class DocumentUi : public MessageSink {
public:
    // The view's scroll extent becomes width x height, the main window is resized
    // so that the view's client area is exactly that, and the view is repainted.
    virtual void SetExtentAndFitFrame(int width, int height) = 0;

    // The whole view is to be drawn again.
    virtual void InvalidateView() = 0;

    // The document title changed; the main window shows it and comes to the front.
    virtual void TitleChanged(std::string_view title) = 0;

    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;

    // Runs the load of a sheet being opened and returns once it has ended,
    // read whole or cancelled: here and now, unless the user interface has a
    // better way (the program reads on a thread of its own behind a progress
    // dialog, and keeps drawing its windows meanwhile).
    virtual void RunSheetLoad(SheetLoad& load) { load.Run(); }

    // The open dialog of the open sheet command; nothing when cancelled.
    virtual std::optional<std::filesystem::path> ChooseSheetFile() = 0;

    // The conversion settings dialog; nothing when cancelled.
    virtual std::optional<ConversionChoices> AskConversionSettings(
        const ConversionPresence& presence) = 0;

    // The folder chooser titled "ﾌｫﾙﾀﾞを選択してください"; nothing when cancelled.
    virtual std::optional<std::filesystem::path> ChooseFolder() = 0;

    // The zone selection dialog of a survey; the confirmed zone, or nothing when cancelled.
    virtual std::optional<int> AskSurveyZone(const ZonePresence& presence) = 0;

    // The 3D model export dialog: format and the same three choices as the
    // conversion; nothing when cancelled. A user interface without this dialog
    // declines, as a cancel would.
    virtual std::optional<ModelExportSettings> AskModelExportSettings(
        const ConversionPresence& presence) {
        (void)presence;
        return std::nullopt;
    }
};

// Shows the wait cursor for as long as it lives.
class WaitCursor {
public:
    explicit WaitCursor(DocumentUi& ui) : ui_(ui) { ui_.BeginWaitCursor(); }
    ~WaitCursor() { ui_.EndWaitCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    DocumentUi& ui_;
};

}  // namespace vesk
