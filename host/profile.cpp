#include "host/profile.h"

#include "platform/registry/registry.h"

namespace snippo {

CProfile::CProfile(std::string registryKey, std::string appTitle)
    : m_strRegistryKey(std::move(registryKey)), m_strAppTitle(std::move(appTitle))
{
}

std::string CProfile::SectionPath(const std::string& section) const
{
    return "Software\\" + m_strRegistryKey + "\\" + m_strAppTitle + "\\" + section;
}

int CProfile::GetProfileInt(const std::string& section, const std::string& entry, int defaultValue) const
{
    HKEY key = nullptr;
    if (RegOpenKey(HKEY_CURRENT_USER, SectionPath(section), &key) != ERROR_SUCCESS)
        return defaultValue;
    DWORD value = 0;
    LONG rc = RegQueryDword(key, entry, &value);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS ? static_cast<int>(value) : defaultValue;
}

std::string CProfile::GetProfileString(const std::string& section, const std::string& entry,
                                       const std::string& defaultValue) const
{
    HKEY key = nullptr;
    if (RegOpenKey(HKEY_CURRENT_USER, SectionPath(section), &key) != ERROR_SUCCESS)
        return defaultValue;
    std::string value;
    LONG rc = RegQueryString(key, entry, &value);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS ? value : defaultValue;
}

bool CProfile::WriteProfileInt(const std::string& section, const std::string& entry, int value) const
{
    HKEY key = nullptr;
    if (RegCreateKey(HKEY_CURRENT_USER, SectionPath(section), &key) != ERROR_SUCCESS)
        return false;
    LONG rc = RegSetDword(key, entry, static_cast<DWORD>(value));
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

bool CProfile::WriteProfileString(const std::string& section, const std::string& entry, const std::string& value) const
{
    HKEY key = nullptr;
    if (RegCreateKey(HKEY_CURRENT_USER, SectionPath(section), &key) != ERROR_SUCCESS)
        return false;
    LONG rc = RegSetString(key, entry, value);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

void CProfile::DeleteProfileEntry(const std::string& section, const std::string& entry) const
{
    HKEY key = nullptr;
    if (RegOpenKey(HKEY_CURRENT_USER, SectionPath(section), &key) != ERROR_SUCCESS)
        return;
    RegDeleteValue(key, entry);
    RegCloseKey(key);
}

}  // namespace snippo
