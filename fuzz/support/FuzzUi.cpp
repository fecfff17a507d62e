#include "FuzzUi.h"

#include <algorithm>

#include "Oracle.h"
#include "Utf8.h"

namespace vesk::fuzz {
namespace {

void RequireUtf8(std::string_view text, std::string_view property) {
    if (!IsValidUtf8(text)) {
        Fail(property, Utf8Trouble(text));
    }
}

}  // namespace

void FuzzUi::ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) {
    RequireUtf8(text, "a message is valid UTF-8");
    RequireUtf8(caption, "a message caption is valid UTF-8");
    messages.push_back({std::string(text), icon});
}

void FuzzUi::TitleChanged(std::string_view title) {
    RequireUtf8(title, "the title is valid UTF-8");
}

void FuzzUi::EndWaitCursor() {
    Require(waitDepth > 0, "the wait cursor is ended only after it began");
    --waitDepth;
}

bool FuzzUi::ShowedError() const {
    return std::any_of(messages.begin(), messages.end(),
                       [](const Message& m) { return m.icon == MessageIcon::Stop; });
}

bool FuzzUi::ShowedMessageContaining(std::string_view part) const {
    return std::any_of(messages.begin(), messages.end(),
                       [part](const Message& m) { return m.text.find(part) != std::string::npos; });
}

}  // namespace vesk::fuzz
