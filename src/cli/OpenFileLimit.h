#pragma once

#include <string_view>

namespace vesk::cli {

// The jobs asked for, or as many as the process's open-file limit (ulimit -n)
// leaves room for, at least 1; when fewer, one line on standard error says so.
unsigned JobsWithinOpenFileLimit(std::string_view command, unsigned jobs);

}  // namespace vesk::cli
