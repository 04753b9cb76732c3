#include "host/help_topics.h"

#include "host/resource.h"

#include "platform/help/help.h"

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

}  // namespace

std::vector<HelpTopic> HostHelpTopics()
{
    using namespace res;
    std::vector<HelpTopic> topics = {
        {window(IDR_MAINFRAME), "The Tessaly GlimButton window",
         "Tessaly GlimButton builds one menu-button widget for a web page: a panel of buttons with hints and "
         "drop-down menus, drawn in three states (normal, mouse over, clicked).\n\n"
         "The window shows the widget's name and description, the HTML to paste into your page, and the list of "
         "support files that the HTML needs. Use Edit > Configure to design the buttons, Edit > Preview to try "
         "the widget in your web browser, and File > Save to keep it as a widget file (.qwd).",
         {"main window", "overview", "form"}},
        {command(ID_HELP_TUTORIAL), "Tutorial",
         "1. Choose File > New, type a name made of letters and digits, and pick a template if you like.\n\n"
         "2. Choose Edit > Configure. Draw buttons in the editor window and set their labels, colours, images, "
         "sounds, links and menus on the property pages. Close the window when you are done.\n\n"
         "3. Choose Edit > Preview to see the widget in your web browser.\n\n"
         "4. Choose File > Save As to keep the widget. The support files are copied beside the saved file.\n\n"
         "5. Copy the HTML from the window into your page, and copy the support files listed under it (or use "
         "File > Copy Support Files to) into the folder of your page.",
         {"getting started", "steps"}},
        {command(ID_HELP_WORK_WITH_TESSALY), "Work with Tessaly",
         "Tessaly GlimButton works on its own, but it is made to be used with Tessaly, the page editor: Tessaly "
         "creates the same widget by its identifier \"SnippoServer.GlimButton\", places its HTML at the cursor "
         "of the page you edit and copies the support files for you.",
         {"Tessaly", "page editor"}},
        {command(ID_HELP_FAQ), "Frequently asked questions",
         "Why does my page show an empty box instead of the buttons?\nThe browser needs Java to run the applet, "
         "and the applet's class file qlnbtn.class must lie in the folder the HTML names. Use File > Copy "
         "Support Files to.\n\n"
         "Why is my name refused?\nNames of widgets and templates may hold letters A to Z, a to z and digits "
         "only: no blanks, underscores or other signs.\n\n"
         "Where are templates kept?\nIn the folder of the widget's server library. Option > Template renames "
         "and deletes them.",
         {"questions", "FAQ", "problems"}},
        {command(ID_FILE_NEW), "File > New",
         "Starts a new widget. The New dialog asks for its name and description and lets you start from a "
         "template. When the current widget has unsaved changes you are asked whether to save them first.",
         {"new widget"}},
        {command(ID_FILE_OPEN), "File > Open",
         "Opens a widget file (.qwd). Only files saved by Tessaly GlimButton can be opened.",
         {"open", "widget file"}},
        {command(ID_FILE_SAVE), "File > Save",
         "Saves the widget to its file. A widget that has no file yet is saved as with Save As. The widget "
         "copies its support files (the applet's class file, images and sounds) into the folder of the file.",
         {"save"}},
        {command(ID_FILE_SAVE_AS), "File > Save As",
         "Saves the widget under a new file name; the widget then belongs to that file.",
         {"save as"}},
        {command(ID_FILE_SAVE_AS_TEMPLATE), "File > Save as Template",
         "Keeps the widget as a template for later new widgets. Give the template a name of letters and digits "
         "and a description; the widget itself keeps its own name.",
         {"template", "save template"}},
        {command(ID_FILE_COPY_SUPPORT_FILES), "File > Copy Support Files to",
         "Copies every file the widget's HTML needs into a folder you choose, usually the folder of your web "
         "page. The command is available when the widget uses support files.",
         {"support files", "copy"}},
        {command(ID_APP_EXIT), "File > Exit",
         "Closes Tessaly GlimButton. You are asked whether to save unsaved changes.",
         {"exit", "quit"}},
        {command(ID_EDIT_CONFIGURE), "Edit > Configure",
         "Opens the widget's editor and property pages. Every change you make there is kept; when you close "
         "the editor the HTML and the support files are shown afresh.",
         {"configure", "editor", "buttons"}},
        {command(ID_EDIT_RENAME), "Edit > Rename",
         "Gives the widget a new name (letters and digits only) and description.",
         {"rename", "name"}},
        {command(ID_EDIT_GET_LOCAL_HTML), "Edit > Get Local HTML",
         "Sets the preview path: the folder, relative to your page, that holds the support files. The HTML "
         "shown then refers to the files in that folder.",
         {"local HTML", "preview path"}},
        {command(ID_EDIT_GET_WEB_HTML), "Edit > Get Web HTML",
         "Shows the HTML in the form for the published page: each support file is named by its web path.",
         {"web HTML", "web path"}},
        {command(ID_EDIT_PREVIEW), "Edit > Preview",
         "Writes a small page around the widget into the program's preview folder and shows it in your web "
         "browser. Option > Web Browser chooses the browser.",
         {"preview", "browser"}},
        {command(ID_OPTION_WEB_BROWSER), "Option > Web Browser",
         "Chooses the browser for previews and the sample page: the system's default browser, one of the "
         "browsers found on this computer, or a browser program you name.",
         {"web browser", "browser"}},
        {command(ID_OPTION_TEMPLATE), "Option > Template",
         "Lists the templates of this widget. Select one to rename it (give a new name and description, then "
         "Rename) or to delete it.",
         {"templates", "manage templates"}},
        {command(ID_VIEW_TOOLBAR), "View > Toolbar", "Shows or hides the tool bar.", {"toolbar"}},
        {command(ID_VIEW_STATUS_BAR), "View > Status Bar", "Shows or hides the status bar.", {"status bar"}},
        {command(ID_HELP_FINDER), "Help > Help Topics", "Lists the topics of this help.", {"contents"}},
        {command(ID_HELP_SEARCH), "Help > Search for Help on", "Finds help topics by keyword.", {"search", "keyword"}},
        {command(ID_HELP_VIEW_SAMPLE), "Help > View Sample",
         "Shows the sample page of the widget in your web browser.",
         {"sample"}},
        {command(ID_APP_ABOUT), "Help > About Tessaly GlimButton",
         "Shows the program's version.",
         {"about", "version"}},
        {window(IDD_ABOUTBOX), "About Tessaly GlimButton", "The version of the program. Click the link to visit "
                                                           "the maker's web site.", {}},
        {window(IDD_NEW), "The New dialog",
         "Name: the new widget's name, letters and digits only.\n\nDescription: any text.\n\n"
         "Select a Template: the widget starts as a copy of the chosen template. The text below the list "
         "describes the selected template.",
         {}},
        {window(IDD_RENAME), "The Rename dialog", "The widget's new name (letters and digits only) and "
                                                  "description.", {}},
        {window(IDD_GET_LOCAL_HTML), "The Get Local HTML dialog",
         "Current Preview Path: the folder of the support files, relative to your page, such as images/. "
         "Back slashes are turned into forward slashes and a closing slash is added.",
         {}},
        {window(IDD_WEB_BROWSER), "The Web Browser dialog",
         "Use default browser: the program your desktop opens web pages with.\n\n"
         "Choose from known browsers: one of the browsers found on this computer.\n\n"
         "User specified browser: the program in Execute File; the ... button lets you pick it.",
         {}},
        {window(IDD_SAVE_AS_TEMPLATE), "The Save as Template dialog",
         "Name and Description of the template. The file it will be stored in is shown below them; a name "
         "that is in use already is refused. Existing Templates lists the templates there are.",
         {}},
        {window(IDD_MANAGE_TEMPLATES), "The Manage Templates dialog",
         "Select a template in the list. Rename writes it under the name and description you typed; Delete "
         "removes it after asking. Changes take effect at once.",
         {}},
    };
    topics.push_back({command(ID_FILE_MRU_FILE1), "File > Recent files",
                      "The last four widget files you opened or saved; choose one to open it again.",
                      {"recent files"}});
    return topics;
}

void RegisterHostHelp(const std::string& helpFile)
{
    HelpRegisterTopics(helpFile, "Tessaly GlimButton Help", HostHelpTopics());
}

}  // namespace snippo
