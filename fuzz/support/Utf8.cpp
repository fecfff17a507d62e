#include "Utf8.h"

#include <cstddef>
#include <cstdint>

namespace vesk::fuzz {
namespace {

struct LeadByte {
    std::size_t continuations;
    std::uint32_t bits;
};

// The sequence length and payload a first byte announces; none for bytes that
// cannot start a sequence (continuations, C0, C1, F5 to FF).
bool DecodeLead(std::uint8_t byte, LeadByte& lead) {
    if (byte < 0x80) {
        lead = {0, byte};
    } else if (byte >= 0xC2 && byte <= 0xDF) {
        lead = {1, byte & 0x1Fu};
    } else if (byte >= 0xE0 && byte <= 0xEF) {
        lead = {2, byte & 0x0Fu};
    } else if (byte >= 0xF0 && byte <= 0xF4) {
        lead = {3, byte & 0x07u};
    } else {
        return false;
    }
    return true;
}

bool IsAllowedCodePoint(std::uint32_t code, std::size_t continuations) {
    constexpr std::uint32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    const bool shortest = code >= kSmallest[continuations];
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return shortest && !surrogate && code <= 0x10FFFF;
}

}  // namespace

bool IsValidUtf8(std::string_view text) {
    return FirstInvalidUtf8(text) == std::string_view::npos;
}

std::string Utf8Trouble(std::string_view text) {
    constexpr std::size_t kContext = 40;
    const std::size_t at = FirstInvalidUtf8(text);
    if (at == std::string_view::npos) {
        return "valid";
    }
    const std::size_t from = at > kContext ? at - kContext : 0;
    return "byte " + std::to_string(at) + " of " + std::to_string(text.size()) + ": " +
           std::string(text.substr(from, 2 * kContext));
}

std::size_t FirstInvalidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        LeadByte lead{};
        if (!DecodeLead(static_cast<std::uint8_t>(text[i]), lead) ||
            lead.continuations >= text.size() - i) {
            return i;
        }
        std::uint32_t code = lead.bits;
        for (std::size_t k = 1; k <= lead.continuations; ++k) {
            const auto byte = static_cast<std::uint8_t>(text[i + k]);
            if ((byte & 0xC0u) != 0x80u) {
                return i;
            }
            code = (code << 6) | (byte & 0x3Fu);
        }
        if (!IsAllowedCodePoint(code, lead.continuations)) {
            return i;
        }
        i += lead.continuations + 1;
    }
    return std::string_view::npos;
}

}  // namespace vesk::fuzz
