#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vesk {

// A JSON value whose objects keep their members in the order they were added.
using JsonValue = nlohmann::ordered_json;

// How the value of a member is laid out. A document is written on one line,
// {"a": 1, "b": [2, 3]}, but for what its layout names and the members of the
// top object, which each start a line of their own after one space.
struct JsonMemberLayout {
    std::optional<int> line{};      // the member starts a line, after this many spaces
    std::optional<int> items{};     // each item of its array starts a line, after this many spaces
    bool emptyOpensLine = false;    // its array breaks the line even when empty: "[\n]"
    std::optional<int> decimals{};  // its reals, in nested arrays too, keep this many decimals
};

struct JsonKeyLayout {
    std::string_view key;
    JsonMemberLayout layout;
};

// The layouts of a document's members by key, wherever the key occurs. A real
// whose key has no decimals is taken for a sheet's 32-bit value and written as
// JsonFloat writes it.
using JsonLayout = std::span<const JsonKeyLayout>;

// The document as a text ending in a newline. Strings are first made valid
// UTF-8 as SanitizeUtf8 does, then escaped, every control character but tab,
// newline and carriage return as \u00xx.
std::string JsonText(const JsonValue& document, JsonLayout layout = {});

// A value as JsonText lays it out where it stands inside a document (not as
// the top object, whose members start lines of their own), without a newline
// after it: for writers that write a document's items one at a time.
std::string JsonItemText(const JsonValue& value, JsonLayout layout = {});

// Appends a string as JsonText writes it, quoted, for writers that write a
// document piece by piece instead of building it first.
void AppendJsonString(std::string& out, std::string_view text);

}  // namespace vesk
