#pragma once

#include "model/CertainTurn.h"
#include "model/FootprintPoint.h"

namespace vesk {

// The exact sign of the determinant CertainTurn estimates, where that cannot
// tell it: the differences and products are kept whole as sums of doubles
// (Shewchuk's expansions), so 0 means a, b and c lie exactly on one line.
int ExactTurnOfDoubtfulCase(const FootprintPoint& a, const FootprintPoint& b,
                            const FootprintPoint& c);

// +1 when a -> b -> c turns left, -1 when it turns right, 0 when it runs
// exactly straight on or back.
inline int ExactTurn(const FootprintPoint& a, const FootprintPoint& b, const FootprintPoint& c) {
    const int certain = CertainTurn(a, b, c);
    return certain != 0 ? certain : ExactTurnOfDoubtfulCase(a, b, c);
}

}  // namespace vesk
