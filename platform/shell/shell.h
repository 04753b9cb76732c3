// The shell: open a document with the desktop's default program, or start a program with a
// parameter string, the way ShellExecute's "open" verb does. Nothing here waits for the
// started process; it runs detached from this one.
#pragma once

#include <string>
#include <vector>

namespace snippo {

// Show commands. A started program chooses its own window state on this platform, so the
// value is accepted and not passed on; the host also uses these numbers for its saved
// window placement.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_NORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_SHOWMAXIMIZED = 3;
constexpr int SW_MAXIMIZE = 3;
constexpr int SW_SHOW = 5;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_SHOWMINNOACTIVE = 7;
constexpr int SW_RESTORE = 9;

// ShellExecute results: above 32 means the request was carried out.
constexpr int SE_ERR_OOM = 8;           // the process could not be started (out of resources)
constexpr int SE_ERR_FNF = 2;           // file not found
constexpr int SE_ERR_PNF = 3;           // the working directory does not exist
constexpr int SE_ERR_ACCESSDENIED = 5;  // found, but may not be executed
constexpr int SE_ERR_NOASSOC = 31;      // no program for the document (no xdg-open), or an unknown verb
constexpr int SHELL_SUCCESS = 42;

// `operation` "open" (any case) or empty. `file` is
//  - an address with a scheme ("https://...", "mailto:...") or a document: handed to the
//    desktop's default handler, xdg-open; `parameters` are not used;
//  - a program: an executable file, or a bare name found on PATH; it is started with
//    `parameters` split into words at blanks (a double-quoted stretch is one word, the quotes
//    removed), in `directory` when that is not empty, else in the current directory.
// `showCmd` is accepted for the caller's sake and not used. Returns SHELL_SUCCESS (> 32) when
// the process was started, else one of the SE_ERR_ codes above.
int ShellExecute(const std::string& operation, const std::string& file, const std::string& parameters,
                 const std::string& directory, int showCmd);

// The words of a parameter string as ShellExecute passes them to a program.
std::vector<std::string> ShellSplitParameters(const std::string& parameters);

// Full path of the executable `name` looked up on PATH (or `name` itself when it holds a '/'
// and names an executable file); empty when there is none.
std::string ShellFindExecutable(const std::string& name);

struct ShellProgram {
    std::string strName;  // display name, "Firefox"
    std::string strPath;  // executable found on PATH
};

// Web browsers installed on PATH, in a fixed order: Firefox, Firefox ESR, Chromium, Google
// Chrome. Each one that is found is listed once.
std::vector<ShellProgram> ShellFindBrowsers();

}  // namespace snippo
