#pragma once

#include <string>

#include "platform/Diagnostic.h"

namespace vesk::cli {

// What a user is told of the diagnostic, for a terminal: the control
// characters of its values (paths, titles) shown as TerminalText shows them,
// the line breaks of its own text kept.
std::string ShownOnTerminal(const Diagnostic& diagnostic);

}  // namespace vesk::cli
