#include "RecordingUi.h"

#include <algorithm>

namespace vesk::test {
namespace {

template <typename T>
T TakeFront(std::deque<T>& answers) {
    if (answers.empty()) {
        return T{};
    }
    T answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}

}  // namespace

void RecordingUi::ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) {
    messages.push_back({std::string(text), std::string(caption), icon});
    calls.push_back("message " + std::string(text));
}

void RecordingUi::SetExtentAndFitFrame(int width, int height) {
    calls.push_back("extent " + std::to_string(width) + "x" + std::to_string(height));
}

void RecordingUi::InvalidateView() {
    calls.push_back("invalidate");
}

void RecordingUi::TitleChanged(std::string_view title) {
    calls.push_back("title " + std::string(title));
}

void RecordingUi::BeginWaitCursor() {
    ++waitDepth;
    maxWaitDepth = std::max(maxWaitDepth, waitDepth);
    calls.push_back("wait on");
}

void RecordingUi::EndWaitCursor() {
    --waitDepth;
    calls.push_back("wait off");
}

std::optional<std::filesystem::path> RecordingUi::ChooseSheetFile() {
    calls.push_back("choose sheet file");
    return TakeFront(sheetFileAnswers);
}

std::optional<ConversionChoices> RecordingUi::AskConversionSettings(
    const ConversionPresence& presence) {
    calls.push_back("conversion dialog");
    conversionOffers.push_back(presence);
    return TakeFront(conversionAnswers);
}

std::optional<ModelExportSettings> RecordingUi::AskModelExportSettings(
    const ConversionPresence& presence) {
    calls.push_back("model export dialog");
    conversionOffers.push_back(presence);
    return TakeFront(modelExportAnswers);
}

std::optional<std::filesystem::path> RecordingUi::ChooseFolder() {
    calls.push_back("choose folder");
    return TakeFront(folderAnswers);
}

std::optional<int> RecordingUi::AskSurveyZone(const ZonePresence& presence) {
    calls.push_back("zone dialog");
    zoneOffers.push_back(presence);
    return TakeFront(zoneAnswers);
}

std::vector<std::string> RecordingUi::MessageTexts() const {
    std::vector<std::string> texts;
    for (const Message& message : messages) {
        texts.push_back(message.text);
    }
    return texts;
}

void RecordingUi::Clear() {
    messages.clear();
    calls.clear();
}

}  // namespace vesk::test
