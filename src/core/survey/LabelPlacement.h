#pragma once

namespace vesk {

// One prefecture name taken out of its table place on the survey map and moved
// with the arrow keys, so that a label position can be read off in plane
// metres. It belongs to the view and outlives surveys and sheet openings.
struct LabelPlacement {
    int on = 0;
    int index = 0;
    float x = 0.0f;
    float y = 0.0f;
};

enum class LabelKey { Left, Right, Up, Down, Other };

// One key press while placement is on: 1000 m per arrow, in single precision.
inline void MoveLabel(LabelPlacement& placement, LabelKey key) {
    constexpr float kStep = 1000.0f;
    switch (key) {
        case LabelKey::Left:
            placement.x = placement.x - kStep;
            break;
        case LabelKey::Right:
            placement.x = placement.x + kStep;
            break;
        case LabelKey::Up:
            placement.y = placement.y + kStep;
            break;
        case LabelKey::Down:
            placement.y = placement.y - kStep;
            break;
        case LabelKey::Other:
            break;
    }
}

}  // namespace vesk
