#include "widget/server/dialogs/install_dialogs.h"

#include "widget/server/dialogs/config_runner.h"
#include "widget/server/dialogs/help_topics.h"
#include "widget/server/server_hooks.h"

namespace snippo {

void InstallGlimButtonDialogs()
{
    static CopyResourcesConflictHandler handler;
    SetConfigDialogRunner(&RunConfigDialog);
    SetResourceConflictHandler(&handler);
    InstallGlimButtonHelp();
}

}  // namespace snippo
