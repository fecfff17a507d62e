#pragma once

#include <span>
#include <string_view>

namespace vesk::cli {

// Exit statuses shared by every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

using Arguments = std::span<const std::string_view>;

// Each command gets the arguments after its name.
int RunInfo(Arguments args);
int RunConvert(Arguments args);
int RunExport(Arguments args);
int RunSample(Arguments args);
int RunZones(Arguments args);
int RunSurvey(Arguments args);
int RunCheck(Arguments args);
int RunTiles(Arguments args);

}  // namespace vesk::cli
