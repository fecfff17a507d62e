#pragma once

#include <string>
#include <vector>

#include "platform/Diagnostic.h"

namespace vesk::cli {

// A diagnostic as the command line and its reports tell it: what the 3D
// model, the exports, the batches and the tiles report (codes from 4001 on)
// in English, the program's own messages a job collected as the program
// words them.
std::string CommandLineText(const Diagnostic& diagnostic);
std::vector<std::string> CommandLineTexts(const std::vector<Diagnostic>& diagnostics);

// The same for a terminal: the control characters of its values (paths,
// titles) shown as TerminalText shows them, the line breaks of its own text
// kept.
std::string ShownOnTerminal(const Diagnostic& diagnostic);

}  // namespace vesk::cli
