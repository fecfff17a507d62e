#pragma once

#include "platform/Diagnostic.h"

// What the check of many sheets tells beside the findings, which have their
// own catalogue (Finding.h). No message box of the program shows these: the
// command line tells them in English.
namespace vesk::check_messages {

// the sheet opened as the program opens it, but its file could not be read again
inline constexpr DiagnosticKind kSheetNotReadAgain{
    1401, Severity::kError, "the sheet could not be read again for the check", {}};
// the sheet's check threw; the value is what the exception says
inline constexpr DiagnosticKind kCheckStopped{
    1402, Severity::kError, "the check of the sheet stopped by an internal fault: %s", {}};

}  // namespace vesk::check_messages
