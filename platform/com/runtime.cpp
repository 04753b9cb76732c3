#include "platform/com/runtime.h"

#include <dlfcn.h>

#include <filesystem>
#include <mutex>
#include <system_error>

#include "platform/com/bstr.h"
#include "platform/com/runtime_internal.h"
#include "platform/com/server.h"
#include "platform/registry/registry.h"

namespace snippo {

namespace {

thread_local int t_initCount = 0;
thread_local std::string t_lastError;

struct LoadedServer {
    std::string path;
    void* handle;
    PFN_DllGetClassObject getClassObject;
    PFN_DllCanUnloadNow canUnloadNow;  // null when the library has none: it never unloads
};

// Recursive: a server may create objects (the categories manager) from inside its calls.
std::recursive_mutex& ServersMutex()
{
    static auto* mutex = new std::recursive_mutex;  // never destroyed: servers may call at exit
    return *mutex;
}

std::vector<LoadedServer>& Servers()
{
    static auto* servers = new std::vector<LoadedServer>;
    return *servers;
}

std::string DlErrorText()
{
    const char* text = dlerror();
    return text ? text : "unknown loader error";
}

// Finds or loads the library at `path`; the list holds one loader reference per library.
HRESULT LoadServer(const std::string& path, LoadedServer* out)
{
    std::lock_guard lock(ServersMutex());
    dlerror();
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (handle == nullptr) {
        return com_internal::Fail(CO_E_DLLNOTFOUND, "Cannot load server library " + path + ": " + DlErrorText());
    }
    for (const LoadedServer& server : Servers()) {
        if (server.handle == handle) {
            dlclose(handle);  // the list already holds a reference
            *out = server;
            return S_OK;
        }
    }
    dlerror();
    void* getClassObject = dlsym(handle, "DllGetClassObject");
    if (getClassObject == nullptr) {
        const std::string reason = DlErrorText();
        dlclose(handle);
        return com_internal::Fail(CO_E_ERRORINDLL, "Server library " + path + " has no DllGetClassObject: " + reason);
    }
    LoadedServer server{path, handle, reinterpret_cast<PFN_DllGetClassObject>(getClassObject),
                        reinterpret_cast<PFN_DllCanUnloadNow>(dlsym(handle, "DllCanUnloadNow"))};
    Servers().push_back(server);
    *out = server;
    return S_OK;
}

std::string ClassKey(REFCLSID clsid)
{
    return "CLSID\\" + GuidToString(clsid);
}

}  // namespace

namespace com_internal {

HRESULT Fail(HRESULT hr, std::string reason)
{
    t_lastError = std::move(reason);
    return hr;
}

void ClearLastError()
{
    t_lastError.clear();
}

HRESULT FromRegistryError(long error, bool writing)
{
    if (error == ERROR_SUCCESS)
        return S_OK;
    if (error == ERROR_BADDB)
        return REGDB_E_READREGDB;
    return writing ? REGDB_E_WRITEREGDB : REGDB_E_READREGDB;
}

}  // namespace com_internal

using com_internal::Fail;

HRESULT CoInitialize(void*)
{
    com_internal::ClearLastError();
    return t_initCount++ == 0 ? S_OK : S_FALSE;
}

void CoUninitialize()
{
    if (t_initCount > 0)
        --t_initCount;
}

std::string CoGetLastErrorText()
{
    return t_lastError;
}

HRESULT CLSIDFromProgID(std::string_view progId, CLSID* clsid)
{
    com_internal::ClearLastError();
    if (clsid == nullptr)
        return E_INVALIDARG;
    const std::string name(progId);
    // An empty name would open HKEY_CLASSES_ROOT itself, a backslash some other key.
    if (name.empty() || name.find('\\') != std::string::npos) {
        return Fail(CO_E_CLASSSTRING, "Invalid programmatic identifier \"" + name + "\"");
    }
    HKEY key = nullptr;
    LONG rc = RegOpenKey(HKEY_CLASSES_ROOT, name, &key);
    if (rc == ERROR_FILE_NOT_FOUND) {
        return Fail(CO_E_CLASSSTRING, "No class is registered for \"" + name + "\"");
    }
    if (rc != ERROR_SUCCESS)
        return Fail(REGDB_E_READREGDB, RegLastErrorText());
    std::string text;
    rc = RegQueryDefault(key, "CLSID", &text);
    const std::string registryError = rc == ERROR_SUCCESS ? std::string() : RegLastErrorText();
    RegCloseKey(key);
    if (rc == ERROR_FILE_NOT_FOUND) {
        return Fail(REGDB_E_CLASSNOTREG, "\"" + name + "\" has no CLSID entry");
    }
    if (rc == ERROR_INVALID_PARAMETER) {
        return Fail(REGDB_E_READREGDB, "The CLSID entry of \"" + name + "\" is not a string");
    }
    if (rc != ERROR_SUCCESS)
        return Fail(REGDB_E_READREGDB, registryError);
    CLSID parsed{};
    if (!GuidFromString(text, &parsed)) {
        return Fail(CO_E_CLASSSTRING, "The CLSID entry of \"" + name + "\" is not a class identifier: " + text);
    }
    *clsid = parsed;
    return S_OK;
}

HRESULT CLSIDFromProgID(const char16_t* progId, CLSID* clsid)
{
    if (progId == nullptr) {
        return clsid == nullptr ? E_INVALIDARG : Fail(CO_E_CLASSSTRING, "Null programmatic identifier");
    }
    return CLSIDFromProgID(Utf8FromUtf16(progId), clsid);
}

HRESULT ProgIDFromCLSID(REFCLSID clsid, std::string* progId)
{
    com_internal::ClearLastError();
    if (progId == nullptr)
        return E_INVALIDARG;
    std::string text;
    const LONG rc = RegQueryDefault(HKEY_CLASSES_ROOT, ClassKey(clsid) + "\\ProgID", &text);
    if (rc == ERROR_FILE_NOT_FOUND || (rc == ERROR_SUCCESS && text.empty())) {
        return Fail(REGDB_E_CLASSNOTREG, "Class " + GuidToString(clsid) + " has no programmatic identifier");
    }
    if (rc == ERROR_INVALID_PARAMETER) {
        return Fail(REGDB_E_READREGDB, "The ProgID entry of class " + GuidToString(clsid) + " is not a string");
    }
    if (rc != ERROR_SUCCESS)
        return Fail(REGDB_E_READREGDB, RegLastErrorText());
    *progId = text;
    return S_OK;
}

HRESULT CLSIDFromString(std::string_view text, CLSID* clsid)
{
    com_internal::ClearLastError();
    if (clsid == nullptr)
        return E_INVALIDARG;
    if (!text.empty() && text.front() == '{') {
        if (GuidFromString(text, clsid))
            return S_OK;
        return Fail(CO_E_CLASSSTRING, "Not a class identifier: " + std::string(text));
    }
    return CLSIDFromProgID(text, clsid);
}

HRESULT CoGetClassObject(REFCLSID clsid, DWORD clsctx, void*, REFIID iid, void** object)
{
    com_internal::ClearLastError();
    if (object == nullptr)
        return E_POINTER;
    *object = nullptr;
    if (t_initCount == 0)
        return Fail(CO_E_NOTINITIALIZED, "CoInitialize has not been called on this thread");
    if (clsid == CLSID_StdComponentCategoriesMgr) {
        return com_internal::GetCategoriesManagerClassObject(iid, object);
    }
    if ((clsctx & CLSCTX_INPROC_SERVER) == 0) {
        return Fail(REGDB_E_CLASSNOTREG, "Only in-process servers are available");
    }
    std::string path;
    const LONG rc = RegQueryDefault(HKEY_CLASSES_ROOT, ClassKey(clsid) + "\\InprocServer32", &path);
    if (rc == ERROR_FILE_NOT_FOUND) {
        return Fail(REGDB_E_CLASSNOTREG, "Class " + GuidToString(clsid) + " is not registered");
    }
    if (rc == ERROR_INVALID_PARAMETER) {
        return Fail(REGDB_E_READREGDB, "The InprocServer32 entry of class " + GuidToString(clsid) + " is not a string");
    }
    if (rc != ERROR_SUCCESS)
        return Fail(REGDB_E_READREGDB, RegLastErrorText());
    if (path.empty()) {
        return Fail(CO_E_DLLNOTFOUND, "Class " + GuidToString(clsid) + " names no server library");
    }

    std::lock_guard lock(ServersMutex());
    LoadedServer server{};
    if (HRESULT hr = LoadServer(path, &server); FAILED(hr))
        return hr;
    HRESULT hr = E_UNEXPECTED;
    try {
        hr = server.getClassObject(clsid, iid, object);
    } catch (...) {
        *object = nullptr;
        return Fail(CO_E_ERRORINDLL, "DllGetClassObject of " + path + " threw an exception");
    }
    if (FAILED(hr)) {
        *object = nullptr;
        return Fail(hr, "DllGetClassObject of " + path + " failed: " + HResultToString(hr));
    }
    return hr;
}

HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD clsctx, REFIID iid, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    *object = nullptr;
    // Held until the object exists, so that CoFreeUnusedLibraries on another thread cannot
    // close the library between the factory and the creation.
    std::lock_guard lock(ServersMutex());
    ComPtr<IClassFactory> factory;
    HRESULT hr = CoGetClassObject(clsid, clsctx, nullptr, IID_IClassFactory, factory.ReleaseAndGetAddressOfVoid());
    if (FAILED(hr))
        return hr;
    if (!factory)
        return Fail(E_UNEXPECTED, "The class factory of " + GuidToString(clsid) + " is null");
    try {
        hr = factory->CreateInstance(outer, iid, object);
    } catch (...) {
        hr = E_UNEXPECTED;
    }
    if (FAILED(hr)) {
        *object = nullptr;
        return Fail(hr, "Creating an object of class " + GuidToString(clsid) + " failed: " + HResultToString(hr));
    }
    return hr;
}

void CoFreeUnusedLibraries()
{
    std::lock_guard lock(ServersMutex());
    std::vector<LoadedServer>& servers = Servers();
    for (std::size_t i = 0; i < servers.size();) {
        HRESULT answer = S_FALSE;
        if (servers[i].canUnloadNow != nullptr) {
            try {
                answer = servers[i].canUnloadNow();
            } catch (...) {
                answer = S_FALSE;
            }
        }
        if (answer == S_OK) {
            void* handle = servers[i].handle;
            servers.erase(servers.begin() + static_cast<std::ptrdiff_t>(i));
            dlclose(handle);
        } else {
            ++i;
        }
    }
}

std::vector<std::string> CoLoadedServers()
{
    std::lock_guard lock(ServersMutex());
    std::vector<std::string> paths;
    for (const LoadedServer& server : Servers())
        paths.push_back(server.path);
    return paths;
}

std::string ModuleFileNameOf(const void* address)
{
    Dl_info info{};
    if (address == nullptr || dladdr(address, &info) == 0)
        return {};
    std::error_code ec;
    std::filesystem::path path;
    if (info.dli_fname != nullptr && info.dli_fname[0] != '\0') {
        path = std::filesystem::absolute(info.dli_fname, ec);
    } else {
        path = std::filesystem::read_symlink("/proc/self/exe", ec);  // the main program
    }
    return ec ? std::string() : path.lexically_normal().string();
}

}  // namespace snippo
