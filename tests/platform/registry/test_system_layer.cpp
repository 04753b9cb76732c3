// The machine-wide layer beneath the user's HKEY_CLASSES_ROOT and HKEY_LOCAL_MACHINE.
#include "platform/registry/registry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

using namespace snippo;
namespace fs = std::filesystem;

namespace {

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeFile(const fs::path& path, const std::string& text)
{
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out << text;
}

class SystemLayer : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "snippo-sys-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir = pattern;
        setenv("SNIPPO_REGISTRY", (dir / "user").c_str(), 1);
        setenv("SNIPPO_SYSTEM_REGISTRY", (dir / "system").c_str(), 1);
    }
    void TearDown() override
    {
        RegSetSystemScope(false);
        unsetenv("SNIPPO_REGISTRY");
        unsetenv("SNIPPO_SYSTEM_REGISTRY");
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    // Writes as a package's installation does.
    void systemWrite(const std::string& key, const std::string& name, const std::string& value)
    {
        RegSetSystemScope(true);
        HKEY k = nullptr;
        ASSERT_EQ(RegCreateKey(HKEY_CLASSES_ROOT, key, &k), ERROR_SUCCESS) << RegLastErrorText();
        EXPECT_EQ(RegSetString(k, name, value), ERROR_SUCCESS);
        RegCloseKey(k);
        RegSetSystemScope(false);
    }
    std::string query(const std::string& key, const std::string& name)
    {
        HKEY k = nullptr;
        if (RegOpenKey(HKEY_CLASSES_ROOT, key, &k) != ERROR_SUCCESS)
            return "<no key>";
        std::string value;
        const LONG rc = RegQueryString(k, name, &value);
        RegCloseKey(k);
        return rc == ERROR_SUCCESS ? value : "<no value>";
    }

    fs::path dir;
};

TEST_F(SystemLayer, UserEntriesWinAndBothAreListed)
{
    systemWrite("CLSID\\{1}\\InProcServer32", "", "/usr/lib/snippo/lib.so");
    systemWrite("CLSID\\{1}\\InProcServer32", "ThreadingModel", "Apartment");
    systemWrite("Machine.Only", "", "machine");
    EXPECT_TRUE(fs::exists(dir / "system" / "HKEY_CLASSES_ROOT.reg"));
    EXPECT_FALSE(fs::exists(dir / "user" / "HKEY_CLASSES_ROOT.reg")) << "system writes stay out of the user's store";

    // An empty user registry sees the machine's entries.
    EXPECT_EQ(query("CLSID\\{1}\\InProcServer32", ""), "/usr/lib/snippo/lib.so");

    // The user's own registration wins value by value; what the user lacks still shows.
    ASSERT_EQ(RegSetDefault(HKEY_CLASSES_ROOT, "CLSID\\{1}\\InProcServer32", "/home/me/lib.so"), ERROR_SUCCESS);
    ASSERT_EQ(RegSetDefault(HKEY_CLASSES_ROOT, "User.Only", "mine"), ERROR_SUCCESS);
    EXPECT_EQ(query("CLSID\\{1}\\InProcServer32", ""), "/home/me/lib.so");
    EXPECT_EQ(query("CLSID\\{1}\\InProcServer32", "ThreadingModel"), "Apartment");
    std::vector<std::string> roots;
    std::string name;
    for (DWORD i = 0; RegEnumKey(HKEY_CLASSES_ROOT, i, &name) == ERROR_SUCCESS; ++i)
        roots.push_back(name);
    EXPECT_EQ(roots, (std::vector<std::string>{"CLSID", "User.Only", "Machine.Only"}));

    // A value set on a key only the machine holds lands in the user's own copy of the key.
    HKEY k = nullptr;
    ASSERT_EQ(RegOpenKey(HKEY_CLASSES_ROOT, "Machine.Only", &k), ERROR_SUCCESS);
    EXPECT_EQ(RegSetString(k, "Extra", "x"), ERROR_SUCCESS) << RegLastErrorText();
    RegCloseKey(k);
    EXPECT_NE(
        readFile(dir / "user" / "HKEY_CLASSES_ROOT.reg").find("[HKEY_CLASSES_ROOT\\Machine.Only]\n\"Extra\"=\"x\""),
        std::string::npos);
    EXPECT_EQ(readFile(dir / "system" / "HKEY_CLASSES_ROOT.reg").find("Extra"), std::string::npos);

    // The user's removal takes the user's entries only: the machine's show again.
    EXPECT_EQ(RegDeleteTree(HKEY_CLASSES_ROOT, "CLSID"), ERROR_SUCCESS);
    EXPECT_EQ(query("CLSID\\{1}\\InProcServer32", ""), "/usr/lib/snippo/lib.so");

    // HKEY_CURRENT_USER has no machine layer.
    RegSetSystemScope(true);
    ASSERT_EQ(RegSetDefault(HKEY_CURRENT_USER, "Settings", "root's"), ERROR_SUCCESS);
    RegSetSystemScope(false);
    EXPECT_FALSE(fs::exists(dir / "system" / "HKEY_CURRENT_USER.reg"));
}

TEST_F(SystemLayer, DamagedOrUnreadableSystemFileIsReportedAndIgnored)
{
    writeFile(dir / "system" / "HKEY_LOCAL_MACHINE.reg", "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\A\n");
    ASSERT_EQ(RegSetDefault(HKEY_LOCAL_MACHINE, "Mine", "kept"), ERROR_SUCCESS) << RegLastErrorText();

    testing::internal::CaptureStderr();
    std::string value;
    EXPECT_EQ(RegQueryDefault(HKEY_LOCAL_MACHINE, "Mine", &value), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryDefault(HKEY_LOCAL_MACHINE, "Mine", &value), ERROR_SUCCESS);
    const std::string warned = testing::internal::GetCapturedStderr();
    EXPECT_EQ(value, "kept");
    const std::string expected =
        "warning: registry file \"" + (dir / "system" / "HKEY_LOCAL_MACHINE.reg").string() + "\" is damaged, line 3: ";
    EXPECT_EQ(warned.rfind(expected, 0), 0u) << warned;
    EXPECT_NE(warned.find("; the system registry file is ignored\n"), std::string::npos) << warned;
    EXPECT_EQ(warned.find("warning:", 1), std::string::npos) << "reported once: " << warned;

    // A folder where the file should be cannot be read: ignored the same way.
    fs::create_directories(dir / "system" / "HKEY_CLASSES_ROOT.reg");
    testing::internal::CaptureStderr();
    EXPECT_EQ(RegSetDefault(HKEY_CLASSES_ROOT, "Also", "fine"), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryDefault(HKEY_CLASSES_ROOT, "Also", &value), ERROR_SUCCESS);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("cannot read registry file"), std::string::npos);
}

TEST_F(SystemLayer, FoldersFollowXdgConfigDirsFirstWinning)
{
    unsetenv("SNIPPO_SYSTEM_REGISTRY");
    const std::string saved = std::getenv("XDG_CONFIG_DIRS") ? std::getenv("XDG_CONFIG_DIRS") : "";
    setenv("XDG_CONFIG_DIRS", (dir.string() + "/a:relative:" + dir.string() + "/b").c_str(), 1);
    EXPECT_EQ(RegSystemFolder(), (dir / "a" / "quillon" / "registry").string());
    writeFile(dir / "a/quillon/registry/HKEY_CLASSES_ROOT.reg", "REGEDIT4\n\n[HKEY_CLASSES_ROOT\\K]\n@=\"from a\"\n");
    writeFile(dir / "b/quillon/registry/HKEY_CLASSES_ROOT.reg",
              "REGEDIT4\n\n[HKEY_CLASSES_ROOT\\K]\n@=\"from b\"\n\"Only\"=\"b\"\n");
    EXPECT_EQ(query("K", ""), "from a");
    EXPECT_EQ(query("K", "Only"), "b");
    unsetenv("XDG_CONFIG_DIRS");
    EXPECT_EQ(RegSystemFolder(), "/etc/xdg/quillon/registry");
    if (!saved.empty())
        setenv("XDG_CONFIG_DIRS", saved.c_str(), 1);
}

}  // namespace
