#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vesk::fuzz {

// Well-formed UTF-8 as Unicode defines it: shortest forms only, no
// surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view text);

// Where the first sequence that is not well-formed starts; npos when there is none.
std::size_t FirstInvalidUtf8(std::string_view text);

// For a report: the offset of the first bad sequence and the bytes around it.
std::string Utf8Trouble(std::string_view text);

}  // namespace vesk::fuzz
