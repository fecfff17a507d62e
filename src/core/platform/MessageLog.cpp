#include "platform/MessageLog.h"

namespace vesk {

void MessageLog::ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) {
    messages_.emplace_back(Shown{std::string(text), std::string(caption), icon});
}

void MessageLog::Report(const Diagnostic& diagnostic) {
    messages_.emplace_back(diagnostic);
}

void MessageLog::ReplayTo(MessageSink& sink) const {
    for (const auto& message : messages_) {
        if (const auto* shown = std::get_if<Shown>(&message)) {
            sink.ShowMessage(shown->text, shown->caption, shown->icon);
        } else {
            sink.Report(std::get<Diagnostic>(message));
        }
    }
}

}  // namespace vesk
