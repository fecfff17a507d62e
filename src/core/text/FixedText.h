#pragma once

#include <string>

namespace vesk {

// A real with a fixed number of decimals, as printf's "%.*f" writes it in the
// C locale ("nan" and "inf" included), whatever locale the process runs in:
// the program runs in the user's, where the decimal point may be a comma.
std::string FixedText(double value, int decimals);

// Whether a byte is an ASCII letter or digit, whatever the locale says of the
// bytes above 127.
constexpr bool IsAsciiAlnum(unsigned char byte) {
    return (byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') ||
           (byte >= 'a' && byte <= 'z');
}

}  // namespace vesk
