#include "host/known_browsers.h"

#include "platform/shell/shell.h"

#include <string>

namespace snippo {

CKnownBrowsers::CKnownBrowsers()
{
    Add("Internet Explorer",
        ReadRegistry(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\windows\\CurrentVersion\\App Paths\\IEXPLORE.EXE", ""));

    QString communicator;
    const QString version =
        ReadRegistry(HKEY_LOCAL_MACHINE, "SOFTWARE\\Netscape\\Netscape Navigator", "CurrentVersion");
    if (!version.isEmpty()) {
        const QString folder = ReadRegistry(
            HKEY_LOCAL_MACHINE, "SOFTWARE\\Netscape\\Netscape Navigator\\" + version + "\\Main", "Install Directory");
        if (!folder.isEmpty())
            communicator = folder + "/Program/Netscape.exe";
    }
    Add("Netscape Communicator 4", communicator);

    QString navigator;
    const QString folder =
        ReadRegistry(HKEY_CURRENT_USER, "SOFTWARE\\Netscape\\Netscape Navigator\\Main", "Install Directory");
    if (!folder.isEmpty())
        navigator = folder + "/Program/Netscape.exe";
    Add("Netscape Navigator 3", navigator);

    // The shell library names the programs in UTF-8.
    for (const ShellProgram& browser : ShellFindBrowsers())
        Add(QString::fromStdString(browser.strName), QString::fromStdString(browser.strPath));
}

void CKnownBrowsers::Add(const QString& name, const QString& path)
{
    if (path.isEmpty())
        return;
    m_arrPaths.push_back(path);
    m_arrNames.push_back(name);
    ++m_nCount;
}

QString CKnownBrowsers::ReadRegistry(HKEY root, const QString& key, const QString& name)
{
    // The registry library keeps names and values in UTF-8; the size limit counts those bytes.
    HKEY handle = nullptr;
    if (RegOpenKey(root, key.toStdString(), &handle) != ERROR_SUCCESS) {
        RegLastErrorText();  // fetched and dropped: a missing browser is no error
        return {};
    }
    std::string value;
    LONG rc = RegQueryString(handle, name.toStdString(), &value);
    RegCloseKey(handle);
    if (rc != ERROR_SUCCESS || value.size() + 1 > 512)
        return {};
    return QString::fromStdString(value);
}

}  // namespace snippo
