#include "batch/MessageCollector.h"

#include <utility>

namespace vesk {

// Every error comes as a diagnostic; a plain message is the model export's
// notice of what it wrote, which no batch runs.
void MessageCollector::ShowMessage(std::string_view, std::string_view, MessageIcon) {}

// Notices (the completion message, the folder in use) say nothing a report lacks.
void MessageCollector::Report(const Diagnostic& diagnostic) {
    if (diagnostic.Level() == Severity::kError) {
        errors_.push_back(diagnostic);
    }
}

std::vector<Diagnostic> MessageCollector::TakeErrors() {
    return std::exchange(errors_, {});
}

}  // namespace vesk
