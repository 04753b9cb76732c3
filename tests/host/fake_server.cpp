// A stand-in for the widget server library, registered by the host's tests in place of the
// real one. Files are "key=value" lines; writing a file also places a support file beside it.
#include "fake_widget.h"

#include "platform/com/com.h"
#include "platform/com/server.h"

#include <fstream>
#include <map>

using namespace snippo;

namespace {

constexpr CLSID kFakeClsid = {0x3D0C1E2F, 0x4A5B, 0x4C6D, {0x8E, 0x9F, 0x01, 0x12, 0x23, 0x34, 0x45, 0x56}};

FakeWidgetControl g_control;
std::uint32_t g_module = 0;

std::string folderOf(const std::string& path)
{
    std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

class CFakeGlimButton : public DispatchObject<CFakeGlimButton> {
public:
    CFakeGlimButton() { ++g_control.nLiveObjects; }
    ~CFakeGlimButton() { --g_control.nLiveObjects; }

    static const DispatchTable<CFakeGlimButton>& DispatchMap()
    {
        static const DispatchTable<CFakeGlimButton> table{
            {1, "ProgID", DispProperty(&CFakeGlimButton::Get<1>, &CFakeGlimButton::Put<1>)},
            {2, "Title", DispProperty(&CFakeGlimButton::Get<2>, &CFakeGlimButton::Put<2>)},
            {3, "Description", DispProperty(&CFakeGlimButton::Get<3>, &CFakeGlimButton::Put<3>)},
            {4, "BitmapFileName", DispProperty(&CFakeGlimButton::Get<4>, &CFakeGlimButton::Put<4>)},
            {5, "PreviewPath", DispProperty(&CFakeGlimButton::Get<5>, &CFakeGlimButton::Put<5>)},
            {6, "LastUpdateTime", DispProperty(&CFakeGlimButton::GetTime, &CFakeGlimButton::PutTime)},
            {7, "ReadConfigFile", DispMethod(&CFakeGlimButton::ReadConfigFile)},
            {8, "WriteConfigFile", DispMethod(&CFakeGlimButton::WriteConfigFile)},
            {9, "Config", DispMethod(&CFakeGlimButton::Config)},
            {10, "GetSnippoTypeID", DispMethod(&CFakeGlimButton::Id<1>)},
            {11, "GetSnippoNameID", DispMethod(&CFakeGlimButton::Id<2>)},
            {12, "GetMenuTextID", DispMethod(&CFakeGlimButton::Id<3>)},
            {13, "GetMessageTextID", DispMethod(&CFakeGlimButton::Id<4>)},
            {17, "GetHTMLSegmentNumber", DispMethod(&CFakeGlimButton::GetHTMLSegmentNumber)},
            {18, "GetHTMLPosition", DispMethod(&CFakeGlimButton::GetHTMLPosition)},
            {19, "GetHTMLBody", DispMethod(&CFakeGlimButton::GetHTMLBody)},
            {20, "GetResourceInstance", DispMethod(&CFakeGlimButton::GetResourceInstance)},
            {21, "GetResourceNumber", DispMethod(&CFakeGlimButton::GetResourceNumber)},
            {22, "GetResourceName", DispMethod(&CFakeGlimButton::Resource<0>)},
            {23, "GetResourceLocalPath", DispMethod(&CFakeGlimButton::Resource<1>)},
            {24, "GetResourceWebPath", DispMethod(&CFakeGlimButton::Resource<2>)},
        };
        return table;
    }

    HRESULT Invoke(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* info, UINT* argErr) override
    {
        if (id == g_control.nFailDispid) {
            if (g_control.strFailText.empty())
                return E_FAIL;
            DispatchCall call(id, flags, params, result, info, argErr);
            return call.Raise(g_control.strFailText);
        }
        return DispatchObject<CFakeGlimButton>::Invoke(id, flags, params, result, info, argErr);
    }

    template <int N> std::string Get() { return m_fields[N]; }
    template <int N> void Put(const std::string& value) { m_fields[N] = value; }
    OleDate GetTime() { return m_time; }
    void PutTime(OleDate value) { m_time = value; }
    template <int N> std::int32_t Id() { return N; }

    bool ReadConfigFile(const std::string& path)
    {
        g_control.calls.push_back("ReadConfigFile(" + path + ")");
        std::ifstream in(path, std::ios::binary);
        if (!in || g_control.bReadFails)
            return false;
        std::map<std::string, int> keys{
            {"ProgID", 1}, {"Title", 2}, {"Description", 3}, {"BitmapFileName", 4}, {"PreviewPath", 5}};
        std::string line;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            std::size_t eq = line.find('=');
            if (eq != std::string::npos && keys.count(line.substr(0, eq)))
                m_fields[keys[line.substr(0, eq)]] = line.substr(eq + 1);
        }
        return true;
    }

    bool WriteConfigFile(const std::string& path)
    {
        g_control.calls.push_back("WriteConfigFile(" + path + ")");
        if (g_control.bWriteFails || g_control.bWriteNothing)
            return g_control.bWriteNothing;
        std::ofstream(folderOf(path) + "/fake.class") << "support file";
        std::ofstream out(path, std::ios::binary);
        if (!out)
            return false;
        out << "ProgID=SnippoServer.GlimButton\r\nTitle=" << m_fields[2] << "\r\nDescription=" << m_fields[3]
            << "\r\nBitmapFileName=" << m_fields[4] << "\r\nPreviewPath=" << m_fields[5] << "\r\n";
        return static_cast<bool>(out);
    }

    bool Config()
    {
        g_control.calls.push_back("Config()");
        if (g_control.bConfigResult && !g_control.resourcesAfterConfig.empty())
            g_control.resources = g_control.resourcesAfterConfig;
        return g_control.bConfigResult;
    }

    std::int16_t GetHTMLSegmentNumber() { return static_cast<std::int16_t>(g_control.segments.size()); }

    std::string GetHTMLPosition(std::int16_t i)
    {
        return i >= 0 && i < GetHTMLSegmentNumber() ? g_control.segments[static_cast<std::size_t>(i)].first : "";
    }

    std::string GetHTMLBody(std::int16_t i, std::int16_t kind)
    {
        if (i < 0 || i >= GetHTMLSegmentNumber())
            return "";
        std::string body = g_control.segments[static_cast<std::size_t>(i)].second;
        std::size_t at = body.find("{PATH}");
        if (at != std::string::npos)
            body.replace(at, 6, kind == 1 ? std::string("web/") : m_fields[5]);
        return body;
    }

    std::int32_t GetResourceInstance() { return static_cast<std::int32_t>(g_module); }
    std::int16_t GetResourceNumber() { return static_cast<std::int16_t>(g_control.resources.size()); }

    template <int Column> std::string Resource(std::int16_t i)
    {
        return i >= 0 && i < GetResourceNumber() ? g_control.resources[static_cast<std::size_t>(i)][Column] : "";
    }

private:
    std::string m_fields[6];
    OleDate m_time;
};

class Factory final : public IClassFactory {
public:
    HRESULT QueryInterface(REFIID iid, void** object) override
    {
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
        *object = nullptr;
        if (outer != nullptr)
            return CLASS_E_NOAGGREGATION;
        auto* widget = new CFakeGlimButton;
        HRESULT hr = widget->QueryInterface(iid, object);
        widget->Release();
        return hr;
    }
    HRESULT LockServer(BOOL) override { return S_OK; }
};

Factory g_factory;

}  // namespace

extern "C" FakeWidgetControl* FakeWidget()
{
    return &g_control;
}

extern "C" __attribute__((visibility("default"))) HRESULT DllGetClassObject(REFCLSID clsid, REFIID iid, void** object)
{
    if (g_module == 0)
        g_module = RegisterStringTable(
            "fake_glim_button", {{1, "Fake Applet"}, {2, "Fake Button 1.0"}, {3, "Fake Menu"}, {4, "Fake message"}});
    if (clsid != kFakeClsid)
        return CLASS_E_CLASSNOTAVAILABLE;
    return g_factory.QueryInterface(iid, object);
}

extern "C" __attribute__((visibility("default"))) HRESULT DllCanUnloadNow()
{
    return S_FALSE;
}
