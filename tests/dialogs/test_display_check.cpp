// Whether the library may make a QApplication: the environment and the display's socket.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <optional>
#include <string>

#include "dialogs_fixture.h"
#include "widget/server/dialogs/display_check.h"

namespace snippo::test {
namespace {

// Sets the display variables for one test and puts the old values back.
class DisplayEnvTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : kNames) {
            const char* v = getenv(name);
            m_saved.push_back(v ? std::optional<std::string>(v) : std::nullopt);
            unsetenv(name);
        }
    }
    void TearDown() override
    {
        for (std::size_t i = 0; i < m_saved.size(); ++i) {
            if (m_saved[i])
                setenv(kNames[i], m_saved[i]->c_str(), 1);
            else
                unsetenv(kNames[i]);
        }
        for (int fd : m_sockets)
            close(fd);
    }
    // A listening socket at `path`, standing in for a display server.
    void Listen(const std::string& path)
    {
        const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        std::strncpy(addr.sun_path, path.c_str(), sizeof(addr.sun_path) - 1);
        ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)), 0) << path;
        ASSERT_EQ(listen(fd, 4), 0);
        m_sockets.push_back(fd);
    }

    static constexpr const char* kNames[] = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_RUNTIME_DIR"};
    std::vector<std::optional<std::string>> m_saved;
    std::vector<int> m_sockets;
    TempDir m_temp;
};

TEST_F(DisplayEnvTest, NothingToOpen)
{
    DisplayChoice c = ChooseDisplay();
    EXPECT_FALSE(c.available);
    EXPECT_EQ(c.why, "no display: neither DISPLAY nor WAYLAND_DISPLAY is set");

    setenv("DISPLAY", ":4711", 1);
    c = ChooseDisplay();
    EXPECT_FALSE(c.available);
    EXPECT_EQ(c.why, "the display \":4711\" does not accept connections");

    setenv("QT_QPA_PLATFORM", "xcb", 1);
    c = ChooseDisplay();
    EXPECT_FALSE(c.available);
    EXPECT_EQ(c.why, "the platform \"xcb\" named by QT_QPA_PLATFORM has no display to open");
}

TEST_F(DisplayEnvTest, PlatformsThatNeedNoDisplay)
{
    for (const char* platform : {"offscreen", "minimal", "vnc:size=800x600", "xcb;offscreen"}) {
        setenv("QT_QPA_PLATFORM", platform, 1);
        const DisplayChoice c = ChooseDisplay();
        EXPECT_TRUE(c.available) << platform;
        EXPECT_TRUE(c.arguments.isEmpty()) << platform;
    }
}

TEST_F(DisplayEnvTest, AReachableDisplayChoosesItsPlatform)
{
    const std::string x = m_temp.Path() + "/xsock:0";
    Listen(x);
    EXPECT_TRUE(X11DisplayReachable(x));
    EXPECT_FALSE(X11DisplayReachable(m_temp.Path() + "/none:0"));
    EXPECT_FALSE(X11DisplayReachable("no colon"));
    setenv("DISPLAY", x.c_str(), 1);
    DisplayChoice c = ChooseDisplay();
    EXPECT_TRUE(c.available);
    EXPECT_EQ(c.arguments, (QStringList{"-platform", "xcb"}));

    unsetenv("DISPLAY");
    Listen(m_temp.Path() + "/wayland-7");
    setenv("XDG_RUNTIME_DIR", m_temp.Path().c_str(), 1);
    setenv("WAYLAND_DISPLAY", "wayland-7", 1);
    c = ChooseDisplay();
    EXPECT_TRUE(c.available);
    EXPECT_EQ(c.arguments, (QStringList{"-platform", "wayland"}));

    setenv("DISPLAY", x.c_str(), 1);  // both: Qt chooses
    c = ChooseDisplay();
    EXPECT_TRUE(c.available);
    EXPECT_TRUE(c.arguments.isEmpty());
}

}  // namespace
}  // namespace snippo::test
