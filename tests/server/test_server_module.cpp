// The module: exports, class factory, unloading, registration and unregistration.
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>

#include "server_fixture.h"

namespace snippo::test {
namespace {

std::string RunCommand(const std::string& command, int* status)
{
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return out;
    std::array<char, 4096> buf;
    std::size_t n;
    while ((n = fread(buf.data(), 1, buf.size(), pipe)) > 0)
        out.append(buf.data(), n);
    *status = pclose(pipe);
    return out;
}

TEST(ServerExports, ExactlyTheFourEntryPoints)
{
    int status = -1;
    std::string out = RunCommand(std::string("nm -D --defined-only ") + SNIPPO_SERVER_LIBRARY, &status);
    ASSERT_EQ(status, 0) << out;
    std::set<std::string> symbols;
    std::size_t pos = 0;
    while (pos < out.size()) {
        std::size_t end = out.find('\n', pos);
        std::string line = out.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
        pos = end == std::string::npos ? out.size() : end + 1;
        // "VALUE TYPE NAME"; a lower-case type is a local symbol (some toolchains leave one in
        // the dynamic table), except u, v and w, which are global.
        std::size_t space = line.rfind(' ');
        if (space == std::string::npos || space < 2)
            continue;
        const char type = line[space - 1];
        if (type >= 'a' && type <= 'z' && type != 'u' && type != 'v' && type != 'w')
            continue;
        symbols.insert(line.substr(space + 1));
    }
    EXPECT_EQ(symbols, (std::set<std::string>{"DllCanUnloadNow", "DllGetClassObject", "DllRegisterServer",
                                              "DllUnregisterServer"}));
}

TEST_F(ServerTest, ClassFactoryAnswersOnlyItsClass)
{
    ServerEntryPoints& e = ServerEntryPoints::Get();
    void* factory = reinterpret_cast<void*>(1);
    ASSERT_EQ(e.getClassObject(kGlimButtonClsid, IID_IClassFactory, &factory), S_OK);
    ASSERT_NE(factory, nullptr);
    auto* cf = static_cast<IClassFactory*>(factory);

    // Each create call gives a separate object.
    ComPtr<IDispatch> a, b;
    ASSERT_EQ(cf->CreateInstance(nullptr, IID_IDispatch, a.ReleaseAndGetAddressOfVoid()), S_OK);
    ASSERT_EQ(cf->CreateInstance(nullptr, IID_IDispatch, b.ReleaseAndGetAddressOfVoid()), S_OK);
    EXPECT_NE(a.Get(), b.Get());
    void* none = reinterpret_cast<void*>(1);
    EXPECT_EQ(cf->CreateInstance(nullptr, IID_IClassFactory, &none), E_NOINTERFACE);
    EXPECT_EQ(none, nullptr);
    cf->Release();

    const CLSID other = {0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}};
    factory = reinterpret_cast<void*>(1);
    EXPECT_EQ(e.getClassObject(other, IID_IClassFactory, &factory), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(factory, nullptr);
}

TEST_F(ServerTest, CanUnloadOnlyWhenNoObjectOrLockLives)
{
    Register();
    ServerEntryPoints& e = ServerEntryPoints::Get();
    EXPECT_EQ(e.canUnloadNow(), S_OK);
    {
        ComPtr<IDispatch> object = Create();
        ASSERT_TRUE(object);
        EXPECT_EQ(e.canUnloadNow(), S_FALSE);
    }
    EXPECT_EQ(e.canUnloadNow(), S_OK);

    void* factory = nullptr;
    ASSERT_EQ(e.getClassObject(kGlimButtonClsid, IID_IClassFactory, &factory), S_OK);
    auto* cf = static_cast<IClassFactory*>(factory);
    EXPECT_EQ(e.canUnloadNow(), S_FALSE);   // a client holds the factory
    cf->LockServer(TRUE);
    cf->Release();
    EXPECT_EQ(e.canUnloadNow(), S_FALSE);   // a client lock
    cf->LockServer(FALSE);
    EXPECT_EQ(e.canUnloadNow(), S_OK);
}

TEST_F(ServerTest, RegistrationWritesTheClassAndItsCategory)
{
    Register();
    const std::string clsid = kClsidText;
    EXPECT_EQ(Default("SnippoServer.GlimButton"), "SnippoServer.GlimButton");
    EXPECT_EQ(Default("SnippoServer.GlimButton\\CLSID"), clsid);
    EXPECT_EQ(Default("CLSID\\" + clsid), "SnippoServer.GlimButton");
    EXPECT_EQ(Default("CLSID\\" + clsid + "\\ProgID"), "SnippoServer.GlimButton");
    EXPECT_EQ(std::filesystem::canonical(Default("CLSID\\" + clsid + "\\InprocServer32")),
              std::filesystem::canonical(SNIPPO_SERVER_LIBRARY));
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKey(HKEY_CLASSES_ROOT, "CLSID\\" + clsid + "\\Implemented Categories\\" + kCatidText, &key),
              ERROR_SUCCESS);
    RegCloseKey(key);
    std::string description;
    ASSERT_EQ(RegOpenKey(HKEY_CLASSES_ROOT, std::string("Component Categories\\") + kCatidText, &key), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryString(key, "409", &description), ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(description, "Quillon Snippos");
}

TEST_F(ServerTest, RegisteringAgainKeepsHandEditedNamesAndRestoresTheRest)
{
    Register();
    const std::string clsid = kClsidText;
    ASSERT_EQ(RegSetDefault(HKEY_CLASSES_ROOT, "SnippoServer.GlimButton", "My widget"), ERROR_SUCCESS);
    ASSERT_EQ(RegSetDefault(HKEY_CLASSES_ROOT, "CLSID\\" + clsid, "My class"), ERROR_SUCCESS);
    ASSERT_EQ(RegSetDefault(HKEY_CLASSES_ROOT, "SnippoServer.GlimButton\\CLSID", "{0}"), ERROR_SUCCESS);
    ASSERT_EQ(RegSetDefault(HKEY_CLASSES_ROOT, "CLSID\\" + clsid + "\\ProgID", "Other"), ERROR_SUCCESS);
    ASSERT_EQ(RegSetDefault(HKEY_CLASSES_ROOT, "CLSID\\" + clsid + "\\InProcServer32", "/nowhere.so"), ERROR_SUCCESS);
    const std::string before = [&] {
        std::ifstream in(m_dir + "/registry/HKEY_CLASSES_ROOT.reg");
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }();
    Register();
    EXPECT_EQ(Default("SnippoServer.GlimButton"), "My widget");
    EXPECT_EQ(Default("CLSID\\" + clsid), "My class");
    EXPECT_EQ(Default("SnippoServer.GlimButton\\CLSID"), clsid);
    EXPECT_EQ(Default("CLSID\\" + clsid + "\\ProgID"), "SnippoServer.GlimButton");
    EXPECT_NE(Default("CLSID\\" + clsid + "\\InProcServer32"), "/nowhere.so");
    // One set of entries: the class key holds exactly its three sub-keys.
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKey(HKEY_CLASSES_ROOT, "CLSID\\" + clsid, &key), ERROR_SUCCESS);
    std::vector<std::string> subKeys;
    std::string name;
    for (DWORD i = 0; RegEnumKey(key, i, &name) == ERROR_SUCCESS; ++i)
        subKeys.push_back(name);
    RegCloseKey(key);
    EXPECT_EQ(subKeys.size(), 3u);
    EXPECT_FALSE(before.empty());
}

TEST_F(ServerTest, UnregistrationRemovesTheClassButKeepsTheCategory)
{
    Register();
    ServerEntryPoints& e = ServerEntryPoints::Get();
    ASSERT_EQ(e.unregisterServer(), S_OK);
    CLSID clsid{};
    EXPECT_TRUE(FAILED(CLSIDFromProgID("SnippoServer.GlimButton", &clsid)));
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKey(HKEY_CLASSES_ROOT, std::string("CLSID\\") + kClsidText + "\\Implemented Categories", &key),
              ERROR_FILE_NOT_FOUND);
    std::string description;
    ASSERT_EQ(RegOpenKey(HKEY_CLASSES_ROOT, std::string("Component Categories\\") + kCatidText, &key), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryString(key, "409", &description), ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(description, "Quillon Snippos");

    // A class without a registered identifier stops the second unregistration.
    EXPECT_EQ(e.unregisterServer(), REGDB_E_CLASSNOTREG);
}

TEST_F(ServerTest, TwoProcessesRegisteringAtOnceLeaveAWellFormedRegistry)
{
    std::vector<pid_t> children;
    for (int i = 0; i < 2; ++i) {
        pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            execl(SNIPPO_REGSVR_TOOL, SNIPPO_REGSVR_TOOL, SNIPPO_SERVER_LIBRARY, static_cast<char*>(nullptr));
            _exit(127);
        }
        children.push_back(pid);
    }
    for (pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EXPECT_EQ(Default("SnippoServer.GlimButton\\CLSID"), kClsidText);
    EXPECT_EQ(Default(std::string("CLSID\\") + kClsidText + "\\ProgID"), "SnippoServer.GlimButton");
    ComPtr<IDispatch> object = Create();
    EXPECT_TRUE(object);
}

TEST_F(ServerTest, CommandLineWalkThrough)
{
    int status = -1;
    std::string out = RunCommand(std::string(SNIPPO_REGSVR_TOOL) + " " + SNIPPO_SERVER_LIBRARY, &status);
    ASSERT_EQ(status, 0) << out;
    out = RunCommand(std::string("printf 'Title\\nGetHTMLBody 0 1\\nGetResourceNumber\\n' | ") + SNIPPO_CALL_TOOL +
                  " SnippoServer.GlimButton",
              &status);
    ASSERT_EQ(status, 0) << out;
    std::vector<std::string> lines;
    for (std::size_t pos = 0, end; pos < out.size(); pos = end + 1) {
        end = out.find('\n', pos);
        if (end == std::string::npos)
            end = out.size();
        lines.push_back(out.substr(pos, end - pos));
    }
    ASSERT_EQ(lines.size(), 3u) << out;
    EXPECT_EQ(lines[0], "\"\"");
    EXPECT_EQ(lines[1].rfind("\"<p align=\\\"Center\\\">\\r\\n<applet  code=\\\"qlnbtn.class\\\"", 0), 0u) << lines[1];
    EXPECT_EQ(lines[2], "1");

    // A failing call is reported in words and makes the exit status non-zero.
    out = RunCommand(std::string("printf 'GetResourceName\\n#28\\nNoSuchMember\\n' | ") + SNIPPO_CALL_TOOL +
                  " SnippoServer.GlimButton",
              &status);
    EXPECT_NE(status, 0);
    EXPECT_NE(out.find("error: 0x8002000E DISP_E_BADPARAMCOUNT"), std::string::npos) << out;
    EXPECT_NE(out.find("error: 0x80020003 DISP_E_MEMBERNOTFOUND"), std::string::npos) << out;
    EXPECT_NE(out.find("error: 0x80020006 DISP_E_UNKNOWNNAME"), std::string::npos) << out;
}

}  // namespace
}  // namespace snippo::test
