#include "sheet/ProgramImageSize.h"

namespace vesk {

ProgramImageSize& ProgramImageSize::Process() {
    static ProgramImageSize instance;
    return instance;
}

}  // namespace vesk
