// For server libraries: the four entry points a server exports, and where it lies.
#pragma once

#include <string>

#include "platform/com/guid.h"
#include "platform/com/hresult.h"

extern "C" {
// Implemented by each server library (extern "C", default visibility).
snippo::HRESULT DllGetClassObject(snippo::REFCLSID clsid, snippo::REFIID iid, void** object);
snippo::HRESULT DllCanUnloadNow();
snippo::HRESULT DllRegisterServer();
snippo::HRESULT DllUnregisterServer();
}

namespace snippo {

using PFN_DllGetClassObject = HRESULT (*)(REFCLSID, REFIID, void**);
using PFN_DllCanUnloadNow = HRESULT (*)();
using PFN_DllRegisterServer = HRESULT (*)();
using PFN_DllUnregisterServer = HRESULT (*)();

// The absolute path of the shared library (or program) that contains `address`, e.g. a
// server passes the address of one of its own functions to find the path it registers as
// InprocServer32 and the folder of its support files. "" when it cannot be told.
std::string ModuleFileNameOf(const void* address);

}  // namespace snippo
