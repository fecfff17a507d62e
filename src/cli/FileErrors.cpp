#include "FileErrors.h"

#include <cstdio>
#include <string>
#include <system_error>

#include "platform/ReadOnlyFile.h"
#include "text/ShiftJis.h"
#include "text/TerminalText.h"

namespace vesk::cli {
namespace {

void Say(std::string_view command, const std::filesystem::path& path, const std::string& reason) {
    std::fprintf(stderr, "vesk-cli %.*s: %s: %s\n", static_cast<int>(command.size()),
                 command.data(), TerminalText(BytesAsDisplayText(path.string())).c_str(),
                 reason.c_str());
}

}  // namespace

bool SayWhyNotReadable(std::string_view command, const std::filesystem::path& file) {
    const auto reason = WhyNotReadable(file);
    if (reason) {
        Say(command, file, *reason);
    }
    return reason.has_value();
}

bool SayWhyNotListable(std::string_view command, const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::directory_iterator entries(folder, error);
    if (error) {
        Say(command, folder, error.message());
    }
    return static_cast<bool>(error);
}

bool MakeOutputFolder(std::string_view command, const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    std::error_code look;
    if (!error && !std::filesystem::is_directory(folder, look)) {
        error = look ? look : std::make_error_code(std::errc::not_a_directory);
    }
    if (error) {
        Say(command, folder, error.message());
    }
    return !error;
}

}  // namespace vesk::cli
