#include "TerminalDiagnostic.h"

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

}  // namespace

std::string ShownOnTerminal(const Diagnostic& diagnostic) {
    return WithTerminalValues(diagnostic).Shown();
}

}  // namespace vesk::cli
