#include "host/recent_files.h"

namespace snippo {

namespace {

QString entryName(int number)
{
    return "File" + QString::number(number);
}

}  // namespace

CRecentFileList::CRecentFileList(const CProfile& profile, QString section, int maxEntries)
    : m_profile(profile), m_strSection(std::move(section)), m_nMaxEntries(maxEntries)
{
}

void CRecentFileList::ReadList()
{
    m_arrNames.clear();
    for (int i = 1; i <= m_nMaxEntries; ++i) {
        QString name = m_profile.GetProfileString(m_strSection, entryName(i), QString());
        if (!name.isEmpty() && !m_arrNames.contains(name))
            m_arrNames.push_back(name);
    }
}

void CRecentFileList::WriteList() const
{
    for (int i = 1; i <= m_nMaxEntries; ++i) {
        const QString entry = entryName(i);
        if (i <= GetSize())
            m_profile.WriteProfileString(m_strSection, entry, m_arrNames[i - 1]);
        else
            m_profile.DeleteProfileEntry(m_strSection, entry);
    }
}

void CRecentFileList::Add(const QString& path)
{
    if (path.isEmpty())
        return;
    m_arrNames.removeAll(path);
    m_arrNames.prepend(path);
    if (GetSize() > m_nMaxEntries)
        m_arrNames.resize(m_nMaxEntries);
}

void CRecentFileList::Remove(int index)
{
    if (index >= 0 && index < GetSize())
        m_arrNames.removeAt(index);
}

QString CRecentFileList::MenuText(int index, const QString& currentDir, int maxLength) const
{
    const QString& path = (*this)[index];
    const qsizetype slash = path.lastIndexOf('/');
    const QString folder = slash < 0 ? QString() : path.left(slash);
    const QString name = slash < 0 ? path : path.mid(slash + 1);
    QString shown = path;
    if (!currentDir.isEmpty() && folder == currentDir) {
        shown = name;
    } else if (path.size() > maxLength) {
        // Keep the first folder and the file name: "/home/.../widget.qwd".
        const qsizetype second = path.indexOf('/', 1);
        if (second >= 0 && second < slash)
            shown = path.left(second) + "/.../" + name;
    }
    // A '&' in a path would turn into a mnemonic.
    shown.replace('&', "&&");
    return "&" + QString::number(index + 1) + " " + shown;
}

}  // namespace snippo
