// The lock state from the X server, apart from the rest: Xlib's headers define macros (KeyPress,
// None, ...) that clash with Qt's names.
#include "host/lock_keys.h"

#if defined(SNIPPO_HAVE_X11)
#include <QGuiApplication>
#include <qguiapplication_platform.h>

#include <X11/XKBlib.h>
#endif

namespace snippo {

std::optional<LockKeyState> QueryLockKeys()
{
#if defined(SNIPPO_HAVE_X11) && QT_CONFIG(xcb)
    auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 != nullptr ? x11->display() : nullptr;
    if (display == nullptr)
        return std::nullopt;
    // Indicators are found by name, once: their numbers depend on the keyboard map.
    auto index = [display](const char* name) {
        int ndx = -1;
        Atom atom = XInternAtom(display, name, True);
        if (atom == None || !XkbGetNamedIndicator(display, atom, &ndx, nullptr, nullptr, nullptr))
            return -1;
        return ndx;
    };
    static const int caps = index("Caps Lock");
    static const int num = index("Num Lock");
    static const int scroll = index("Scroll Lock");
    unsigned bits = 0;
    if (XkbGetIndicatorState(display, XkbUseCoreKbd, &bits) != Success)
        return std::nullopt;
    return LockStateFromIndicators(bits, caps, num, scroll);
#else
    return std::nullopt;
#endif
}

}  // namespace snippo
