#pragma once

#include <string>

namespace vesk {

// What the exception being handled says, for the report of the job it
// stopped: its own text, or that it is of a type not known here. Only for use
// inside a catch block.
std::string CurrentExceptionReason();

}  // namespace vesk
