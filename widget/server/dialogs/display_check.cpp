#include "widget/server/dialogs/display_check.h"

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <cstring>

namespace snippo {

namespace {

std::string Env(const char* name)
{
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

bool ConnectUnix(const std::string& path, bool abstract)
{
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const std::size_t offset = abstract ? 1 : 0;
    if (path.size() + offset >= sizeof(addr.sun_path))
        return false;
    std::memcpy(addr.sun_path + offset, path.data(), path.size());
    const socklen_t length =
        static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset + path.size() + (abstract ? 0 : 1));
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const bool ok = connect(fd, reinterpret_cast<const sockaddr*>(&addr), length) == 0;
    close(fd);
    return ok;
}

bool ConnectTcp(const std::string& host, int port)
{
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0)
        return false;
    bool ok = false;
    for (addrinfo* a = found; a && !ok; a = a->ai_next) {
        const int fd = socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK, a->ai_protocol);
        if (fd < 0)
            continue;
        if (connect(fd, a->ai_addr, a->ai_addrlen) == 0) {
            ok = true;
        } else if (errno == EINPROGRESS) {
            pollfd p{fd, POLLOUT, 0};
            int error = 0;
            socklen_t size = sizeof(error);
            ok = poll(&p, 1, 1000) == 1 && getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0;
        }
        close(fd);
    }
    freeaddrinfo(found);
    return ok;
}

bool NeedsNoDisplay(const std::string& platform)
{
    for (const char* name : {"offscreen", "minimal", "minimalegl", "vnc", "linuxfb", "eglfs", "vkkhrdisplay"})
        if (platform == name)
            return true;
    return false;
}

}  // namespace

bool X11DisplayReachable(const std::string& display)
{
    const std::size_t colon = display.rfind(':');
    if (colon == std::string::npos)
        return false;
    const std::string host = display.substr(0, colon);
    std::string number = display.substr(colon + 1);
    number = number.substr(0, number.find('.'));
    if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos)
        return false;
    if (!host.empty() && host[0] == '/')
        return ConnectUnix(display.substr(0, display.find('.', colon)), false);
    if (host.empty() || host == "unix") {
        const std::string socket = "/tmp/.X11-unix/X" + number;
        return ConnectUnix(socket, true) || ConnectUnix(socket, false);
    }
    return ConnectTcp(host, 6000 + std::atoi(number.c_str()));
}

bool WaylandDisplayReachable(const std::string& name)
{
    if (name.empty())
        return false;
    if (name[0] == '/')
        return ConnectUnix(name, false);
    const std::string runtime = Env("XDG_RUNTIME_DIR");
    if (runtime.empty())
        return false;
    return ConnectUnix(runtime + "/" + name, false);
}

DisplayChoice ChooseDisplay()
{
    DisplayChoice choice;
    const std::string x11 = Env("DISPLAY");
    const std::string wayland = Env("WAYLAND_DISPLAY");
    const std::string requested = Env("QT_QPA_PLATFORM");

    if (!requested.empty()) {
        // A list of platforms separated by ";", each possibly with ":options".
        std::size_t start = 0;
        while (start <= requested.size()) {
            std::size_t end = requested.find(';', start);
            if (end == std::string::npos)
                end = requested.size();
            const std::string entry = requested.substr(start, end - start);
            const std::string name = entry.substr(0, entry.find(':'));
            if (NeedsNoDisplay(name) || (name == "xcb" && X11DisplayReachable(x11)) ||
                (name.rfind("wayland", 0) == 0 && WaylandDisplayReachable(wayland))) {
                choice.available = true;
                return choice;
            }
            start = end + 1;
        }
        choice.why = "the platform \"" + requested + "\" named by QT_QPA_PLATFORM has no display to open";
        return choice;
    }

    const bool haveX = !x11.empty() && X11DisplayReachable(x11);
    const bool haveWayland = !wayland.empty() && WaylandDisplayReachable(wayland);
    if (haveX && haveWayland) {
        choice.available = true;
    } else if (haveX) {
        choice.available = true;
        choice.arguments = {QStringLiteral("-platform"), QStringLiteral("xcb")};
    } else if (haveWayland) {
        choice.available = true;
        choice.arguments = {QStringLiteral("-platform"), QStringLiteral("wayland")};
    } else if (x11.empty() && wayland.empty()) {
        choice.why = "no display: neither DISPLAY nor WAYLAND_DISPLAY is set";
    } else {
        choice.why =
            "the display " + (x11.empty() ? "\"" + wayland + "\"" : "\"" + x11 + "\"") + " does not accept connections";
    }
    return choice;
}

}  // namespace snippo
