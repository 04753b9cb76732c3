#include "host/known_browsers.h"

#include "platform/shell/shell.h"

namespace snippo {

CKnownBrowsers::CKnownBrowsers()
{
    Add("Internet Explorer",
        ReadRegistry(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\windows\\CurrentVersion\\App Paths\\IEXPLORE.EXE", ""));

    std::string communicator;
    std::string version = ReadRegistry(HKEY_LOCAL_MACHINE, "SOFTWARE\\Netscape\\Netscape Navigator", "CurrentVersion");
    if (!version.empty()) {
        std::string folder = ReadRegistry(
            HKEY_LOCAL_MACHINE, "SOFTWARE\\Netscape\\Netscape Navigator\\" + version + "\\Main", "Install Directory");
        if (!folder.empty())
            communicator = folder + "/Program/Netscape.exe";
    }
    Add("Netscape Communicator 4", communicator);

    std::string navigator;
    std::string folder =
        ReadRegistry(HKEY_CURRENT_USER, "SOFTWARE\\Netscape\\Netscape Navigator\\Main", "Install Directory");
    if (!folder.empty())
        navigator = folder + "/Program/Netscape.exe";
    Add("Netscape Navigator 3", navigator);

    for (const ShellProgram& browser : ShellFindBrowsers())
        Add(browser.strName, browser.strPath);
}

void CKnownBrowsers::Add(const std::string& name, const std::string& path)
{
    if (path.empty())
        return;
    m_arrPaths.push_back(path);
    m_arrNames.push_back(name);
    ++m_nCount;
}

std::string CKnownBrowsers::ReadRegistry(HKEY root, const std::string& key, const std::string& name)
{
    HKEY handle = nullptr;
    if (RegOpenKey(root, key, &handle) != ERROR_SUCCESS) {
        RegLastErrorText();  // fetched and dropped: a missing browser is no error
        return {};
    }
    std::string value;
    LONG rc = RegQueryString(handle, name, &value);
    RegCloseKey(handle);
    if (rc != ERROR_SUCCESS || value.size() + 1 > 512)
        return {};
    return value;
}

}  // namespace snippo
