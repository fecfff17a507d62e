#include "platform/KeptOutputs.h"

#include <system_error>

namespace vesk {

bool OutputsNewerThan(std::span<const std::filesystem::path> outputs,
                      const std::filesystem::path& source) {
    std::error_code error;
    const auto made = std::filesystem::last_write_time(source, error);
    if (error) {
        return false;
    }
    for (const std::filesystem::path& output : outputs) {
        if (!std::filesystem::is_regular_file(output, error) ||
            std::filesystem::last_write_time(output, error) <= made || error) {
            return false;
        }
    }
    return true;
}

}  // namespace vesk
