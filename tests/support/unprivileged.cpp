#include "unprivileged.h"

#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

extern char** environ;

namespace snippo::test {

namespace {

constexpr const char* kAccount = "nobody";
// Set for the child that reruns a test, so that a tool that fails to change the account
// shows as a failure instead of a chain of reruns.
constexpr const char* kChildMark = "SNIPPO_UNPRIVILEGED_CHILD=1";

std::string FindTool(const char* name)
{
    for (const char* dir : {"/usr/bin/", "/bin/", "/usr/sbin/", "/sbin/"}) {
        std::string path = std::string(dir) + name;
        if (::access(path.c_str(), X_OK) == 0)
            return path;
    }
    return {};
}

// `argv` prefixed with the tool that changes to the account.
bool WrapForAccount(const std::vector<std::string>& argv, std::vector<std::string>* command, std::string* whyNot)
{
    unsigned uid = 0, gid = 0;
    if (!UnprivilegedIds(&uid, &gid)) {
        *whyNot = "this system has no account \"nobody\" to check file permissions with";
        return false;
    }
    if (std::string tool = FindTool("setpriv"); !tool.empty()) {
        *command = {tool, "--reuid=" + std::to_string(uid), "--regid=" + std::to_string(gid), "--clear-groups", "--"};
    } else if (std::string runuser = FindTool("runuser"); !runuser.empty()) {
        *command = {runuser, "-u", kAccount, "--"};
    } else {
        *whyNot = "neither setpriv nor runuser is installed to change to the account \"nobody\"";
        return false;
    }
    command->insert(command->end(), argv.begin(), argv.end());
    return true;
}

// The environment of this process without the test framework's sharding and report
// settings, which would make a rerun of one test run none or write the parent's report.
std::vector<std::string> ChildEnvironment(bool rerun)
{
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        if (std::strncmp(*e, "GTEST_", 6) != 0 && std::strncmp(*e, "XML_OUTPUT_FILE=", 16) != 0)
            env.emplace_back(*e);
    if (rerun)
        env.emplace_back(kChildMark);
    return env;
}

std::vector<char*> Pointers(std::vector<std::string>& texts)
{
    std::vector<char*> p;
    for (std::string& t : texts)
        p.push_back(t.data());
    p.push_back(nullptr);
    return p;
}

bool Spawn(std::vector<std::string> argv, std::vector<std::string> env, const std::string& input, CommandResult* result)
{
    int in[2], out[2];
    if (::pipe2(in, O_CLOEXEC) != 0)
        return false;
    if (::pipe2(out, O_CLOEXEC) != 0) {
        ::close(in[0]);
        ::close(in[1]);
        return false;
    }
    std::vector<char*> args = Pointers(argv);
    std::vector<char*> envp = Pointers(env);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(in[0], 0);
        ::dup2(out[1], 1);
        ::dup2(out[1], 2);
        ::execve(args[0], args.data(), envp.data());
        _exit(127);
    }
    ::close(in[0]);
    ::close(out[1]);
    if (pid < 0) {
        ::close(in[1]);
        ::close(out[0]);
        return false;
    }
    // A child that ends before reading its input must not take this process with it.
    struct sigaction ignore {
    }, before{};
    ignore.sa_handler = SIG_IGN;
    ::sigaction(SIGPIPE, &ignore, &before);
    for (std::size_t done = 0; done < input.size();) {
        const ssize_t n = ::write(in[1], input.data() + done, input.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    ::close(in[1]);
    ::sigaction(SIGPIPE, &before, nullptr);

    result->output.clear();
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(out[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        result->output.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(out[0]);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {}
    result->status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return true;
}

}  // namespace

bool UnprivilegedIds(unsigned* uid, unsigned* gid)
{
    const passwd* account = ::getpwnam(kAccount);
    if (!account || account->pw_uid == 0)
        return false;
    *uid = account->pw_uid;
    *gid = account->pw_gid;
    return true;
}

UnprivilegedRun RerunTestUnprivileged()
{
    UnprivilegedRun run;
    if (::geteuid() != 0) {
        run.runHere = true;
        return run;
    }
    for (char** e = environ; *e; ++e)
        if (std::strcmp(*e, kChildMark) == 0) {
            ADD_FAILURE() << "still the superuser after changing to the account \"" << kAccount << "\"";
            return run;
        }
    char self[4096];
    const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0) {
        ADD_FAILURE() << "cannot find this test program to run it again: " << std::strerror(errno);
        return run;
    }
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::vector<std::string> command;
    if (!WrapForAccount({std::string(self, static_cast<std::size_t>(n)),
                         std::string("--gtest_filter=") + info->test_suite_name() + "." + info->name(),
                         "--gtest_color=no"},
                        &command, &run.skipReason))
        return run;
    CommandResult result;
    if (!Spawn(command, ChildEnvironment(true), "", &result))
        ADD_FAILURE() << "cannot start " << command.front() << ": " << std::strerror(errno);
    else if (result.status != 0 || result.output.find("[  PASSED  ] 1 test.") == std::string::npos)
        ADD_FAILURE() << "as \"" << kAccount << "\" (exit status " << result.status << "):\n" << result.output;
    return run;
}

bool RunUnprivileged(const std::vector<std::string>& argv, const std::string& input, CommandResult* result,
                     std::string* whyNot)
{
    std::vector<std::string> command = argv;
    if (::geteuid() == 0 && !WrapForAccount(argv, &command, whyNot))
        return false;
    if (!Spawn(command, ChildEnvironment(false), input, result)) {
        *whyNot = std::string("cannot start ") + command.front() + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

}  // namespace snippo::test
