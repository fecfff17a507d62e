#include "JsonWriter.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "text/ShiftJis.h"

namespace vesk::cli {

std::string JsonString(std::string_view text) {
    const std::string utf8 = SanitizeUtf8(text);
    std::string out = "\"";
    for (const char c : utf8) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escape[8];
                    std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
                    out += escape;
                } else {
                    out += c;
                }
        }
    }
    out += '"';
    return out;
}

std::string JsonFloat(float value) {
    if (!std::isfinite(value)) {
        return "null";
    }
    // Plain decimals for the values sheets hold (plane metres, heights), the
    // exponent form only for the very large and the very small.
    const float magnitude = std::fabs(value);
    const bool plain = magnitude == 0.0f || (magnitude >= 1e-4f && magnitude < 1e15f);
    char buffer[96];
    const auto result =
        plain ? std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed)
              : std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, result.ptr);
    if (text.find_first_of(".e") == std::string::npos) {
        text += ".0";
    }
    return text;
}

std::string JsonFixed(double value, int decimals) {
    if (!std::isfinite(value)) {
        return "null";
    }
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return result.ec == std::errc{} ? std::string(buffer, result.ptr) : "null";
}

std::string OneDecimal(float value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.1f", static_cast<double>(value));
    return buffer;
}

std::string JsonPair(std::string_view first, std::string_view second) {
    std::string out;
    out.reserve(first.size() + second.size() + 4);
    out += '[';
    out += first;
    out += ", ";
    out += second;
    out += ']';
    return out;
}

}  // namespace vesk::cli
