#include "batch/MessageCollector.h"

#include <utility>

namespace vesk {

void MessageCollector::ShowMessage(std::string_view text, std::string_view, MessageIcon icon) {
    // Notices (the completion message, the folder in use) say nothing a report lacks.
    if (icon == MessageIcon::Stop) {
        errors_.emplace_back(text);
    }
}

std::vector<std::string> MessageCollector::TakeErrors() {
    return std::exchange(errors_, {});
}

}  // namespace vesk
