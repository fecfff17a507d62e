#pragma once

#include <string>
#include <variant>
#include <vector>

#include "platform/MessageSink.h"

namespace vesk {

// Messages kept to be shown later, in the order they came: what a piece of
// work done beside others says, held until its turn to be shown.
class MessageLog : public MessageSink {
public:
    void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override;
    void Report(const Diagnostic& diagnostic) override;

    // Shows every message kept, in order, as if it came now.
    void ReplayTo(MessageSink& sink) const;

private:
    struct Shown {
        std::string text;
        std::string caption;
        MessageIcon icon;
    };
    std::vector<std::variant<Shown, Diagnostic>> messages_;
};

}  // namespace vesk
