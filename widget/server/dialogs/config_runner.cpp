#include "widget/server/dialogs/config_runner.h"

#include <QApplication>
#include <cstring>
#include <iostream>

#include "widget/server/dialogs/display_check.h"
#include "widget/server/dialogs/dlg_button_properties.h"
#include "widget/server/dialogs/dlg_copy_resources.h"
#include "widget/model/text_fields.h"

namespace snippo {

namespace {

constexpr const char* kLogPrefix = "SnippoGlimButton: ";

// The application this library made for a client that had none. It stays for the life of
// the process: Qt does not support making a second one after the first has gone.
bool EnsureApplication(std::string* why)
{
    if (QCoreApplication* app = QCoreApplication::instance()) {
        if (qobject_cast<QApplication*>(app))
            return true;
        *why = "the program runs a Qt application without widgets";
        return false;
    }
    DisplayChoice display = ChooseDisplay();
    if (!display.available) {
        *why = display.why;
        return false;
    }
    // QApplication keeps argc and argv for its lifetime, which is the process's.
    static int argc = 0;
    static char** argv = new char*[display.arguments.size() + 2]();
    argv[argc++] = strdup("SnippoGlimButton");
    for (const QString& a : display.arguments)
        argv[argc++] = strdup(a.toLocal8Bit().constData());
    new QApplication(argc, argv);
    return true;
}

}  // namespace

void RunConfigDialog(CAppletParameters& params)
{
    std::string why;
    if (!EnsureApplication(&why)) {
        std::cerr << kLogPrefix << "the \"Button Properties\" dialog is not shown: " << why << std::endl;
        return;
    }
    CDlgButtonProperties dlg(&params);
    dlg.Exec();
}

void CopyResourcesConflictHandler::ResolveConflicts(const std::string& destFolder,
                                                    const std::vector<std::string*>& paths)
{
    std::string why;
    if (!EnsureApplication(&why)) {
        for (const std::string* path : paths)
            std::cerr << kLogPrefix << *path << " is not copied to " << destFolder << ": a file named "
                      << FileNameOf(*path) << " is already there and nobody can be asked what to do (" << why << ")"
                      << std::endl;
        return;
    }
    CDlgCopyResources dlg;
    dlg.SetDestination(destFolder);
    for (std::string* path : paths)
        dlg.AddConflict(path);
    if (dlg.Count() > 0)
        dlg.Exec();
}

}  // namespace snippo
