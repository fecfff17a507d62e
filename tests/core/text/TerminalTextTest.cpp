#include "text/TerminalText.h"

#include <gtest/gtest.h>

namespace vesk {
namespace {

TEST(TerminalText, ControlCharactersAreShownAndEverythingElseKept) {
    EXPECT_EQ(TerminalText("a\tb\nc\rd"), "a\\tb\\nc\\rd");
    EXPECT_EQ(TerminalText("\x1b[31mred\x1b[0m"), "\\x1b[31mred\\x1b[0m");
    EXPECT_EQ(TerminalText(std::string_view("\0\x07\x7f", 3)), "\\x00\\x07\\x7f");
    // U+009B, the one-byte CSI, in UTF-8; U+00A0 and later are text.
    EXPECT_EQ(TerminalText("\xc2\x9b"
                           "2J\xc2\xa0"),
              "\\xc2\\x9b2J\xc2\xa0");
    EXPECT_EQ(TerminalText("千代田区丸の内 C:\\sheets\\a.tqb"), "千代田区丸の内 C:\\sheets\\a.tqb");
    EXPECT_EQ(TerminalText("\xc2"), "\xc2");  // cut short: no control character
}

}  // namespace
}  // namespace vesk
