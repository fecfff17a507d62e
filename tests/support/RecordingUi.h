#pragma once

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "document/DocumentUi.h"

namespace vesk::test {

// A DocumentUi for tests: records every call in order as one line of text and
// answers dialogs from queues the test fills beforehand (an empty queue cancels).
class RecordingUi : public DocumentUi {
public:
    struct Message {
        std::string text;
        std::string caption;
        MessageIcon icon;
    };

    void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override;
    void SetExtentAndFitFrame(int width, int height) override;
    void InvalidateView() override;
    void TitleChanged(std::string_view title) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    std::optional<std::filesystem::path> ChooseSheetFile() override;
    std::optional<ConversionChoices> AskConversionSettings(
        const ConversionPresence& presence) override;
    std::optional<std::filesystem::path> ChooseFolder() override;
    std::optional<int> AskSurveyZone(const ZonePresence& presence) override;
    std::optional<ModelExportSettings> AskModelExportSettings(
        const ConversionPresence& presence) override;

    // Message texts only, in the order shown.
    std::vector<std::string> MessageTexts() const;
    void Clear();

    std::vector<Message> messages;
    std::vector<std::string> calls;  // e.g. "message ...", "extent 500x375", "title 無題"
    int waitDepth = 0;
    int maxWaitDepth = 0;

    std::deque<std::optional<std::filesystem::path>> sheetFileAnswers;
    std::deque<std::optional<ConversionChoices>> conversionAnswers;
    std::deque<std::optional<std::filesystem::path>> folderAnswers;
    std::deque<std::optional<int>> zoneAnswers;
    std::deque<std::optional<ModelExportSettings>> modelExportAnswers;

    std::vector<ConversionPresence> conversionOffers;
    std::vector<ZonePresence> zoneOffers;
};

}  // namespace vesk::test
