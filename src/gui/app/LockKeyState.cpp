#include "app/LockKeyState.h"

#include <QGuiApplication>

#if defined(VESK_HAVE_X11)
#include <X11/XKBlib.h>
#endif

namespace vesk::gui {

#if defined(VESK_HAVE_X11)

namespace {

// A keyboard indicator by its XKB name; nothing when the keymap has none.
std::optional<bool> NamedIndicator(Display* display, const char* name) {
    const Atom atom = XInternAtom(display, name, True);
    if (atom == None) {
        return std::nullopt;
    }
    Bool on = False;
    if (!XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr)) {
        return std::nullopt;
    }
    return on != False;
}

}  // namespace

std::optional<LockKeys> QueryLockKeys() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display) {
        return std::nullopt;
    }
    const auto caps = NamedIndicator(display, "Caps Lock");
    const auto num = NamedIndicator(display, "Num Lock");
    if (!caps && !num) {
        return std::nullopt;
    }
    LockKeys keys;
    keys.caps = caps.value_or(false);
    keys.num = num.value_or(false);
    keys.scroll = NamedIndicator(display, "Scroll Lock").value_or(false);
    keys.kana = NamedIndicator(display, "Kana").value_or(false);
    return keys;
}

#else

std::optional<LockKeys> QueryLockKeys() {
    return std::nullopt;
}

#endif

}  // namespace vesk::gui
