#include "LargeSheet.h"

#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "SampleSheet.h"

namespace vesk::bench {
namespace {

bool MakeLargeSheet(const std::filesystem::path& path) {
    const pid_t child = ::fork();
    if (child == 0) {
        sample::SampleOptions options;
        options.imageWidth = 4000;
        options.imageHeight = 3000;
        options.buildingsPerSubSheet = 2000;
        options.demColumns = 401;
        options.demRows = 301;
        options.texturePixels = 1024;
        std::string error;
        ::_exit(sample::WriteSampleSheet(options, path, error) ? 0 : 1);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

}  // namespace

std::filesystem::path LargeSheet(int argc, char** argv) {
    std::filesystem::path sheet = std::filesystem::temp_directory_path() / "vesk-bench-large.tqb";
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--sheet") == 0) {
            sheet = argv[i + 1];
        }
    }
    if (!std::filesystem::exists(sheet) && !MakeLargeSheet(sheet)) {
        return {};
    }
    return sheet;
}

int RunOnLargeSheet(int argc, char** argv, std::filesystem::path& sheet) {
    sheet = LargeSheet(argc, argv);
    if (sheet.empty()) {
        std::fprintf(stderr, "could not make the large sheet\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace vesk::bench
