#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vesk::gui {

// What "--help" or "--version" on the command line asks the program to print
// instead of starting; nothing when the window is to open.
std::optional<std::string> CommandLineInfo(const std::vector<std::string_view>& arguments);

}  // namespace vesk::gui
