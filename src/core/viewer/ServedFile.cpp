#include "viewer/ServedFile.h"

#include <algorithm>
#include <system_error>

namespace vesk {
namespace {

bool IsPlainSegment(std::string_view segment) {
    return !segment.empty() && segment != "." && segment != ".." &&
           segment.find_first_of(std::string_view("\\\0", 2)) == std::string_view::npos;
}

bool EverySegmentPlain(std::string_view relative) {
    while (true) {
        const std::size_t slash = relative.find('/');
        if (!IsPlainSegment(relative.substr(0, slash))) {
            return false;
        }
        if (slash == std::string_view::npos) {
            return true;
        }
        relative.remove_prefix(slash + 1);
    }
}

bool IsBelow(const std::filesystem::path& root, const std::filesystem::path& path) {
    const auto [rootEnd, pathAt] =
        std::mismatch(root.begin(), root.end(), path.begin(), path.end());
    return rootEnd == root.end() && pathAt != path.end();
}

}  // namespace

std::optional<std::filesystem::path> ServedFile(const std::filesystem::path& root,
                                                std::string_view relative) {
    if (!EverySegmentPlain(relative)) {
        return std::nullopt;
    }
    std::error_code error;
    const std::filesystem::path real = std::filesystem::canonical(
        root / std::filesystem::path(std::u8string(relative.begin(), relative.end())), error);
    if (error || !IsBelow(root, real) || !std::filesystem::is_regular_file(real, error)) {
        return std::nullopt;
    }
    return real;
}

}  // namespace vesk
