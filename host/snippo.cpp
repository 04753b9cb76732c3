#include "host/snippo.h"

#include "host/automation_error.h"
#include "host/prompt_service.h"
#include "host/resource.h"

#include "platform/com/dispatch.h"
#include "platform/com/runtime.h"
#include "platform/com/string_resources.h"
#include "platform/registry/registry.h"

#include <QApplication>

#include <algorithm>
#include <cctype>
#include <ctime>
#include <filesystem>

namespace snippo {

namespace fs = std::filesystem;

namespace {

bool fileExists(const std::string& path)
{
    std::error_code ec;
    return !path.empty() && fs::is_regular_file(path, ec);
}

// "name.QWD" and "name.qwd" alike, as the template folder is searched by pattern.
bool hasExtension(const fs::path& path, const std::string& extension)
{
    std::string ext = path.extension().string();
    std::string want = "." + extension;
    return ext.size() == want.size() && std::equal(ext.begin(), ext.end(), want.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
           });
}

}  // namespace

double CurrentOleDate()
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    // Whole days between 30 December 1899 and today, by the civil calendar.
    auto daysFromCivil = [](int y, unsigned m, unsigned d) {
        y -= m <= 2;
        const int era = (y >= 0 ? y : y - 399) / 400;
        const unsigned yoe = static_cast<unsigned>(y - era * 400);
        const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
        const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
        return era * 146097 + static_cast<int>(doe) - 719468;
    };
    int days = daysFromCivil(local.tm_year + 1900, static_cast<unsigned>(local.tm_mon + 1),
                             static_cast<unsigned>(local.tm_mday)) -
               daysFromCivil(1899, 12, 30);
    double seconds = local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec;
    return days + seconds / 86400.0;
}

bool CSnippo::CreateDispatch(const std::string& progId)
{
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(progId, &clsid)))
        return false;
    std::string registeredId;
    if (FAILED(ProgIDFromCLSID(clsid, &registeredId)))
        return false;
    m_strProgID = registeredId;
    m_clsid = clsid;

    HKEY classKey = nullptr;
    if (RegOpenKey(HKEY_CLASSES_ROOT, "CLSID\\" + GuidToString(clsid), &classKey) != ERROR_SUCCESS)
        return false;
    std::string libraryPath;
    HKEY serverKey = nullptr;
    if (RegOpenKey(classKey, "InprocServer32", &serverKey) == ERROR_SUCCESS) {
        if (RegQueryString(serverKey, "", &libraryPath) != ERROR_SUCCESS || libraryPath.size() >= 520)
            libraryPath.clear();
        RegCloseKey(serverKey);
    }
    RegCloseKey(classKey);
    std::size_t slash = libraryPath.find_last_of('/');
    m_strServerFolder = slash == std::string::npos ? std::string() : libraryPath.substr(0, slash);

    m_strSamplePage.clear();
    if (fileExists(libraryPath)) {
        std::string sample = m_strServerFolder + "/Sample/sample.htm";
        if (fileExists(sample))
            m_strSamplePage = sample;
    }

    if (!m_dispatch) {
        HRESULT hr = CoCreateInstance(m_clsid, nullptr, CLSCTX_INPROC_SERVER, &m_dispatch);
        if (FAILED(hr)) {
            m_dispatch.Reset();
            AskUser(QApplication::activeWindow(),
                    QCoreApplication::translate("snippo::CSnippo", "Create Dispatch of the %1 Error!")
                        .arg(QString::fromStdString(m_strProgID)));
            return false;
        }
    }

    // The widget's texts live in its own library's string table.
    auto module = static_cast<std::uint32_t>(GetResourceInstance());
    m_strTypeText = LoadStringResource(module, static_cast<std::uint32_t>(GetSnippoTypeID()));
    m_strNameText = LoadStringResource(module, static_cast<std::uint32_t>(GetSnippoNameID()));
    m_strMessageText = LoadStringResource(module, static_cast<std::uint32_t>(GetMessageTextID()));
    m_strMenuText = LoadStringResource(module, static_cast<std::uint32_t>(GetMenuTextID()));

    SetTitle("Normal");
    SetDescription("");
    return true;
}

bool CSnippo::Renew()
{
    ComPtr<IDispatch> fresh;
    if (FAILED(CoCreateInstance(m_clsid, nullptr, CLSCTX_INPROC_SERVER, &fresh)) || !fresh)
        return false;
    m_dispatch = std::move(fresh);
    return true;
}

void CSnippo::ListTemplates(std::vector<std::string>& names, std::vector<std::string>& descriptions,
                            std::vector<std::string>& paths)
{
    names.clear();
    descriptions.clear();
    paths.clear();
    if (m_strServerFolder.empty())
        return;
    std::error_code ec;
    fs::directory_iterator it(m_strServerFolder, ec);
    if (ec)
        return;
    std::vector<std::string> files;  // gathered first: reading may write nothing, but be safe
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec)
            break;
        if (hasExtension(it->path(), text::kTemplateExtension))
            files.push_back(it->path().string());
    }
    for (const std::string& file : files) {
        if (!Renew())
            break;
        if (!ReadConfigFile(file))
            continue;
        if (GetProgID() != m_strProgID)
            continue;
        names.push_back(GetTitle());
        descriptions.push_back(GetDescription());
        paths.push_back(file);
    }
}

Variant CSnippo::Invoke(DISPID id, WORD flags, const std::vector<Variant>& args)
{
    if (!m_dispatch)
        throw CAutomationException(E_POINTER, "");
    Variant result;
    std::string errorText;
    HRESULT hr = AutomationInvoke(m_dispatch.Get(), id, flags, args, &result, &errorText);
    if (FAILED(hr))
        throw CAutomationException(hr, errorText);
    return result;
}

std::string CSnippo::GetString(DISPID id)
{
    return CallString(id, {});
}

void CSnippo::PutString(DISPID id, const std::string& value)
{
    Invoke(id, DISPATCH_PROPERTYPUT, {Variant(value)});
}

std::string CSnippo::CallString(DISPID id, const std::vector<Variant>& args)
{
    Variant result = Invoke(id, args.empty() ? DISPATCH_PROPERTYGET | DISPATCH_METHOD : DISPATCH_METHOD, args);
    std::string text;
    if (HRESULT hr = result.ToUtf8(&text); FAILED(hr))
        throw CAutomationException(hr, "");
    return text;
}

std::int32_t CSnippo::CallLong(DISPID id)
{
    std::int32_t value = 0;
    if (HRESULT hr = Invoke(id, DISPATCH_METHOD).ToI4(&value); FAILED(hr))
        throw CAutomationException(hr, "");
    return value;
}

std::int16_t CSnippo::CallShort(DISPID id)
{
    std::int16_t value = 0;
    if (HRESULT hr = Invoke(id, DISPATCH_METHOD).ToI2(&value); FAILED(hr))
        throw CAutomationException(hr, "");
    return value;
}

bool CSnippo::CallBool(DISPID id, const std::vector<Variant>& args)
{
    bool value = false;
    if (HRESULT hr = Invoke(id, DISPATCH_METHOD, args).ToBool(&value); FAILED(hr))
        throw CAutomationException(hr, "");
    return value;
}

std::string CSnippo::GetProgID()
{
    return GetString(dispid::ProgID);
}
void CSnippo::SetProgID(const std::string& value)
{
    PutString(dispid::ProgID, value);
}
std::string CSnippo::GetTitle()
{
    return GetString(dispid::Title);
}
void CSnippo::SetTitle(const std::string& value)
{
    PutString(dispid::Title, value);
}
std::string CSnippo::GetDescription()
{
    return GetString(dispid::Description);
}
void CSnippo::SetDescription(const std::string& value)
{
    PutString(dispid::Description, value);
}
std::string CSnippo::GetPreviewPath()
{
    return GetString(dispid::PreviewPath);
}
void CSnippo::SetPreviewPath(const std::string& value)
{
    PutString(dispid::PreviewPath, value);
}

bool CSnippo::GetWebRuntime()
{
    try {
        bool on = false;
        return SUCCEEDED(Invoke(dispid::WebRuntime, DISPATCH_PROPERTYGET).ToBool(&on)) && on;
    } catch (const CAutomationException& e) {
        if (e.m_hr == DISP_E_MEMBERNOTFOUND)
            return false;
        throw;
    }
}

void CSnippo::SetWebRuntime(bool on)
{
    try {
        Invoke(dispid::WebRuntime, DISPATCH_PROPERTYPUT, {Variant(on)});
    } catch (const CAutomationException& e) {
        if (e.m_hr != DISP_E_MEMBERNOTFOUND)
            throw;
    }
}

void CSnippo::SetLastUpdateTime(double date)
{
    Invoke(dispid::LastUpdateTime, DISPATCH_PROPERTYPUT, {Variant(OleDate{date})});
}

bool CSnippo::ReadConfigFile(const std::string& path)
{
    return CallBool(dispid::ReadConfigFile, {Variant(path)});
}
bool CSnippo::WriteConfigFile(const std::string& path)
{
    // A widget that answers true without leaving a file must not pass for having saved.
    return CallBool(dispid::WriteConfigFile, {Variant(path)}) && fileExists(path);
}
bool CSnippo::Config()
{
    return CallBool(dispid::Config, {});
}
std::int32_t CSnippo::GetSnippoTypeID()
{
    return CallLong(dispid::GetSnippoTypeID);
}
std::int32_t CSnippo::GetSnippoNameID()
{
    return CallLong(dispid::GetSnippoNameID);
}
std::int32_t CSnippo::GetMenuTextID()
{
    return CallLong(dispid::GetMenuTextID);
}
std::int32_t CSnippo::GetMessageTextID()
{
    return CallLong(dispid::GetMessageTextID);
}
std::int16_t CSnippo::GetHTMLSegmentNumber()
{
    return CallShort(dispid::GetHTMLSegmentNumber);
}

std::string CSnippo::GetHTMLPosition(std::int16_t segment)
{
    return CallString(dispid::GetHTMLPosition, {Variant(segment)});
}

std::string CSnippo::GetHTMLBody(std::int16_t segment, std::int16_t kind)
{
    return CallString(dispid::GetHTMLBody, {Variant(segment), Variant(kind)});
}

std::int32_t CSnippo::GetResourceInstance()
{
    return CallLong(dispid::GetResourceInstance);
}
std::int16_t CSnippo::GetResourceNumber()
{
    return CallShort(dispid::GetResourceNumber);
}

std::string CSnippo::GetResourceName(std::int16_t index)
{
    return CallString(dispid::GetResourceName, {Variant(index)});
}

std::string CSnippo::GetResourceLocalPath(std::int16_t index)
{
    return CallString(dispid::GetResourceLocalPath, {Variant(index)});
}

std::string CSnippo::GetResourceWebPath(std::int16_t index)
{
    return CallString(dispid::GetResourceWebPath, {Variant(index)});
}

}  // namespace snippo
