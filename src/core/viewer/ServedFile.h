#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace vesk {

// The regular file below root that a request names by its path relative to
// root (already percent-decoded, no leading slash), with every symbolic link
// followed; nothing for a path with an empty, "." or ".." segment, a
// backslash or a NUL, for a folder, for what does not exist, and for a file
// whose real place is not below root's. root must be a real path
// (std::filesystem::canonical). Whatever the bytes of the request, no file
// outside root is named, so none is read.
std::optional<std::filesystem::path> ServedFile(const std::filesystem::path& root,
                                                std::string_view relative);

}  // namespace vesk
