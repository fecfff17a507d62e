#include "app/CommandLineInfo.h"

namespace vesk::gui {
namespace {

constexpr std::string_view kVersion = "Vesk 0.72\n";

constexpr std::string_view kUsage =
    "Usage: vesk [SHEET.tqb] [-Embedding | -Automation]\n"
    "\n"
    "Opens the desktop program, with the sheet file if one is named.\n"
    "\n"
    "  SHEET.tqb              the 1/2500 sheet file to show\n"
    "  -Embedding, -Automation\n"
    "                         start without the splash window (also with \"/\",\n"
    "                         in any letter case)\n"
    "  --help                 print this text and exit\n"
    "  --version              print the version and exit\n";

}  // namespace

std::optional<std::string> CommandLineInfo(const std::vector<std::string_view>& arguments) {
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == "--help" || arguments[i] == "-h") {
            return std::string(kUsage);
        }
        if (arguments[i] == "--version") {
            return std::string(kVersion);
        }
    }
    return std::nullopt;
}

}  // namespace vesk::gui
