#pragma once

#include <filesystem>
#include <string_view>

#include "convert/SimulatorEnvironment.h"

namespace vesk {

// Where one conversion writes its two files.
struct OutputPaths {
    std::filesystem::path geometry;
    std::filesystem::path texture;
};

// The folder, the platform's separator, then the name, joined as text: the
// folder is used exactly as it was given.
std::filesystem::path JoinAsText(const std::filesystem::path& folder, std::string_view name);

// Geometry into the simulator's geometry folder, the texture into the "sgi"
// folder below its texture folder.
OutputPaths EnvironmentRoutePaths(const SimulatorFolders& folders, std::string_view baseName);

// Both files straight into the chosen folder.
OutputPaths ChosenFolderRoutePaths(const std::filesystem::path& folder, std::string_view baseName);

// The paths of the route taken: with chosenFolder both files into
// folders.geometry, where the chosen folder is kept, else the environment's.
OutputPaths RoutePaths(const SimulatorFolders& folders, bool chosenFolder,
                       std::string_view baseName);

}  // namespace vesk
