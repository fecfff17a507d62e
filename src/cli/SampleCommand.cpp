#include <cstdio>

#include "Commands.h"

namespace vesk::cli {

int RunSample(Arguments) {
    std::fputs("vesk-cli sample: not built yet\n", stderr);
    return kExitFailed;
}

}  // namespace vesk::cli
