#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "viewer/ViewerFiles.h"

namespace vesk {

// The viewer's web server: "/" is the page, "/cesium/..." CesiumJS and
// "/tiles/..." the tileset's folder, each served only from below its own
// folder (see ServedFile); anything else, a folder included, is 404.
class ViewerServer {
public:
    // tiles: the folder of a tileset, which must exist.
    ViewerServer(const ViewerFiles& files, const std::filesystem::path& tiles);
    ~ViewerServer();
    ViewerServer(const ViewerServer&) = delete;
    ViewerServer& operator=(const ViewerServer&) = delete;

    // Takes the port on host (port 0: a free one). False, with the system's
    // reason, when it cannot: a port in use says so.
    bool Listen(const std::string& host, int port, std::string& reason);
    int Port() const { return port_; }
    // Answers requests until Stop, from any thread (not a signal handler).
    void Serve();
    void Stop();

private:
    struct Site;
    std::unique_ptr<Site> site_;
    int port_ = 0;
};

}  // namespace vesk
