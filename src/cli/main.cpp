// vesk-cli: the sheet loading and conversion of Vesk without a display.
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

#include "CommandLine.h"
#include "Commands.h"
#include "platform/TemporaryFiles.h"

namespace {

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

}  // namespace

int main(int argc, char** argv) {
    vesk::RemoveTemporaryFilesOnTermination();
#if defined(SIGPIPE)
    // A reader that went away is reported like any other failed write.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    return WithStandardOutputChecked(vesk::cli::RunCommandLine(argc, argv));
}
