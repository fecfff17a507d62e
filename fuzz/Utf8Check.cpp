// The UTF-8 oracle of the harnesses checked against the boundary cases of the
// well-formed byte sequences Unicode lists (chapter 3, table 3-7): a wrong
// validator would let the harnesses pass texts they should stop on.
// `vesk-fuzz-utf8-check` prints each case that disagrees and exits with 1.
#include <cstddef>
#include <cstdio>
#include <string_view>

#include "Utf8.h"

namespace {

using namespace std::string_view_literals;

struct Case {
    std::string_view bytes;
    std::size_t firstInvalid;  // npos when well-formed
};

constexpr std::size_t kValid = std::string_view::npos;

constexpr Case kCases[] = {
    {""sv, kValid},
    {"plain ASCII\r\n"sv, kValid},
    {"\x00"sv, kValid},
    {"\xC2\x80\xDF\xBF"sv, kValid},                      // U+0080, U+07FF
    {"\xE0\xA0\x80\xED\x9F\xBF"sv, kValid},              // U+0800, U+D7FF
    {"\xEE\x80\x80\xEF\xBF\xBF"sv, kValid},              // U+E000, U+FFFF
    {"\xF0\x90\x80\x80\xF4\x8F\xBF\xBF"sv, kValid},      // U+10000, U+10FFFF
    {"\xEF\xBE\x8C\xEF\xBD\xA7\xEF\xBE\x99"sv, kValid},  // half-width katakana
    {"\x80"sv, 0},                                       // a lone continuation
    {"ab\xC0\x80"sv, 2},                                 // overlong NUL
    {"\xC1\xBF"sv, 0},                                   // overlong U+007F
    {"\xE0\x9F\xBF"sv, 0},                               // overlong U+07FF
    {"x\xED\xA0\x80"sv, 1},                              // surrogate U+D800
    {"\xED\xBF\xBF"sv, 0},                               // surrogate U+DFFF
    {"\xF0\x8F\xBF\xBF"sv, 0},                           // overlong U+FFFF
    {"\xF4\x90\x80\x80"sv, 0},                           // U+110000
    {"\xF5\x80\x80\x80"sv, 0},
    {"\xFF"sv, 0},
    {"\xE3\x81"sv, 0},              // cut short
    {"\xC2\x41"sv, 0},              // continuation missing
    {"C:\\\x8C\x69\x8A\xCF"sv, 3},  // Shift-JIS
};

}  // namespace

int main() {
    int failures = 0;
    for (const Case& c : kCases) {
        const std::size_t found = vesk::fuzz::FirstInvalidUtf8(c.bytes);
        if (found != c.firstInvalid ||
            vesk::fuzz::IsValidUtf8(c.bytes) != (c.firstInvalid == kValid)) {
            std::printf("UTF-8 check disagrees on case %zu: first invalid byte %zd, expected %zd\n",
                        static_cast<std::size_t>(&c - kCases), static_cast<std::ptrdiff_t>(found),
                        static_cast<std::ptrdiff_t>(c.firstInvalid));
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
