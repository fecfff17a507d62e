#include "check/BlockHealth.h"

namespace vesk {

std::array<BlockHealth, kSubSheetCount> HealthOf(const SheetCheck& check) {
    std::array<BlockHealth, kSubSheetCount> health{};
    for (const BlockCheck& block : check.blocks) {
        if (block.number < 0 || block.number >= kSubSheetCount) {
            continue;
        }
        BlockHealth& h = health[static_cast<std::size_t>(block.number)];
        if (block.Count(Severity::kError) > 0) {
            h = BlockHealth::kErrors;
        } else if (block.Count(Severity::kWarning) > 0) {
            h = BlockHealth::kWarnings;
        } else {
            h = BlockHealth::kClean;
        }
    }
    return health;
}

}  // namespace vesk
