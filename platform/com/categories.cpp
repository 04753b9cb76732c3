// The standard component categories manager, built into the runtime. It keeps
//   HKEY_CLASSES_ROOT\Component Categories\{catid}     value "<lcid in hex>" = description
//   HKEY_CLASSES_ROOT\CLSID\{clsid}\Implemented Categories\{catid}
//   HKEY_CLASSES_ROOT\CLSID\{clsid}\Required Categories\{catid}
#include <atomic>
#include <cstdio>
#include <iterator>
#include <new>

#include "platform/com/bstr.h"
#include "platform/com/interfaces.h"
#include "platform/com/runtime_internal.h"
#include "platform/registry/registry.h"

namespace snippo {

namespace {

using com_internal::Fail;
using com_internal::FromRegistryError;

HRESULT RegistryFailure(LONG rc, bool writing, const std::string& key)
{
    return Fail(FromRegistryError(rc, writing), "Registry key " + key + ": " + RegLastErrorText());
}

HRESULT CreateKeyPath(const std::string& path)
{
    HKEY key = nullptr;
    const LONG rc = RegCreateKey(HKEY_CLASSES_ROOT, path, &key);
    if (rc != ERROR_SUCCESS)
        return RegistryFailure(rc, true, path);
    RegCloseKey(key);
    return S_OK;
}

// A key that is already gone counts as removed.
HRESULT DeleteKeyPath(const std::string& path)
{
    const LONG rc = RegDeleteTree(HKEY_CLASSES_ROOT, path);
    if (rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND)
        return S_OK;
    return RegistryFailure(rc, true, path);
}

class CategoriesManager final : public ICatRegister {
public:
    HRESULT QueryInterface(REFIID iid, void** object) override
    {
        if (object == nullptr)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_ICatRegister) {
            *object = static_cast<ICatRegister*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return ++refs_; }
    ULONG Release() override
    {
        const ULONG left = --refs_;
        if (left == 0)
            delete this;
        return left;
    }

    HRESULT RegisterCategories(ULONG count, CATEGORYINFO* categories) override
    {
        if (count > 0 && categories == nullptr)
            return E_POINTER;
        for (ULONG i = 0; i < count; ++i) {
            const CATEGORYINFO& info = categories[i];
            const std::string path = "Component Categories\\" + GuidToString(info.catid);
            HKEY key = nullptr;
            LONG rc = RegCreateKey(HKEY_CLASSES_ROOT, path, &key);
            if (rc != ERROR_SUCCESS)
                return RegistryFailure(rc, true, path);
            char valueName[16];
            std::snprintf(valueName, sizeof valueName, "%X", static_cast<unsigned>(info.lcid));
            // Read at most the array, whether or not the caller terminated it.
            std::size_t length = 0;
            while (length < std::size(info.szDescription) && info.szDescription[length] != 0)
                ++length;
            rc = RegSetString(key, valueName, Utf8FromUtf16(std::u16string_view(info.szDescription, length)));
            RegCloseKey(key);
            if (rc != ERROR_SUCCESS)
                return RegistryFailure(rc, true, path);
        }
        return S_OK;
    }

    HRESULT UnRegisterCategories(ULONG count, CATID* catids) override
    {
        if (count > 0 && catids == nullptr)
            return E_POINTER;
        for (ULONG i = 0; i < count; ++i) {
            if (HRESULT hr = DeleteKeyPath("Component Categories\\" + GuidToString(catids[i])); FAILED(hr))
                return hr;
        }
        return S_OK;
    }

    HRESULT RegisterClassImplCategories(REFCLSID clsid, ULONG count, CATID* catids) override
    {
        return AddClassCategories(clsid, "Implemented Categories", count, catids);
    }
    HRESULT UnRegisterClassImplCategories(REFCLSID clsid, ULONG count, CATID* catids) override
    {
        return RemoveClassCategories(clsid, "Implemented Categories", count, catids);
    }
    HRESULT RegisterClassReqCategories(REFCLSID clsid, ULONG count, CATID* catids) override
    {
        return AddClassCategories(clsid, "Required Categories", count, catids);
    }
    HRESULT UnRegisterClassReqCategories(REFCLSID clsid, ULONG count, CATID* catids) override
    {
        return RemoveClassCategories(clsid, "Required Categories", count, catids);
    }

private:
    ~CategoriesManager() = default;

    static HRESULT AddClassCategories(REFCLSID clsid, const char* kind, ULONG count, CATID* catids)
    {
        if (count > 0 && catids == nullptr)
            return E_POINTER;
        const std::string base = "CLSID\\" + GuidToString(clsid) + "\\" + kind + "\\";
        for (ULONG i = 0; i < count; ++i) {
            if (HRESULT hr = CreateKeyPath(base + GuidToString(catids[i])); FAILED(hr))
                return hr;
        }
        return S_OK;
    }

    // Removes the category keys only; the "Implemented Categories" key itself stays.
    static HRESULT RemoveClassCategories(REFCLSID clsid, const char* kind, ULONG count, CATID* catids)
    {
        if (count > 0 && catids == nullptr)
            return E_POINTER;
        const std::string base = "CLSID\\" + GuidToString(clsid) + "\\" + kind + "\\";
        for (ULONG i = 0; i < count; ++i) {
            if (HRESULT hr = DeleteKeyPath(base + GuidToString(catids[i])); FAILED(hr))
                return hr;
        }
        return S_OK;
    }

    std::atomic<ULONG> refs_{1};
};

// One process-wide factory; it lives as long as the process, so counting is a formality.
class CategoriesManagerFactory final : public IClassFactory {
public:
    HRESULT QueryInterface(REFIID iid, void** object) override
    {
        if (object == nullptr)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IClassFactory) {
            *object = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return 2; }
    ULONG Release() override { return 1; }
    HRESULT CreateInstance(IUnknown* outer, REFIID iid, void** object) override
    {
        if (object == nullptr)
            return E_POINTER;
        *object = nullptr;
        if (outer != nullptr)
            return CLASS_E_NOAGGREGATION;
        auto* manager = new (std::nothrow) CategoriesManager;
        if (manager == nullptr)
            return E_OUTOFMEMORY;
        const HRESULT hr = manager->QueryInterface(iid, object);
        manager->Release();
        return hr;
    }
    HRESULT LockServer(BOOL) override { return S_OK; }
};

}  // namespace

HRESULT com_internal::GetCategoriesManagerClassObject(REFIID iid, void** object)
{
    static CategoriesManagerFactory factory;
    return factory.QueryInterface(iid, object);
}

}  // namespace snippo
