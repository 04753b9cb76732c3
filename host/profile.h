// The program's settings: values in HKEY_CURRENT_USER under
// "Software\<registry key>\<application title>\<section>", as integers (DWORD, negative
// numbers in two's complement) and strings. Reads give the default for a missing value or a
// value of the other type; failed writes are silently lost. Names and strings are stored in
// UTF-8.
#pragma once

#include <QString>

namespace snippo {

class CProfile {
public:
    CProfile(QString registryKey, QString appTitle);

    int GetProfileInt(const QString& section, const QString& entry, int defaultValue) const;
    QString GetProfileString(const QString& section, const QString& entry, const QString& defaultValue) const;
    bool WriteProfileInt(const QString& section, const QString& entry, int value) const;
    bool WriteProfileString(const QString& section, const QString& entry, const QString& value) const;
    // Removes `entry` from `section` (for the recent-file list).
    void DeleteProfileEntry(const QString& section, const QString& entry) const;

    // "Software\Quillon\Tessaly GlimButton\<section>"
    QString SectionPath(const QString& section) const;

private:
    QString m_strRegistryKey;
    QString m_strAppTitle;
};

}  // namespace snippo
