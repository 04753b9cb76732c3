// Class lookup, the categories manager, object creation from a real server library,
// unloading, and the snippo-regsvr tool.
#include <dlfcn.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <thread>

#include "com_test_support.h"
#include "platform/com/com.h"
#include "platform/com/server.h"
#include "platform/registry/registry.h"

using namespace snippo;
using com_test::TempRegistryTest;

namespace {

// The class served by the test server library (see test_server.cpp).
constexpr CLSID kCounterClsid = {0x6B1F3A10, 0x2C4D, 0x4E5F, {0x90, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E, 0x6F, 0x70}};
constexpr CATID kTestCategory = {0x6B1F3A11, 0x2C4D, 0x4E5F, {0x90, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E, 0x6F, 0x71}};
constexpr CLSID kOtherClsid = {0x11111111, 0x2222, 0x3333, {0x44, 0x44, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55}};
constexpr CATID kWidgetCategory = {0x2542EDC1, 0x7EFB, 0x11D2, {0x8C, 0xA5, 0x00, 0x88, 0xCC, 0x08, 0x15, 0x31}};

std::string ClassKey(REFCLSID clsid)
{
    return "CLSID\\" + GuidToString(clsid);
}

bool KeyExists(const std::string& path)
{
    HKEY key = nullptr;
    if (RegOpenKey(HKEY_CLASSES_ROOT, path, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

std::vector<std::string> SubKeys(const std::string& path)
{
    std::vector<std::string> names;
    HKEY key = nullptr;
    if (RegOpenKey(HKEY_CLASSES_ROOT, path, &key) != ERROR_SUCCESS)
        return names;
    std::string name;
    for (DWORD i = 0; RegEnumKey(key, i, &name) == ERROR_SUCCESS; ++i)
        names.push_back(name);
    RegCloseKey(key);
    return names;
}

std::vector<std::string> ValueNames(const std::string& path)
{
    std::vector<std::string> names;
    HKEY key = nullptr;
    if (RegOpenKey(HKEY_CLASSES_ROOT, path, &key) != ERROR_SUCCESS)
        return names;
    std::string name;
    for (DWORD i = 0; RegEnumValue(key, i, &name, nullptr) == ERROR_SUCCESS; ++i)
        names.push_back(name);
    RegCloseKey(key);
    return names;
}

void RegisterClass(REFCLSID clsid, const std::string& progId, const std::string& library)
{
    ASSERT_EQ(RegSetDefault(HKEY_CLASSES_ROOT, progId + "\\CLSID", GuidToString(clsid)), ERROR_SUCCESS);
    ASSERT_EQ(RegSetDefault(HKEY_CLASSES_ROOT, ClassKey(clsid) + "\\ProgID", progId), ERROR_SUCCESS);
    ASSERT_EQ(RegSetDefault(HKEY_CLASSES_ROOT, ClassKey(clsid) + "\\InProcServer32", library), ERROR_SUCCESS);
}

bool IsLoaded(const std::string& path)
{
    for (const std::string& loaded : CoLoadedServers()) {
        if (loaded == path)
            return true;
    }
    return false;
}

// The test server's own counter of DllCanUnloadNow calls (its code stays mapped).
int CanUnloadCalls()
{
    void* handle = dlopen(com_test::TestServerPath().c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (handle == nullptr)
        return -1;
    auto fn = reinterpret_cast<int (*)()>(dlsym(handle, "TestServerCanUnloadCalls"));
    const int calls = fn ? fn() : -1;
    dlclose(handle);
    return calls;
}

class RuntimeTest : public TempRegistryTest {
protected:
    void SetUp() override
    {
        TempRegistryTest::SetUp();
        ASSERT_TRUE(SUCCEEDED(CoInitialize()));
    }
    void TearDown() override
    {
        CoFreeUnusedLibraries();
        CoUninitialize();
        TempRegistryTest::TearDown();
    }
};

TEST_F(RuntimeTest, InitializationIsCountedPerThread)
{
    EXPECT_EQ(CoInitialize(), S_FALSE);  // SetUp already initialised this thread
    CoUninitialize();
    HRESULT created = S_OK, init = E_FAIL;
    void* object = reinterpret_cast<void*>(1);
    std::thread other([&] {
        created =
            CoCreateInstance(CLSID_StdComponentCategoriesMgr, nullptr, CLSCTX_INPROC_SERVER, IID_ICatRegister, &object);
        init = CoInitialize();
        CoUninitialize();
    });
    other.join();
    EXPECT_EQ(created, CO_E_NOTINITIALIZED);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(init, S_OK);
}

TEST_F(RuntimeTest, CategoriesManagerWritesTheCategoryKeys)
{
    ComPtr<ICatRegister> manager;
    ASSERT_EQ(CoCreateInstance(CLSID_StdComponentCategoriesMgr, nullptr, CLSCTX_INPROC_SERVER, &manager), S_OK);
    EXPECT_TRUE(CoLoadedServers().empty());  // built in, nothing loaded

    CATEGORYINFO infos[2]{};
    infos[0].catid = kWidgetCategory;
    infos[0].lcid = 0x409;
    const std::u16string description = u"Quillon Snippos";
    description.copy(infos[0].szDescription, description.size());
    infos[1].catid = kWidgetCategory;
    infos[1].lcid = 0x40C;
    const std::u16string french = u"Snippos de Quillon \u00E9t\u00E9";
    french.copy(infos[1].szDescription, french.size());
    ASSERT_EQ(manager->RegisterCategories(2, infos), S_OK);

    const std::string categoryKey = "Component Categories\\{2542EDC1-7EFB-11D2-8CA5-0088CC081531}";
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKey(HKEY_CLASSES_ROOT, categoryKey, &key), ERROR_SUCCESS);
    std::string text;
    ASSERT_EQ(RegQueryString(key, "409", &text), ERROR_SUCCESS);
    EXPECT_EQ(text, "Quillon Snippos");
    ASSERT_EQ(RegQueryString(key, "40C", &text), ERROR_SUCCESS);
    EXPECT_EQ(text, "Snippos de Quillon \xC3\xA9t\xC3\xA9");
    RegCloseKey(key);
    EXPECT_EQ(ValueNames(categoryKey), (std::vector<std::string>{"409", "40C"}));
    EXPECT_TRUE(SubKeys(categoryKey).empty());

    // A description that fills the whole array without a terminator is read up to its end.
    CATEGORYINFO full{};
    full.catid = kTestCategory;
    full.lcid = 0x409;
    for (char16_t& c : full.szDescription)
        c = u'x';
    ASSERT_EQ(manager->RegisterCategories(1, &full), S_OK);
    ASSERT_EQ(RegOpenKey(HKEY_CLASSES_ROOT, "Component Categories\\" + GuidToString(kTestCategory), &key),
              ERROR_SUCCESS);
    ASSERT_EQ(RegQueryString(key, "409", &text), ERROR_SUCCESS);
    EXPECT_EQ(text, std::string(128, 'x'));
    RegCloseKey(key);

    CATID catid = kWidgetCategory;
    ASSERT_EQ(manager->RegisterClassImplCategories(kCounterClsid, 1, &catid), S_OK);
    const std::string implemented = ClassKey(kCounterClsid) + "\\Implemented Categories";
    EXPECT_EQ(SubKeys(implemented), (std::vector<std::string>{"{2542EDC1-7EFB-11D2-8CA5-0088CC081531}"}));
    EXPECT_EQ(SubKeys(ClassKey(kCounterClsid)), (std::vector<std::string>{"Implemented Categories"}));
    ASSERT_EQ(manager->RegisterClassImplCategories(kCounterClsid, 1, &catid), S_OK);  // twice: one key
    EXPECT_EQ(SubKeys(implemented).size(), 1u);

    ASSERT_EQ(manager->UnRegisterClassImplCategories(kCounterClsid, 1, &catid), S_OK);
    EXPECT_TRUE(KeyExists(implemented));  // the widget deletes this key itself
    EXPECT_TRUE(SubKeys(implemented).empty());
    EXPECT_EQ(manager->UnRegisterClassImplCategories(kCounterClsid, 1, &catid), S_OK);  // already gone
    EXPECT_TRUE(KeyExists(categoryKey));  // the category description stays

    ASSERT_EQ(manager->RegisterClassReqCategories(kCounterClsid, 1, &catid), S_OK);
    EXPECT_TRUE(KeyExists(ClassKey(kCounterClsid) + "\\Required Categories\\" + GuidToString(kWidgetCategory)));
    ASSERT_EQ(manager->UnRegisterCategories(1, &catid), S_OK);
    EXPECT_FALSE(KeyExists(categoryKey));
    EXPECT_EQ(manager->RegisterCategories(1, nullptr), E_POINTER);

    IUnknown* outer = manager.Get();
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(CoCreateInstance(CLSID_StdComponentCategoriesMgr, outer, CLSCTX_INPROC_SERVER, IID_ICatRegister, &object),
              CLASS_E_NOAGGREGATION);
    EXPECT_EQ(object, nullptr);
}

TEST_F(RuntimeTest, ProgIdLookupsAndTheirFailures)
{
    RegisterClass(kCounterClsid, "SnippoTest.Counter", com_test::TestServerPath());
    CLSID clsid = GUID_NULL;
    ASSERT_EQ(CLSIDFromProgID("SnippoTest.Counter", &clsid), S_OK);
    EXPECT_EQ(clsid, kCounterClsid);
    clsid = GUID_NULL;
    ASSERT_EQ(CLSIDFromProgID(u"snippotest.counter", &clsid), S_OK);  // key names ignore case
    EXPECT_EQ(clsid, kCounterClsid);
    std::string progId;
    ASSERT_EQ(ProgIDFromCLSID(kCounterClsid, &progId), S_OK);
    EXPECT_EQ(progId, "SnippoTest.Counter");
    ASSERT_EQ(CLSIDFromString("{6b1f3a10-2c4d-4e5f-901a-2b3c4d5e6f70}", &clsid), S_OK);
    EXPECT_EQ(clsid, kCounterClsid);
    ASSERT_EQ(CLSIDFromString("SnippoTest.Counter", &clsid), S_OK);
    EXPECT_EQ(CLSIDFromString("{6b1f3a10-2c4d}", &clsid), CO_E_CLASSSTRING);

    clsid = kOtherClsid;
    EXPECT_EQ(CLSIDFromProgID("SnippoTest.Missing", &clsid), CO_E_CLASSSTRING);
    EXPECT_EQ(clsid, kOtherClsid);
    EXPECT_NE(CoGetLastErrorText().find("SnippoTest.Missing"), std::string::npos);
    EXPECT_EQ(CLSIDFromProgID("", &clsid), CO_E_CLASSSTRING);
    ASSERT_EQ(RegSetDefault(HKEY_CLASSES_ROOT, "SnippoTest.Counter\\CLSID\\Deeper", "x"), ERROR_SUCCESS);
    EXPECT_EQ(CLSIDFromProgID("SnippoTest.Counter\\CLSID", &clsid), CO_E_CLASSSTRING);
    EXPECT_EQ(CLSIDFromProgID(static_cast<const char16_t*>(nullptr), &clsid), CO_E_CLASSSTRING);
    EXPECT_EQ(CLSIDFromProgID("SnippoTest.Counter", nullptr), E_INVALIDARG);

    // Damaged entries.
    ASSERT_EQ(RegSetDefault(HKEY_CLASSES_ROOT, "SnippoTest.NoClsid", "text only"), ERROR_SUCCESS);
    EXPECT_EQ(CLSIDFromProgID("SnippoTest.NoClsid", &clsid), REGDB_E_CLASSNOTREG);
    ASSERT_EQ(RegSetDefault(HKEY_CLASSES_ROOT, "SnippoTest.BadClsid\\CLSID", "{not a guid}"), ERROR_SUCCESS);
    EXPECT_EQ(CLSIDFromProgID("SnippoTest.BadClsid", &clsid), CO_E_CLASSSTRING);
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKey(HKEY_CLASSES_ROOT, "SnippoTest.NumberClsid\\CLSID", &key), ERROR_SUCCESS);
    ASSERT_EQ(RegSetDword(key, "", 5), ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(CLSIDFromProgID("SnippoTest.NumberClsid", &clsid), REGDB_E_READREGDB);
    EXPECT_EQ(clsid, kOtherClsid);

    EXPECT_EQ(ProgIDFromCLSID(kOtherClsid, &progId), REGDB_E_CLASSNOTREG);
    EXPECT_EQ(progId, "SnippoTest.Counter");
    ASSERT_EQ(RegSetDefault(HKEY_CLASSES_ROOT, ClassKey(kOtherClsid) + "\\ProgID", ""), ERROR_SUCCESS);
    EXPECT_EQ(ProgIDFromCLSID(kOtherClsid, &progId), REGDB_E_CLASSNOTREG);
    EXPECT_EQ(ProgIDFromCLSID(kOtherClsid, nullptr), E_INVALIDARG);
}

TEST_F(RuntimeTest, UnreadableRegistryIsReportedNotMistakenForMissing)
{
    {
        std::ofstream hive(Folder() + "/HKEY_CLASSES_ROOT.reg");
        hive << "this is not a registry file\n[broken\n";
    }
    CLSID clsid = GUID_NULL;
    EXPECT_EQ(CLSIDFromProgID("SnippoTest.Counter", &clsid), REGDB_E_READREGDB);
    std::string progId;
    EXPECT_EQ(ProgIDFromCLSID(kCounterClsid, &progId), REGDB_E_READREGDB);
    void* object = nullptr;
    EXPECT_EQ(CoCreateInstance(kCounterClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, &object),
              REGDB_E_READREGDB);
    EXPECT_FALSE(CoGetLastErrorText().empty());
}

TEST_F(RuntimeTest, CreatesObjectsFromAServerLibraryAndUnloadsIt)
{
    const std::string library = com_test::TestServerPath();
    RegisterClass(kCounterClsid, "SnippoTest.Counter", library);

    ComPtr<IDispatch> counter;
    ASSERT_EQ(CoCreateInstance(kCounterClsid, nullptr, CLSCTX_ALL, &counter), S_OK) << CoGetLastErrorText();
    ASSERT_TRUE(counter);
    EXPECT_TRUE(IsLoaded(library));

    // Calls cross into the library's own dispatch table.
    Variant result;
    ASSERT_EQ(AutomationInvoke(counter.Get(), 2, DISPATCH_METHOD, {Variant(10), Variant(3)}, &result), S_OK);
    EXPECT_EQ(result.Get()->lVal, 7);
    ASSERT_EQ(AutomationInvoke(counter.Get(), 3, DISPATCH_METHOD, {Variant("n"), Variant("12")}, &result), S_OK);
    EXPECT_EQ(Utf8FromBstr(result.Get()->bstrVal), "n:12");
    ASSERT_EQ(AutomationInvoke(counter.Get(), 1, DISPATCH_PROPERTYPUT, {Variant(41)}), S_OK);
    ASSERT_EQ(AutomationInvoke(counter.Get(), 1, DISPATCH_PROPERTYGET, {}, &result), S_OK);
    EXPECT_EQ(result.Get()->lVal, 41);
    std::string error;
    EXPECT_EQ(AutomationInvoke(counter.Get(), 4, DISPATCH_METHOD, {}, &result, &error), DISP_E_EXCEPTION);
    EXPECT_EQ(error, "counter failure");
    const char16_t* names[] = {u"describe"};
    DISPID id = 0;
    EXPECT_EQ(counter->GetIDsOfNames(names, 1, &id), S_OK);
    EXPECT_EQ(id, 3);

    // A second object comes from the same loaded library.
    ComPtr<IDispatch> second;
    ASSERT_EQ(CoCreateInstance(kCounterClsid, nullptr, CLSCTX_INPROC_SERVER, &second), S_OK);
    EXPECT_EQ(CoLoadedServers().size(), 1u);

    // While objects live the server refuses to unload.
    const int before = CanUnloadCalls();
    ASSERT_GE(before, 0);
    CoFreeUnusedLibraries();
    EXPECT_EQ(CanUnloadCalls(), before + 1);
    EXPECT_TRUE(IsLoaded(library));
    second.Reset();
    CoFreeUnusedLibraries();
    EXPECT_EQ(CanUnloadCalls(), before + 2);
    EXPECT_TRUE(IsLoaded(library));

    counter.Reset();
    CoFreeUnusedLibraries();
    EXPECT_EQ(CanUnloadCalls(), before + 3);
    EXPECT_FALSE(IsLoaded(library));
    CoFreeUnusedLibraries();  // nothing loaded: nobody asked
    EXPECT_EQ(CanUnloadCalls(), before + 3);

    // Loading again after the unload works (the code stayed mapped).
    ASSERT_EQ(CoCreateInstance(kCounterClsid, nullptr, CLSCTX_INPROC_SERVER, &counter), S_OK);
    EXPECT_TRUE(IsLoaded(library));
    ASSERT_EQ(AutomationInvoke(counter.Get(), 1, DISPATCH_PROPERTYGET, {}, &result), S_OK);
    EXPECT_EQ(result.Get()->lVal, 0);  // a new object
    counter.Reset();
}

TEST_F(RuntimeTest, CreationFailuresNameTheirCause)
{
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(CoCreateInstance(kCounterClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, &object),
              REGDB_E_CLASSNOTREG);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(CoCreateInstance(kCounterClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, nullptr), E_POINTER);

    const std::string missing = Folder() + "/libMissing.so";
    RegisterClass(kCounterClsid, "SnippoTest.Counter", missing);
    EXPECT_EQ(CoCreateInstance(kCounterClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, &object), CO_E_DLLNOTFOUND);
    EXPECT_NE(CoGetLastErrorText().find(missing), std::string::npos) << CoGetLastErrorText();
    EXPECT_NE(CoGetLastErrorText().find("No such file"), std::string::npos) << CoGetLastErrorText();

    RegisterClass(kCounterClsid, "SnippoTest.Counter", com_test::NoExportsPath());
    EXPECT_EQ(CoCreateInstance(kCounterClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, &object), CO_E_ERRORINDLL);
    EXPECT_NE(CoGetLastErrorText().find("DllGetClassObject"), std::string::npos);
    EXPECT_FALSE(IsLoaded(com_test::NoExportsPath()));

    // The server's own answers pass through.
    RegisterClass(kOtherClsid, "SnippoTest.Other", com_test::TestServerPath());
    EXPECT_EQ(CoCreateInstance(kOtherClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, &object),
              CLASS_E_CLASSNOTAVAILABLE);
    RegisterClass(kCounterClsid, "SnippoTest.Counter", com_test::TestServerPath());
    EXPECT_EQ(CoCreateInstance(kCounterClsid, nullptr, CLSCTX_INPROC_SERVER, IID_ICatRegister, &object), E_NOINTERFACE);
    ComPtr<ICatRegister> outer;
    ASSERT_EQ(CoCreateInstance(CLSID_StdComponentCategoriesMgr, nullptr, CLSCTX_INPROC_SERVER, &outer), S_OK);
    EXPECT_EQ(CoCreateInstance(kCounterClsid, outer.Get(), CLSCTX_INPROC_SERVER, IID_IDispatch, &object),
              CLASS_E_NOAGGREGATION);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(CoCreateInstance(kCounterClsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch, &object),
              REGDB_E_CLASSNOTREG);

    ASSERT_EQ(RegSetDefault(HKEY_CLASSES_ROOT, ClassKey(kCounterClsid) + "\\InProcServer32", ""), ERROR_SUCCESS);
    EXPECT_EQ(CoCreateInstance(kCounterClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, &object), CO_E_DLLNOTFOUND);
}

TEST(ModuleFileName, NamesTheLibraryHoldingAnAddress)
{
    const std::string path = ModuleFileNameOf(reinterpret_cast<const void*>(&CoCreateInstance<IDispatch>));
    EXPECT_FALSE(path.empty());
    EXPECT_EQ(path.front(), '/');
    const std::string platform = ModuleFileNameOf(reinterpret_cast<const void*>(&CoFreeUnusedLibraries));
    EXPECT_NE(platform.find("snippo_platform"), std::string::npos) << platform;
    EXPECT_EQ(ModuleFileNameOf(nullptr), "");
}

// Runs snippo-regsvr and returns its exit status; *output gets stdout and stderr.
int RunRegsvr(const std::string& arguments, std::string* output)
{
    const std::string command = "'" + com_test::RegsvrPath() + "' " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return -1;
    output->clear();
    char buffer[512];
    std::size_t n = 0;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        output->append(buffer, n);
    const int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(RuntimeTest, RegsvrRegistersAndUnregistersAServer)
{
    const std::string library = com_test::TestServerPath();
    std::string output;
    ASSERT_EQ(RunRegsvr("'" + library + "'", &output), 0) << output;
    EXPECT_EQ(output, "DllRegisterServer in " + library + " succeeded.\n");

    // What the server wrote is what the runtime needs to create its objects.
    CLSID clsid = GUID_NULL;
    ASSERT_EQ(CLSIDFromProgID("SnippoTest.Counter", &clsid), S_OK);
    EXPECT_EQ(clsid, kCounterClsid);
    std::string path;
    ASSERT_EQ(RegQueryDefault(HKEY_CLASSES_ROOT, ClassKey(kCounterClsid) + "\\InprocServer32", &path), ERROR_SUCCESS);
    EXPECT_EQ(path, library);
    EXPECT_TRUE(KeyExists(ClassKey(kCounterClsid) + "\\Implemented Categories\\" + GuidToString(kTestCategory)));
    ComPtr<IDispatch> counter;
    ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, &counter), S_OK);
    counter.Reset();

    ASSERT_EQ(RunRegsvr("-u '" + library + "'", &output), 0) << output;
    EXPECT_EQ(output, "DllUnregisterServer in " + library + " succeeded.\n");
    EXPECT_EQ(CLSIDFromProgID("SnippoTest.Counter", &clsid), CO_E_CLASSSTRING);

    // A failing entry point is reported with its result in words.
    EXPECT_EQ(RunRegsvr("-u '" + library + "'", &output), 1);
    EXPECT_NE(output.find("DllUnregisterServer in " + library +
                          " failed: 0x80040154 REGDB_E_CLASSNOTREG (Class not registered)"),
              std::string::npos)
        << output;
    setenv("COM_TEST_SERVER_FAIL", "1", 1);
    const int failed = RunRegsvr("'" + library + "'", &output);
    unsetenv("COM_TEST_SERVER_FAIL");
    EXPECT_EQ(failed, 1);
    EXPECT_EQ(output, "DllRegisterServer in " + library + " failed: 0x80004005 E_FAIL (Unspecified error)\n");
}

TEST_F(RuntimeTest, RegsvrRefusesLibrariesItCannotUse)
{
    std::string output;
    const std::string missing = Folder() + "/libMissing.so";
    EXPECT_EQ(RunRegsvr("'" + missing + "'", &output), 3);
    EXPECT_EQ(output.rfind("Cannot load " + missing + ": ", 0), 0u) << output;
    EXPECT_NE(output.find("No such file"), std::string::npos) << output;

    const std::string noExports = com_test::NoExportsPath();
    EXPECT_EQ(RunRegsvr("'" + noExports + "'", &output), 4);
    EXPECT_EQ(output.rfind("DllRegisterServer not found in " + noExports + ": ", 0), 0u) << output;
    EXPECT_EQ(RunRegsvr("-u '" + noExports + "'", &output), 4);
    EXPECT_EQ(output.rfind("DllUnregisterServer not found in " + noExports, 0), 0u) << output;

    EXPECT_EQ(RunRegsvr("", &output), 2);
    EXPECT_NE(output.find("Usage: snippo-regsvr [-u] [--system] LIBRARY"), std::string::npos);
    EXPECT_EQ(RunRegsvr("-x lib.so", &output), 2);
    EXPECT_EQ(RunRegsvr("a.so b.so", &output), 2);
}

}  // namespace
