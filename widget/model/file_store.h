// Reading and saving whole files without losing what was there: the widget file's bytes go
// through these two functions.
#pragma once

#include <sys/types.h>

#include <functional>
#include <string>
#include <string_view>

namespace snippo {

// Reads the whole of the regular file at `path` into `bytes`. Anything else (a folder, a
// pipe, a device) is refused without blocking or reading from it, as is a file that cannot
// be opened or read; `bytes` is then unspecified.
bool ReadRegularFile(const std::string& path, std::string& bytes);
// Opens the regular file at `path` for blocking reads, refusing what ReadRegularFile refuses;
// -1 then. The caller closes the descriptor.
int OpenRegularFile(const std::string& path);

// Makes `bytes` the content of the file at `path`, which stays the same file: a symbolic
// link stays a link and its target is written; a file with several names keeps its inode;
// owner, group and mode stay. A file that cannot be opened for writing, or that is not a
// regular file, is refused. Any failure returns false with the previous content left byte
// for byte; a file that did not exist is then not left behind. A new file gets the mode
// the process's umask gives.
bool SaveFileContents(const std::string& path, std::string_view bytes);

// Takes a file's content piece by piece and writes it from the start of the file in blocks
// of a fixed size: a large file then needs neither its whole text in memory nor one huge
// write, both of which cost far more than the bytes themselves (fresh pages to fault in,
// and a kernel copy that slows down with the size of a single write).
class ContentSink {
public:
    explicit ContentSink(int fd) : m_fd(fd) { m_buffer.reserve(kBlock); }
    ContentSink(const ContentSink&) = delete;
    ContentSink& operator=(const ContentSink&) = delete;

    ContentSink& append(std::string_view bytes);
    // Writes what is still buffered; false when any write failed. `size` is the content's
    // length.
    bool Finish(off_t& size);

    static constexpr std::size_t kBlock = std::size_t{1} << 18;

private:
    void Flush();

    int m_fd;
    off_t m_offset = 0;  // where the buffer goes in the file
    std::string m_buffer;
    bool m_failed = false;
};

// The same, with the content produced into a sink. `produce` may be called more than once
// and must give the same content every time.
bool SaveFileContents(const std::string& path, const std::function<void(ContentSink&)>& produce);

}  // namespace snippo
