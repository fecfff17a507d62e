#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/DocumentUi.h"

namespace vesk::cli {

// The document's user interface on a terminal: messages are kept in order and,
// when echo is on, printed with their caption as they come (notices on standard
// output, errors on standard error). Dialogs answer what the command line said.
class CliUi : public DocumentUi {
public:
    explicit CliUi(bool echo) : echo_(echo) {}

    void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override;
    void SetExtentAndFitFrame(int, int) override {}
    void InvalidateView() override {}
    void TitleChanged(std::string_view) override {}
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    std::optional<std::filesystem::path> ChooseSheetFile() override { return std::nullopt; }
    std::optional<ConversionChoices> AskConversionSettings(
        const ConversionPresence& presence) override;
    std::optional<std::filesystem::path> ChooseFolder() override { return folder; }
    std::optional<int> AskSurveyZone(const ZonePresence&) override { return zone; }

    const std::vector<std::string>& Messages() const { return messages_; }
    int ErrorCount() const { return errorCount_; }

    // Answers for the dialogs.
    std::optional<ConversionChoices> choices;
    std::optional<std::filesystem::path> folder;
    std::optional<int> zone;

private:
    bool echo_;
    std::vector<std::string> messages_;
    int errorCount_ = 0;
};

}  // namespace vesk::cli
