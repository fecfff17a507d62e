#pragma once

#include <filesystem>
#include <span>

namespace vesk {

// Whether the outputs made from `source` by an earlier run can be kept: each
// is a regular file modified after the source was. Outputs appear whole or
// not at all, so what a killed run left is either complete or absent.
bool OutputsNewerThan(std::span<const std::filesystem::path> outputs,
                      const std::filesystem::path& source);

}  // namespace vesk
