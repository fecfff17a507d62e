#pragma once

#include <string>
#include <string_view>

namespace vesk {

// Shift-JIS (code page 932) bytes as UTF-8 for display. Bytes that are not
// valid code page 932 become U+FFFD; any byte sequence is safe.
std::string ShiftJisToUtf8(std::string_view shiftJis);

// UTF-8 as code page 932, for texts the program itself puts where sheet names
// go; characters code page 932 lacks become "?".
std::string Utf8ToShiftJis(std::string_view utf8);

// Replaces every byte sequence that is not valid UTF-8 by U+FFFD.
std::string SanitizeUtf8(std::string_view text);

// Whether SanitizeUtf8 would give the text back as it is.
bool IsValidUtf8(std::string_view text);

// Bytes of unknown encoding, such as a path from the file system or from the
// simulator's environment file, as UTF-8 for display: valid UTF-8 as it is,
// anything else read as Shift-JIS (the encoding of older archives), with
// U+FFFD for bytes that are neither.
std::string BytesAsDisplayText(std::string_view bytes);

}  // namespace vesk
