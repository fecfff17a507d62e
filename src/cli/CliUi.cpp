#include "CliUi.h"

#include <cstdio>

namespace vesk::cli {

void CliUi::ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) {
    messages_.emplace_back(text);
    if (icon == MessageIcon::Stop) {
        ++errorCount_;
    }
    if (echo_) {
        std::FILE* out = icon == MessageIcon::Stop ? stderr : stdout;
        std::fprintf(out, "[%.*s] %.*s\n", static_cast<int>(caption.size()), caption.data(),
                     static_cast<int>(text.size()), text.data());
        std::fflush(out);
    }
}

}  // namespace vesk::cli
