#pragma once

#include <string>
#include <vector>

#include "platform/DocumentUi.h"

namespace vesk {

// The document's user interface in a batch job, where nobody answers dialogs:
// messages are kept (errors apart from notices) for the job's report, the
// settings are fixed beforehand, and the view calls go nowhere.
class MessageCollector : public DocumentUi {
public:
    explicit MessageCollector(const ConversionChoices& choices = {}) : choices_(choices) {}

    void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override;
    void SetExtentAndFitFrame(int, int) override {}
    void InvalidateView() override {}
    void TitleChanged(std::string_view) override {}
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    std::optional<std::filesystem::path> ChooseSheetFile() override { return std::nullopt; }
    std::optional<ConversionChoices> AskConversionSettings(const ConversionPresence&) override {
        return choices_;
    }
    std::optional<std::filesystem::path> ChooseFolder() override { return std::nullopt; }
    std::optional<int> AskSurveyZone(const ZonePresence&) override { return std::nullopt; }

    // The errors shown since the last call, emptied.
    std::vector<std::string> TakeErrors();

private:
    ConversionChoices choices_;
    std::vector<std::string> errors_;
};

}  // namespace vesk
