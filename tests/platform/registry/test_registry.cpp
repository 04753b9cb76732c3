#include "platform/registry/registry.h"

#include <gtest/gtest.h>

#include "unprivileged.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

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
    std::ofstream out(path, std::ios::binary);
    out << text;
}

// Each case gets its own store folder, so cases can run in parallel and never touch the
// user's own registry.
class Registry : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "snippo-reg-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir = pattern;
        setenv("SNIPPO_REGISTRY", dir.c_str(), 1);
    }
    void TearDown() override
    {
        unsetenv("SNIPPO_REGISTRY");
        std::error_code ec;
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(dir, ec);
    }
    fs::path hive(const char* name) const { return dir / (std::string(name) + ".reg"); }

    HKEY create(HKEY parent, const std::string& path)
    {
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKey(parent, path, &key), ERROR_SUCCESS) << RegLastErrorText();
        return key;
    }
    std::vector<std::string> subKeys(HKEY key)
    {
        std::vector<std::string> names;
        std::string name;
        DWORD i = 0;
        LONG rc;
        while ((rc = RegEnumKey(key, i++, &name)) == ERROR_SUCCESS)
            names.push_back(name);
        EXPECT_EQ(rc, ERROR_NO_MORE_ITEMS);
        return names;
    }
    std::vector<std::string> valueNames(HKEY key)
    {
        std::vector<std::string> names;
        std::string name;
        DWORD type = 0;
        DWORD i = 0;
        LONG rc;
        while ((rc = RegEnumValue(key, i++, &name, &type)) == ERROR_SUCCESS)
            names.push_back(name);
        EXPECT_EQ(rc, ERROR_NO_MORE_ITEMS);
        return names;
    }

    fs::path dir;
};

TEST_F(Registry, StoreFolderFollowsTheEnvironmentAtEveryCall)
{
    EXPECT_EQ(RegStoreFolder(), dir.string());

    const char* home = std::getenv("HOME");
    const std::string savedHome = home ? home : "";
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const std::string savedXdg = xdg ? xdg : "";

    unsetenv("SNIPPO_REGISTRY");
    setenv("HOME", "/home/someone", 1);
    setenv("XDG_CONFIG_HOME", "/cfg", 1);
    EXPECT_EQ(RegStoreFolder(), "/cfg/quillon/registry");
    setenv("XDG_CONFIG_HOME", "relative/cfg", 1);  // not absolute: ignored
    EXPECT_EQ(RegStoreFolder(), "/home/someone/.config/quillon/registry");
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(RegStoreFolder(), "/home/someone/.config/quillon/registry");

    setenv("HOME", savedHome.c_str(), 1);
    if (xdg)
        setenv("XDG_CONFIG_HOME", savedXdg.c_str(), 1);

    // Writes follow the variable too.
    const fs::path other = dir / "other";
    setenv("SNIPPO_REGISTRY", other.c_str(), 1);
    EXPECT_EQ(RegSetDefault(HKEY_CURRENT_USER, "A", "in other"), ERROR_SUCCESS);
    setenv("SNIPPO_REGISTRY", dir.c_str(), 1);
    std::string value;
    EXPECT_EQ(RegQueryDefault(HKEY_CURRENT_USER, "A", &value), ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(fs::exists(other / "HKEY_CURRENT_USER.reg"));
    EXPECT_FALSE(fs::exists(hive("HKEY_CURRENT_USER")));
}

TEST_F(Registry, ValuesRoundTripAndFileIsRegedit4)
{
    HKEY key = create(HKEY_CURRENT_USER, "Software\\Quillon");
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(RegSetString(key, "", "default"), ERROR_SUCCESS);
    EXPECT_EQ(RegSetString(key, "Name", "text \xC3\xA9t\xC3\xA9"), ERROR_SUCCESS);
    EXPECT_EQ(RegSetDword(key, "Count", 31), ERROR_SUCCESS);
    EXPECT_EQ(RegSetDword(key, "Max", 0xFFFFFFFFu), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);

    EXPECT_EQ(readFile(hive("HKEY_CURRENT_USER")), "REGEDIT4\n"
                                                   "\n"
                                                   "[HKEY_CURRENT_USER\\Software]\n"
                                                   "\n"
                                                   "[HKEY_CURRENT_USER\\Software\\Quillon]\n"
                                                   "@=\"default\"\n"
                                                   "\"Name\"=\"text \xC3\xA9t\xC3\xA9\"\n"
                                                   "\"Count\"=dword:0000001f\n"
                                                   "\"Max\"=dword:ffffffff\n"
                                                   "\n");
    EXPECT_FALSE(fs::exists(hive("HKEY_CLASSES_ROOT")));

    ASSERT_EQ(RegOpenKey(HKEY_CURRENT_USER, "Software\\Quillon", &key), ERROR_SUCCESS);
    std::string text;
    DWORD number = 0, type = 0;
    EXPECT_EQ(RegQueryString(key, "", &text), ERROR_SUCCESS);
    EXPECT_EQ(text, "default");
    EXPECT_EQ(RegQueryString(key, "Name", &text), ERROR_SUCCESS);
    EXPECT_EQ(text, "text \xC3\xA9t\xC3\xA9");
    EXPECT_EQ(RegQueryDword(key, "Count", &number), ERROR_SUCCESS);
    EXPECT_EQ(number, 31u);
    EXPECT_EQ(RegQueryDword(key, "Max", &number), ERROR_SUCCESS);
    EXPECT_EQ(number, 0xFFFFFFFFu);
    EXPECT_EQ(RegQueryValueType(key, "Count", &type), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(RegQueryValueType(key, "Name", nullptr), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueType(key, "Missing", &type), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegQueryString(key, "Missing", &text), ERROR_FILE_NOT_FOUND);
    EXPECT_NE(RegLastErrorText().find("\"Missing\""), std::string::npos) << RegLastErrorText();
    RegCloseKey(key);

    // The convenience pair creates the path and reads it back.
    EXPECT_EQ(RegSetDefault(HKEY_CLASSES_ROOT, "SnippoServer.GlimButton\\CLSID", "{B2471160}"), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryDefault(HKEY_CLASSES_ROOT, "SnippoServer.GlimButton\\CLSID", &text), ERROR_SUCCESS);
    EXPECT_EQ(text, "{B2471160}");
    EXPECT_EQ(RegQueryDefault(HKEY_CLASSES_ROOT, "SnippoServer.GlimButton", &text), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegQueryDefault(HKEY_CLASSES_ROOT, "Nowhere", &text), ERROR_FILE_NOT_FOUND);

    // Values may live on a hive itself.
    EXPECT_EQ(RegSetDword(HKEY_LOCAL_MACHINE, "Top", 7), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryDword(HKEY_LOCAL_MACHINE, "Top", &number), ERROR_SUCCESS);
    EXPECT_EQ(number, 7u);
    EXPECT_EQ(readFile(hive("HKEY_LOCAL_MACHINE")), "REGEDIT4\n\n[HKEY_LOCAL_MACHINE]\n\"Top\"=dword:00000007\n\n");

    // Nothing is left behind but the hives and the lock.
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(dir))
        files.push_back(entry.path().filename().string());
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"HKEY_CLASSES_ROOT.reg", "HKEY_CURRENT_USER.reg",
                                               "HKEY_LOCAL_MACHINE.reg", "registry.lock"}));
}

TEST_F(Registry, QuotesAndBackslashesAreEscaped)
{
    HKEY key = create(HKEY_CURRENT_USER, "Paths");
    const std::string tricky = "C:\\dir\\\"quoted\" \\\\share\\";
    EXPECT_EQ(RegSetString(key, "Say \"hi\"\\", tricky), ERROR_SUCCESS);
    EXPECT_EQ(readFile(hive("HKEY_CURRENT_USER")),
              "REGEDIT4\n\n[HKEY_CURRENT_USER\\Paths]\n"
              "\"Say \\\"hi\\\"\\\\\"=\"C:\\\\dir\\\\\\\"quoted\\\" \\\\\\\\share\\\\\"\n\n");
    std::string back;
    EXPECT_EQ(RegQueryString(key, "Say \"hi\"\\", &back), ERROR_SUCCESS);
    EXPECT_EQ(back, tricky);
    RegCloseKey(key);
}

TEST_F(Registry, ControlCharactersAndRawBytesSurviveAsHexText)
{
    HKEY key = create(HKEY_CURRENT_USER, "Text");
    EXPECT_EQ(RegSetString(key, "Label", "A\r\nB\tC"), ERROR_SUCCESS);
    EXPECT_EQ(readFile(hive("HKEY_CURRENT_USER")), "REGEDIT4\n\n[HKEY_CURRENT_USER\\Text]\n"
                                                   "\"Label\"=hex(1):41,0d,0a,42,09,43,00\n\n");

    const std::string cases[] = {
        std::string("nul\0inside", 10),
        "not UTF-8: \xFF\xFE end",
        "",
        std::string(300, '\n') + "long enough to wrap over several lines",
    };
    for (const std::string& value : cases) {
        ASSERT_EQ(RegSetString(key, "V", value), ERROR_SUCCESS);
        std::string back;
        ASSERT_EQ(RegQueryString(key, "V", &back), ERROR_SUCCESS);
        EXPECT_EQ(back, value);
    }
    // Wrapped byte lines stay short and readable.
    std::istringstream lines(readFile(hive("HKEY_CURRENT_USER")));
    std::string line;
    int continued = 0;
    while (std::getline(lines, line)) {
        EXPECT_LE(line.size(), 80u);
        continued += !line.empty() && line.back() == '\\';
    }
    EXPECT_GT(continued, 5);

    // Names have no byte form: they are refused.
    EXPECT_EQ(RegSetString(key, "two\nlines", "x"), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegSetDword(key, "bad\xFF", 1), ERROR_INVALID_PARAMETER);
    HKEY bad = nullptr;
    EXPECT_EQ(RegCreateKey(HKEY_CURRENT_USER, "A\nB", &bad), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(bad, nullptr);
    RegCloseKey(key);
}

TEST_F(Registry, NamesAreCaseInsensitiveAndKeepTheirCase)
{
    HKEY key = create(HKEY_CURRENT_USER, "Software\\Quillon");
    EXPECT_EQ(RegSetString(key, "Known Browser", "one"), ERROR_SUCCESS);
    RegCloseKey(key);

    key = create(HKEY_CURRENT_USER, "SOFTWARE\\quillon\\Tessaly");
    RegCloseKey(key);
    ASSERT_EQ(RegOpenKey(HKEY_CURRENT_USER, "software\\QUILLON", &key), ERROR_SUCCESS);
    EXPECT_EQ(subKeys(key), std::vector<std::string>{"Tessaly"});
    EXPECT_EQ(RegSetString(key, "KNOWN BROWSER", "two"), ERROR_SUCCESS);
    EXPECT_EQ(valueNames(key), std::vector<std::string>{"Known Browser"});
    std::string text;
    EXPECT_EQ(RegQueryString(key, "known browser", &text), ERROR_SUCCESS);
    EXPECT_EQ(text, "two");
    RegCloseKey(key);
    EXPECT_EQ(subKeys(HKEY_CURRENT_USER), std::vector<std::string>{"Software"});

    // Letters beyond ASCII fold too.
    key = create(HKEY_CURRENT_USER, "\xC3\x84rger");  // Ärger
    RegCloseKey(key);
    EXPECT_EQ(RegOpenKey(HKEY_CURRENT_USER, "\xC3\xA4RGER", &key), ERROR_SUCCESS);  // äRGER
    RegCloseKey(key);
    EXPECT_EQ(subKeys(HKEY_CURRENT_USER), (std::vector<std::string>{"Software", "\xC3\x84rger"}));
}

TEST_F(Registry, EnumerationFollowsStoredOrder)
{
    HKEY key = create(HKEY_CURRENT_USER, "Order");
    for (const char* name : {"b", "a", "C"})
        RegCloseKey(create(key, name));
    EXPECT_EQ(subKeys(key), (std::vector<std::string>{"b", "a", "C"}));
    EXPECT_EQ(RegSetString(key, "", "not listed"), ERROR_SUCCESS);
    EXPECT_EQ(RegSetDword(key, "z", 1), ERROR_SUCCESS);
    EXPECT_EQ(RegSetDword(key, "y", 2), ERROR_SUCCESS);
    EXPECT_EQ(RegSetString(key, "x", "3"), ERROR_SUCCESS);
    EXPECT_EQ(RegSetString(key, "z", "replaced keeps its place"), ERROR_SUCCESS);
    EXPECT_EQ(valueNames(key), (std::vector<std::string>{"z", "y", "x"}));
    std::string name;
    DWORD type = 0;
    EXPECT_EQ(RegEnumValue(key, 0, &name, &type), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(RegEnumValue(key, 1, &name, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(RegEnumValue(key, 3, &name, &type), ERROR_NO_MORE_ITEMS);
    EXPECT_EQ(RegEnumKey(key, 3, &name), ERROR_NO_MORE_ITEMS);
    EXPECT_EQ(RegDeleteKey(key, "b"), ERROR_SUCCESS);
    EXPECT_EQ(subKeys(key), (std::vector<std::string>{"a", "C"}));
    RegCloseKey(key);

    // A file written by hand is listed in its own order; a key named only by a deeper
    // section still exists.
    writeFile(hive("HKEY_LOCAL_MACHINE"),
              "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\S\\Zeta\\Deep]\n\n[HKEY_LOCAL_MACHINE\\S\\Alpha]\n"
              "\"m\"=\"1\"\n\"b\"=\"2\"\n\n[HKEY_LOCAL_MACHINE\\S\\Mid]\n\n");
    ASSERT_EQ(RegOpenKey(HKEY_LOCAL_MACHINE, "S", &key), ERROR_SUCCESS);
    EXPECT_EQ(subKeys(key), (std::vector<std::string>{"Zeta", "Alpha", "Mid"}));
    HKEY alpha = nullptr;
    ASSERT_EQ(RegOpenKey(key, "alpha", &alpha), ERROR_SUCCESS);
    EXPECT_EQ(valueNames(alpha), (std::vector<std::string>{"m", "b"}));
    RegCloseKey(alpha);
    RegCloseKey(key);
}

TEST_F(Registry, TypeMismatchIsRefusedAndSetReplacesTheType)
{
    HKEY key = create(HKEY_CURRENT_USER, "Web Browser");
    EXPECT_EQ(RegSetDword(key, "Use Default", 1), ERROR_SUCCESS);
    EXPECT_EQ(RegSetString(key, "Specify Browser", "/usr/bin/firefox"), ERROR_SUCCESS);
    std::string text = "untouched";
    DWORD number = 99;
    EXPECT_EQ(RegQueryString(key, "Use Default", &text), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(text, "untouched");
    EXPECT_NE(RegLastErrorText().find("REG_DWORD"), std::string::npos) << RegLastErrorText();
    EXPECT_EQ(RegQueryDword(key, "Specify Browser", &number), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(number, 99u);

    EXPECT_EQ(RegSetString(key, "Use Default", "now text"), ERROR_SUCCESS);
    DWORD type = 0;
    EXPECT_EQ(RegQueryValueType(key, "Use Default", &type), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);

    // A dword default value is legal but is not the text RegQueryDefault returns.
    EXPECT_EQ(RegSetDword(key, "", 5), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryDefault(key, "", &text), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegQueryDword(key, "", &number), ERROR_SUCCESS);
    EXPECT_EQ(number, 5u);
    EXPECT_NE(readFile(hive("HKEY_CURRENT_USER")).find("@=dword:00000005\n"), std::string::npos);
    RegCloseKey(key);
}

TEST_F(Registry, DeletingValuesKeysAndTrees)
{
    HKEY key = create(HKEY_CLASSES_ROOT, "CLSID\\{X}\\InProcServer32");
    RegCloseKey(key);
    RegCloseKey(create(HKEY_CLASSES_ROOT, "CLSID\\{X}\\Implemented Categories\\{C}"));
    ASSERT_EQ(RegOpenKey(HKEY_CLASSES_ROOT, "CLSID\\{X}", &key), ERROR_SUCCESS);
    EXPECT_EQ(RegSetString(key, "", "SnippoServer.GlimButton"), ERROR_SUCCESS);
    EXPECT_EQ(RegSetDword(key, "N", 1), ERROR_SUCCESS);

    EXPECT_EQ(RegDeleteValue(key, "N"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValue(key, "N"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteValue(key, ""), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueType(key, "", nullptr), ERROR_FILE_NOT_FOUND);

    EXPECT_EQ(RegDeleteKey(key, "Implemented Categories"), ERROR_KEY_HAS_CHILDREN);
    EXPECT_EQ(RegDeleteKey(key, "implemented categories\\{c}"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKey(key, "Implemented Categories\\{C}"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteKey(key, "Implemented Categories"), ERROR_SUCCESS);
    EXPECT_EQ(subKeys(key), std::vector<std::string>{"InProcServer32"});
    RegCloseKey(key);

    EXPECT_EQ(RegDeleteTree(HKEY_CLASSES_ROOT, "clsid\\{x}"), ERROR_SUCCESS);
    EXPECT_EQ(RegOpenKey(HKEY_CLASSES_ROOT, "CLSID\\{X}\\InProcServer32", &key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key, nullptr);
    EXPECT_EQ(RegDeleteTree(HKEY_CLASSES_ROOT, "CLSID\\{X}"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(readFile(hive("HKEY_CLASSES_ROOT")), "REGEDIT4\n\n[HKEY_CLASSES_ROOT\\CLSID]\n\n");

    // Without a sub-key, RegDeleteTree empties the key and keeps it.
    key = create(HKEY_CLASSES_ROOT, "CLSID");
    RegCloseKey(create(key, "{Y}\\Deep"));
    EXPECT_EQ(RegSetString(key, "v", "x"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteTree(key, ""), ERROR_SUCCESS);
    EXPECT_EQ(subKeys(key), std::vector<std::string>{});
    EXPECT_EQ(valueNames(key), std::vector<std::string>{});
    EXPECT_EQ(RegDeleteTree(HKEY_CLASSES_ROOT, ""), ERROR_SUCCESS);
    EXPECT_EQ(readFile(hive("HKEY_CLASSES_ROOT")), "REGEDIT4\n\n");

    // The key behind a handle is gone: the handle stays valid but finds nothing.
    EXPECT_EQ(RegSetString(key, "v", "x"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegEnumKey(key, 0, nullptr), ERROR_INVALID_PARAMETER);
    std::string name;
    EXPECT_EQ(RegEnumKey(key, 0, &name), ERROR_FILE_NOT_FOUND);
    // Recreating the path makes it reachable again.
    RegCloseKey(create(HKEY_CLASSES_ROOT, "clsid"));
    EXPECT_EQ(RegSetString(key, "v", "x"), ERROR_SUCCESS);
    RegCloseKey(key);

    // Without a sub-key, RegDeleteKey removes the key the handle names.
    key = create(HKEY_CLASSES_ROOT, "clsid\\Leaf");
    EXPECT_EQ(RegDeleteKey(key, ""), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKey(key, ""), ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);
    EXPECT_EQ(subKeys(HKEY_CLASSES_ROOT), std::vector<std::string>{"clsid"});
    EXPECT_EQ(RegDeleteKey(HKEY_CLASSES_ROOT, ""), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegDeleteKey(HKEY_CLASSES_ROOT, "Missing"), ERROR_FILE_NOT_FOUND);
}

TEST_F(Registry, HandlesAndPaths)
{
    std::string text;
    DWORD number = 0;
    HKEY key = reinterpret_cast<HKEY>(0x1);
    EXPECT_EQ(RegOpenKey(nullptr, "A", &key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(key, nullptr);
    EXPECT_EQ(RegCreateKey(nullptr, "A", &key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(nullptr), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegQueryString(nullptr, "", &text), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegQueryDword(nullptr, "", &number), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegQueryValueType(nullptr, "", nullptr), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegSetString(nullptr, "", ""), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegSetDword(nullptr, "", 0), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegDeleteValue(nullptr, ""), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegEnumKey(nullptr, 0, &text), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegEnumValue(nullptr, 0, &text, nullptr), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegDeleteKey(nullptr, "A"), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegDeleteTree(nullptr, "A"), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegQueryDefault(nullptr, "A", &text), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegSetDefault(nullptr, "A", "x"), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCreateKey(HKEY_CURRENT_USER, "A", nullptr), ERROR_INVALID_PARAMETER);

    // Closing a hive is a no-op; it stays usable.
    EXPECT_EQ(RegCloseKey(HKEY_CURRENT_USER), ERROR_SUCCESS);
    EXPECT_EQ(RegSetDword(HKEY_CURRENT_USER, "Still", 1), ERROR_SUCCESS);
    // An empty sub-key names the parent itself.
    EXPECT_EQ(RegOpenKey(HKEY_CURRENT_USER, "", &key), ERROR_SUCCESS);
    EXPECT_EQ(key, HKEY_CURRENT_USER);

    key = create(HKEY_CURRENT_USER, "A\\B");
    HKEY same = nullptr;
    ASSERT_EQ(RegOpenKey(key, "", &same), ERROR_SUCCESS);
    EXPECT_NE(same, key);
    EXPECT_EQ(RegSetDword(same, "n", 3), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryDword(key, "n", &number), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(same), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(same), ERROR_INVALID_HANDLE);  // closed twice
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);

    // Empty key names are refused, wherever they appear.
    for (const char* path : {"\\A", "A\\", "A\\\\B", "\\"}) {
        HKEY k = nullptr;
        EXPECT_EQ(RegCreateKey(HKEY_CURRENT_USER, path, &k), ERROR_INVALID_PARAMETER) << path;
        EXPECT_EQ(RegOpenKey(HKEY_CURRENT_USER, path, &k), ERROR_INVALID_PARAMETER) << path;
        EXPECT_EQ(k, nullptr);
        EXPECT_EQ(RegSetDefault(HKEY_CURRENT_USER, path, "x"), ERROR_INVALID_PARAMETER) << path;
        EXPECT_EQ(RegDeleteTree(HKEY_CURRENT_USER, path), ERROR_INVALID_PARAMETER) << path;
        EXPECT_NE(RegLastErrorText().find("empty key name"), std::string::npos);
    }
    EXPECT_EQ(subKeys(HKEY_CURRENT_USER), std::vector<std::string>{"A"});

    // A slash is an ordinary character of a key name.
    EXPECT_EQ(RegSetDefault(HKEY_CLASSES_ROOT, "MIME\\text/html", "page"), ERROR_SUCCESS);
    ASSERT_EQ(RegOpenKey(HKEY_CLASSES_ROOT, "MIME", &key), ERROR_SUCCESS);
    EXPECT_EQ(subKeys(key), std::vector<std::string>{"text/html"});
    RegCloseKey(key);
}

TEST_F(Registry, ReadsHandEditedFiles)
{
    // Byte order mark, CR LF, comments, indentation, spaces around "=", upper-case hex and
    // short dwords are what a person editing the file may leave behind.
    writeFile(hive("HKEY_CURRENT_USER"), "\xEF\xBB\xBFREGEDIT4\r\n"
                                         "; settings\r\n"
                                         "[hkey_current_user\\Software\\Quillon]\r\n"
                                         "  \"Top\" = DWORD:1F\r\n"
                                         "\"Label\"=hex(1):41,0D,0A,\\\r\n"
                                         "  42,00\r\n"
                                         "@=\"d\"   \r\n");
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKey(HKEY_CURRENT_USER, "Software\\Quillon", &key), ERROR_SUCCESS) << RegLastErrorText();
    DWORD number = 0;
    std::string text;
    EXPECT_EQ(RegQueryDword(key, "Top", &number), ERROR_SUCCESS);
    EXPECT_EQ(number, 0x1Fu);
    EXPECT_EQ(RegQueryString(key, "Label", &text), ERROR_SUCCESS);
    EXPECT_EQ(text, "A\r\nB");
    EXPECT_EQ(RegQueryString(key, "", &text), ERROR_SUCCESS);
    EXPECT_EQ(text, "d");
    RegCloseKey(key);

    // An empty file is an empty hive and may be written.
    writeFile(hive("HKEY_LOCAL_MACHINE"), "");
    EXPECT_EQ(RegEnumKey(HKEY_LOCAL_MACHINE, 0, &text), ERROR_NO_MORE_ITEMS);
    EXPECT_EQ(RegSetDword(HKEY_LOCAL_MACHINE, "x", 1), ERROR_SUCCESS);

    // A missing folder reads as empty and is not created by reading.
    const fs::path absent = dir / "absent";
    setenv("SNIPPO_REGISTRY", absent.c_str(), 1);
    EXPECT_EQ(RegOpenKey(HKEY_CURRENT_USER, "Software", &key), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(fs::exists(absent));
}

struct Damage {
    const char* text;
    int line;
    const char* what;
};

TEST_F(Registry, DamagedHiveIsReportedAndNeverOverwritten)
{
    const Damage cases[] = {
        {"REGEDIT5\n\n[HKEY_CURRENT_USER\\A]\n", 1, "REGEDIT4"},
        {"REGEDIT4\n\"v\"=\"x\"\n", 2, "before the first [key]"},
        {"REGEDIT4\n\n[HKEY_CURRENT_USER\\A]\n\"v\"=dword:123456789\n", 4, "dword"},
        {"REGEDIT4\n\n[HKEY_CURRENT_USER\\A]\n\"v\"=\"open\n", 4, "quotation mark"},
        {"REGEDIT4\n\n[HKEY_CURRENT_USER\\A]\n\"v\"=\"a\\nb\"\n", 4, "escape"},
        {"REGEDIT4\n\n[HKEY_CLASSES_ROOT\\A]\n", 3, "does not belong to HKEY_CURRENT_USER"},
        {"REGEDIT4\n\n[HKEY_CURRENT_USER\\A\\\\B]\n", 3, "empty key name"},
        {"REGEDIT4\n\n[HKEY_CURRENT_USER\\A\n", 3, "]"},
        {"REGEDIT4\n\n[-HKEY_CURRENT_USER\\A]\n", 3, "deletion"},
        {"REGEDIT4\n\n[HKEY_CURRENT_USER\\A]\n\"v\"=\"1\"\n\"V\"=\"2\"\n", 5, "appears twice"},
        {"REGEDIT4\n\n[HKEY_CURRENT_USER\\A]\n\"v\"=hex(7):41,00\n", 4, "not supported"},
        {"REGEDIT4\n\n[HKEY_CURRENT_USER\\A]\n\"v\"=hex(1):4,00\n", 4, "hexadecimal"},
        {"REGEDIT4\n\n[HKEY_CURRENT_USER\\A]\n\"v\"=\"x\" junk\n", 4, "after the closing"},
        {"REGEDIT4\n\n[HKEY_CURRENT_USER\\A]\n\"v\"=\"caf\xE9\"\n", 4, "UTF-8"},
        {"REGEDIT4\n\n[HKEY_CURRENT_USER\\A]\nv=1\n", 4, "expected"},
    };
    for (const Damage& c : cases) {
        SCOPED_TRACE(c.text);
        const fs::path file = hive("HKEY_CURRENT_USER");
        writeFile(file, c.text);
        HKEY key = nullptr;
        EXPECT_EQ(RegOpenKey(HKEY_CURRENT_USER, "A", &key), ERROR_BADDB);
        const std::string message = RegLastErrorText();
        EXPECT_NE(message.find(file.string()), std::string::npos) << message;
        EXPECT_NE(message.find("line " + std::to_string(c.line) + ":"), std::string::npos) << message;
        EXPECT_NE(message.find(c.what), std::string::npos) << message;

        EXPECT_EQ(RegSetDword(HKEY_CURRENT_USER, "v", 1), ERROR_BADDB);
        EXPECT_EQ(RegCreateKey(HKEY_CURRENT_USER, "New", &key), ERROR_BADDB);
        EXPECT_EQ(RegDeleteTree(HKEY_CURRENT_USER, ""), ERROR_BADDB);
        EXPECT_EQ(RegSetDefault(HKEY_CURRENT_USER, "A", "x"), ERROR_BADDB);
        EXPECT_NE(RegLastErrorText().find("left unchanged"), std::string::npos);
        EXPECT_EQ(readFile(file), c.text);
    }
    // Other hives are unaffected.
    EXPECT_EQ(RegSetDword(HKEY_LOCAL_MACHINE, "v", 1), ERROR_SUCCESS);
}

TEST_F(Registry, UnreadableHiveIsNotReplaced)
{
    SNIPPO_RUN_UNPRIVILEGED();
    const fs::path file = hive("HKEY_CURRENT_USER");
    writeFile(file, "REGEDIT4\n\n[HKEY_CURRENT_USER\\Keep]\n\n");
    chmod(file.c_str(), 0);
    EXPECT_EQ(RegSetDword(HKEY_CURRENT_USER, "v", 1), ERROR_ACCESS_DENIED);
    chmod(file.c_str(), 0600);
    EXPECT_EQ(readFile(file), "REGEDIT4\n\n[HKEY_CURRENT_USER\\Keep]\n\n");

    chmod(dir.c_str(), 0500);
    EXPECT_EQ(RegSetDword(HKEY_CURRENT_USER, "v", 1), ERROR_ACCESS_DENIED);
    chmod(dir.c_str(), 0700);
}

// Runs `body` in a child process and returns its exit status.
template <typename F> int inChild(F body)
{
    const pid_t pid = fork();
    if (pid == 0)
        _exit(body());
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 255;
}

TEST_F(Registry, OtherProcessesSeeEachOthersWrites)
{
    HKEY key = create(HKEY_CURRENT_USER, "Shared");
    EXPECT_EQ(RegSetString(key, "from", "parent"), ERROR_SUCCESS);

    EXPECT_EQ(inChild([&] {
                  std::string text;
                  if (RegQueryString(key, "from", &text) != ERROR_SUCCESS || text != "parent")
                      return 1;
                  if (RegSetDword(key, "child", 42) != ERROR_SUCCESS)
                      return 2;
                  return RegDeleteValue(key, "from") == ERROR_SUCCESS ? 0 : 3;
              }),
              0);

    DWORD number = 0;
    EXPECT_EQ(RegQueryDword(key, "child", &number), ERROR_SUCCESS);
    EXPECT_EQ(number, 42u);
    EXPECT_EQ(RegQueryValueType(key, "from", nullptr), ERROR_FILE_NOT_FOUND);

    EXPECT_EQ(inChild([] { return RegDeleteTree(HKEY_CURRENT_USER, "Shared") == ERROR_SUCCESS ? 0 : 1; }), 0);
    EXPECT_EQ(RegQueryDword(key, "child", &number), ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);
}

TEST_F(Registry, ConcurrentWritersLoseNothing)
{
    constexpr int kProcesses = 6;
    constexpr int kValues = 25;
    int gate[2];
    ASSERT_EQ(pipe(gate), 0);
    std::vector<pid_t> children;
    for (int p = 0; p < kProcesses; ++p) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            close(gate[1]);
            char c;
            (void)!read(gate[0], &c, 1);  // wait until every writer is ready
            int failures = 0;
            for (int i = 0; i < kValues; ++i) {
                const std::string name = "p" + std::to_string(p) + "v" + std::to_string(i);
                HKEY key = nullptr;
                failures += RegCreateKey(HKEY_CURRENT_USER, "Race\\Common", &key) != ERROR_SUCCESS;
                failures += RegSetDword(key, name, static_cast<DWORD>(p * 1000 + i)) != ERROR_SUCCESS;
                failures += RegCloseKey(key) != ERROR_SUCCESS;
                failures += RegSetDefault(HKEY_CURRENT_USER, "Race\\" + name, name) != ERROR_SUCCESS;
            }
            _exit(failures == 0 ? 0 : 1);
        }
        children.push_back(pid);
    }
    close(gate[0]);
    close(gate[1]);  // releases every writer at once
    for (pid_t pid : children) {
        int status = 0;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }

    HKEY common = nullptr;
    ASSERT_EQ(RegOpenKey(HKEY_CURRENT_USER, "Race\\Common", &common), ERROR_SUCCESS);
    EXPECT_EQ(valueNames(common).size(), static_cast<std::size_t>(kProcesses * kValues));
    for (int p = 0; p < kProcesses; ++p) {
        for (int i = 0; i < kValues; ++i) {
            const std::string name = "p" + std::to_string(p) + "v" + std::to_string(i);
            DWORD number = 0;
            EXPECT_EQ(RegQueryDword(common, name, &number), ERROR_SUCCESS) << name;
            EXPECT_EQ(number, static_cast<DWORD>(p * 1000 + i));
            std::string text;
            EXPECT_EQ(RegQueryDefault(HKEY_CURRENT_USER, "Race\\" + name, &text), ERROR_SUCCESS);
            EXPECT_EQ(text, name);
        }
    }
    RegCloseKey(common);
}

}  // namespace
