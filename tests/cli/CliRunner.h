#pragma once

#include <map>
#include <string>
#include <vector>

namespace vesk::test {

struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs vesk-cli with the arguments (no shell involved) and collects what it printed.
// Variables in env are set for the child; an empty value unsets one.
CliResult RunCli(const std::vector<std::string>& args,
                 const std::map<std::string, std::string>& env = {});

}  // namespace vesk::test
