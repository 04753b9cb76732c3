#include "widget/model/file_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

namespace snippo {

namespace {

// A descriptor closed at the end of its scope.
class Fd {
public:
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;

    int Get() const { return m_fd; }
    bool Valid() const { return m_fd >= 0; }
    // Gives the descriptor up without closing it.
    void Release() { m_fd = -1; }
    // Closes now; false when closing reports an error (a delayed write failure).
    bool Close()
    {
        const int fd = m_fd;
        m_fd = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int m_fd;
};

// In slices of a block: the kernel copies one huge write much more slowly per byte.
bool WriteAt(int fd, std::string_view bytes, off_t offset)
{
    while (!bytes.empty()) {
        const ssize_t n = ::pwrite(fd, bytes.data(), std::min(bytes.size(), ContentSink::kBlock), offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
        offset += n;
    }
    return true;
}

using Producer = std::function<void(ContentSink&)>;

// Writes the content from the start of the file; its length in `size`.
bool WriteContent(int fd, const Producer& produce, off_t& size)
{
    ContentSink sink(fd);
    produce(sink);
    return sink.Finish(size);
}

// Reads to the end; `size` is what fstat said, so that a file costs one allocation unless
// it grows while being read.
bool ReadToEnd(int fd, std::string& bytes, off_t size)
{
    bytes.assign(static_cast<std::size_t>(size) + 1, '\0');
    std::size_t used = 0;
    for (;;) {
        if (used == bytes.size())
            bytes.resize(bytes.size() * 2);
        const ssize_t n = ::read(fd, bytes.data() + used, bytes.size() - used);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            break;
        used += static_cast<std::size_t>(n);
    }
    bytes.resize(used);
    return true;
}

bool ClearNonBlocking(int fd)
{
    const int flags = ::fcntl(fd, F_GETFL);
    return flags >= 0 && ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0;
}

std::string FolderOfPath(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a path names once symbolic links in its last part are followed, so that a save
// replaces the target and not the link. A dangling link gives the path where the target
// is to be created; a loop gives a path that then fails to open.
std::string FollowLinks(std::string path)
{
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return path;
        std::string target(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
        ssize_t n;
        while ((n = ::readlink(path.c_str(), target.data(), target.size())) == static_cast<ssize_t>(target.size()))
            target.resize(target.size() * 2);
        if (n <= 0)
            return path;
        target.resize(static_cast<std::size_t>(n));
        path = target.front() == '/' ? target : FolderOfPath(path) + "/" + target;
    }
    return path;
}

// Makes a rename durable. The new file is complete and in place by then, so there is
// nothing left to undo if the folder cannot be synchronised.
void SyncFolder(const std::string& folder)
{
    Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Valid())
        ::fsync(dir.Get());
}

enum class Outcome { kDone, kFailed, kTryInPlace };

// Writes a complete copy under a short name in the same folder (a name near the length
// limit leaves no room for a suffix) and renames it over the file. The copy takes the
// file's owner, group and mode first; where that is not allowed, the caller writes in place.
Outcome ReplaceByRename(const std::string& path, const struct stat& old, const Producer& produce)
{
    const std::string folder = FolderOfPath(path);
    std::string temp = folder + "/.qwd-XXXXXX";
    Fd fd(::mkostemp(temp.data(), O_CLOEXEC));
    if (!fd.Valid())
        return Outcome::kTryInPlace;  // e.g. a folder the user may not write to
    if (::fchown(fd.Get(), old.st_uid, old.st_gid) != 0 || ::fchmod(fd.Get(), old.st_mode & 07777) != 0) {
        ::unlink(temp.c_str());
        return Outcome::kTryInPlace;
    }
    off_t size = 0;
    const bool written = WriteContent(fd.Get(), produce, size) && ::fsync(fd.Get()) == 0;
    if (!fd.Close() || !written || ::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        return Outcome::kFailed;
    }
    SyncFolder(folder);
    return Outcome::kDone;
}

// Overwrites the file through `fd`, holding its previous bytes in memory until the new
// ones are on disk, and writing them back if any step fails.
bool RewriteInPlace(int fd, const std::string& path, const struct stat& old, const Producer& produce)
{
    std::string previous;
    {
        Fd reader(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
        struct stat st {};
        if (!reader.Valid() || ::fstat(reader.Get(), &st) != 0 || st.st_dev != old.st_dev || st.st_ino != old.st_ino ||
            !ClearNonBlocking(reader.Get()) || !ReadToEnd(reader.Get(), previous, st.st_size))
            return false;  // without the old bytes a failure could not be undone
    }
    off_t size = 0;
    if (WriteContent(fd, produce, size) && ::ftruncate(fd, size) == 0 && ::fsync(fd) == 0)
        return true;
    WriteAt(fd, previous, 0);
    ::ftruncate(fd, static_cast<off_t>(previous.size()));
    ::fsync(fd);
    return false;
}

enum class Created { kDone, kFailed, kExists };

Created CreateNew(const std::string& path, const Producer& produce)
{
    Fd fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666));
    if (!fd.Valid())
        return errno == EEXIST ? Created::kExists : Created::kFailed;
    off_t size = 0;
    const bool written = WriteContent(fd.Get(), produce, size) && ::fsync(fd.Get()) == 0;
    if (!fd.Close() || !written) {
        ::unlink(path.c_str());
        return Created::kFailed;
    }
    SyncFolder(FolderOfPath(path));
    return Created::kDone;
}

}  // namespace

int OpenRegularFile(const std::string& path)
{
    // Opening without blocking: a pipe without a writer would otherwise wait for one.
    Fd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    struct stat st {};
    if (!fd.Valid() || ::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode) || !ClearNonBlocking(fd.Get()))
        return -1;
    const int result = fd.Get();
    fd.Release();
    return result;
}

bool ReadRegularFile(const std::string& path, std::string& bytes)
{
    Fd fd(OpenRegularFile(path));
    struct stat st {};
    return fd.Valid() && ::fstat(fd.Get(), &st) == 0 && ReadToEnd(fd.Get(), bytes, st.st_size);
}

ContentSink& ContentSink::append(std::string_view bytes)
{
    if (m_failed)
        return *this;
    if (m_buffer.size() + bytes.size() <= kBlock) {
        m_buffer.append(bytes);
        return *this;
    }
    Flush();
    if (bytes.size() >= kBlock) {
        // A large piece goes straight to the file rather than through the buffer.
        m_failed = !WriteAt(m_fd, bytes, m_offset);
        m_offset += static_cast<off_t>(bytes.size());
    } else {
        m_buffer.append(bytes);
    }
    return *this;
}

void ContentSink::Flush()
{
    if (m_failed)
        return;
    m_failed = !WriteAt(m_fd, m_buffer, m_offset);
    m_offset += static_cast<off_t>(m_buffer.size());
    m_buffer.clear();
}

bool ContentSink::Finish(off_t& size)
{
    Flush();
    size = m_offset;
    return !m_failed;
}

bool SaveFileContents(const std::string& path, std::string_view bytes)
{
    return SaveFileContents(path, [bytes](ContentSink& sink) { sink.append(bytes); });
}

bool SaveFileContents(const std::string& path, const std::function<void(ContentSink&)>& produce)
{
    const std::string target = FollowLinks(path);
    // A second round only when a file appears between the two opens below.
    for (int round = 0; round < 2; ++round) {
        // The access check of the save: a file that cannot be opened for writing (or a
        // pipe without a reader, which fails here rather than blocking) is not replaced.
        Fd fd(::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
        if (!fd.Valid()) {
            if (errno != ENOENT)
                return false;
            const Created created = CreateNew(target, produce);
            if (created == Created::kExists)
                continue;
            return created == Created::kDone;
        }
        struct stat st {};
        if (::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode) || !ClearNonBlocking(fd.Get()))
            return false;
        // Renaming would detach a file that has other names from them.
        if (st.st_nlink <= 1) {
            const Outcome outcome = ReplaceByRename(target, st, produce);
            if (outcome != Outcome::kTryInPlace)
                return outcome == Outcome::kDone;
        }
        return RewriteInPlace(fd.Get(), target, st, produce);
    }
    return false;
}

}  // namespace snippo
