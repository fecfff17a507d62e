#pragma once

#include <vector>

#include "document/UnattendedUi.h"

namespace vesk {

// The document's user interface in a batch job, where nobody answers dialogs:
// the errors reported are kept for the job's report, the notices go nowhere.
class MessageCollector : public UnattendedUi {
public:
    void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override;
    void Report(const Diagnostic& diagnostic) override;

    // The errors reported since the last call, emptied.
    std::vector<Diagnostic> TakeErrors();

private:
    std::vector<Diagnostic> errors_;
};

}  // namespace vesk
