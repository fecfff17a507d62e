#include "text/ShiftJis.h"

#include <gtest/gtest.h>

#include <random>

namespace vesk {
namespace {

TEST(ShiftJis, DecodesKanjiKanaAndHalfWidthKatakana) {
    EXPECT_EQ(ShiftJisToUtf8("\x91\xE6\x39\x8C\x6E"), "第9系");
    EXPECT_EQ(ShiftJisToUtf8("\xB4\xD7\xB0"), "ｴﾗｰ");
    EXPECT_EQ(ShiftJisToUtf8("\x93\x8C\x8B\x9E abc"), "東京 abc");
}

TEST(ShiftJis, InvalidAndCutSequencesBecomeReplacementCharacters) {
    EXPECT_EQ(ShiftJisToUtf8("a\xFF"
                             "b"),
              "a\xEF\xBF\xBD"
              "b");
    // A lead byte with nothing after it at the end of the text.
    EXPECT_EQ(ShiftJisToUtf8("a\x93"), "a\xEF\xBF\xBD");
}

TEST(ShiftJis, AnyByteSequenceGivesValidUtf8) {
    std::mt19937 random(7);
    for (int round = 0; round < 2000; ++round) {
        std::string bytes(random() % 40, '\0');
        for (char& c : bytes) {
            c = static_cast<char>(random() & 0xFF);
        }
        const std::string utf8 = ShiftJisToUtf8(bytes);
        EXPECT_EQ(SanitizeUtf8(utf8), utf8);
    }
}

TEST(ShiftJis, EncodesTheProgramsOwnTexts) {
    EXPECT_EQ(Utf8ToShiftJis("第17系"), "\x91\xE6\x31\x37\x8C\x6E");
    EXPECT_EQ(ShiftJisToUtf8(Utf8ToShiftJis("ﾌｫﾙﾀﾞ")), "ﾌｫﾙﾀﾞ");
}

TEST(DisplayText, Utf8StaysShiftJisIsDecodedAndOtherBytesAreReplaced) {
    EXPECT_EQ(BytesAsDisplayText("/data/景観/a.tqb"), "/data/景観/a.tqb");
    EXPECT_EQ(BytesAsDisplayText("/data/\x8c\x69\x8a\xcf/\xb1.tqb"), "/data/景観/ｱ.tqb");
    EXPECT_EQ(BytesAsDisplayText("/d/\x81"), "/d/\uFFFD");
}

TEST(Utf8, InvalidSequencesAreReplacedOneByteAtATime) {
    EXPECT_EQ(SanitizeUtf8("ok"), "ok");
    EXPECT_EQ(SanitizeUtf8("\xC0\xAF"), "\xEF\xBF\xBD\xEF\xBF\xBD");       // overlong
    EXPECT_EQ(SanitizeUtf8("\xED\xA0\x80").substr(0, 3), "\xEF\xBF\xBD");  // surrogate
    EXPECT_EQ(SanitizeUtf8("\xE3\x81"), "\xEF\xBF\xBD\xEF\xBF\xBD");       // cut short
}

// JSON writers pass text that this calls valid on untouched: it must agree
// with the sanitizing on every kind of sequence, not only the random ones.
TEST(Utf8, TextIsValidExactlyWhenSanitizingLeavesItAsItIs) {
    for (const std::string_view text :
         {"", "ok", "\xC0\xAF", "\xED\xA0\x80", "\xE3\x81", "\xE3\x81\x82", "\xF4\x8F\xBF\xBF",
          "\xF4\x90\x80\x80", "\xE0\x9F\xBF", "\xC2", "a\xFF", "\xF0\x9F\x98\x80"}) {
        EXPECT_EQ(IsValidUtf8(text), SanitizeUtf8(text) == text) << text;
    }
    std::mt19937 random(11);
    for (int round = 0; round < 5000; ++round) {
        std::string bytes(random() % 6, '\0');
        for (char& c : bytes) {
            c = static_cast<char>(0x80 | (random() & 0x7F));
        }
        EXPECT_EQ(IsValidUtf8(bytes), SanitizeUtf8(bytes) == bytes);
    }
}

}  // namespace
}  // namespace vesk
