#include "convert/OutputPaths.h"

#include <string>

namespace vesk {

std::filesystem::path JoinAsText(const std::filesystem::path& folder, std::string_view name) {
    std::filesystem::path::string_type joined = folder.native();
    joined += std::filesystem::path::preferred_separator;
    joined += std::filesystem::path(name).native();
    return std::filesystem::path(std::move(joined));
}

OutputPaths EnvironmentRoutePaths(const SimulatorFolders& folders, std::string_view baseName) {
    const std::string name(baseName);
    return {JoinAsText(folders.geometry, name + ".geo"),
            JoinAsText(JoinAsText(folders.texture, "sgi"), name + ".sgi")};
}

OutputPaths ChosenFolderRoutePaths(const std::filesystem::path& folder, std::string_view baseName) {
    const std::string name(baseName);
    return {JoinAsText(folder, name + ".geo"), JoinAsText(folder, name + ".sgi")};
}

OutputPaths RoutePaths(const SimulatorFolders& folders, bool chosenFolder,
                       std::string_view baseName) {
    return chosenFolder ? ChosenFolderRoutePaths(folders.geometry, baseName)
                        : EnvironmentRoutePaths(folders, baseName);
}

}  // namespace vesk
