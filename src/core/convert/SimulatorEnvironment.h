#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/MessageSink.h"

namespace vesk {

// The two output folders of the environment route.
struct SimulatorFolders {
    std::filesystem::path geometry;
    std::filesystem::path texture;
};

// The value of an environment variable, or nothing when it is not set. Kept
// behind a function so that tests and tools can supply their own environment.
using EnvironmentLookup = std::function<std::optional<std::string>(const char* name)>;
std::optional<std::string> ProcessEnvironmentVariable(const char* name);

// One line of the simulator environment file split as "key=value;": the key
// up to the first "=", space or tab, a run of those skipped, the value up to
// the first ";" (or the end of the line, without its CR and LF). Nothing when
// the line lacks a key or a value.
std::optional<std::pair<std::string, std::string>> SplitEnvironmentLine(std::string_view line);

// Reads the simulator environment file that ksimEnv (the value of KSIM_ENV)
// names. Gives the geometry and texture folders, after a notice for each one
// that the file leaves to its default; nothing when ksimEnv is unset or
// empty, the file cannot be read, or it sets no home folder.
std::optional<SimulatorFolders> ReadSimulatorEnvironment(std::optional<std::string_view> ksimEnv,
                                                         MessageSink& ui);

}  // namespace vesk
