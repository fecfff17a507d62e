#include "text/TerminalText.h"

#include <cstdio>

namespace vesk {
namespace {

bool IsC0OrDelete(unsigned char byte) {
    return byte < 0x20 || byte == 0x7f;
}

// The UTF-8 form of U+0080 to U+009F: 0xC2 followed by 0x80 to 0x9F.
bool StartsC1(std::string_view text, std::size_t i) {
    return static_cast<unsigned char>(text[i]) == 0xc2 && i + 1 < text.size() &&
           static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
           static_cast<unsigned char>(text[i + 1]) <= 0x9f;
}

void AppendHex(std::string& out, unsigned char byte) {
    char escape[5];
    std::snprintf(escape, sizeof escape, "\\x%02x", byte);
    out += escape;
}

void AppendEscaped(std::string& out, unsigned char byte) {
    switch (byte) {
        case '\t':
            out += "\\t";
            return;
        case '\n':
            out += "\\n";
            return;
        case '\r':
            out += "\\r";
            return;
        default:
            AppendHex(out, byte);
    }
}

}  // namespace

std::string TerminalText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (IsC0OrDelete(byte)) {
            AppendEscaped(out, byte);
        } else if (StartsC1(text, i)) {
            AppendHex(out, byte);
            AppendHex(out, static_cast<unsigned char>(text[++i]));
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace vesk
