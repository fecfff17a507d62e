// vesk-cli sample: write a realistic sheet file to try the program and its tests on.
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "Commands.h"
#include "text/ShiftJis.h"

namespace vesk::cli {

int RunSample(const SampleRequest& request) {
    std::string error;
    const std::filesystem::path path(request.out);
    if (!sample::WriteSampleSheet(request.options, path, error)) {
        std::fprintf(stderr, "vesk-cli sample: cannot write %s: %s\n",
                     BytesAsDisplayText(request.out).c_str(), SanitizeUtf8(error).c_str());
        return kExitFailed;
    }
    std::error_code sizeError;
    const auto size = std::filesystem::file_size(path, sizeError);
    std::printf("Wrote %s (%s bytes)\n", BytesAsDisplayText(request.out).c_str(),
                sizeError ? "?" : std::to_string(size).c_str());
    return kExitOk;
}

}  // namespace vesk::cli
