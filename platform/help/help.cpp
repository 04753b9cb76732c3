#include "platform/help/help.h"

#include "platform/help/help_viewers.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <mutex>

namespace snippo {

namespace {

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// "/opt/tool/TessalyTool.HLP" -> "tessalytool.hlp"
std::string fileKey(const std::string& helpFile)
{
    std::size_t slash = helpFile.find_last_of('/');
    return lower(slash == std::string::npos ? helpFile : helpFile.substr(slash + 1));
}

struct HelpBook {
    std::string strTitle;
    std::vector<HelpTopic> topics;  // registration order
};

struct HelpTable {
    std::mutex mutex;
    std::map<std::string, HelpBook> books;
};

HelpTable& table()
{
    static auto* t = new HelpTable;  // never destroyed: libraries may register during exit
    return *t;
}

bool contains(const std::string& haystack, const std::string& needle)
{
    return lower(haystack).find(lower(needle)) != std::string::npos;
}

}  // namespace

void HelpRegisterTopics(const std::string& helpFile, const std::string& title, const std::vector<HelpTopic>& topics)
{
    HelpTable& t = table();
    std::lock_guard lock(t.mutex);
    HelpBook& book = t.books[fileKey(helpFile)];
    if (book.strTitle.empty() || !title.empty())
        book.strTitle = title.empty() ? book.strTitle : title;
    for (const HelpTopic& topic : topics) {
        auto same = std::find_if(book.topics.begin(), book.topics.end(),
                                 [&](const HelpTopic& t2) { return t2.dwContext == topic.dwContext; });
        if (same != book.topics.end())
            *same = topic;
        else
            book.topics.push_back(topic);
    }
}

void HelpUnregister(const std::string& helpFile)
{
    HelpTable& t = table();
    std::lock_guard lock(t.mutex);
    t.books.erase(fileKey(helpFile));
}

bool HelpFindTopic(const std::string& helpFile, std::uint32_t context, HelpTopic* topic)
{
    HelpTable& t = table();
    std::lock_guard lock(t.mutex);
    auto book = t.books.find(fileKey(helpFile));
    if (book == t.books.end())
        return false;
    for (const HelpTopic& candidate : book->second.topics) {
        if (candidate.dwContext == context) {
            if (topic != nullptr)
                *topic = candidate;
            return true;
        }
    }
    return false;
}

std::vector<HelpTopic> HelpContents(const std::string& helpFile)
{
    HelpTable& t = table();
    std::lock_guard lock(t.mutex);
    auto book = t.books.find(fileKey(helpFile));
    return book == t.books.end() ? std::vector<HelpTopic>() : book->second.topics;
}

std::vector<HelpTopic> HelpSearch(const std::string& helpFile, const std::string& keyword)
{
    std::vector<HelpTopic> found;
    for (HelpTopic& topic : HelpContents(helpFile)) {
        bool hit = contains(topic.strTitle, keyword) ||
                   std::any_of(topic.keywords.begin(), topic.keywords.end(),
                               [&](const std::string& k) { return contains(k, keyword); });
        if (hit)
            found.push_back(std::move(topic));
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const HelpTopic& a, const HelpTopic& b) { return lower(a.strTitle) < lower(b.strTitle); });
    return found;
}

std::string HelpTitle(const std::string& helpFile)
{
    HelpTable& t = table();
    std::lock_guard lock(t.mutex);
    auto book = t.books.find(fileKey(helpFile));
    return book == t.books.end() ? std::string() : book->second.strTitle;
}

bool WinHelp(QWidget* owner, const std::string& helpFile, std::uint32_t command, std::uintptr_t data)
{
    if (command == HELP_QUIT) {
        helpview::QuitAssistants();
        helpview::CloseWindow();
        return true;
    }
    if (HelpContents(helpFile).empty())
        return false;
    QString assistant = helpview::AssistantProgram();
    if (!assistant.isEmpty() && helpview::ShowInAssistant(assistant, helpFile, command, data))
        return true;
    helpview::ShowInWindow(owner, helpFile, command, data);
    return true;
}

QWidget* HelpWindow()
{
    return helpview::Window();
}

std::uint32_t HelpCurrentContext()
{
    return helpview::Window() != nullptr ? helpview::WindowContext() : helpview::AssistantContext();
}

}  // namespace snippo
