// The server module: the library's application object, the class factory of the widget
// object, the four exported entry points and the registration of the class.
#include <algorithm>
#include <map>
#include <atomic>
#include <mutex>
#include <string>

#include "platform/com/comptr.h"
#include "platform/com/runtime.h"
#pragma GCC visibility push(default)
#include "platform/com/server.h"
#pragma GCC visibility pop
#include "platform/com/string_resources.h"
#include "platform/registry/registry.h"
#include "widget/model/config_file.h"
#include "widget/model/string_table.h"
#include "widget/server/glim_button.h"
#include "widget/server/server_hooks.h"

#include "widget/server/dialogs/install_dialogs.h"

#define SNIPPO_EXPORT extern "C" __attribute__((visibility("default")))

namespace snippo {

// {2542EDC1-7EFB-11D2-8CA5-0088CC081531}: the family of embeddable widgets.
inline constexpr CATID CATID_QuillonSnippos = {
    0x2542EDC1, 0x7EFB, 0x11D2, {0x8C, 0xA5, 0x00, 0x88, 0xCC, 0x08, 0x15, 0x31}};
constexpr LCID kCategoryLocale = 0x409;
constexpr const char* kCategoryDescription = "Quillon Snippos";

namespace {

std::atomic<long> g_moduleLocks{0};
std::uint32_t g_resourceModule = 0;
std::mutex g_factoryLock;  // guards the factory list while it is registered or walked

ConfigDialogRunner& Runner()
{
    static ConfigDialogRunner runner;
    return runner;
}

ResourceConflictHandler*& ConflictHandler()
{
    static ResourceConflictHandler* handler = nullptr;
    return handler;
}

// The one class factory of the module. It lives as long as the library; client references
// count so that the library is not unloaded under a client that holds the factory. The
// class needs no licence: the licensed creation call creates as the plain one does.
class CGlimButtonFactory final : public IClassFactory2 {
public:
    HRESULT QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IClassFactory || iid == IID_IClassFactory2) {
            *object = static_cast<IClassFactory2*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return ++m_refs; }
    ULONG Release() override { return --m_refs; }

    HRESULT CreateInstance(IUnknown* outer, REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        CGlimButton* button = nullptr;
        try {
            button = new CGlimButton();
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        }
        HRESULT hr = button->QueryInterface(iid, object);
        button->Release();
        return hr;
    }

    HRESULT GetLicInfo(LICINFO* info) override
    {
        if (!info)
            return E_POINTER;
        info->cbLicInfo = sizeof(LICINFO);
        info->fRuntimeKeyAvail = FALSE;
        info->fLicVerified = TRUE;
        return S_OK;
    }
    HRESULT RequestLicKey(DWORD, BSTR* key) override
    {
        if (key)
            *key = nullptr;
        return E_NOTIMPL;
    }
    HRESULT CreateInstanceLic(IUnknown* outer, IUnknown*, REFIID iid, BSTR, void** object) override
    {
        return CreateInstance(outer, iid, object);
    }

    HRESULT LockServer(BOOL lock) override
    {
        if (lock)
            LockModule();
        else
            UnlockModule();
        return S_OK;
    }

    bool Referenced() const { return m_refs > 0; }

    const CLSID& m_clsid = CLSID_GlimButton;
    const char* m_progId = kGlimButtonProgID;
    bool m_bRegistered = false;

private:
    std::atomic<ULONG> m_refs{0};
};

CGlimButtonFactory g_factory;

// The library's application object: initialises the runtime for the library when the
// process loads it.
class CSnippoGlimButtonApp {
public:
    CSnippoGlimButtonApp()
    {
        if (FAILED(CoInitialize(nullptr)))
            return;  // without the runtime the factory never answers
        m_bInitialised = true;
        const auto& strings = WidgetStringTable();
        g_resourceModule = RegisterStringTable("SnippoGlimButton",
                                               std::map<std::uint32_t, std::string>(strings.begin(), strings.end()));
        InstallGlimButtonDialogs();
        std::lock_guard<std::mutex> guard(g_factoryLock);
        g_factory.m_bRegistered = true;
    }
    ~CSnippoGlimButtonApp()
    {
        if (g_resourceModule)
            UnregisterStringTable(g_resourceModule);
        if (m_bInitialised)
            CoUninitialize();
    }

private:
    bool m_bInitialised = false;
};

CSnippoGlimButtonApp theApp;

std::string LibraryPath()
{
    return ModuleFileNameOf(reinterpret_cast<const void*>(&LibraryPath));
}

// Sets the default value of HKEY_CLASSES_ROOT\`key`; with `replace` false an existing
// value is kept.
bool SetClassKey(const std::string& key, const std::string& value, bool replace)
{
    HKEY h = nullptr;
    if (RegCreateKey(HKEY_CLASSES_ROOT, key, &h) != ERROR_SUCCESS)
        return false;
    std::string existing;
    bool ok = true;
    if (replace || RegQueryString(h, "", &existing) != ERROR_SUCCESS)
        ok = RegSetString(h, "", value) == ERROR_SUCCESS;
    RegCloseKey(h);
    return ok;
}

void RegisterClassEntries(const CGlimButtonFactory& f, const std::string& libraryPath)
{
    const std::string clsid = GuidToString(f.m_clsid);
    const std::string progId = f.m_progId;
    const std::string typeName = progId;
    SetClassKey(progId, typeName, false);
    SetClassKey("CLSID\\" + clsid, typeName, false);
    SetClassKey(progId + "\\CLSID", clsid, true);
    SetClassKey("CLSID\\" + clsid + "\\ProgID", progId, true);
    SetClassKey("CLSID\\" + clsid + "\\InProcServer32", libraryPath, true);
}

bool RemoveTree(const std::string& key)
{
    LONG rc = RegDeleteTree(HKEY_CLASSES_ROOT, key);
    return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
}

ComPtr<ICatRegister> CreateCategoriesManager(HRESULT* hr)
{
    ComPtr<ICatRegister> manager;
    *hr = CoCreateInstance(CLSID_StdComponentCategoriesMgr, nullptr, CLSCTX_INPROC_SERVER, &manager);
    return manager;
}

}  // namespace

void SetConfigDialogRunner(ConfigDialogRunner runner)
{
    Runner() = std::move(runner);
}
const ConfigDialogRunner& GetConfigDialogRunner()
{
    return Runner();
}
void SetResourceConflictHandler(ResourceConflictHandler* handler)
{
    ConflictHandler() = handler;
}
ResourceConflictHandler* GetResourceConflictHandler()
{
    return ConflictHandler();
}
void LockModule()
{
    ++g_moduleLocks;
}
void UnlockModule()
{
    --g_moduleLocks;
}
long ModuleLockCount()
{
    return g_moduleLocks;
}
std::uint32_t ResourceModuleNumber()
{
    return g_resourceModule;
}

}  // namespace snippo

using namespace snippo;

SNIPPO_EXPORT HRESULT DllGetClassObject(REFCLSID clsid, REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    std::lock_guard<std::mutex> guard(g_factoryLock);
    if (g_factory.m_bRegistered && clsid == g_factory.m_clsid)
        return g_factory.QueryInterface(iid, object);
    return CLASS_E_CLASSNOTAVAILABLE;
}

SNIPPO_EXPORT HRESULT DllCanUnloadNow()
{
    return ModuleLockCount() == 0 && !g_factory.Referenced() ? S_OK : S_FALSE;
}

SNIPPO_EXPORT HRESULT DllRegisterServer()
{
    const std::string libraryPath = LibraryPath();
    {
        std::lock_guard<std::mutex> guard(g_factoryLock);
        RegisterClassEntries(g_factory, libraryPath);
    }

    // The category's description; a failure here is not reported.
    HRESULT hr;
    if (ComPtr<ICatRegister> manager = CreateCategoriesManager(&hr)) {
        CATEGORYINFO info{};
        info.catid = CATID_QuillonSnippos;
        info.lcid = kCategoryLocale;
        std::u16string text = Utf16FromUtf8(kCategoryDescription);
        text.resize(std::min<std::size_t>(text.size(), 127));
        std::copy(text.begin(), text.end(), info.szDescription);
        info.szDescription[text.size()] = 0;
        manager->RegisterCategories(1, &info);
    }

    std::lock_guard<std::mutex> guard(g_factoryLock);
    ComPtr<ICatRegister> manager = CreateCategoriesManager(&hr);
    if (FAILED(hr))
        return hr;
    CATID catid = CATID_QuillonSnippos;
    hr = manager->RegisterClassImplCategories(g_factory.m_clsid, 1, &catid);
    if (FAILED(hr))
        return hr;
    return S_OK;
}

SNIPPO_EXPORT HRESULT DllUnregisterServer()
{
    std::lock_guard<std::mutex> guard(g_factoryLock);
    const std::string clsid = GuidToString(g_factory.m_clsid);

    HRESULT hr;
    if (ComPtr<ICatRegister> manager = CreateCategoriesManager(&hr)) {
        CATID catid = CATID_QuillonSnippos;
        manager->UnRegisterClassImplCategories(g_factory.m_clsid, 1, &catid);
        RegDeleteTree(HKEY_CLASSES_ROOT, "CLSID\\" + clsid + "\\Implemented Categories");
    }

    std::string progId;
    hr = ProgIDFromCLSID(g_factory.m_clsid, &progId);
    if (FAILED(hr))
        return hr;
    if (!RemoveTree(progId) || !RemoveTree("CLSID\\" + clsid))
        return E_FAIL;
    return S_OK;
}
