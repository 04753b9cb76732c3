// What the automation object asks of the user-interface side of the library. The model and
// the object stay free of any toolkit; the dialogs install themselves here when they can.
#pragma once

#include <cstdint>
#include <functional>

namespace snippo {

class CAppletParameters;
class ResourceConflictHandler;

// Runs the configuration dialog modally on the model. Unset: Config shows nothing.
using ConfigDialogRunner = std::function<void(CAppletParameters&)>;
void SetConfigDialogRunner(ConfigDialogRunner runner);
const ConfigDialogRunner& GetConfigDialogRunner();

// Decides name clashes while the support files are copied. Unset: clashing files stay.
void SetResourceConflictHandler(ResourceConflictHandler* handler);
ResourceConflictHandler* GetResourceConflictHandler();

// Module lock count: raised by every live widget object and by client locks.
void LockModule();
void UnlockModule();
long ModuleLockCount();

// The module number under which the library's string resources are registered.
std::uint32_t ResourceModuleNumber();

}  // namespace snippo
