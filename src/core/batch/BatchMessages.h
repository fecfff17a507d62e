#pragma once

#include "platform/Diagnostic.h"

// What a batch tells of a sheet or a block it did not work on. No message box
// of the program shows these: the command line and the batch reports tell
// them in English, beside the program's own messages the jobs collected.
namespace vesk::batch_messages {

using enum Severity;

// the file reads but the load refused it, and said why
inline constexpr DiagnosticKind kSheetNotOpened{6001, kError, "the sheet could not be opened", {}};
// the file itself could not be read; the value is the system's reason
inline constexpr DiagnosticKind kSheetFileUnreadable{
    6002, kError, "the sheet could not be opened: %s", {}};
// the block asked for, 1 to 25, is not one the load accepted
inline constexpr DiagnosticKind kBlockNotInSheet{6003, kError, "block %d is not in the sheet", {}};
inline constexpr DiagnosticKind kNoBlockToConvert{
    6004, kError, "the sheet holds no block to convert", {}};
// the block holds nothing of what was chosen
inline constexpr DiagnosticKind kNothingChosen{
    6005, kNotice, "nothing to convert: no buildings, grid or texture chosen", {}};
// a block gives the output name of an earlier block of its sheet, and is not written
inline constexpr DiagnosticKind kNameTwiceInSheet{
    6006, kError, "an earlier block of this sheet has the same output name", {}};
// the value is the earlier sheet of the run that took the output name
inline constexpr DiagnosticKind kNameTakenBy{
    6007, kError, "not written: %s wrote this output name first", {}};
// the job of a sheet, a block or the whole batch threw; the value is what the exception says
inline constexpr DiagnosticKind kJobStopped{6008, kError, "stopped by an internal fault: %s", {}};

}  // namespace vesk::batch_messages
