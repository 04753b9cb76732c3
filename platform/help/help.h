// The help engine: topics addressed by context number, shown in one help window per process.
//
// A program (or a library) registers the topics of its help file once, under the file's
// name; WinHelp then shows a topic by context number, the contents, or the keyword index.
// Help files are compared by file name alone and without regard to case, so a caller may pass
// the full path it derives from its own program file. Several libraries may add topics to the
// same help file or to files of their own; a context number registered again replaces the
// earlier topic.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class QWidget;

namespace snippo {

constexpr std::uint32_t HELP_CONTEXT = 0x0001;  // data: the context number
constexpr std::uint32_t HELP_QUIT = 0x0002;     // closes the help window
constexpr std::uint32_t HELP_INDEX = 0x0003;    // the contents of the help file
constexpr std::uint32_t HELP_CONTENTS = 0x0003;
constexpr std::uint32_t HELP_HELPONHELP = 0x0004;
constexpr std::uint32_t HELP_FINDER = 0x000B;      // same as HELP_INDEX here
constexpr std::uint32_t HELP_KEY = 0x0101;         // data: const char* keyword, exact match
constexpr std::uint32_t HELP_PARTIALKEY = 0x0105;  // data: const char* keyword, may be empty

// Context number bases: commands (menu items, tool-bar buttons) and windows (dialogs, frames).
constexpr std::uint32_t HID_BASE_COMMAND = 0x10000;
constexpr std::uint32_t HID_BASE_RESOURCE = 0x20000;

struct HelpTopic {
    std::uint32_t dwContext = 0;
    std::string strTitle;
    std::string strText;                // plain text; a blank line separates paragraphs
    std::vector<std::string> keywords;  // index entries besides the title
};

// Adds `topics` to the help file `helpFile`. The first registration of a file names its
// title (shown as the help window's caption); an empty title later keeps it.
void HelpRegisterTopics(const std::string& helpFile, const std::string& title, const std::vector<HelpTopic>& topics);
// Forgets every topic of `helpFile` (for a library that is unloaded, and for tests).
void HelpUnregister(const std::string& helpFile);

// Lookups on the table. HelpContents lists the topics in registration order; HelpSearch lists
// the topics whose title or keywords contain `keyword` (any case), by title.
bool HelpFindTopic(const std::string& helpFile, std::uint32_t context, HelpTopic* topic);
std::vector<HelpTopic> HelpContents(const std::string& helpFile);
std::vector<HelpTopic> HelpSearch(const std::string& helpFile, const std::string& keyword);
std::string HelpTitle(const std::string& helpFile);

// Shows help. Needs a QApplication. Returns false, and shows nothing, when the help file has
// no topics (HELP_QUIT always succeeds). A context number without a topic opens the contents
// (the window adds a note saying so). `owner` only places the window near the asking one.
//
// The viewer is Qt Assistant, in a process of its own, on a collection built from the topics
// in the user's cache folder; the window in this process stands in where Assistant is missing
// or cannot be shown (see help_viewers.h; SNIPPO_HELP_VIEWER=window forces the window). Both
// stay usable while modal dialogs run, and HELP_QUIT closes both.
bool WinHelp(QWidget* owner, const std::string& helpFile, std::uint32_t command, std::uintptr_t data);

// The help window in this process, or null when none is open (always null with Assistant). Its children have object
// names: "helpTabs", "helpContents", "helpKeyword", "helpIndex", "helpTopicText".
QWidget* HelpWindow();
// The context number of the topic on show (with Assistant: the last one asked for), 0 when
// none is.
std::uint32_t HelpCurrentContext();

}  // namespace snippo
