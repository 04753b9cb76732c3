// Whether a Qt application could open its windows, checked before one is created: Qt ends
// the process when its platform cannot be opened, and a library must not do that to the
// program that loaded it.
#pragma once

#include <QStringList>
#include <string>

namespace snippo {

struct DisplayChoice {
    bool available = false;
    // Extra arguments for the QApplication ("-platform NAME") when the choice must be made
    // for Qt, e.g. only a Wayland display is reachable.
    QStringList arguments;
    std::string why;  // when not available
};

// Looks at QT_QPA_PLATFORM, DISPLAY and WAYLAND_DISPLAY and tries the display's socket.
DisplayChoice ChooseDisplay();

// Whether the X display named `display` (":0", "unix:1", "host:0.0") accepts a connection.
bool X11DisplayReachable(const std::string& display);
// Whether the Wayland socket `name` (relative to XDG_RUNTIME_DIR, or absolute) accepts one.
bool WaylandDisplayReachable(const std::string& name);

}  // namespace snippo
