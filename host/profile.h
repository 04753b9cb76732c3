// The program's settings: values in HKEY_CURRENT_USER under
// "Software\<registry key>\<application title>\<section>", as integers (DWORD, negative
// numbers in two's complement) and strings. Reads give the default for a missing value or a
// value of the other type; failed writes are silently lost.
#pragma once

#include <string>

namespace snippo {

class CProfile {
public:
    CProfile(std::string registryKey, std::string appTitle);

    int GetProfileInt(const std::string& section, const std::string& entry, int defaultValue) const;
    std::string GetProfileString(const std::string& section, const std::string& entry,
                                 const std::string& defaultValue) const;
    bool WriteProfileInt(const std::string& section, const std::string& entry, int value) const;
    bool WriteProfileString(const std::string& section, const std::string& entry, const std::string& value) const;
    // Removes `entry` from `section` (for the recent-file list).
    void DeleteProfileEntry(const std::string& section, const std::string& entry) const;

    // "Software\Quillon\Tessaly GlimButton\<section>"
    std::string SectionPath(const std::string& section) const;

private:
    std::string m_strRegistryKey;
    std::string m_strAppTitle;
};

}  // namespace snippo
