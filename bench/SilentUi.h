#pragma once

#include "platform/DocumentUi.h"

namespace vesk::bench {

// A user interface that answers nothing and counts the messages shown.
class SilentUi : public DocumentUi {
public:
    void ShowMessage(std::string_view, std::string_view, MessageIcon) override { ++messages; }
    void SetExtentAndFitFrame(int, int) override {}
    void InvalidateView() override {}
    void TitleChanged(std::string_view) override {}
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    std::optional<std::filesystem::path> ChooseSheetFile() override { return std::nullopt; }
    std::optional<ConversionChoices> AskConversionSettings(const ConversionPresence&) override {
        return std::nullopt;
    }
    std::optional<std::filesystem::path> ChooseFolder() override { return std::nullopt; }
    std::optional<int> AskSurveyZone(const ZonePresence&) override { return std::nullopt; }
    int messages = 0;
};

}  // namespace vesk::bench
