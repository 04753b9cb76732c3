#include "host/profile.h"

#include "platform/registry/registry.h"

#include <string>

namespace snippo {

namespace {

// The registry library keeps key names, value names and strings in UTF-8.
std::string utf8(const QString& text)
{
    return text.toStdString();
}

QString fromUtf8(const std::string& text)
{
    return QString::fromStdString(text);
}

}  // namespace

CProfile::CProfile(QString registryKey, QString appTitle)
    : m_strRegistryKey(std::move(registryKey)), m_strAppTitle(std::move(appTitle))
{
}

QString CProfile::SectionPath(const QString& section) const
{
    return "Software\\" + m_strRegistryKey + "\\" + m_strAppTitle + "\\" + section;
}

int CProfile::GetProfileInt(const QString& section, const QString& entry, int defaultValue) const
{
    HKEY key = nullptr;
    if (RegOpenKey(HKEY_CURRENT_USER, utf8(SectionPath(section)), &key) != ERROR_SUCCESS)
        return defaultValue;
    DWORD value = 0;
    LONG rc = RegQueryDword(key, utf8(entry), &value);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS ? static_cast<int>(value) : defaultValue;
}

QString CProfile::GetProfileString(const QString& section, const QString& entry, const QString& defaultValue) const
{
    HKEY key = nullptr;
    if (RegOpenKey(HKEY_CURRENT_USER, utf8(SectionPath(section)), &key) != ERROR_SUCCESS)
        return defaultValue;
    std::string value;
    LONG rc = RegQueryString(key, utf8(entry), &value);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS ? fromUtf8(value) : defaultValue;
}

bool CProfile::WriteProfileInt(const QString& section, const QString& entry, int value) const
{
    HKEY key = nullptr;
    if (RegCreateKey(HKEY_CURRENT_USER, utf8(SectionPath(section)), &key) != ERROR_SUCCESS)
        return false;
    LONG rc = RegSetDword(key, utf8(entry), static_cast<DWORD>(value));
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

bool CProfile::WriteProfileString(const QString& section, const QString& entry, const QString& value) const
{
    HKEY key = nullptr;
    if (RegCreateKey(HKEY_CURRENT_USER, utf8(SectionPath(section)), &key) != ERROR_SUCCESS)
        return false;
    LONG rc = RegSetString(key, utf8(entry), utf8(value));
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

void CProfile::DeleteProfileEntry(const QString& section, const QString& entry) const
{
    HKEY key = nullptr;
    if (RegOpenKey(HKEY_CURRENT_USER, utf8(SectionPath(section)), &key) != ERROR_SUCCESS)
        return;
    RegDeleteValue(key, utf8(entry));
    RegCloseKey(key);
}

}  // namespace snippo
