// vesk-cli view: the tileset of a folder and the viewer's page, served on this
// machine until Ctrl+C or SIGTERM, and the browser opened on it.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <thread>

#include "Commands.h"
#include "viewer/ViewerFiles.h"
#include "viewer/ViewerServer.h"

extern char** environ;

namespace vesk::cli {
namespace {

constexpr const char* kDefaultHost = "127.0.0.1";

bool IsThisMachine(const std::string& host) {
    return host == "127.0.0.1" || host == "localhost" || host == "::1";
}

// What a browser on this machine goes to: the address served on, or this
// machine's own for one that takes every address.
std::string UrlOf(const std::string& host, int port) {
    const bool any = host == "0.0.0.0" || host == "::";
    const bool six = !any && host.find(':') != std::string::npos;
    const std::string shown = any ? kDefaultHost : six ? "[" + host + "]" : host;
    return "http://" + shown + ":" + std::to_string(port) + "/";
}

bool HasTileset(const std::filesystem::path& folder) {
    std::error_code error;
    return std::filesystem::is_regular_file(folder / "tileset.json", error);
}

void PrintMissingViewer() {
    std::fprintf(stderr, "vesk-cli view: the viewer's files are not installed; looked in:\n");
    for (const std::filesystem::path& folder : ViewerFolderCandidates()) {
        std::fprintf(stderr, "  %s\n", folder.string().c_str());
    }
}

// Started and left to itself: the browser outlives this command, and the
// child is reaped when the command ends (see Reap).
pid_t OpenBrowser(const std::string& url) {
    pid_t child = 0;
    char* argv[] = {const_cast<char*>("xdg-open"), const_cast<char*>(url.c_str()), nullptr};
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    const int failed = posix_spawnp(&child, "xdg-open", &quiet, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&quiet);
    if (failed != 0) {
        std::fprintf(stderr, "vesk-cli view: no browser opened (xdg-open: %s); open %s\n",
                     std::strerror(failed), url.c_str());
        return 0;
    }
    return child;
}

void Reap(pid_t child) {
    if (child > 0) {
        int status = 0;
        waitpid(child, &status, WNOHANG);
    }
}

// SIGINT and SIGTERM are taken by a thread that waits for them, so that the
// server is stopped from a thread, never from inside a signal handler. They
// are blocked before the server starts its own threads, which inherit that.
sigset_t StopSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    return signals;
}

}  // namespace

int RunView(const ViewRequest& request) {
    if (!HasTileset(request.folder)) {
        std::fprintf(stderr,
                     "vesk-cli view: %s holds no tileset.json (vesk-cli tiles writes one)\n",
                     request.folder.string().c_str());
        return kExitFailed;
    }
    const auto files = FindViewerFiles();
    if (!files) {
        PrintMissingViewer();
        return kExitFailed;
    }
    const std::string host = request.host.value_or(kDefaultHost);
    const sigset_t signals = StopSignals();
    ViewerServer server(*files, request.folder);
    std::string reason;
    if (!server.Listen(host, request.port.value_or(0), reason)) {
        std::fprintf(stderr, "vesk-cli view: cannot serve on %s: %s\n", host.c_str(),
                     reason.c_str());
        return kExitFailed;
    }
    if (!IsThisMachine(host)) {
        std::fprintf(stderr,
                     "vesk-cli view: serving on %s port %d: anyone who reaches this port can "
                     "read the tileset\n",
                     host.c_str(), server.Port());
    }
    const std::string url = UrlOf(host, server.Port());
    std::printf("%s\n", url.c_str());
    std::fflush(stdout);
    const pid_t browser = request.noOpen ? 0 : OpenBrowser(url);
    std::thread stopper([&] {
        int signal = 0;
        sigwait(&signals, &signal);
        server.Stop();
    });
    server.Serve();
    // Served to its end without a signal (the socket failed): the waiting
    // thread is woken by one the process sends itself, and still blocks.
    pthread_kill(stopper.native_handle(), SIGTERM);
    stopper.join();
    Reap(browser);
    return kExitOk;
}

}  // namespace vesk::cli
