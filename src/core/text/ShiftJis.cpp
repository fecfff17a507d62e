#include "text/ShiftJis.h"

#include <cerrno>
#include <cstddef>

#if defined(_WIN32)
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace vesk {
namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

// The length of the valid UTF-8 sequence at text[i]; 0 when none starts there.
std::size_t ValidSequenceLength(std::string_view text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    unsigned minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, minimum = 0x10000;
    }
    bool valid = length > 0 && length <= text.size() - i;
    unsigned codePoint = lead & (0x7Fu >> length);
    for (std::size_t k = 1; valid && k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        valid = (next & 0xC0) == 0x80;
        codePoint = (codePoint << 6) | (next & 0x3Fu);
    }
    valid = valid && codePoint >= minimum && codePoint <= 0x10FFFF &&
            !(codePoint >= 0xD800 && codePoint <= 0xDFFF);
    return valid ? length : 0;
}

#if !defined(_WIN32)

// One iconv conversion descriptor, closed when it goes.
class Converter {
public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~Converter() {
        if (IsOpen()) {
            iconv_close(handle_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool IsOpen() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    // Converts all of input from the initial state; an unconvertible byte is
    // replaced and passed over.
    std::string Convert(std::string_view input, std::string_view replacement) {
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        std::string output;
        output.reserve(input.size() * 3 / 2 + 4);
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        char buffer[1024];
        while (inLeft > 0) {
            char* out = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t result = iconv(handle_, &in, &inLeft, &out, &outLeft);
            output.append(buffer, static_cast<std::size_t>(out - buffer));
            if (result != static_cast<std::size_t>(-1) || errno == E2BIG) {
                continue;
            }
            // EILSEQ, or EINVAL for a sequence cut short by the end: one byte is bad.
            output.append(replacement);
            ++in;
            --inLeft;
            iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        }
        return output;
    }

private:
    iconv_t handle_;
};

std::string ConvertWith(Converter& converter, std::string_view input,
                        std::string_view replacement) {
    if (!converter.IsOpen()) {
        return SanitizeUtf8(input);
    }
    return converter.Convert(input, replacement);
}

#endif

}  // namespace

#if defined(_WIN32)

std::string ShiftJisToUtf8(std::string_view shiftJis) {
    if (shiftJis.empty()) {
        return {};
    }
    const int wideCount =
        MultiByteToWideChar(932, 0, shiftJis.data(), static_cast<int>(shiftJis.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wideCount), L'\0');
    MultiByteToWideChar(932, 0, shiftJis.data(), static_cast<int>(shiftJis.size()), wide.data(),
                        wideCount);
    const int count =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideCount, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(count), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideCount, utf8.data(), count, nullptr, nullptr);
    return utf8;
}

std::string Utf8ToShiftJis(std::string_view utf8) {
    if (utf8.empty()) {
        return {};
    }
    const int wideCount =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wideCount), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                        wideCount);
    const int count =
        WideCharToMultiByte(932, 0, wide.data(), wideCount, nullptr, 0, nullptr, nullptr);
    std::string sjis(static_cast<std::size_t>(count), '\0');
    WideCharToMultiByte(932, 0, wide.data(), wideCount, sjis.data(), count, nullptr, nullptr);
    return sjis;
}

#else

// Opening a conversion costs far more than converting a name, and a survey
// converts thousands: each thread keeps one of each direction open.
std::string ShiftJisToUtf8(std::string_view shiftJis) {
    thread_local Converter toUtf8("UTF-8", "CP932");
    return ConvertWith(toUtf8, shiftJis, kReplacementCharacter);
}

std::string Utf8ToShiftJis(std::string_view utf8) {
    thread_local Converter toShiftJis("CP932", "UTF-8");
    return ConvertWith(toShiftJis, SanitizeUtf8(utf8), "?");
}

#endif

std::string SanitizeUtf8(std::string_view text) {
    std::string output;
    output.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t length = ValidSequenceLength(text, i);
        if (length > 0) {
            output.append(text.substr(i, length));
            i += length;
        } else {
            output.append(kReplacementCharacter);
            ++i;
        }
    }
    return output;
}

bool IsValidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = ValidSequenceLength(text, i);
        if (length == 0) {
            return false;
        }
        i += length;
    }
    return true;
}

std::string BytesAsDisplayText(std::string_view bytes) {
    std::string utf8 = SanitizeUtf8(bytes);
    return utf8 == bytes ? utf8 : ShiftJisToUtf8(bytes);
}

}  // namespace vesk
