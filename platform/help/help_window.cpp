#include "platform/help/help_viewers.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>

namespace snippo::helpview {

QString TopicHtml(const HelpTopic& topic)
{
    QString html = "<h2>" + QString::fromStdString(topic.strTitle).toHtmlEscaped() + "</h2>";
    const QStringList paragraphs = QString::fromStdString(topic.strText).split("\n\n", Qt::SkipEmptyParts);
    for (const QString& p : paragraphs)
        html += "<p>" + p.toHtmlEscaped().replace('\n', "<br>") + "</p>";
    return html;
}

namespace {

// One window for all help files, as the help engine of a desktop shows one at a time.
//
// Help is asked for while modal dialogs run (F1 on a property page), and the editor beside them
// stays on top. So the window stays on top as well, and it makes the modal dialog that would
// block it its transient parent: Qt blocks no window whose transient parent is the modal one,
// and window managers keep a transient window in front of its parent.
class CHelpWindow : public QWidget {
public:
    CHelpWindow() : QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint)
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
        m_text->setHtml(TopicHtml(topic));
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

    // Follows the innermost modal dialog, so that it never blocks this window. When that dialog
    // closes, an outer one would block the window again: a WindowBlocked event, or the end of
    // the dialog (Qt asks again at every click but sends no event then), moves it on.
    void attachToModal()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal == this || windowHandle() == nullptr || modal->windowHandle() == nullptr)
            return;
        if (windowHandle()->transientParent() == modal->windowHandle())
            return;
        windowHandle()->setTransientParent(modal->windowHandle());
        disconnect(m_modalGone);
        m_modalGone = connect(modal, &QObject::destroyed, this, [this] { attachToModal(); });
    }

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::WindowBlocked)
            attachToModal();
        return QWidget::event(event);
    }

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
    QMetaObject::Connection m_modalGone;
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

void ShowInWindow(QWidget* owner, const std::string& helpFile, std::uint32_t command, std::uintptr_t data)
{
    if (!window()) {
        window() = new CHelpWindow;
        QWidget* near = owner != nullptr ? owner->window() : QApplication::activeModalWidget();
        if (near != nullptr)
            window()->move(near->geometry().topLeft() + QPoint(40, 40));
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
    default:  // HELP_INDEX, HELP_FINDER, HELP_HELPONHELP
        w->showContents();
        break;
    }
    w->winId();  // the native window, so that it can be attached before it is mapped
    w->attachToModal();
    w->show();
    w->raise();
    w->activateWindow();
}

void CloseWindow()
{
    if (window())
        window()->close();
}

QWidget* Window()
{
    return window().data();
}

std::uint32_t WindowContext()
{
    return window() ? window()->context() : 0;
}

}  // namespace snippo::helpview
