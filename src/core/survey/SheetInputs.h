#pragma once

#include <filesystem>
#include <span>
#include <vector>

namespace vesk {

// The sheet files that the inputs of a batch command name, in the order given:
// a folder stands for its "*.tqb" files (any letter case, in the byte order of
// their names, as the folder survey finds them), anything else for itself, so
// that a missing file is reported by the command that tries to open it.
std::vector<std::filesystem::path> ExpandSheetInputs(std::span<const std::filesystem::path> inputs);

}  // namespace vesk
