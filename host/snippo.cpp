#include "host/snippo.h"

#include "host/automation_error.h"
#include "host/prompt_service.h"
#include "host/resource.h"

#include "platform/com/bstr.h"
#include "platform/com/dispatch.h"
#include "platform/com/runtime.h"
#include "platform/com/string_resources.h"
#include "platform/registry/registry.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include <ctime>

namespace snippo {

namespace {

// The object's text type is UTF-16, as QString's is: texts cross unchanged, embedded zeros
// and all. This pair is the only place where the host meets it.
Variant textArgument(const QString& text)
{
    Variant v;
    VARIANT* raw = v.Receive();
    raw->bstrVal = SysAllocStringLen(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<UINT>(text.size()));
    if (raw->bstrVal == nullptr)
        throw CAutomationException(E_OUTOFMEMORY, "");
    raw->vt = VT_BSTR;
    return v;
}

QString textResult(const Variant& result)
{
    VARIANT text;
    VariantInit(&text);
    if (HRESULT hr = VariantChangeType(&text, result.Get(), 0, VT_BSTR); FAILED(hr))
        throw CAutomationException(hr, "");
    QString value = QString::fromUtf16(text.bstrVal, static_cast<qsizetype>(SysStringLen(text.bstrVal)));
    VariantClear(&text);
    return value;
}

bool fileExists(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

// "name.QWD" and "name.qwd" alike, as the template folder is searched by pattern; a bare
// ".qwd" is a hidden file without an extension.
bool isTemplateFile(const QString& fileName)
{
    const QString extension = QString(".") + text::kTemplateExtension;
    return fileName.size() > extension.size() && fileName.endsWith(extension, Qt::CaseInsensitive);
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

bool CSnippo::CreateDispatch(const QString& progId)
{
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(progId.toStdString(), &clsid)))
        return false;
    std::string registeredId;
    if (FAILED(ProgIDFromCLSID(clsid, &registeredId)))
        return false;
    m_strProgID = QString::fromStdString(registeredId);
    m_clsid = clsid;

    // The registry keeps the library's path as UTF-8, as it is on disk.
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
    const QString library = QString::fromStdString(libraryPath);
    const qsizetype slash = library.lastIndexOf('/');
    m_strServerFolder = slash < 0 ? QString() : library.left(slash);

    m_strSamplePage.clear();
    if (fileExists(library)) {
        const QString sample = m_strServerFolder + "/Sample/sample.htm";
        if (fileExists(sample))
            m_strSamplePage = sample;
    }

    if (!m_dispatch) {
        HRESULT hr = CoCreateInstance(m_clsid, nullptr, CLSCTX_INPROC_SERVER, &m_dispatch);
        if (FAILED(hr)) {
            m_dispatch.Reset();
            AskUser(
                QApplication::activeWindow(),
                QCoreApplication::translate("snippo::CSnippo", "Create Dispatch of the %1 Error!").arg(m_strProgID));
            return false;
        }
    }

    // The widget's texts live in its own library's string table.
    auto module = static_cast<std::uint32_t>(GetResourceInstance());
    auto load = [module](std::int32_t id) {
        return QString::fromStdString(LoadStringResource(module, static_cast<std::uint32_t>(id)));
    };
    m_strTypeText = load(GetSnippoTypeID());
    m_strNameText = load(GetSnippoNameID());
    m_strMessageText = load(GetMessageTextID());
    m_strMenuText = load(GetMenuTextID());

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

QList<CTemplateEntry> CSnippo::ListTemplates()
{
    QList<CTemplateEntry> templates;
    if (m_strServerFolder.isEmpty())
        return templates;
    // Every entry, hidden ones and folders too: the widget decides what it can read.
    const QDir folder(m_strServerFolder, QString(), QDir::Unsorted,
                      QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    QStringList files;  // gathered first: reading may write nothing, but be safe
    for (const QString& name : folder.entryList())
        if (isTemplateFile(name))
            files << folder.filePath(name);
    for (const QString& file : files) {
        if (!Renew())
            break;
        if (!ReadConfigFile(file))
            continue;
        if (GetProgID() != m_strProgID)
            continue;
        templates.append({GetTitle(), GetDescription(), file});
    }
    return templates;
}

QString CSnippo::TemplatePath(const QString& name) const
{
    const QString folder = m_strServerFolder + "/";
    if (name.isEmpty())
        return folder;
    return folder + name + "_" + m_strProgID + "." + text::kTemplateExtension;
}

Variant CSnippo::Invoke(DISPID id, WORD flags, const std::vector<Variant>& args)
{
    if (!m_dispatch)
        throw CAutomationException(E_POINTER, "");
    Variant result;
    std::string errorText;
    HRESULT hr = AutomationInvoke(m_dispatch.Get(), id, flags, args, &result, &errorText);
    if (FAILED(hr))
        throw CAutomationException(hr, QString::fromStdString(errorText));
    return result;
}

QString CSnippo::GetString(DISPID id)
{
    return CallString(id, {});
}

void CSnippo::PutString(DISPID id, const QString& value)
{
    Invoke(id, DISPATCH_PROPERTYPUT, {textArgument(value)});
}

QString CSnippo::CallString(DISPID id, const std::vector<Variant>& args)
{
    return textResult(Invoke(id, args.empty() ? DISPATCH_PROPERTYGET | DISPATCH_METHOD : DISPATCH_METHOD, args));
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

QString CSnippo::GetProgID()
{
    return GetString(dispid::ProgID);
}
void CSnippo::SetProgID(const QString& value)
{
    PutString(dispid::ProgID, value);
}
QString CSnippo::GetTitle()
{
    return GetString(dispid::Title);
}
void CSnippo::SetTitle(const QString& value)
{
    PutString(dispid::Title, value);
}
QString CSnippo::GetDescription()
{
    return GetString(dispid::Description);
}
void CSnippo::SetDescription(const QString& value)
{
    PutString(dispid::Description, value);
}
QString CSnippo::GetPreviewPath()
{
    return GetString(dispid::PreviewPath);
}
void CSnippo::SetPreviewPath(const QString& value)
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

bool CSnippo::ReadConfigFile(const QString& path)
{
    return CallBool(dispid::ReadConfigFile, {textArgument(path)});
}
bool CSnippo::WriteConfigFile(const QString& path)
{
    // A widget that answers true without leaving a file must not pass for having saved.
    return CallBool(dispid::WriteConfigFile, {textArgument(path)}) && fileExists(path);
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

QString CSnippo::GetHTMLPosition(std::int16_t segment)
{
    return CallString(dispid::GetHTMLPosition, {Variant(segment)});
}

QString CSnippo::GetHTMLBody(std::int16_t segment, std::int16_t kind)
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

QString CSnippo::GetResourceName(std::int16_t index)
{
    return CallString(dispid::GetResourceName, {Variant(index)});
}

QString CSnippo::GetResourceLocalPath(std::int16_t index)
{
    return CallString(dispid::GetResourceLocalPath, {Variant(index)});
}

QString CSnippo::GetResourceWebPath(std::int16_t index)
{
    return CallString(dispid::GetResourceWebPath, {Variant(index)});
}

}  // namespace snippo
