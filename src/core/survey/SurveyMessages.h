#pragma once

#include "platform/Diagnostic.h"

// What the folder survey tells the user, word for word (UTF-8).
namespace vesk::survey_messages {

// no file of the folder matches the sheet file pattern, or the folder cannot be searched
inline constexpr DiagnosticKind kNoSheetFiles{2101, Severity::kError,
                                              "no sheet file (*.tqb) was found in the folder",
                                              "*.tqbﾌｧｲﾙが見つかりません"};
// the document title after a zone was confirmed; %d is the zone number
inline constexpr const char* kZoneTitleFormat = "第%d系";

}  // namespace vesk::survey_messages
