#include "OneDecimal.h"

#include <cstdio>

namespace vesk::cli {

std::string OneDecimal(float value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.1f", static_cast<double>(value));
    return buffer;
}

}  // namespace vesk::cli
