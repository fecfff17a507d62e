#pragma once

namespace vesk::cli {

// Reads the command line, runs the command it names, and gives the exit status.
int RunCommandLine(int argc, const char* const* argv);

}  // namespace vesk::cli
