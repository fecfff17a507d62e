#include "document/LeftOutText.h"

namespace vesk {

std::string LeftOutText(const std::vector<Diagnostic>& diagnostics, std::string_view separator) {
    std::string text;
    for (const Diagnostic& diagnostic : diagnostics) {
        if (!text.empty()) {
            text += separator;
        }
        text += diagnostic.Japanese();
    }
    return text;
}

}  // namespace vesk
