#include "Oracle.h"

#include <cstdio>
#include <cstdlib>

namespace vesk::fuzz {
namespace {

// Texts from the input may hold any byte; the report shows them escaped.
void PrintEscaped(std::string_view text) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
            std::fputc(byte, stderr);
        } else {
            std::fprintf(stderr, "\\x%02X", byte);
        }
    }
}

}  // namespace

void Fail(std::string_view property, std::string_view detail) {
    std::fprintf(stderr, "\n==vesk-fuzz== property broken: %.*s\n",
                 static_cast<int>(property.size()), property.data());
    if (!detail.empty()) {
        std::fputs("==vesk-fuzz== detail: ", stderr);
        PrintEscaped(detail.substr(0, 400));
        std::fputc('\n', stderr);
    }
    std::fflush(stderr);
    std::abort();
}

}  // namespace vesk::fuzz
