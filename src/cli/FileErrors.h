#pragma once

#include <filesystem>
#include <string_view>

namespace vesk::cli {

// Tells on standard error, in the system's words, why a file named on the
// command line cannot be read; false when it can (its content is then to blame,
// and the load has said why).
bool SayWhyNotReadable(std::string_view command, const std::filesystem::path& file);

// The same for a folder whose entries cannot be listed.
bool SayWhyNotListable(std::string_view command, const std::filesystem::path& folder);

// Makes the output folder with the folders above it, as mkdir -p does; when
// that fails, tells why in the system's words and gives false.
bool MakeOutputFolder(std::string_view command, const std::filesystem::path& folder);

}  // namespace vesk::cli
