#include "host/preview_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <unistd.h>

namespace snippo {

namespace {

constexpr QFile::Permissions kOwnerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
constexpr QFile::Permissions kGroupOrOther =
    QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;

// A folder just made, or one that an earlier process with the same number left behind: a real
// folder of this user that nobody else may enter. Anything else under that name (another
// user's folder, a link planted in a shared temporary folder) is refused.
bool makePrivateFolder(const QString& path)
{
    if (QDir().mkdir(path, kOwnerOnly))
        return QFile::setPermissions(path, kOwnerOnly);  // whatever the umask took away
    const QFileInfo info(path);
    return !info.isSymLink() && info.isDir() && info.ownerId() == ::geteuid() &&
           (info.permissions() & kGroupOrOther) == 0;
}

// Where previews go when the program folder cannot take them: the user's runtime folder, else
// the system's temporary folder.
QString fallbackBase()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (runtime.startsWith('/'))
        return runtime;
    const QString temp = QDir::cleanPath(QDir::tempPath());
    return temp.isEmpty() ? QStringLiteral("/tmp") : temp;
}

}  // namespace

CPreviewFolder::CPreviewFolder(QString programFolder) : m_strProgramFolder(std::move(programFolder))
{
}

const QString& CPreviewFolder::Create()
{
    // Once chosen, the folder stays the same for the whole run; it is made again if it went.
    if (!m_strPath.isEmpty()) {
        if (!makePrivateFolder(m_strPath))
            m_strPath.clear();
        return m_strPath;
    }
    const QString pid = QString::number(QCoreApplication::applicationPid());
    if (!m_strProgramFolder.isEmpty()) {
        const QString shared = m_strProgramFolder + "/tmp";
        QDir().mkdir(shared);  // an existing one is fine; a failure shows below
        if (makePrivateFolder(shared + "/" + pid)) {
            m_strPath = shared + "/" + pid;
            m_bInProgramFolder = true;
            return m_strPath;
        }
    }
    const QString name = fallbackBase() + "/tessalytool-preview-" + pid;
    if (makePrivateFolder(name)) {
        m_strPath = name;
        return m_strPath;
    }
    // The name is taken by something that is not ours: a name nobody can guess.
    QTemporaryDir unguessable(name + "-XXXXXX");
    if (unguessable.isValid()) {
        unguessable.setAutoRemove(false);
        m_strPath = unguessable.path();
    }
    return m_strPath;
}

std::set<QString> CPreviewFolder::Entries() const
{
    std::set<QString> names;
    if (m_strPath.isEmpty())
        return names;
    const QStringList entries =
        QDir(m_strPath).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    names.insert(entries.begin(), entries.end());
    return names;
}

CPreviewFolder::Writing::Writing(CPreviewFolder& folder, std::set<QString> written)
    : m_folder(folder), m_before(folder.Entries()), m_written(std::move(written))
{
}

CPreviewFolder::Writing::~Writing()
{
    m_folder.m_written.insert(m_written.begin(), m_written.end());
    for (const QString& name : m_folder.Entries())
        if (m_before.count(name) == 0)
            m_folder.m_written.insert(name);
}

void CPreviewFolder::Remove()
{
    if (m_strPath.isEmpty())
        return;
    for (const QString& name : m_written)
        QFile::remove(m_strPath + "/" + name);
    QDir().rmdir(m_strPath);
    if (m_bInProgramFolder)
        QDir().rmdir(m_strProgramFolder + "/tmp");  // other instances' folders keep it
    m_written.clear();
    m_strPath.clear();
    m_bInProgramFolder = false;
}

}  // namespace snippo
