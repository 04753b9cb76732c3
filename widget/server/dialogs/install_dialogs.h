// Connects the dialogs to the automation object: Config runs the "Button Properties" dialog
// and saving a widget asks about name clashes through "Copy Resources". Called once when the
// server library loads.
#pragma once

namespace snippo {

void InstallGlimButtonDialogs();

}  // namespace snippo
