#include "viewer/ViewerServer.h"

#include <httplib.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>

#include "viewer/ContentType.h"
#include "viewer/ServedFile.h"

namespace vesk {
namespace {

// Idle and stalled connections are let go soon, so that Stop returns within
// about a second whatever a browser holds open.
constexpr time_t kKeepAliveSeconds = 1;
constexpr time_t kReadSeconds = 1;

std::filesystem::path RealPath(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::path real = std::filesystem::canonical(folder, error);
    return error ? folder : real;
}

std::optional<std::string> Contents(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) {
        return std::nullopt;
    }
    return bytes;
}

}  // namespace

struct ViewerServer::Site {
    ViewerFiles files;
    std::filesystem::path tiles;
    httplib::Server server;

    std::optional<std::filesystem::path> FileFor(std::string_view path) const {
        if (path == "/") {
            return ServedFile(files.page, "index.html");
        }
        for (const auto& [prefix, root] :
             {std::pair<std::string_view, const std::filesystem::path&>{"/cesium/", files.cesium},
              {"/tiles/", tiles}}) {
            if (path.starts_with(prefix)) {
                return ServedFile(root, path.substr(prefix.size()));
            }
        }
        return path.starts_with('/') ? ServedFile(files.page, path.substr(1)) : std::nullopt;
    }

    void Answer(const httplib::Request& request, httplib::Response& response) const {
        const auto file = FileFor(request.path);
        const auto bytes = file ? Contents(*file) : std::nullopt;
        if (!bytes) {
            response.status = 404;
            return;
        }
        response.set_header("Cache-Control", "no-cache");
        response.set_content(*bytes, std::string(ContentTypeOf(*file)));
    }
};

ViewerServer::ViewerServer(const ViewerFiles& files, const std::filesystem::path& tiles)
    : site_(std::make_unique<Site>()) {
    site_->files = {RealPath(files.page), RealPath(files.cesium)};
    site_->tiles = RealPath(tiles);
    // The library's default lets a second server share a port that one
    // already listens on (SO_REUSEPORT), and the two would split the requests:
    // a port in use must be refused.
    site_->server.set_socket_options([](socket_t socket) {
        const int yes = 1;
        setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    });
    site_->server.set_keep_alive_timeout(kKeepAliveSeconds);
    site_->server.set_read_timeout(kReadSeconds, 0);
    site_->server.Get(
        ".*", [site = site_.get()](const httplib::Request& request, httplib::Response& response) {
            site->Answer(request, response);
        });
}

ViewerServer::~ViewerServer() = default;

bool ViewerServer::Listen(const std::string& host, int port, std::string& reason) {
    errno = 0;
    port_ = port == 0 ? site_->server.bind_to_any_port(host)
                      : (site_->server.bind_to_port(host, port) ? port : -1);
    if (port_ > 0) {
        return true;
    }
    const int error = errno;
    reason = error == EADDRINUSE ? "port " + std::to_string(port) + " is in use"
             : error != 0        ? std::string(std::strerror(error))
                                 : "the address cannot be used";
    return false;
}

void ViewerServer::Serve() {
    site_->server.listen_after_bind();
}

void ViewerServer::Stop() {
    site_->server.stop();
}

}  // namespace vesk
