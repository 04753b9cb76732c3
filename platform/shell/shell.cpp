#include "platform/shell/shell.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>

namespace snippo {

namespace {

bool isExecutableFile(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

bool exists(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

bool isDirectory(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// "https://host/x", "mailto:a@b": a scheme of two or more characters and a colon.
bool looksLikeAddress(const std::string& file)
{
    std::size_t colon = file.find(':');
    if (colon == std::string::npos || colon < 2 || !std::isalpha(static_cast<unsigned char>(file[0])))
        return false;
    return std::all_of(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(colon), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '.' || c == '-';
    });
}

std::string absolutePath(const std::string& path)
{
    if (!path.empty() && path[0] == '/')
        return path;
    char* cwd = ::getcwd(nullptr, 0);
    if (cwd == nullptr)
        return path;
    std::string result = std::string(cwd) + "/" + path;
    std::free(cwd);
    return result;
}

// Starts argv[0] detached (double fork and setsid) and reports whether exec succeeded.
// Everything the child needs is prepared before fork: only async-signal-safe calls follow.
int spawnDetached(const std::vector<std::string>& args, const std::string& directory)
{
    std::vector<char*> argv;
    argv.reserve(args.size() + 1);
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const char* dir = directory.empty() ? nullptr : directory.c_str();

    int errPipe[2];
    if (::pipe2(errPipe, O_CLOEXEC) != 0)
        return SE_ERR_OOM;

    pid_t child = ::fork();
    if (child < 0) {
        ::close(errPipe[0]);
        ::close(errPipe[1]);
        return SE_ERR_OOM;
    }
    if (child == 0) {
        ::close(errPipe[0]);
        ::setsid();
        pid_t grandchild = ::fork();
        if (grandchild != 0)
            ::_exit(grandchild < 0 ? 1 : 0);
        sigset_t none;
        sigemptyset(&none);
        ::sigprocmask(SIG_SETMASK, &none, nullptr);
        ::close_range(3, ~0U, CLOSE_RANGE_CLOEXEC);
        int err = 0;
        if (dir != nullptr && ::chdir(dir) != 0)
            err = errno;
        else {
            ::execv(argv[0], argv.data());
            err = errno;
        }
        ssize_t ignored = ::write(errPipe[1], &err, sizeof err);
        (void)ignored;
        ::_exit(127);
    }
    ::close(errPipe[1]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {}
    int err = 0;
    ssize_t n;
    while ((n = ::read(errPipe[0], &err, sizeof err)) < 0 && errno == EINTR) {}
    ::close(errPipe[0]);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return SE_ERR_OOM;
    if (n == static_cast<ssize_t>(sizeof err)) {
        if (err == ENOENT)
            return SE_ERR_FNF;
        if (err == ENOTDIR)
            return SE_ERR_PNF;
        if (err == EACCES || err == EPERM)
            return SE_ERR_ACCESSDENIED;
        return SE_ERR_OOM;
    }
    return SHELL_SUCCESS;
}

int openWithDesktop(const std::string& target, const std::string& directory)
{
    std::string opener = ShellFindExecutable("xdg-open");
    if (opener.empty())
        return SE_ERR_NOASSOC;
    return spawnDetached({opener, target}, directory);
}

}  // namespace

std::vector<std::string> ShellSplitParameters(const std::string& parameters)
{
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    bool quoted = false;
    for (char c : parameters) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if (c == ' ' && !quoted) {
            if (inWord)
                words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words.push_back(word);
    return words;
}

// GCC 12 takes the assignment of "." below for an overlapping copy (-Wrestrict, a known false
// positive of its string inlining).
#pragma GCC diagnostic push
#if !defined(__clang__)  // clang has no such warning
#pragma GCC diagnostic ignored "-Wrestrict"
#endif
std::string ShellFindExecutable(const std::string& name)
{
    if (name.empty())
        return {};
    if (name.find('/') != std::string::npos)
        return isExecutableFile(name) ? absolutePath(name) : std::string();
    const char* pathEnv = std::getenv("PATH");
    std::string path = pathEnv != nullptr ? pathEnv : "/usr/local/bin:/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find(':', start);
        if (end == std::string::npos)
            end = path.size();
        std::string dir = path.substr(start, end - start);
        if (dir.empty())
            dir = ".";
        std::string candidate = dir + "/" + name;
        if (isExecutableFile(candidate))
            return absolutePath(candidate);
        start = end + 1;
    }
    return {};
}
#pragma GCC diagnostic pop

int ShellExecute(const std::string& operation, const std::string& file, const std::string& parameters,
                 const std::string& directory, int /*showCmd*/)
{
    std::string verb = operation;
    std::transform(verb.begin(), verb.end(), verb.begin(), [](unsigned char c) { return std::tolower(c); });
    if (!verb.empty() && verb != "open")
        return SE_ERR_NOASSOC;
    if (file.empty())
        return SE_ERR_FNF;
    if (!directory.empty() && !isDirectory(directory))
        return SE_ERR_PNF;

    if (!exists(file) && looksLikeAddress(file))
        return openWithDesktop(file, directory);

    std::string program;
    if (exists(file)) {
        if (isExecutableFile(file))
            program = absolutePath(file);
        else
            return openWithDesktop(absolutePath(file), directory);
    } else if (file.find('/') == std::string::npos) {
        program = ShellFindExecutable(file);
    }
    if (program.empty())
        return SE_ERR_FNF;

    std::vector<std::string> args{program};
    for (std::string& word : ShellSplitParameters(parameters))
        args.push_back(std::move(word));
    return spawnDetached(args, directory);
}

std::vector<ShellProgram> ShellFindBrowsers()
{
    static const std::pair<const char*, const char*> kCandidates[] = {
        {"Firefox", "firefox"},
        {"Firefox ESR", "firefox-esr"},
        {"Chromium", "chromium"},
        {"Google Chrome", "google-chrome"},
    };
    std::vector<ShellProgram> found;
    std::vector<std::string> seen;  // one entry per program, however many names lead to it
    for (const auto& [name, program] : kCandidates) {
        std::string path = ShellFindExecutable(program);
        if (path.empty())
            continue;
        char* real = ::realpath(path.c_str(), nullptr);
        std::string target = real != nullptr ? real : path;
        std::free(real);
        if (std::find(seen.begin(), seen.end(), target) != seen.end())
            continue;
        seen.push_back(target);
        found.push_back({name, path});
    }
    return found;
}

}  // namespace snippo
