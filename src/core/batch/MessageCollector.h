#pragma once

#include <string>
#include <vector>

#include "document/UnattendedUi.h"

namespace vesk {

// The document's user interface in a batch job, where nobody answers dialogs:
// the errors shown are kept for the job's report, the notices go nowhere.
class MessageCollector : public UnattendedUi {
public:
    void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override;

    // The errors shown since the last call, emptied.
    std::vector<std::string> TakeErrors();

private:
    std::vector<std::string> errors_;
};

}  // namespace vesk
