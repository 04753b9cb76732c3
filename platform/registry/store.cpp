#include "platform/registry/store.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <mutex>
#include <pwd.h>
#include <set>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <sstream>

namespace snippo::reg {

namespace {

constexpr const char* kHiveNames[kHiveCount] = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE"};

std::string envValue(const char* name)
{
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

std::string homeFolder()
{
    std::string home = envValue("HOME");
    if (!home.empty())
        return home;
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir)
        return pw->pw_dir;
    return ".";
}

std::string hivePath(const std::string& folder, int hive)
{
    return folder + "/" + hiveName(hive) + ".reg";
}

std::string systemError(int err)
{
    return std::strerror(err);
}

// Closes the descriptor on every way out.
struct Fd {
    int fd = -1;
    explicit Fd(int f) : fd(f) {}
    ~Fd()
    {
        if (fd >= 0)
            ::close(fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
};

// Reads the whole file; `exists` is false when there is no such file.
bool readFile(const std::string& path, std::string& text, bool& exists, std::string& message)
{
    text.clear();
    exists = true;
    Fd file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.fd < 0) {
        if (errno == ENOENT) {
            exists = false;
            return true;
        }
        message = "cannot read registry file \"" + path + "\": " + systemError(errno);
        return false;
    }
    char buf[16384];
    for (;;) {
        const ssize_t n = ::read(file.fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            message = "cannot read registry file \"" + path + "\": " + systemError(errno);
            return false;
        }
        if (n == 0)
            break;
        text.append(buf, static_cast<std::size_t>(n));
    }
    return true;
}

LONG loadFrom(const std::string& path, int hive, Key& root, std::string& message)
{
    std::string text;
    bool exists = false;
    if (!readFile(path, text, exists, message))
        return ERROR_ACCESS_DENIED;
    root = Key{};
    std::string error;
    if (!parseHive(text, hiveName(hive), root, error)) {
        message = "registry file \"" + path + "\" is damaged, " + error;
        return ERROR_BADDB;
    }
    return ERROR_SUCCESS;
}

bool writeAll(int fd, const std::string& text)
{
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Temporary file beside the hive, flushed to disk, then renamed over it: a reader sees the
// old file or the new one, never a part of either, and a crash leaves one of them intact.
LONG replaceFile(const std::string& folder, const std::string& path, const std::string& text, std::string& message)
{
    const std::string temp = path + ".new";
    struct stat old {};
    const bool hadOld = ::stat(path.c_str(), &old) == 0;
    int err = 0;
    {
        Fd file(::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
        if (file.fd < 0) {
            message = "cannot write registry file \"" + temp + "\": " + systemError(errno);
            return ERROR_ACCESS_DENIED;
        }
        // Keep the permissions someone gave the hive file.
        if (hadOld)
            ::fchmod(file.fd, old.st_mode & 07777);
        if (!writeAll(file.fd, text) || ::fsync(file.fd) != 0)
            err = errno;
        if (::close(file.fd) != 0 && err == 0)
            err = errno;
        file.fd = -1;
    }
    if (err == 0 && ::rename(temp.c_str(), path.c_str()) != 0)
        err = errno;
    if (err != 0) {
        ::unlink(temp.c_str());
        message = "cannot write registry file \"" + path + "\": " + systemError(err);
        return ERROR_ACCESS_DENIED;
    }
    Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.fd >= 0)
        ::fsync(dir.fd);
    return ERROR_SUCCESS;
}

std::atomic<bool> g_systemScope{false};

bool layered(int hive)
{
    return hive != 1;  // HKEY_CURRENT_USER is the user's alone
}

// Adds what `lower` holds and `upper` lacks, key by key and value by value: the upper
// layer's entries win.
void mergeBeneath(Key& upper, const Key& lower)
{
    if (!upper.defaultValue && lower.defaultValue)
        upper.defaultValue = lower.defaultValue;
    for (const Value& v : lower.values)
        if (!upper.value(v.name))
            upper.values.push_back(v);
    for (const auto& child : lower.children) {
        Key* mine = upper.child(child->folded);
        if (!mine) {
            mine = upper.addChild(child->name);
        }
        mergeBeneath(*mine, *child);
    }
}

// A damaged or unreadable machine-wide file must not stop anyone's work: it is reported once
// per process and left out.
void reportIgnored(const std::string& message)
{
    static std::mutex mutex;
    static auto* reported = new std::set<std::string>;
    std::lock_guard guard(mutex);
    if (reported->insert(message).second)
        std::fprintf(stderr, "warning: %s; the system registry file is ignored\n", message.c_str());
}

}  // namespace

std::vector<std::string> systemFolders()
{
    std::vector<std::string> folders;
    if (std::string folder = envValue("SNIPPO_SYSTEM_REGISTRY"); !folder.empty()) {
        folders.push_back(folder);
        return folders;
    }
    std::string dirs = envValue("XDG_CONFIG_DIRS");
    if (dirs.empty())
        dirs = "/etc/xdg";
    std::stringstream list(dirs);
    for (std::string dir; std::getline(list, dir, ':');) {
        // Relative entries are to be ignored, as the base-directory convention says.
        if (!dir.empty() && dir.front() == '/')
            folders.push_back(dir + "/quillon/registry");
    }
    if (folders.empty())
        folders.push_back("/etc/xdg/quillon/registry");
    return folders;
}

void setSystemScope(bool on)
{
    g_systemScope = on;
}

bool systemScope()
{
    return g_systemScope;
}

const char* hiveName(int hive)
{
    return kHiveNames[hive];
}

std::string storeFolder()
{
    std::string folder = envValue("SNIPPO_REGISTRY");
    if (!folder.empty())
        return folder;
    std::string config = envValue("XDG_CONFIG_HOME");
    // Relative values are to be ignored, as the base-directory convention says.
    if (config.empty() || config.front() != '/')
        config = homeFolder() + "/.config";
    return config + "/quillon/registry";
}

LONG loadHive(int hive, Key& root, std::string& message)
{
    if (!layered(hive))
        return loadFrom(hivePath(storeFolder(), hive), hive, root, message);
    if (g_systemScope)
        return loadFrom(hivePath(systemFolders().front(), hive), hive, root, message);
    if (LONG rc = loadFrom(hivePath(storeFolder(), hive), hive, root, message); rc != ERROR_SUCCESS)
        return rc;
    return loadSystemBeneath(hive, root);
}

LONG loadSystemBeneath(int hive, Key& root)
{
    if (!layered(hive) || g_systemScope)
        return ERROR_SUCCESS;
    for (const std::string& folder : systemFolders()) {
        Key system;
        std::string problem;
        if (loadFrom(hivePath(folder, hive), hive, system, problem) != ERROR_SUCCESS) {
            reportIgnored(problem);
            continue;
        }
        mergeBeneath(root, system);
    }
    return ERROR_SUCCESS;
}

LONG updateHive(int hive, const HiveChange& change, std::string& message)
{
    const std::string folder = g_systemScope && layered(hive) ? systemFolders().front() : storeFolder();
    const std::string path = hivePath(folder, hive);

    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        message = "cannot create the registry folder \"" + folder + "\": " + ec.message();
        return ERROR_ACCESS_DENIED;
    }
    const std::string lockPath = folder + "/registry.lock";
    Fd lock(::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666));
    if (lock.fd < 0) {
        message = "cannot open the registry lock file \"" + lockPath + "\": " + systemError(errno);
        return ERROR_ACCESS_DENIED;
    }
    while (::flock(lock.fd, LOCK_EX) != 0) {
        if (errno != EINTR) {
            message = "cannot lock \"" + lockPath + "\": " + systemError(errno);
            return ERROR_ACCESS_DENIED;
        }
    }

    // Read under the lock, so that nothing another writer did in the meantime is lost.
    Key root;
    LONG rc = loadFrom(path, hive, root, message);
    if (rc != ERROR_SUCCESS) {
        if (rc == ERROR_BADDB)
            message += " (the file is left unchanged)";
        return rc;
    }
    bool changed = false;
    rc = change(root, changed, message);
    if (rc != ERROR_SUCCESS || !changed)
        return rc;
    // The lock is released when `lock` closes, after the new file is in place.
    return replaceFile(folder, path, formatHive(root, hiveName(hive)), message);
}

}  // namespace snippo::reg
