#include "platform/OutputDestination.h"

namespace vesk {
namespace {

// As many links as the system itself follows before it reports a loop.
constexpr int kMaxLinkHops = 40;

}  // namespace

std::optional<std::filesystem::path> OutputDestination(const std::filesystem::path& target) {
    namespace fs = std::filesystem;
    fs::path current = target;
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        std::error_code error;
        const fs::file_status status = fs::symlink_status(current, error);
        switch (status.type()) {
        case fs::file_type::not_found:
        case fs::file_type::regular:
            return current;
        case fs::file_type::symlink: {
            const fs::path link = fs::read_symlink(current, error);
            if (error) {
                return std::nullopt;
            }
            current = link.is_absolute() ? link : current.parent_path() / link;
            break;
        }
        case fs::file_type::none:
            // Cannot be looked at (a folder without search permission): creating
            // the temporary file beside it fails in the same way and says so.
            return current;
        default:
            return std::nullopt;
        }
    }
    return std::nullopt;
}

}  // namespace vesk
