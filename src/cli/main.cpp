// vesk-cli: the sheet loading and conversion of Vesk without a display.
#include <cstdio>
#include <string_view>
#include <vector>

#include "Commands.h"

namespace {

struct Command {
    std::string_view name;
    int (*run)(vesk::cli::Arguments);
    std::string_view usage;
};

constexpr Command kCommands[] = {
    {"info", vesk::cli::RunInfo, "info SHEET [--json]"},
    {"convert", vesk::cli::RunConvert,
     "convert SHEET (--block N | --all) [--out DIR] [--no-buildings] [--no-terrain] "
     "[--no-texture]"},
    {"export", vesk::cli::RunExport,
     "export SHEET (--block N | --all) [--format glb|gltf|obj] [--out DIR] [--no-buildings]\n"
     "         [--no-terrain] [--no-texture]"},
    {"sample", vesk::cli::RunSample,
     "sample OUT.tqb [--zone Z] [--origin X,Y] [--name TEXT] [--seed N] [--buildings N]\n"
     "         [--dem COLSxROWS] [--texture PIXELS] [--image WxH] [--without PART]..."},
    {"zones", vesk::cli::RunZones, "zones [--json]"},
    {"survey", vesk::cli::RunSurvey, "survey FOLDER [--json] [--geojson]"},
};

void PrintUsage(std::FILE* out) {
    std::fputs("usage: vesk-cli COMMAND [ARGS]\n\ncommands:\n", out);
    for (const Command& command : kCommands) {
        std::fprintf(out, "  vesk-cli %.*s\n", static_cast<int>(command.usage.size()),
                     command.usage.data());
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string_view> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        PrintUsage(args.empty() ? stderr : stdout);
        return args.empty() ? vesk::cli::kExitUsage : vesk::cli::kExitOk;
    }
    for (const Command& command : kCommands) {
        if (args[0] == command.name) {
            return command.run(vesk::cli::Arguments(args).subspan(1));
        }
    }
    std::fprintf(stderr, "vesk-cli: unknown command '%.*s'\n\n", static_cast<int>(args[0].size()),
                 args[0].data());
    PrintUsage(stderr);
    return vesk::cli::kExitUsage;
}
