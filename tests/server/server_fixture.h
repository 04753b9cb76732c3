// Loads the real server library through the object runtime, with a private registry.
#pragma once

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "platform/com/dispatch.h"
#include "platform/com/runtime.h"
#include "platform/com/server.h"
#include "platform/com/string_resources.h"
#include "platform/registry/registry.h"

namespace snippo::test {

inline const CLSID kGlimButtonClsid = {0xB2471160, 0xD234, 0x11D2, {0xB4, 0x81, 0x00, 0x40, 0x05, 0x33, 0xCD, 0xD6}};
inline constexpr const char* kClsidText = "{B2471160-D234-11D2-B481-00400533CDD6}";
inline constexpr const char* kCatidText = "{2542EDC1-7EFB-11D2-8CA5-0088CC081531}";

// The library's own entry points, for the tests that call them directly.
struct ServerEntryPoints {
    void* handle = nullptr;
    PFN_DllGetClassObject getClassObject = nullptr;
    PFN_DllCanUnloadNow canUnloadNow = nullptr;
    PFN_DllRegisterServer registerServer = nullptr;
    PFN_DllUnregisterServer unregisterServer = nullptr;

    static ServerEntryPoints& Get()
    {
        static ServerEntryPoints e = [] {
            ServerEntryPoints p;
            p.handle = dlopen(SNIPPO_SERVER_LIBRARY, RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
            if (!p.handle)
                return p;
            p.getClassObject = reinterpret_cast<PFN_DllGetClassObject>(dlsym(p.handle, "DllGetClassObject"));
            p.canUnloadNow = reinterpret_cast<PFN_DllCanUnloadNow>(dlsym(p.handle, "DllCanUnloadNow"));
            p.registerServer = reinterpret_cast<PFN_DllRegisterServer>(dlsym(p.handle, "DllRegisterServer"));
            p.unregisterServer = reinterpret_cast<PFN_DllUnregisterServer>(dlsym(p.handle, "DllUnregisterServer"));
            return p;
        }();
        return e;
    }
};

class ServerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/snippo-server-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_dir = pattern;
        std::filesystem::create_directories(m_dir + "/registry");
        setenv("SNIPPO_REGISTRY", (m_dir + "/registry").c_str(), 1);
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        ServerEntryPoints& e = ServerEntryPoints::Get();
        ASSERT_NE(e.handle, nullptr) << dlerror();
        ASSERT_NE(e.registerServer, nullptr);
    }
    void TearDown() override
    {
        CoFreeUnusedLibraries();
        CoUninitialize();
        std::error_code ec;
        std::filesystem::remove_all(m_dir, ec);
    }

    void Register() { ASSERT_EQ(ServerEntryPoints::Get().registerServer(), S_OK); }

    ComPtr<IDispatch> Create()
    {
        CLSID clsid{};
        EXPECT_EQ(CLSIDFromProgID("SnippoServer.GlimButton", &clsid), S_OK);
        ComPtr<IDispatch> object;
        EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, &object), S_OK) << CoGetLastErrorText();
        return object;
    }

    std::string Default(const std::string& key)
    {
        std::string value;
        if (RegQueryDefault(HKEY_CLASSES_ROOT, key, &value) != ERROR_SUCCESS)
            return "<missing>";
        return value;
    }

    std::string m_dir;
};

// One call through IDispatch::Invoke, with the arguments as the caller writes them.
inline HRESULT Call(IDispatch* o, DISPID id, std::vector<Variant> args = {}, Variant* result = nullptr)
{
    return AutomationInvoke(o, id, DISPATCH_METHOD, args, result);
}

inline std::string CallText(IDispatch* o, DISPID id, std::vector<Variant> args = {})
{
    Variant r;
    HRESULT hr = Call(o, id, std::move(args), &r);
    EXPECT_EQ(hr, S_OK) << HResultToString(hr);
    std::string text;
    EXPECT_EQ(r.vt(), VT_BSTR);
    r.ToUtf8(&text);
    return text;
}

inline std::int32_t CallInt(IDispatch* o, DISPID id, std::vector<Variant> args = {}, VARTYPE expected = VT_I4)
{
    Variant r;
    HRESULT hr = Call(o, id, std::move(args), &r);
    EXPECT_EQ(hr, S_OK) << HResultToString(hr);
    EXPECT_EQ(r.vt(), expected);
    std::int32_t v = -12345;
    r.ToI4(&v);
    return v;
}

inline bool CallBool(IDispatch* o, DISPID id, std::vector<Variant> args = {})
{
    Variant r;
    HRESULT hr = Call(o, id, std::move(args), &r);
    EXPECT_EQ(hr, S_OK) << HResultToString(hr);
    EXPECT_EQ(r.vt(), VT_BOOL);
    bool b = false;
    r.ToBool(&b);
    return b;
}

}  // namespace snippo::test
