#include "platform/Diagnostic.h"

#include <cstdio>

namespace vesk {
namespace {

bool IsValuePlace(std::string_view format, std::size_t at) {
    return at + 1 < format.size() && (format[at + 1] == 's' || format[at + 1] == 'd');
}

char SeverityLetter(Severity severity) {
    switch (severity) {
        case Severity::kNotice:
            return 'N';
        case Severity::kWarning:
            return 'W';
        case Severity::kError:
            break;
    }
    return 'E';
}

}  // namespace

std::string FillIn(std::string_view format, const std::vector<std::string>& values) {
    std::string text;
    std::size_t next = 0;
    std::size_t from = 0;
    for (std::size_t at = format.find('%'); at != std::string_view::npos;
         at = format.find('%', at + 1)) {
        if (!IsValuePlace(format, at) || next == values.size()) {
            continue;
        }
        text += format.substr(from, at - from);
        text += values[next++];
        from = at + 2;
        at = from - 1;
    }
    text += format.substr(from);
    return text;
}

// The English items follow the text on its line; the Japanese ones each on a
// line of its own, as the program's message boxes list them.
std::string Diagnostic::English() const {
    std::string text = FillIn(kind.english, values);
    const char* separator = ": ";
    for (const Diagnostic& item : items) {
        text += separator + item.English();
        separator = ", ";
    }
    return text;
}

std::string Diagnostic::Japanese() const {
    std::string text = FillIn(kind.japanese, values);
    for (const Diagnostic& item : items) {
        text += '\n' + item.Japanese();
    }
    return text;
}

std::string Diagnostic::Shown() const {
    return kind.japanese.empty() ? English() : Japanese();
}

std::vector<std::string> ShownTexts(const std::vector<Diagnostic>& diagnostics) {
    std::vector<std::string> texts;
    texts.reserve(diagnostics.size());
    for (const Diagnostic& diagnostic : diagnostics) {
        texts.push_back(diagnostic.Shown());
    }
    return texts;
}

Diagnostic MakeDiagnostic(const DiagnosticKind& kind, std::vector<std::string> values) {
    return Diagnostic{kind, std::move(values), {}};
}

std::string CodeText(const Diagnostic& diagnostic) {
    char text[16];
    std::snprintf(text, sizeof text, "%c%04d", SeverityLetter(diagnostic.Level()),
                  diagnostic.Code());
    return text;
}

std::string DiagnosticLine(const Diagnostic& diagnostic) {
    return CodeText(diagnostic) + ' ' + diagnostic.English();
}

}  // namespace vesk
