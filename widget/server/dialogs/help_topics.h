// The widget's help topics, registered with the platform's help engine, and the F1 handlers
// of the dialog, its pages and the editor window.
#pragma once

namespace snippo {

void InstallGlimButtonHelp();

}  // namespace snippo
