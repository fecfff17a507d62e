#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "document/DocumentUi.h"

namespace vesk::fuzz {

// A DocumentUi that checks every text it is shown is valid UTF-8, keeps the
// messages, and answers the conversion dialogs as told: the settings dialog
// with `choices`, the folder chooser with `folder`. Other dialogs are cancelled.
class FuzzUi final : public DocumentUi {
public:
    struct Message {
        std::string text;
        MessageIcon icon;
    };

    void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override;
    void SetExtentAndFitFrame(int, int) override {}
    void InvalidateView() override {}
    void TitleChanged(std::string_view title) override;
    void BeginWaitCursor() override { ++waitDepth; }
    void EndWaitCursor() override;
    std::optional<std::filesystem::path> ChooseSheetFile() override { return std::nullopt; }
    std::optional<ConversionChoices> AskConversionSettings(const ConversionPresence&) override {
        return choices;
    }
    std::optional<std::filesystem::path> ChooseFolder() override { return folder; }
    std::optional<int> AskSurveyZone(const ZonePresence&) override { return std::nullopt; }

    bool ShowedError() const;
    bool ShowedMessageContaining(std::string_view part) const;

    std::vector<Message> messages;
    int waitDepth = 0;
    ConversionChoices choices;
    std::filesystem::path folder;
};

}  // namespace vesk::fuzz
