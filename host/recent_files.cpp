#include "host/recent_files.h"

#include <algorithm>

namespace snippo {

CRecentFileList::CRecentFileList(const CProfile& profile, std::string section, int maxEntries)
    : m_profile(profile), m_strSection(std::move(section)), m_nMaxEntries(maxEntries)
{
}

void CRecentFileList::ReadList()
{
    m_arrNames.clear();
    for (int i = 1; i <= m_nMaxEntries; ++i) {
        std::string name = m_profile.GetProfileString(m_strSection, "File" + std::to_string(i), "");
        if (!name.empty() && std::find(m_arrNames.begin(), m_arrNames.end(), name) == m_arrNames.end())
            m_arrNames.push_back(name);
    }
}

void CRecentFileList::WriteList() const
{
    for (int i = 1; i <= m_nMaxEntries; ++i) {
        std::string entry = "File" + std::to_string(i);
        if (i <= GetSize())
            m_profile.WriteProfileString(m_strSection, entry, m_arrNames[static_cast<std::size_t>(i - 1)]);
        else
            m_profile.DeleteProfileEntry(m_strSection, entry);
    }
}

void CRecentFileList::Add(const std::string& path)
{
    if (path.empty())
        return;
    m_arrNames.erase(std::remove(m_arrNames.begin(), m_arrNames.end(), path), m_arrNames.end());
    m_arrNames.insert(m_arrNames.begin(), path);
    if (GetSize() > m_nMaxEntries)
        m_arrNames.resize(static_cast<std::size_t>(m_nMaxEntries));
}

void CRecentFileList::Remove(int index)
{
    if (index >= 0 && index < GetSize())
        m_arrNames.erase(m_arrNames.begin() + index);
}

std::string CRecentFileList::MenuText(int index, const std::string& currentDir, std::size_t maxLength) const
{
    const std::string& path = (*this)[index];
    std::size_t slash = path.find_last_of('/');
    std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash);
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    std::string shown = path;
    if (!currentDir.empty() && folder == currentDir) {
        shown = name;
    } else if (path.size() > maxLength) {
        // Keep the first folder and the file name: "/home/.../widget.qwd".
        std::size_t second = path.find('/', 1);
        if (second != std::string::npos && second < slash)
            shown = path.substr(0, second) + "/.../" + name;
    }
    // A '&' in a path would turn into a mnemonic.
    std::string escaped;
    for (char c : shown) {
        escaped += c;
        if (c == '&')
            escaped += '&';
    }
    return "&" + std::to_string(index + 1) + " " + escaped;
}

}  // namespace snippo
