// vesk-cli: the sheet loading and conversion of Vesk without a display.
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <vector>

#include "Commands.h"
#include "platform/TemporaryFiles.h"

namespace {

struct Command {
    std::string_view name;
    int (*run)(vesk::cli::Arguments);
    std::string_view usage;
};

constexpr Command kCommands[] = {
    {"info", vesk::cli::RunInfo, "info SHEET [--json]"},
    {"convert", vesk::cli::RunConvert,
     "convert INPUT... (--block N | --all) [--out DIR] [--jobs N] [--report FILE] [--quiet]\n"
     "         [--no-buildings] [--no-terrain] [--no-texture]"},
    {"export", vesk::cli::RunExport,
     "export SHEET (--block N | --all) [--format glb|gltf|obj] [--out DIR] [--no-buildings]\n"
     "         [--no-terrain] [--no-texture]"},
    {"sample", vesk::cli::RunSample,
     "sample OUT.tqb [--zone Z] [--origin X,Y] [--name TEXT] [--seed N] [--buildings N]\n"
     "         [--dem COLSxROWS] [--texture PIXELS] [--image WxH] [--without PART]..."},
    {"tiles", vesk::cli::RunTiles,
     "tiles INPUT... --out DIR [--jobs N] [--no-terrain] [--no-texture] [--shard I/N]\n"
     "         [--report FILE] [--quiet]\n"
     "  vesk-cli tiles --merge DIR"},
    {"zones", vesk::cli::RunZones, "zones [--json]"},
    {"check", vesk::cli::RunCheck, "check INPUT... [--json] [--jobs N]"},
    {"survey", vesk::cli::RunSurvey, "survey FOLDER [--json] [--geojson]"},
};

void PrintUsage(std::FILE* out) {
    std::fputs("usage: vesk-cli COMMAND [ARGS]\n       vesk-cli --help | --version\n\ncommands:\n",
               out);
    for (const Command& command : kCommands) {
        std::fprintf(out, "  vesk-cli %.*s\n", static_cast<int>(command.usage.size()),
                     command.usage.data());
    }
}

// Other tools read what we print: output that did not reach them whole (a full
// disk, a reader that went away) must not end with a success status.
int WithStandardOutputChecked(int status) {
    errno = 0;
    if (std::fflush(stdout) == 0 && !std::ferror(stdout)) {
        return status;
    }
    const int error = errno;
    std::fprintf(stderr, "vesk-cli: cannot write the standard output: %s\n",
                 error != 0 ? std::strerror(error) : "write error");
    return vesk::cli::kExitFailed;
}

int RunCommand(std::vector<std::string_view> args) {
    if (!args.empty() && args[0] == "--version") {
        std::puts("vesk-cli " VESK_VERSION);
        return vesk::cli::kExitOk;
    }
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        PrintUsage(args.empty() ? stderr : stdout);
        return args.empty() ? vesk::cli::kExitUsage : vesk::cli::kExitOk;
    }
    for (const Command& command : kCommands) {
        if (args[0] != command.name) {
            continue;
        }
        // The sample command explains its options in its own help.
        const bool help = args.size() == 2 && (args[1] == "--help" || args[1] == "-h");
        if (help && command.name != "sample") {
            std::printf("usage: vesk-cli %.*s\n", static_cast<int>(command.usage.size()),
                        command.usage.data());
            return vesk::cli::kExitOk;
        }
        return command.run(vesk::cli::Arguments(args).subspan(1));
    }
    std::fprintf(stderr, "vesk-cli: unknown command '%.*s'\n\n", static_cast<int>(args[0].size()),
                 args[0].data());
    PrintUsage(stderr);
    return vesk::cli::kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
    vesk::RemoveTemporaryFilesOnTermination();
#if defined(SIGPIPE)
    // A reader that went away is reported like any other failed write.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    return WithStandardOutputChecked(RunCommand({argv + 1, argv + argc}));
}
