#pragma once

#include <filesystem>
#include <optional>
#include <vector>

namespace vesk {

// The viewer's own files: its page (index.html and what it loads) and
// CesiumJS below them in cesium/.
struct ViewerFiles {
    std::filesystem::path page;
    std::filesystem::path cesium;
};

// Where the viewer's files are looked for, in turn: VESK_VIEWER_DIR when set;
// share/vesk/viewer beside the folder of the running program, as the package
// installs them; and the build folder this program was built in.
std::vector<std::filesystem::path> ViewerFolderCandidates();

// The first candidate that holds the page and CesiumJS, as real paths.
std::optional<ViewerFiles> FindViewerFiles();

}  // namespace vesk
