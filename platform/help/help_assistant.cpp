// Help in Qt Assistant: the registered topics of a help file are written as a Qt help project,
// compiled with qhelpgenerator into a collection in the user's cache folder, and shown by an
// Assistant started on that collection and driven through its remote-control commands.
//
// The collection is built at run time because the topics exist only then: every library
// registers its own when it is loaded. It is rebuilt only when the topics change.
#include "platform/help/help_viewers.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>

#include <map>

namespace snippo::helpview {

namespace {

struct Viewer {
    QPointer<QProcess> process;
    QString strNamespace;
};

std::map<std::string, Viewer>& viewers()
{
    static std::map<std::string, Viewer> v;
    return v;
}

std::uint32_t& lastContext()
{
    static std::uint32_t context = 0;
    return context;
}

// "/opt/tool/TessalyTool.HLP" -> "tessalytool": letters and digits of the file name's stem.
QString stem(const std::string& helpFile)
{
    QString name = QFileInfo(QString::fromStdString(helpFile)).completeBaseName().toLower();
    QString out;
    for (QChar c : name)
        if (c.isLetterOrNumber() && c.unicode() < 128)
            out += c;
    return out.isEmpty() ? QStringLiteral("help") : out;
}

QString pageName(std::uint32_t context)
{
    return QStringLiteral("topic-%1.html").arg(context, 0, 16);
}

QString esc(const std::string& text)
{
    return QString::fromStdString(text).toHtmlEscaped();
}

QString page(const QString& title, const QString& body)
{
    return QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>%1</title></head>\n"
                          "<body>\n%2\n</body></html>\n")
        .arg(title, body);
}

bool writeFile(const QString& path, const QString& text)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(text.toUtf8()) >= 0;
}

QString project(const QString& ns, const std::string& title, const std::vector<HelpTopic>& topics)
{
    QString toc, keywords, files = QStringLiteral("      <file>contents.html</file>\n");
    for (const HelpTopic& t : topics) {
        QString ref = pageName(t.dwContext);
        toc += QStringLiteral("        <section title=\"%1\" ref=\"%2\"/>\n").arg(esc(t.strTitle), ref);
        keywords += QStringLiteral("      <keyword name=\"%1\" id=\"context-%2\" ref=\"%3\"/>\n")
                        .arg(esc(t.strTitle), QString::number(t.dwContext, 16), ref);
        for (const std::string& k : t.keywords)
            keywords += QStringLiteral("      <keyword name=\"%1\" ref=\"%2\"/>\n").arg(esc(k), ref);
        files += QStringLiteral("      <file>%1</file>\n").arg(ref);
    }
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<QtHelpProject version=\"1.0\">\n"
                          "  <namespace>%1</namespace>\n"
                          "  <virtualFolder>help</virtualFolder>\n"
                          "  <filterSection>\n"
                          "    <toc>\n"
                          "      <section title=\"%2\" ref=\"contents.html\">\n%3"
                          "      </section>\n"
                          "    </toc>\n"
                          "    <keywords>\n%4    </keywords>\n"
                          "    <files>\n%5    </files>\n"
                          "  </filterSection>\n"
                          "</QtHelpProject>\n")
        .arg(ns, esc(title), toc, keywords, files);
}

QString collectionProject(const QString& name, const QString& ns, const std::string& title)
{
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<QHelpCollectionProject version=\"1.0\">\n"
                          "  <assistant>\n"
                          "    <title>%3</title>\n"
                          "    <startPage>qthelp://%2/help/contents.html</startPage>\n"
                          "    <homePage>qthelp://%2/help/contents.html</homePage>\n"
                          "    <cacheDirectory>snippo-help/%1</cacheDirectory>\n"
                          "    <enableFilterFunctionality>false</enableFilterFunctionality>\n"
                          "    <enableDocumentationManager>false</enableDocumentationManager>\n"
                          "    <enableAddressBar visible=\"false\">false</enableAddressBar>\n"
                          "  </assistant>\n"
                          "  <docFiles>\n"
                          "    <generate><file><input>%1.qhp</input><output>%1.qch</output></file></generate>\n"
                          "    <register><file>%1.qch</file></register>\n"
                          "  </docFiles>\n"
                          "</QHelpCollectionProject>\n")
        .arg(name, ns, esc(title));
}

QString generatorProgram()
{
    return QLibraryInfo::path(QLibraryInfo::LibraryExecutablesPath) + QStringLiteral("/qhelpgenerator");
}

// Writes and compiles the collection of `helpFile` unless it is up to date; returns the
// collection file, or empty. `rebuilt` tells whether it was written anew.
QString buildCollection(const std::string& helpFile, const QString& ns, bool* rebuilt)
{
    *rebuilt = false;
    const QString name = stem(helpFile);
    const std::string title = HelpTitle(helpFile);
    const std::vector<HelpTopic> topics = HelpContents(helpFile);
    QDir dir(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + QStringLiteral("/snippo-help/") +
             name);
    if (!dir.mkpath(QStringLiteral(".")))
        return {};
    const QString qhp = project(ns, title, topics);
    const QString qhcp = collectionProject(name, ns, title);
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(qhp.toUtf8());
    hash.addData(qhcp.toUtf8());
    for (const HelpTopic& t : topics)
        hash.addData(TopicHtml(t).toUtf8());
    const QByteArray stamp = hash.result().toHex();
    const QString collection = dir.filePath(name + QStringLiteral(".qhc"));

    QFile stampFile(dir.filePath(QStringLiteral("stamp")));
    if (QFileInfo::exists(collection) && stampFile.open(QIODevice::ReadOnly) && stampFile.readAll() == stamp)
        return collection;
    stampFile.close();

    QString contents = QStringLiteral("<h2>%1</h2>\n<ul>\n").arg(esc(title));
    for (const HelpTopic& t : topics) {
        contents += QStringLiteral("<li><a href=\"%1\">%2</a></li>\n").arg(pageName(t.dwContext), esc(t.strTitle));
        if (!writeFile(dir.filePath(pageName(t.dwContext)), page(esc(t.strTitle), TopicHtml(t))))
            return {};
    }
    contents += QStringLiteral("</ul>\n");
    if (!writeFile(dir.filePath(QStringLiteral("contents.html")), page(esc(title), contents)) ||
        !writeFile(dir.filePath(name + QStringLiteral(".qhp")), qhp) ||
        !writeFile(dir.filePath(name + QStringLiteral(".qhcp")), qhcp))
        return {};
    QFile::remove(collection);
    QFile::remove(dir.filePath(name + QStringLiteral(".qch")));
    QProcess generator;
    generator.setWorkingDirectory(dir.path());
    generator.setProcessChannelMode(QProcess::MergedChannels);
    generator.start(generatorProgram(), {name + QStringLiteral(".qhcp"), QStringLiteral("-o"), collection});
    if (!generator.waitForFinished(60000) || generator.exitStatus() != QProcess::NormalExit ||
        generator.exitCode() != 0 || !QFileInfo::exists(collection))
        return {};
    writeFile(stampFile.fileName(), QString::fromLatin1(stamp));
    *rebuilt = true;
    return collection;
}

// The remote-control commands for one request; `context` receives the topic shown, or 0.
QStringList commandsFor(const QString& ns, const std::string& helpFile, std::uint32_t command, std::uintptr_t data,
                        std::uint32_t* context)
{
    const QString base = QStringLiteral("qthelp://%1/help/").arg(ns);
    *context = 0;
    switch (command) {
    case HELP_CONTEXT: {
        auto wanted = static_cast<std::uint32_t>(data);
        if (HelpFindTopic(helpFile, wanted, nullptr)) {
            *context = wanted;
            return {QStringLiteral("setSource ") + base + pageName(wanted), QStringLiteral("syncContents")};
        }
        return {QStringLiteral("show contents"), QStringLiteral("setSource ") + base + QStringLiteral("contents.html")};
    }
    case HELP_KEY:
    case HELP_PARTIALKEY: {
        const char* keyword = reinterpret_cast<const char*>(data);
        // Commands end at a line break and are split at ";", so neither may reach Assistant.
        QString text = keyword != nullptr ? QString::fromUtf8(keyword) : QString();
        text.replace(QLatin1Char(';'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
        text = text.trimmed();
        std::vector<HelpTopic> hits = HelpSearch(helpFile, text.toStdString());
        if (command == HELP_KEY && hits.size() == 1)
            *context = hits.front().dwContext;
        if (text.isEmpty())
            return {QStringLiteral("show index")};
        return {QStringLiteral("show index"), QStringLiteral("activateKeyword ") + text};
    }
    default:  // HELP_INDEX, HELP_FINDER, HELP_HELPONHELP
        return {QStringLiteral("show contents")};
    }
}

}  // namespace

QString AssistantProgram()
{
    const QString chosen = qEnvironmentVariable("SNIPPO_HELP_VIEWER");
    if (chosen == QLatin1String("window"))
        return {};
    if (!QFileInfo(generatorProgram()).isExecutable())
        return {};
    if (!chosen.isEmpty())
        return chosen;
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal"))
        return {};
    const QString assistant = QLibraryInfo::path(QLibraryInfo::BinariesPath) + QStringLiteral("/assistant");
    return QFileInfo(assistant).isExecutable() ? assistant : QString();
}

bool ShowInAssistant(const QString& program, const std::string& helpFile, std::uint32_t command, std::uintptr_t data)
{
    const QString name = stem(helpFile);
    Viewer& viewer = viewers()[name.toStdString()];
    viewer.strNamespace = QStringLiteral("org.tessaly.snippo.") + name;
    // Topics registered since Assistant started (another library's) need a new collection,
    // which a running Assistant does not reread.
    bool rebuilt = false;
    const QString collection = buildCollection(helpFile, viewer.strNamespace, &rebuilt);
    if (collection.isEmpty())
        return false;
    if (viewer.process && (rebuilt || viewer.process->state() == QProcess::NotRunning)) {
        viewer.process->terminate();
        viewer.process->waitForFinished(3000);
        delete viewer.process.data();
    }
    if (!viewer.process) {
        // A child of the application: Assistant ends with the program.
        auto* process = new QProcess(QCoreApplication::instance());
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->setStandardOutputFile(QProcess::nullDevice());
        process->start(program,
                       {QStringLiteral("-collectionFile"), collection, QStringLiteral("-enableRemoteControl")});
        if (!process->waitForStarted(10000)) {
            delete process;
            return false;
        }
        viewer.process = process;
    }
    std::uint32_t context = 0;
    for (const QString& line : commandsFor(viewer.strNamespace, helpFile, command, data, &context))
        viewer.process->write((line + QLatin1Char('\n')).toUtf8());
    lastContext() = context;
    return true;
}

void QuitAssistants()
{
    for (auto& [name, viewer] : viewers()) {
        if (!viewer.process)
            continue;
        viewer.process->terminate();
        if (!viewer.process->waitForFinished(3000))
            viewer.process->kill();
        delete viewer.process.data();
    }
    viewers().clear();
    lastContext() = 0;
}

std::uint32_t AssistantContext()
{
    return lastContext();
}

}  // namespace snippo::helpview
