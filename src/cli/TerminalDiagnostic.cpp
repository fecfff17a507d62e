#include "TerminalDiagnostic.h"

#include <algorithm>

#include "text/TerminalText.h"

namespace vesk::cli {
namespace {

Diagnostic WithTerminalValues(Diagnostic diagnostic) {
    for (std::string& value : diagnostic.values) {
        value = TerminalText(value);
    }
    for (Diagnostic& item : diagnostic.items) {
        item = WithTerminalValues(std::move(item));
    }
    return diagnostic;
}

// The first code of the layers that word their reports for the command line
// and give the program its own Japanese words for them.
constexpr int kFirstCommandLineCode = 4001;

}  // namespace

std::string CommandLineText(const Diagnostic& diagnostic) {
    return diagnostic.Code() >= kFirstCommandLineCode ? diagnostic.English() : diagnostic.Shown();
}

std::vector<std::string> CommandLineTexts(const std::vector<Diagnostic>& diagnostics) {
    std::vector<std::string> texts(diagnostics.size());
    std::ranges::transform(diagnostics, texts.begin(), CommandLineText);
    return texts;
}

std::string ShownOnTerminal(const Diagnostic& diagnostic) {
    return CommandLineText(WithTerminalValues(diagnostic));
}

}  // namespace vesk::cli
