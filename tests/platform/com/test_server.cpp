// A tiny in-process server used by the runtime's tests: class "SnippoTest.Counter".
#include <atomic>
#include <cstdlib>
#include <string>

#include "platform/com/com.h"
#include "platform/com/server.h"
#include "platform/registry/registry.h"

using namespace snippo;

namespace {

constexpr CLSID kCounterClsid = {0x6B1F3A10, 0x2C4D, 0x4E5F, {0x90, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E, 0x6F, 0x70}};
constexpr CATID kTestCategory = {0x6B1F3A11, 0x2C4D, 0x4E5F, {0x90, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E, 0x6F, 0x71}};
constexpr const char* kProgId = "SnippoTest.Counter";

std::atomic<int> g_objects{0};
std::atomic<int> g_locks{0};
std::atomic<int> g_canUnloadCalls{0};

class Counter : public DispatchObject<Counter> {
public:
    Counter() { ++g_objects; }
    ~Counter() { --g_objects; }

    static const DispatchTable<Counter>& DispatchMap()
    {
        static const DispatchTable<Counter> table{
            {1, "Value", DispProperty(&Counter::GetValue, &Counter::SetValue)},
            {2, "Subtract", DispMethod(&Counter::Subtract)},
            {3, "Describe", DispMethod(&Counter::Describe)},
            {4, "Fail", DispMethod(&Counter::Fail)},
        };
        return table;
    }

    std::int32_t GetValue() const { return value_; }
    void SetValue(std::int32_t value) { value_ = value; }
    std::int32_t Subtract(std::int32_t a, std::int32_t b) { return a - b; }
    std::string Describe(const std::string& label, std::int16_t n) { return label + ":" + std::to_string(n); }
    HRESULT Fail(DispatchCall& call) { return call.Raise("counter failure"); }

private:
    std::int32_t value_ = 0;
};

class Factory final : public IClassFactory {
public:
    HRESULT QueryInterface(REFIID iid, void** object) override
    {
        if (object == nullptr)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IClassFactory) {
            *object = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // A client's reference to the factory keeps the library, like a lock.
    ULONG AddRef() override { return static_cast<ULONG>(++g_locks); }
    ULONG Release() override { return static_cast<ULONG>(--g_locks); }
    HRESULT CreateInstance(IUnknown* outer, REFIID iid, void** object) override
    {
        if (object == nullptr)
            return E_POINTER;
        *object = nullptr;
        if (outer != nullptr)
            return CLASS_E_NOAGGREGATION;
        auto* counter = new Counter;
        const HRESULT hr = counter->QueryInterface(iid, object);
        counter->Release();
        return hr;
    }
    HRESULT LockServer(BOOL lock) override
    {
        lock ? ++g_locks : --g_locks;
        return S_OK;
    }
};

Factory g_factory;

std::string ClassKey()
{
    return "CLSID\\" + GuidToString(kCounterClsid);
}

}  // namespace

extern "C" {

HRESULT DllGetClassObject(REFCLSID clsid, REFIID iid, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    *object = nullptr;
    if (clsid != kCounterClsid)
        return CLASS_E_CLASSNOTAVAILABLE;
    return g_factory.QueryInterface(iid, object);
}

HRESULT DllCanUnloadNow()
{
    ++g_canUnloadCalls;
    return g_objects == 0 && g_locks == 0 ? S_OK : S_FALSE;
}

HRESULT DllRegisterServer()
{
    if (std::getenv("COM_TEST_SERVER_FAIL") != nullptr)
        return E_FAIL;
    RegSetDefault(HKEY_CLASSES_ROOT, std::string(kProgId) + "\\CLSID", GuidToString(kCounterClsid));
    RegSetDefault(HKEY_CLASSES_ROOT, ClassKey() + "\\ProgID", kProgId);
    RegSetDefault(HKEY_CLASSES_ROOT, ClassKey() + "\\InProcServer32",
                  ModuleFileNameOf(reinterpret_cast<const void*>(&DllRegisterServer)));
    ComPtr<ICatRegister> categories;
    HRESULT hr = CoCreateInstance(CLSID_StdComponentCategoriesMgr, nullptr, CLSCTX_INPROC_SERVER, &categories);
    if (FAILED(hr))
        return hr;
    CATID catid = kTestCategory;
    return categories->RegisterClassImplCategories(kCounterClsid, 1, &catid);
}

HRESULT DllUnregisterServer()
{
    RegDeleteTree(HKEY_CLASSES_ROOT, kProgId);
    if (RegDeleteTree(HKEY_CLASSES_ROOT, ClassKey()) != ERROR_SUCCESS)
        return REGDB_E_CLASSNOTREG;
    return S_OK;
}

// For the tests only, found by name.
int TestServerCanUnloadCalls();
int TestServerObjects();
int TestServerCanUnloadCalls()
{
    return g_canUnloadCalls;
}
int TestServerObjects()
{
    return g_objects;
}

}  // extern "C"
