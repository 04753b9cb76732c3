// The module: exports, class factory, unloading, registration and unregistration.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>

#include "server_fixture.h"
#include "unprivileged.h"

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

TEST_F(ServerTest, LicensedFactoryNeedsNoKey)
{
    ServerEntryPoints& e = ServerEntryPoints::Get();
    void* factory = nullptr;
    ASSERT_EQ(e.getClassObject(kGlimButtonClsid, IID_IClassFactory2, &factory), S_OK);
    auto* cf = static_cast<IClassFactory2*>(factory);
    for (const IID* iid : {&IID_IUnknown, &IID_IClassFactory, &IID_IClassFactory2}) {
        void* same = nullptr;
        ASSERT_EQ(cf->QueryInterface(*iid, &same), S_OK);
        EXPECT_EQ(same, factory);
        cf->Release();
    }

    EXPECT_EQ(cf->GetLicInfo(nullptr), E_POINTER);
    LICINFO info{-1, -1, -1};
    ASSERT_EQ(cf->GetLicInfo(&info), S_OK);
    EXPECT_EQ(info.cbLicInfo, 12);
    EXPECT_EQ(info.fRuntimeKeyAvail, FALSE);
    EXPECT_EQ(info.fLicVerified, TRUE);
    BSTR key = reinterpret_cast<BSTR>(1);
    EXPECT_EQ(cf->RequestLicKey(0, &key), E_NOTIMPL);
    EXPECT_EQ(key, nullptr);

    // Any key, or none, creates a working object; aggregation is refused as by CreateInstance.
    BSTR anyKey = SysAllocString(u"any key");
    ComPtr<IDispatch> a, b;
    ASSERT_EQ(cf->CreateInstanceLic(nullptr, nullptr, IID_IDispatch, anyKey, a.ReleaseAndGetAddressOfVoid()), S_OK);
    ASSERT_EQ(cf->CreateInstanceLic(nullptr, nullptr, IID_IDispatch, nullptr, b.ReleaseAndGetAddressOfVoid()), S_OK);
    SysFreeString(anyKey);
    EXPECT_NE(a.Get(), b.Get());
    EXPECT_EQ(CallInt(a.Get(), 10), 1);
    void* none = reinterpret_cast<void*>(1);
    EXPECT_EQ(cf->CreateInstanceLic(cf, nullptr, IID_IDispatch, nullptr, &none), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(cf->CreateInstanceLic(nullptr, nullptr, IID_IDispatch, nullptr, nullptr), E_POINTER);
    cf->Release();
    EXPECT_EQ(e.canUnloadNow(), S_FALSE);
    a.Reset();
    b.Reset();
    EXPECT_EQ(e.canUnloadNow(), S_OK);
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
    EXPECT_EQ(e.canUnloadNow(), S_FALSE);  // a client holds the factory
    cf->LockServer(TRUE);
    cf->Release();
    EXPECT_EQ(e.canUnloadNow(), S_FALSE);  // a client lock
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

// An ordinary user saves through the command-line client. Which files are saved is decided
// by their permissions, and a saved file stays the same file with the same owner.
TEST_F(ServerTest, OrdinaryUserSavesThroughTheObject)
{
    Register();
    unsigned uid = geteuid(), gid = getegid();
    const bool superuser = uid == 0;
    if (superuser && !UnprivilegedIds(&uid, &gid))
        GTEST_SKIP() << "this system has no account \"nobody\" to check file permissions with";
    // The user reads the registry and the files below this folder, but may not write to it.
    ASSERT_EQ(chmod(m_dir.c_str(), 0755), 0);
    const std::string folder = m_dir + "/widgets";
    ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
    const std::string old = "old widget\r\n";
    auto prepare = [&](const std::string& path, mode_t mode, bool theirs) {
        std::ofstream(path, std::ios::binary) << old;
        ASSERT_EQ(chmod(path.c_str(), mode), 0);
        if (!theirs) {
            ASSERT_EQ(chown(path.c_str(), uid, gid), 0);
        }
    };
    prepare(folder + "/own.qwd", 0640, false);
    prepare(folder + "/protected.qwd", 0444, false);
    // A file of another owner that the user may write, in a folder the user may write to:
    // saved in place, since the user cannot hand a new file to that owner.
    const std::string open = m_dir + "/open";
    ASSERT_EQ(mkdir(open.c_str(), 0755), 0);
    ASSERT_EQ(chown(open.c_str(), uid, gid), 0);
    if (superuser)
        prepare(open + "/theirs.qwd", 0666, true);
    ASSERT_EQ(chmod(folder.c_str(), 0555), 0);
    struct stat ownBefore {
    }, theirsBefore{};
    ASSERT_EQ(stat((folder + "/own.qwd").c_str(), &ownBefore), 0);
    stat((open + "/theirs.qwd").c_str(), &theirsBefore);

    std::string calls = "Title = \"saved\"\nWriteConfigFile \"" + folder + "/own.qwd\"\nWriteConfigFile \"" + folder +
                        "/protected.qwd\"\nWriteConfigFile \"" + folder + "/new.qwd\"\nReadConfigFile \"/dev/zero\"\n";
    if (superuser)
        calls += "WriteConfigFile \"" + open + "/theirs.qwd\"\n";
    CommandResult result;
    std::string whyNot;
    if (!RunUnprivileged({SNIPPO_CALL_TOOL, "SnippoServer.GlimButton"}, calls, &result, &whyNot))
        GTEST_SKIP() << whyNot;
    chmod(folder.c_str(), 0755);
    EXPECT_EQ(result.status, 0) << result.output;
    EXPECT_EQ(result.output, std::string("null\ntrue\nfalse\nfalse\nfalse\n") + (superuser ? "true\n" : ""));

    std::ifstream in(folder + "/own.qwd", std::ios::binary);
    const std::string saved((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(saved.rfind("========== Description Part Begin ==========\r\n", 0), 0u) << saved;
    EXPECT_NE(saved.find("\r\nTitle = saved\r\n"), std::string::npos) << saved;
    struct stat ownAfter {};
    ASSERT_EQ(stat((folder + "/own.qwd").c_str(), &ownAfter), 0);
    EXPECT_EQ(ownAfter.st_ino, ownBefore.st_ino);
    EXPECT_EQ(ownAfter.st_uid, uid);
    EXPECT_EQ(ownAfter.st_mode, ownBefore.st_mode);
    std::ifstream locked(folder + "/protected.qwd", std::ios::binary);
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(locked)), std::istreambuf_iterator<char>()), old);
    EXPECT_FALSE(std::filesystem::exists(folder + "/new.qwd"));
    if (superuser) {
        struct stat theirsAfter {};
        ASSERT_EQ(stat((open + "/theirs.qwd").c_str(), &theirsAfter), 0);
        EXPECT_EQ(theirsAfter.st_ino, theirsBefore.st_ino);
        EXPECT_EQ(theirsAfter.st_uid, 0u);
        EXPECT_EQ(theirsAfter.st_mode & 07777, 0666u);
        std::ifstream theirs(open + "/theirs.qwd", std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(theirs)), std::istreambuf_iterator<char>());
        EXPECT_NE(text.find("\r\nTitle = saved\r\n"), std::string::npos);
    }
}

}  // namespace
}  // namespace snippo::test
