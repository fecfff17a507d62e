#include "text/JsonText.h"

#include <algorithm>
#include <utility>

#include "text/JsonNumbers.h"
#include "text/ShiftJis.h"

namespace vesk {
namespace {

constexpr JsonMemberLayout kOnOneLine{};

const JsonMemberLayout& LayoutOf(JsonLayout layout, std::string_view key) {
    const auto named = std::find_if(layout.begin(), layout.end(),
                                    [key](const JsonKeyLayout& entry) { return entry.key == key; });
    return named == layout.end() ? kOnOneLine : named->layout;
}

// nlohmann-json writes backspace and form feed as \b and \f; the outputs have
// always had them as \u0008 and \u000c, like the other control characters.
std::string WithUnicodeEscapes(const std::string& escaped) {
    std::string out;
    out.reserve(escaped.size());
    for (std::size_t i = 0; i < escaped.size(); ++i) {
        out += escaped[i];
        if (escaped[i] != '\\') {
            continue;
        }
        const char escape = escaped[++i];  // a backslash never ends a dumped string
        if (escape == 'b') {
            out += "u0008";
        } else if (escape == 'f') {
            out += "u000c";
        } else {
            out += escape;
        }
    }
    return out;
}

// Whether valid UTF-8 stands in a JSON string as it is: nlohmann-json escapes
// only the control characters, the quote and the backslash.
bool NeedsNoEscape(std::string_view utf8) {
    return std::none_of(utf8.begin(), utf8.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == '"' || c == '\\';
    });
}

void AppendValidUtf8(std::string& out, std::string_view utf8) {
    if (NeedsNoEscape(utf8)) {
        out.append(1, '"').append(utf8).append(1, '"');
        return;
    }
    const JsonValue string = std::string(utf8);
    out += WithUnicodeEscapes(string.dump(-1, ' ', false, JsonValue::error_handler_t::replace));
}

class JsonPrinter {
public:
    explicit JsonPrinter(JsonLayout layout) : layout_(layout) {}

    std::string Text(const JsonValue& document) && {
        Value(document, kOnOneLine, true);
        out_ += '\n';
        return std::move(out_);
    }

    std::string Item(const JsonValue& value) && {
        Value(value, kOnOneLine);
        return std::move(out_);
    }

private:
    void Value(const JsonValue& value, const JsonMemberLayout& member, bool top = false) {
        switch (value.type()) {
            case JsonValue::value_t::object:
                Object(value, top);
                break;
            case JsonValue::value_t::array:
                Array(value, member);
                break;
            case JsonValue::value_t::number_float:
                Real(value.get<double>(), member);
                break;
            case JsonValue::value_t::string:
                AppendJsonString(out_, value.get_ref<const std::string&>());
                break;
            default:  // integers, true, false and null as nlohmann-json writes them
                out_ += value.dump();
        }
    }

    void Object(const JsonValue& object, bool top) {
        out_ += '{';
        bool first = true;
        for (const auto& [key, value] : object.items()) {
            const JsonMemberLayout& member = LayoutOf(layout_, key);
            if (!first) {
                Separate(false, top ? 1 : member.line);
            }
            AppendJsonString(out_, key);
            out_ += ": ";
            Value(value, member);
            first = false;
        }
        out_ += '}';
    }

    void Array(const JsonValue& array, const JsonMemberLayout& member) {
        // Arrays in the array (a ring's positions) keep the member's decimals.
        const JsonMemberLayout nested{.decimals = member.decimals};
        out_ += '[';
        bool first = true;
        for (const JsonValue& item : array) {
            Separate(first, member.items);
            Value(item, nested);
            first = false;
        }
        if (array.empty() && member.emptyOpensLine) {
            out_ += '\n';
        }
        out_ += ']';
    }

    void Real(double value, const JsonMemberLayout& member) {
        out_ += member.decimals ? JsonFixed(value, *member.decimals)
                                : JsonFloat(static_cast<float>(value));
    }

    // Before an item or a member: a comma unless it is the first, then a new
    // line when the layout asks for one, else a space after the comma.
    void Separate(bool first, std::optional<int> line) {
        if (!first) {
            out_ += ',';
        }
        if (line) {
            out_ += '\n';
            out_.append(static_cast<std::size_t>(*line), ' ');
        } else if (!first) {
            out_ += ' ';
        }
    }

    JsonLayout layout_;
    std::string out_;
};

}  // namespace

std::string JsonText(const JsonValue& document, JsonLayout layout) {
    return JsonPrinter(layout).Text(document);
}

std::string JsonItemText(const JsonValue& value, JsonLayout layout) {
    return JsonPrinter(layout).Item(value);
}

// Made valid UTF-8 first, one U+FFFD for each byte that is not, where
// nlohmann-json would give one for a whole cut sequence; its own replacing
// then never acts, but keeps the dump from throwing. ASCII, as most paths and
// keys are, is valid as it is, and so is a sheet's name once converted.
void AppendJsonString(std::string& out, std::string_view text) {
    if (IsValidUtf8(text)) {
        AppendValidUtf8(out, text);
        return;
    }
    AppendValidUtf8(out, SanitizeUtf8(text));
}

}  // namespace vesk
