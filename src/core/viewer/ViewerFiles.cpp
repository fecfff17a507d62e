#include "viewer/ViewerFiles.h"

#include <cstdlib>
#include <system_error>

namespace vesk {
namespace {

// Linux names the running program's file in /proc; elsewhere only the other
// candidates are looked at.
std::optional<std::filesystem::path> ProgramFolder() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return std::nullopt;
    }
    return program.parent_path();
}

std::optional<ViewerFiles> FilesIn(const std::filesystem::path& folder) {
    std::error_code error;
    const std::filesystem::path page = std::filesystem::canonical(folder, error);
    if (error || !std::filesystem::is_regular_file(page / "index.html", error)) {
        return std::nullopt;
    }
    const std::filesystem::path cesium = std::filesystem::canonical(page / "cesium", error);
    if (error || !std::filesystem::is_regular_file(cesium / "Cesium.js", error)) {
        return std::nullopt;
    }
    return ViewerFiles{page, cesium};
}

}  // namespace

std::vector<std::filesystem::path> ViewerFolderCandidates() {
    std::vector<std::filesystem::path> candidates;
    if (const char* chosen = std::getenv("VESK_VIEWER_DIR"); chosen != nullptr && *chosen != 0) {
        candidates.emplace_back(chosen);
    }
    if (const auto program = ProgramFolder()) {
        candidates.push_back(program->parent_path() / "share" / "vesk" / "viewer");
    }
    candidates.emplace_back(VESK_BUILD_VIEWER_DIR);
    return candidates;
}

std::optional<ViewerFiles> FindViewerFiles() {
    for (const std::filesystem::path& folder : ViewerFolderCandidates()) {
        if (auto files = FilesIn(folder)) {
            return files;
        }
    }
    return std::nullopt;
}

}  // namespace vesk
