#pragma once

#include <optional>

namespace vesk::gui {

// Whether each lock key of the status bar's indicators is on.
struct LockKeys {
    bool kana = false;
    bool caps = false;
    bool num = false;
    bool scroll = false;
};

// The lock keys' state where the window system tells it (X11); nothing where it
// cannot, and the indicators then stay empty.
std::optional<LockKeys> QueryLockKeys();

}  // namespace vesk::gui
