#pragma once

#include <string>
#include <string_view>

namespace vesk {

// Text for a terminal, with every control character shown instead of obeyed,
// as ls and git show odd names: a title or a path then can neither start a
// line of its own nor move the cursor or change colours. Tab, line feed and
// carriage return are shown as \t, \n and \r; every other control character
// as \xHH for each of its bytes: the C0 controls and DEL (ESC as \x1b), and the
// C1 controls U+0080 to U+009F (U+009B as \xc2\x9b). Everything else, UTF-8
// and backslashes included, is kept as it is. Only for plain text shown on a
// terminal: JSON has escapes of its own, and files keep their bytes.
std::string TerminalText(std::string_view text);

}  // namespace vesk
