// What Config and the saving of a widget run on the user-interface side: the "Button
// Properties" dialog, and "Copy Resources" for name clashes. Both work for a client that has no
// QApplication (one is made) and do no harm where no display can be opened.
#pragma once

#include <string>
#include <vector>

#include "widget/model/applet_parameters.h"

namespace snippo {

// Runs "Button Properties" on the model. A client without a QApplication gets one for the
// dialog; where no display can be opened the dialog is not shown and standard error says so.
void RunConfigDialog(CAppletParameters& params);

// The conflict handler of CopyResources: the "Copy Resources" dialog, or, without a display,
// a line on standard error for each clashing file, which is left as it is.
class CopyResourcesConflictHandler : public ResourceConflictHandler {
public:
    void ResolveConflicts(const std::string& destFolder, const std::vector<std::string*>& paths) override;
};

}  // namespace snippo
