// The recent-file list of the File menu: at most N full paths, most recent first, kept in the
// settings section "Recent File List" as "File1", "File2", ...
#pragma once

#include "host/profile.h"

#include <QString>
#include <QStringList>

namespace snippo {

class CRecentFileList {
public:
    CRecentFileList(const CProfile& profile, QString section, int maxEntries);

    void ReadList();
    void WriteList() const;
    // Puts `path` first (moving it up when it is listed already) and drops the oldest entry
    // beyond the maximum.
    void Add(const QString& path);
    void Remove(int index);
    int GetSize() const { return static_cast<int>(m_arrNames.size()); }
    const QString& operator[](int index) const { return m_arrNames[index]; }

    // The text of menu entry `index`: "&1 " and the path, shortened to the file name when it
    // lies in `currentDir`, and to "first folder/.../name" when longer than `maxLength`
    // characters.
    QString MenuText(int index, const QString& currentDir, int maxLength = 30) const;

private:
    const CProfile& m_profile;
    QString m_strSection;
    int m_nMaxEntries;
    QStringList m_arrNames;
};

}  // namespace snippo
