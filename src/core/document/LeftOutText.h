#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/Diagnostic.h"

namespace vesk {

// What the program says of the parts a block's 3D model or export left out:
// each part named with its own reason in the program's Japanese, the
// sentences joined by the separator; empty when nothing was left out.
std::string LeftOutText(const std::vector<Diagnostic>& diagnostics, std::string_view separator);

}  // namespace vesk
