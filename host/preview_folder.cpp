#include "host/preview_folder.h"

#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace snippo {

namespace {

// A folder just made, or one that an earlier process with the same number left behind: a real
// folder of this user that nobody else may enter. Anything else under that name (another
// user's folder, a link planted in a shared temporary folder) is refused.
bool makePrivateFolder(const std::string& path)
{
    if (::mkdir(path.c_str(), 0700) == 0)
        return ::chmod(path.c_str(), 0700) == 0;   // whatever the umask took away
    if (errno != EEXIST)
        return false;
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() &&
           (st.st_mode & 077) == 0;
}

// Where previews go when the program folder cannot take them: the user's runtime folder, else
// the system's temporary folder.
std::string fallbackBase()
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && runtime[0] == '/')
        return runtime;
    std::error_code ec;
    std::string temp = std::filesystem::temp_directory_path(ec).string();
    while (temp.size() > 1 && temp.back() == '/')
        temp.pop_back();
    return ec || temp.empty() ? std::string("/tmp") : temp;
}

}  // namespace

CPreviewFolder::CPreviewFolder(std::string programFolder) : m_strProgramFolder(std::move(programFolder)) {}

const std::string& CPreviewFolder::Create()
{
    // Once chosen, the folder stays the same for the whole run; it is made again if it went.
    if (!m_strPath.empty()) {
        if (!makePrivateFolder(m_strPath))
            m_strPath.clear();
        return m_strPath;
    }
    const std::string pid = std::to_string(::getpid());
    if (!m_strProgramFolder.empty()) {
        const std::string shared = m_strProgramFolder + "/tmp";
        ::mkdir(shared.c_str(), 0777);   // an existing one is fine; a failure shows below
        if (makePrivateFolder(shared + "/" + pid)) {
            m_strPath = shared + "/" + pid;
            m_bInProgramFolder = true;
            return m_strPath;
        }
    }
    const std::string name = fallbackBase() + "/tessalytool-preview-" + pid;
    if (makePrivateFolder(name)) {
        m_strPath = name;
        return m_strPath;
    }
    // The name is taken by something that is not ours: a name nobody can guess.
    std::string pattern = name + "-XXXXXX";
    if (::mkdtemp(pattern.data()) != nullptr)
        m_strPath = pattern;
    return m_strPath;
}

std::set<std::string> CPreviewFolder::Entries() const
{
    std::set<std::string> names;
    if (DIR* dir = m_strPath.empty() ? nullptr : ::opendir(m_strPath.c_str())) {
        while (dirent* entry = ::readdir(dir)) {
            std::string name = entry->d_name;
            if (name != "." && name != "..")
                names.insert(name);
        }
        ::closedir(dir);
    }
    return names;
}

CPreviewFolder::Writing::Writing(CPreviewFolder& folder, std::set<std::string> written)
    : m_folder(folder), m_before(folder.Entries()), m_written(std::move(written))
{
}

CPreviewFolder::Writing::~Writing()
{
    m_folder.m_written.insert(m_written.begin(), m_written.end());
    for (const std::string& name : m_folder.Entries())
        if (m_before.count(name) == 0)
            m_folder.m_written.insert(name);
}

void CPreviewFolder::Remove()
{
    if (m_strPath.empty())
        return;
    for (const std::string& name : m_written)
        ::unlink((m_strPath + "/" + name).c_str());
    ::rmdir(m_strPath.c_str());
    if (m_bInProgramFolder)
        ::rmdir((m_strProgramFolder + "/tmp").c_str());   // other instances' folders keep it
    m_written.clear();
    m_strPath.clear();
    m_bInProgramFolder = false;
}

}  // namespace snippo
