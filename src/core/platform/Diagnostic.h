#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vesk {

// A notice tells what was done; a warning that something looks wrong but the
// output is whole; an error that something was not done or is wrong.
enum class Severity { kNotice, kWarning, kError };

// One kind of thing the core reports: a stable number that users may quote,
// its severity, and its texts. "%s" and "%d" in the texts stand for the
// values, in order. The Japanese text is what the program shows, word for word;
// a kind that none of the program's message boxes shows has none.
struct DiagnosticKind {
    int code = 0;
    Severity severity = Severity::kError;
    std::string_view english;
    std::string_view japanese;
};

// One report: its kind, the values that explain it, and the items it lists
// (what was left out, say). Texts are made from it only where they are shown.
struct Diagnostic {
    DiagnosticKind kind;
    std::vector<std::string> values;
    std::vector<Diagnostic> items;

    int Code() const { return kind.code; }
    Severity Level() const { return kind.severity; }
    std::string English() const;
    std::string Japanese() const;
    // What a user is told: the program's Japanese text, or the English one of
    // a kind that has none.
    std::string Shown() const;
};

Diagnostic MakeDiagnostic(const DiagnosticKind& kind, std::vector<std::string> values = {});

// Each one as a user is told it, in order.
std::vector<std::string> ShownTexts(const std::vector<Diagnostic>& diagnostics);

// "E3001", "W1004", "N2001": the code as a bug report carries it.
std::string CodeText(const Diagnostic& diagnostic);

// One line for a log: the code and the English text.
std::string DiagnosticLine(const Diagnostic& diagnostic);

// The format with each "%s" or "%d" replaced by the next value; a place
// without a value is kept as it is.
std::string FillIn(std::string_view format, const std::vector<std::string>& values);

}  // namespace vesk
