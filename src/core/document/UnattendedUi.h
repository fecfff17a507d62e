#pragma once

#include <filesystem>
#include <optional>

#include "document/DocumentUi.h"

namespace vesk {

// The document's user interface where nobody is there to answer it (the
// command line, a batch job): the view calls go nowhere, and each dialog gives
// the answer set beforehand, or none as a cancel would. What becomes of the
// messages is for the one that derives from it to say.
class UnattendedUi : public DocumentUi {
public:
    void SetExtentAndFitFrame(int, int) override {}
    void InvalidateView() override {}
    void TitleChanged(std::string_view) override {}
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    std::optional<std::filesystem::path> ChooseSheetFile() override { return std::nullopt; }
    std::optional<ConversionChoices> AskConversionSettings(const ConversionPresence&) override {
        return choices;
    }
    std::optional<std::filesystem::path> ChooseFolder() override { return folder; }
    std::optional<int> AskSurveyZone(const ZonePresence&) override { return zone; }

    // Answers for the dialogs.
    std::optional<ConversionChoices> choices;
    std::optional<std::filesystem::path> folder;
    std::optional<int> zone;
};

}  // namespace vesk
