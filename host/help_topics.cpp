#include "host/help_topics.h"

#include "host/resource.h"

#include "platform/help/help.h"

#include <QCoreApplication>
#include <QStringList>

namespace snippo {

namespace {

std::uint32_t command(int id)
{
    return HID_BASE_COMMAND + static_cast<std::uint32_t>(id);
}

std::uint32_t window(int id)
{
    return HID_BASE_RESOURCE + static_cast<std::uint32_t>(id);
}

struct Topic {
    std::uint32_t dwContext;
    QString strTitle;
    QString strText;
    QStringList keywords;
};

}  // namespace

// The pages in the user's language; the help system takes them as std::string.
class HostHelp {
    Q_DECLARE_TR_FUNCTIONS(snippo::HostHelp)

public:
    static std::vector<Topic> Topics();
};

std::vector<Topic> HostHelp::Topics()
{
    using namespace res;
    std::vector<Topic> topics = {
        {window(IDR_MAINFRAME),
         tr("The Tessaly GlimButton window"),
         tr("Tessaly GlimButton builds one menu-button widget for a web page: a panel of buttons with hints and "
            "drop-down menus, drawn in three states (normal, mouse over, clicked).\n\n"
            "The window shows the widget's name and description, the HTML to paste into your page, and the list of "
            "support files that the HTML needs. Use Edit > Configure to design the buttons, Edit > Preview to try "
            "the widget in your web browser, and File > Save to keep it as a widget file (.qwd)."),
         {tr("main window"), tr("overview"), tr("form")}},
        {command(ID_HELP_TUTORIAL),
         tr("Tutorial"),
         tr("1. Choose File > New, type a name made of letters and digits, and pick a template if you like.\n\n"
            "2. Choose Edit > Configure. Draw buttons in the editor window and set their labels, colours, images, "
            "sounds, links and menus on the property pages. Close the window when you are done.\n\n"
            "3. Choose Edit > Preview to see the widget in your web browser.\n\n"
            "4. Choose File > Save As to keep the widget. The support files are copied beside the saved file.\n\n"
            "5. Copy the HTML from the window into your page, and copy the support files listed under it (or use "
            "File > Copy Support Files to) into the folder of your page."),
         {tr("getting started"), tr("steps")}},
        {command(ID_HELP_WORK_WITH_TESSALY),
         tr("Work with Tessaly"),
         tr("Tessaly GlimButton works on its own, but it is made to be used with Tessaly, the page editor: Tessaly "
            "creates the same widget by its identifier \"SnippoServer.GlimButton\", places its HTML at the cursor "
            "of the page you edit and copies the support files for you."),
         {tr("Tessaly"), tr("page editor")}},
        {command(ID_HELP_FAQ),
         tr("Frequently asked questions"),
         tr("Why does my page show an empty box instead of the buttons?\nThe browser needs Java to run the applet, "
            "and the applet's class file qlnbtn.class must lie in the folder the HTML names. Use File > Copy "
            "Support Files to.\n\n"
            "Why is my name refused?\nNames of widgets and templates may hold letters A to Z, a to z and digits "
            "only: no blanks, underscores or other signs.\n\n"
            "Where are templates kept?\nIn the folder of the widget's server library. Option > Template renames "
            "and deletes them."),
         {tr("questions"), tr("FAQ"), tr("problems")}},
        {command(ID_FILE_NEW),
         tr("File > New"),
         tr("Starts a new widget. The New dialog asks for its name and description and lets you start from a "
            "template. When the current widget has unsaved changes you are asked whether to save them first."),
         {tr("new widget")}},
        {command(ID_FILE_OPEN),
         tr("File > Open"),
         tr("Opens a widget file (.qwd). Only files saved by Tessaly GlimButton can be opened."),
         {tr("open"), tr("widget file")}},
        {command(ID_FILE_SAVE),
         tr("File > Save"),
         tr("Saves the widget to its file. A widget that has no file yet is saved as with Save As. The widget "
            "copies its support files (the applet's class file, images and sounds) into the folder of the file."),
         {tr("save")}},
        {command(ID_FILE_SAVE_AS),
         tr("File > Save As"),
         tr("Saves the widget under a new file name; the widget then belongs to that file."),
         {tr("save as")}},
        {command(ID_FILE_SAVE_AS_TEMPLATE),
         tr("File > Save as Template"),
         tr("Keeps the widget as a template for later new widgets. Give the template a name of letters and digits "
            "and a description; the widget itself keeps its own name."),
         {tr("template"), tr("save template")}},
        {command(ID_FILE_COPY_SUPPORT_FILES),
         tr("File > Copy Support Files to"),
         tr("Copies every file the widget's HTML needs into a folder you choose, usually the folder of your web "
            "page. The command is available when the widget uses support files."),
         {tr("support files"), tr("copy")}},
        {command(ID_APP_EXIT),
         tr("File > Exit"),
         tr("Closes Tessaly GlimButton. You are asked whether to save unsaved changes."),
         {tr("exit"), tr("quit")}},
        {command(ID_EDIT_CONFIGURE),
         tr("Edit > Configure"),
         tr("Opens the widget's editor and property pages. Every change you make there is kept; when you close "
            "the editor the HTML and the support files are shown afresh."),
         {tr("configure"), tr("editor"), tr("buttons")}},
        {command(ID_EDIT_RENAME),
         tr("Edit > Rename"),
         tr("Gives the widget a new name (letters and digits only) and description."),
         {tr("rename"), tr("name")}},
        {command(ID_EDIT_GET_LOCAL_HTML),
         tr("Edit > Get Local HTML"),
         tr("Sets the preview path: the folder, relative to your page, that holds the support files. The HTML "
            "shown then refers to the files in that folder."),
         {tr("local HTML"), tr("preview path")}},
        {command(ID_EDIT_GET_WEB_HTML),
         tr("Edit > Get Web HTML"),
         tr("Shows the HTML in the form for the published page: each support file is named by its web path."),
         {tr("web HTML"), tr("web path")}},
        {command(ID_EDIT_PREVIEW),
         tr("Edit > Preview"),
         tr("Writes a small page around the widget into the program's preview folder and shows it in your web "
            "browser. Option > Web Browser chooses the browser."),
         {tr("preview"), tr("browser")}},
        {command(ID_OPTION_WEB_BROWSER),
         tr("Option > Web Browser"),
         tr("Chooses the browser for previews and the sample page: the system's default browser, one of the "
            "browsers found on this computer, or a browser program you name."),
         {tr("web browser"), tr("browser")}},
        {command(ID_OPTION_TEMPLATE),
         tr("Option > Template"),
         tr("Lists the templates of this widget. Select one to rename it (give a new name and description, then "
            "Rename) or to delete it."),
         {tr("templates"), tr("manage templates")}},
        {command(ID_VIEW_TOOLBAR), tr("View > Toolbar"), tr("Shows or hides the tool bar."), {tr("toolbar")}},
        {command(ID_VIEW_STATUS_BAR),
         tr("View > Status Bar"),
         tr("Shows or hides the status bar."),
         {tr("status bar")}},
        {command(ID_HELP_FINDER), tr("Help > Help Topics"), tr("Lists the topics of this help."), {tr("contents")}},
        {command(ID_HELP_SEARCH),
         tr("Help > Search for Help on"),
         tr("Finds help topics by keyword."),
         {tr("search"), tr("keyword")}},
        {command(ID_HELP_VIEW_SAMPLE),
         tr("Help > View Sample"),
         tr("Shows the sample page of the widget in your web browser."),
         {tr("sample")}},
        {command(ID_APP_ABOUT),
         tr("Help > About Tessaly GlimButton"),
         tr("Shows the program's version."),
         {tr("about"), tr("version")}},
        {window(IDD_ABOUTBOX),
         tr("About Tessaly GlimButton"),
         tr("The version of the program. Click the link to visit "
            "the maker's web site."),
         {}},
        {window(IDD_NEW),
         tr("The New dialog"),
         tr("Name: the new widget's name, letters and digits only.\n\nDescription: any text.\n\n"
            "Select a Template: the widget starts as a copy of the chosen template. The text below the list "
            "describes the selected template."),
         {}},
        {window(IDD_RENAME),
         tr("The Rename dialog"),
         tr("The widget's new name (letters and digits only) and "
            "description."),
         {}},
        {window(IDD_GET_LOCAL_HTML),
         tr("The Get Local HTML dialog"),
         tr("Current Preview Path: the folder of the support files, relative to your page, such as images/. "
            "Back slashes are turned into forward slashes and a closing slash is added."),
         {}},
        {window(IDD_WEB_BROWSER),
         tr("The Web Browser dialog"),
         tr("Use default browser: the program your desktop opens web pages with.\n\n"
            "Choose from known browsers: one of the browsers found on this computer.\n\n"
            "User specified browser: the program in Execute File; the ... button lets you pick it."),
         {}},
        {window(IDD_SAVE_AS_TEMPLATE),
         tr("The Save as Template dialog"),
         tr("Name and Description of the template. The file it will be stored in is shown below them; a name "
            "that is in use already is refused. Existing Templates lists the templates there are."),
         {}},
        {window(IDD_MANAGE_TEMPLATES),
         tr("The Manage Templates dialog"),
         tr("Select a template in the list. Rename writes it under the name and description you typed; Delete "
            "removes it after asking. Changes take effect at once."),
         {}},
    };
    topics.push_back({command(ID_FILE_MRU_FILE1),
                      tr("File > Recent files"),
                      tr("The last four widget files you opened or saved; choose one to open it again."),
                      {tr("recent files")}});
    return topics;
}

std::vector<HelpTopic> HostHelpTopics()
{
    std::vector<HelpTopic> topics;
    for (const Topic& topic : HostHelp::Topics()) {
        HelpTopic& page = topics.emplace_back();
        page.dwContext = topic.dwContext;
        page.strTitle = topic.strTitle.toStdString();
        page.strText = topic.strText.toStdString();
        for (const QString& keyword : topic.keywords)
            page.keywords.push_back(keyword.toStdString());
    }
    return topics;
}

void RegisterHostHelp(const QString& helpFile)
{
    HelpRegisterTopics(helpFile.toStdString(), HostHelp::tr("Tessaly GlimButton Help").toStdString(), HostHelpTopics());
}

}  // namespace snippo
