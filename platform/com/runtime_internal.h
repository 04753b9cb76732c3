// Shared between the runtime's source files; not for users of the runtime.
#pragma once

#include <string>

#include "platform/com/guid.h"
#include "platform/com/hresult.h"

namespace snippo::com_internal {

// Records the reason for CoGetLastErrorText and returns `hr`.
HRESULT Fail(HRESULT hr, std::string reason);
void ClearLastError();

// The class object of the built-in component categories manager.
HRESULT GetCategoriesManagerClassObject(REFIID iid, void** object);

// HRESULT for a failed registry call (ERROR_BADDB -> REGDB_E_READREGDB, and so on).
HRESULT FromRegistryError(long error, bool writing);

}  // namespace snippo::com_internal
