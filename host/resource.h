// Command, window and control numbers of TessalyTool, and the program's fixed texts. The
// command numbers also give the help contexts (HID_BASE_COMMAND + command), the window
// numbers those of the dialogs (HID_BASE_RESOURCE + window).
#pragma once

#include <QCoreApplication>
#include <QString>

#include <cstdint>

namespace snippo::res {

// Windows.
constexpr int IDD_ABOUTBOX = 100;
constexpr int IDD_TESSALYTOOL_FORM = 101;
constexpr int IDR_MAINFRAME = 128;
constexpr int IDD_NEW = 130;
constexpr int IDD_RENAME = 131;
constexpr int IDD_GET_LOCAL_HTML = 132;
constexpr int IDD_WEB_BROWSER = 134;
constexpr int IDD_SAVE_AS_TEMPLATE = 135;
constexpr int IDD_MANAGE_TEMPLATES = 155;

// Commands.
constexpr int ID_FILE_NEW = 57600;
constexpr int ID_FILE_OPEN = 57601;
constexpr int ID_FILE_SAVE = 57603;
constexpr int ID_FILE_SAVE_AS = 57604;
constexpr int ID_FILE_MRU_FILE1 = 57616;
constexpr int ID_APP_ABOUT = 57664;
constexpr int ID_APP_EXIT = 57665;
constexpr int ID_HELP_FINDER = 57667;
constexpr int ID_HELP = 57670;
constexpr int ID_CONTEXT_HELP = 57669;
constexpr int ID_DEFAULT_HELP = 57671;
constexpr int ID_VIEW_TOOLBAR = 59392;
constexpr int ID_VIEW_STATUS_BAR = 59393;
constexpr int ID_EDIT_CONFIGURE = 32771;
constexpr int ID_EDIT_GET_LOCAL_HTML = 32772;
constexpr int ID_EDIT_GET_WEB_HTML = 32773;
constexpr int ID_EDIT_PREVIEW = 32774;
constexpr int ID_FILE_COPY_SUPPORT_FILES = 32775;
constexpr int ID_EDIT_RENAME = 32776;
constexpr int ID_FILE_SAVE_AS_TEMPLATE = 32777;
constexpr int ID_OPTION_TEMPLATE = 32778;
constexpr int ID_OPTION_WEB_BROWSER = 32781;
constexpr int ID_OPTION_WEB_RUNTIME = 32795;
constexpr int ID_HELP_WORK_WITH_TESSALY = 32783;
constexpr int ID_HELP_FAQ = 32790;
constexpr int ID_HELP_SEARCH = 32792;
constexpr int ID_HELP_TUTORIAL = 32793;
constexpr int ID_HELP_VIEW_SAMPLE = 32794;

// Controls of the form view.
constexpr int IDC_RESOURCE_LIST = 1001;
constexpr int IDC_CAPTION_BODY = 1005;
constexpr int IDC_CAPTION_HEAD = 1006;
constexpr int IDC_CAPTION_RESOURCES = 1007;
constexpr int IDC_BODY = 1009;
constexpr int IDC_HEAD = 1010;
constexpr int IDC_NAME = 1013;
constexpr int IDC_DESCRIPTION = 1014;
constexpr int IDC_CAPTION_NAME = 1015;
constexpr int IDC_CAPTION_DESCRIPTION = 1016;

constexpr int IDC_HYPERLINK = 1055;

}  // namespace snippo::res

namespace snippo::text {

// The texts the user reads are marked for translation here and translated where they are shown;
// names, keys and identifiers stay as they are.
inline QString Tr(const char* source)
{
    return QCoreApplication::translate("snippo::text", source);
}

// Application and document.
inline constexpr const char* kAppTitle = "Tessaly GlimButton";  // 57344
inline constexpr const char* kDefaultDocName = "Untitled_SnippoServer.GlimButton";
inline constexpr const char* kFileFilter = QT_TRANSLATE_NOOP("snippo::text", "Tessaly Widgets File(*.qwd) ");
inline constexpr const char* kFileExtension = ".qwd";
inline constexpr const char* kProgID = "SnippoServer.GlimButton";  // 301
inline constexpr const char* kTemplateExtension = "qwd";           // 200
inline constexpr const char* kOleInitFailed =
    QT_TRANSLATE_NOOP("snippo::text",
                      "OLE initialization failed.  Make sure that the OLE libraries are the correct version.");  // 129

// Registry.
inline constexpr const char* kRegistryKey = "Quillon";
inline constexpr const char* kSectionFrame = "Frame";
inline constexpr const char* kSectionWebBrowser = "Web Browser";        // 108
inline constexpr const char* kEntryUseDefault = "Use Default";          // 109
inline constexpr const char* kEntrySpecifyBrowser = "Specify Browser";  // 110
inline constexpr const char* kEntryKnownBrowser = "Known Browser";      // 111
inline constexpr const char* kSectionRecentFiles = "Recent File List";
inline constexpr const char* kSectionOptions = "Options";
inline constexpr const char* kEntryWebRuntime = "Web Runtime";

// Names.
inline constexpr const char* kEnterName = QT_TRANSLATE_NOOP("snippo::text", "You must enter a name!");
inline constexpr const char* kInvalidTemplateName = QT_TRANSLATE_NOOP(
    "snippo::text",
    "The template name of widget is not valid.It accept only alphanumeric characters.\n"
    "You have entered an invalid character, such as '-', '_', ':', ';', '#', (), [], or ?, in the name.\n");
inline constexpr const char* kInvalidWidgetName = QT_TRANSLATE_NOOP(
    "snippo::text",
    "The name of widget is not valid.It accept only alphanumeric characters.\n"
    "You have entered an invalid character, such as '-', '_', ':', ';', '#', (), [], or ?, in the name.\n");

// The About box.
inline constexpr const char* kVersionLine = QT_TRANSLATE_NOOP("snippo::text", "Tessaly GlimButton Version 1.0");

}  // namespace snippo::text
