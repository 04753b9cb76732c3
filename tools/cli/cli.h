// The options every program of the system answers the same way.
#pragma once

namespace snippo::cli {

// The version of this build, e.g. "1.0.0.1".
const char* Version();

// Answers "--help" (prints `help` to standard output) and "--version" when either is among
// the arguments before a "--". Returns the exit status to leave with (0), or -1 when neither
// was asked for and the program goes on.
int AnswerStandardOptions(int argc, char** argv, const char* program, const char* help);

}  // namespace snippo::cli
