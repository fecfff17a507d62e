#pragma once

#include <filesystem>
#include <optional>

namespace vesk {

// The path whose file an output named `target` may replace: the target itself
// when it is a regular file or does not exist yet, the file at the end of its
// symbolic links when it is one. Nothing when what is there is not ours to
// replace (a FIFO, a device, a socket, a folder, a loop of links).
std::optional<std::filesystem::path> OutputDestination(const std::filesystem::path& target);

}  // namespace vesk
