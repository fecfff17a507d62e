#include "text/JsonText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

namespace vesk {
namespace {

TEST(JsonText, OneLineButForTheTopObjectsMembersAndWhatTheLayoutNames) {
    constexpr JsonKeyLayout layout[] = {
        {"rows", {.items = 2}},
        {"late", {.line = 3}},
        {"none", {.items = 2, .emptyOpensLine = true}},
    };
    const JsonValue document = {
        {"name", "a"},
        {"rows", JsonValue::array(
                     {{{"n", 1}, {"late", true}, {"tags", {"x", "y"}}}, JsonValue::array({1, 2})})},
        {"none", JsonValue::array()},
        {"empty", JsonValue::array()}};
    EXPECT_EQ(JsonText(document, layout),
              "{\"name\": \"a\",\n"
              " \"rows\": [\n"
              "  {\"n\": 1,\n"
              "   \"late\": true, \"tags\": [\"x\", \"y\"]},\n"
              "  [1, 2]],\n"
              " \"none\": [\n"
              "],\n"
              " \"empty\": []}\n");
}

TEST(JsonText, RealsAreShortestFloatsUnlessTheirKeyKeepsDecimalsInNestedArraysToo) {
    constexpr JsonKeyLayout layout[] = {{"ring", {.decimals = 2}}};
    const JsonValue document = {
        {"f", JsonValue::array({0.1f, 2000.0f, -0.0f, 1e-4f, 1e-5f, 1e15f, std::nanf("")})},
        {"ring", JsonValue::array({JsonValue::array(
                     {1.0 / 3.0, 2.5, -std::numeric_limits<double>::infinity()})})}};
    EXPECT_EQ(JsonText(document, layout),
              "{\"f\": [0.1, 2000.0, -0.0, 0.0001, 1e-05, 1e+15, null],\n"
              " \"ring\": [[0.33, 2.50, null]]}\n");
}

TEST(JsonText, RealsKeepTheirPointUnderACommaLocale) {
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";
    }
    constexpr JsonKeyLayout layout[] = {{"fixed", {.decimals = 2}}};
    const std::string text = JsonText({{"float", 1.5f}, {"fixed", 2.5}}, layout);
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(text, "{\"float\": 1.5,\n \"fixed\": 2.50}\n");
}

// Control characters but tab, newline and carriage return as \u00xx, each
// byte that is not UTF-8 (here a cut sequence and a lone continuation byte)
// as U+FFFD, DEL and non-ASCII as they are.
TEST(JsonText, StringsAndKeysAreValidUtf8AndEscapedAsStrictJsonWants) {
    const JsonValue document = {{"k\x01", "q\"\\/\b\f\n\r\t\x1f\x7f\xE6\x9D\xB1\xE3\x81\x41\x80"}};
    EXPECT_EQ(JsonText(document),
              "{\"k\\u0001\": \"q\\\"\\\\/\\u0008\\u000c\\n\\r\\t\\u001f\x7f\xE6\x9D\xB1"
              "\xEF\xBF\xBD\xEF\xBF\xBD"
              "A\xEF\xBF\xBD\"}\n");
}

}  // namespace
}  // namespace vesk
