#include "platform/help/help.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QScreen>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

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
    std::vector<HelpTopic> topics;   // registration order
};

struct HelpTable {
    std::mutex mutex;
    std::map<std::string, HelpBook> books;
};

HelpTable& table()
{
    static auto* t = new HelpTable;   // never destroyed: libraries may register during exit
    return *t;
}

bool contains(const std::string& haystack, const std::string& needle)
{
    return lower(haystack).find(lower(needle)) != std::string::npos;
}

QString topicHtml(const HelpTopic& topic)
{
    QString html = "<h2>" + QString::fromStdString(topic.strTitle).toHtmlEscaped() + "</h2>";
    const QStringList paragraphs = QString::fromStdString(topic.strText).split("\n\n", Qt::SkipEmptyParts);
    for (const QString& p : paragraphs)
        html += "<p>" + p.toHtmlEscaped().replace('\n', "<br>") + "</p>";
    return html;
}

// One window for all help files, as the help engine of a desktop shows one at a time.
class CHelpWindow : public QWidget {
public:
    CHelpWindow()
    {
        setObjectName("helpWindow");
        setAttribute(Qt::WA_DeleteOnClose);
        m_tabs = new QTabWidget;
        m_tabs->setObjectName("helpTabs");
        m_contents = new QListWidget;
        m_contents->setObjectName("helpContents");
        auto* indexPage = new QWidget;
        auto* indexLayout = new QVBoxLayout(indexPage);
        auto* prompt = new QLabel("Type the first few letters of the word you're looking for:");
        prompt->setWordWrap(true);
        m_keyword = new QLineEdit;
        m_keyword->setObjectName("helpKeyword");
        m_index = new QListWidget;
        m_index->setObjectName("helpIndex");
        indexLayout->addWidget(prompt);
        indexLayout->addWidget(m_keyword);
        indexLayout->addWidget(m_index);
        m_tabs->addTab(m_contents, "Contents");
        m_tabs->addTab(indexPage, "Index");
        m_text = new QTextBrowser;
        m_text->setObjectName("helpTopicText");
        m_text->setOpenLinks(false);
        auto* splitter = new QSplitter;
        splitter->addWidget(m_tabs);
        splitter->addWidget(m_text);
        splitter->setStretchFactor(1, 1);
        auto* layout = new QHBoxLayout(this);
        layout->addWidget(splitter);
        resize(720, 480);

        auto pick = [this](QListWidgetItem* item) {
            if (item != nullptr)
                showContext(item->data(Qt::UserRole).toUInt());
        };
        connect(m_contents, &QListWidget::itemActivated, this, pick);
        connect(m_contents, &QListWidget::itemClicked, this, pick);
        connect(m_index, &QListWidget::itemActivated, this, pick);
        connect(m_index, &QListWidget::itemClicked, this, pick);
        connect(m_keyword, &QLineEdit::textChanged, this, [this](const QString& text) { fillIndex(text); });
    }

    void setFile(const std::string& helpFile)
    {
        m_file = helpFile;
        setWindowTitle(QString::fromStdString(HelpTitle(helpFile)));
        m_contents->clear();
        for (const HelpTopic& topic : HelpContents(helpFile)) {
            auto* item = new QListWidgetItem(QString::fromStdString(topic.strTitle), m_contents);
            item->setData(Qt::UserRole, topic.dwContext);
        }
        fillIndex(m_keyword->text());
    }

    void showContext(std::uint32_t context)
    {
        HelpTopic topic;
        if (!HelpFindTopic(m_file, context, &topic)) {
            m_context = 0;
            m_tabs->setCurrentIndex(0);
            m_text->setHtml(QString("<p>There is no Help topic for this item (context number 0x%1). "
                                    "Choose a topic from the Contents or the Index.</p>")
                                .arg(QString::number(context, 16).toUpper()));
            return;
        }
        m_context = context;
        m_text->setHtml(topicHtml(topic));
        for (int i = 0; i < m_contents->count(); ++i)
            if (m_contents->item(i)->data(Qt::UserRole).toUInt() == context)
                m_contents->setCurrentRow(i);
    }

    void showContents()
    {
        m_tabs->setCurrentIndex(0);
        if (m_context == 0 && m_contents->count() > 0)
            showContext(m_contents->item(0)->data(Qt::UserRole).toUInt());
    }

    void showIndex(const QString& keyword)
    {
        m_tabs->setCurrentIndex(1);
        m_keyword->setText(keyword);
        fillIndex(keyword);
        m_keyword->setFocus();
    }

    std::uint32_t context() const { return m_context; }

private:
    // Every title and keyword, sorted, each leading to its topic; filtered by `keyword`.
    void fillIndex(const QString& keyword)
    {
        std::vector<std::pair<QString, std::uint32_t>> entries;
        for (const HelpTopic& topic : HelpContents(m_file)) {
            entries.emplace_back(QString::fromStdString(topic.strTitle), topic.dwContext);
            for (const std::string& k : topic.keywords)
                entries.emplace_back(QString::fromStdString(k), topic.dwContext);
        }
        std::stable_sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
            return a.first.compare(b.first, Qt::CaseInsensitive) < 0;
        });
        m_index->clear();
        for (const auto& [text, context] : entries) {
            if (!keyword.isEmpty() && !text.contains(keyword, Qt::CaseInsensitive))
                continue;
            auto* item = new QListWidgetItem(text, m_index);
            item->setData(Qt::UserRole, context);
        }
    }

    std::string m_file;
    std::uint32_t m_context = 0;
    QTabWidget* m_tabs;
    QListWidget* m_contents;
    QLineEdit* m_keyword;
    QListWidget* m_index;
    QTextBrowser* m_text;
};

QPointer<CHelpWindow>& window()
{
    static QPointer<CHelpWindow> w;
    return w;
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
        if (window())
            window()->close();
        return true;
    }
    if (HelpContents(helpFile).empty())
        return false;

    if (!window()) {
        window() = new CHelpWindow;
        if (owner != nullptr) {
            QWidget* top = owner->window();
            window()->move(top->geometry().topLeft() + QPoint(40, 40));
        }
    }
    CHelpWindow* w = window();
    w->setFile(helpFile);
    const char* keyword = reinterpret_cast<const char*>(data);
    switch (command) {
    case HELP_CONTEXT:
        w->showContext(static_cast<std::uint32_t>(data));
        break;
    case HELP_KEY:
    case HELP_PARTIALKEY: {
        QString text = keyword != nullptr ? QString::fromUtf8(keyword) : QString();
        std::vector<HelpTopic> hits = HelpSearch(helpFile, text.toStdString());
        if (command == HELP_KEY && hits.size() == 1)
            w->showContext(hits.front().dwContext);
        else
            w->showIndex(text);
        break;
    }
    default:   // HELP_INDEX, HELP_FINDER, HELP_HELPONHELP
        w->showContents();
        break;
    }
    w->show();
    w->raise();
    w->activateWindow();
    return true;
}

QWidget* HelpWindow()
{
    return window().data();
}

std::uint32_t HelpCurrentContext()
{
    return window() ? window()->context() : 0;
}

}  // namespace snippo
