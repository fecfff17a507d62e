#pragma once

#include <string_view>

// What the folder survey tells the user, word for word (UTF-8).
namespace vesk::survey_messages {

// no file of the folder matches the sheet file pattern, or the folder cannot be searched
inline constexpr std::string_view kNoSheetFiles = "*.tqbﾌｧｲﾙが見つかりません";
// the document title after a zone was confirmed; %d is the zone number
inline constexpr const char* kZoneTitleFormat = "第%d系";

}  // namespace vesk::survey_messages
