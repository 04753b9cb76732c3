// Tests of file permissions must not run as the superuser, whom permissions do not bind.
// When the suite runs as the superuser, these helpers run the test, or a command, again
// under the ordinary account "nobody".
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace snippo::test {

struct UnprivilegedRun {
    bool runHere = false;    // this process is no superuser: run the test body now
    std::string skipReason;  // set when there is no account or tool to change to
};

// As the superuser, runs the current test in a child process under "nobody" (through
// setpriv, or runuser) and adds a failure with the child's output unless the child passed
// it. Otherwise tells the caller to run the body itself.
UnprivilegedRun RerunTestUnprivileged();

struct CommandResult {
    int status = -1;     // exit status, or -1 when the command did not end normally
    std::string output;  // standard output and standard error together
};

// Runs `argv` under "nobody" when this process is the superuser, else as it is, with
// `input` (at most a pipe's buffer, 64 KiB) on its standard input. False with the reason
// when there is no account or tool to change to.
bool RunUnprivileged(const std::vector<std::string>& argv, const std::string& input, CommandResult* result,
                     std::string* whyNot);

// The account the helpers change to, for tests that prepare files for it.
bool UnprivilegedIds(unsigned* uid, unsigned* gid);

}  // namespace snippo::test

// First statement of a test body that needs an ordinary account.
#define SNIPPO_RUN_UNPRIVILEGED()                                                                                      \
    do {                                                                                                               \
        const ::snippo::test::UnprivilegedRun run_ = ::snippo::test::RerunTestUnprivileged();                          \
        if (!run_.skipReason.empty())                                                                                  \
            GTEST_SKIP() << run_.skipReason;                                                                           \
        if (!run_.runHere)                                                                                             \
            return;                                                                                                    \
    } while (0)
