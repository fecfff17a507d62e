#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "SampleSheet.h"

namespace vesk::cli {

// Why an option's value cannot be taken, or nothing when it was.
using Reason = std::optional<std::string>;

// One option of the sample command: how it is written, what it does, and how
// its value changes the options.
struct SampleArgument {
    const char* name;
    const char* value;  // the value's form in the help
    const char* help;
    Reason (*apply)(std::string_view value, sample::SampleOptions& options);
    bool repeatable;
};

std::span<const SampleArgument> SampleArguments();

}  // namespace vesk::cli
