// Reading and saving whole files without losing what was there: the widget file's bytes go
// through these two functions.
#pragma once

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

}  // namespace snippo
