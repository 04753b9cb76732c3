// The object runtime: initialisation, class lookup by programmatic identifier, creation of
// objects from in-process server libraries, and unloading of unused servers.
//
// Class registrations live in HKEY_CLASSES_ROOT of platform/registry:
//   "<ProgID>\CLSID"                    default value "{clsid}"
//   "CLSID\{clsid}\ProgID"              default value "<ProgID>"
//   "CLSID\{clsid}\InprocServer32"      default value: full path of the server library
// A server library exports, as extern "C" (see server.h):
//   DllGetClassObject, DllCanUnloadNow, DllRegisterServer, DllUnregisterServer.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/com/comptr.h"
#include "platform/com/guid.h"
#include "platform/com/hresult.h"
#include "platform/com/interfaces.h"

namespace snippo {

constexpr DWORD CLSCTX_INPROC_SERVER = 0x1;
constexpr DWORD CLSCTX_INPROC_HANDLER = 0x2;
constexpr DWORD CLSCTX_LOCAL_SERVER = 0x4;
constexpr DWORD CLSCTX_REMOTE_SERVER = 0x10;
constexpr DWORD CLSCTX_SERVER = CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;
constexpr DWORD CLSCTX_ALL = CLSCTX_SERVER | CLSCTX_INPROC_HANDLER;

// Counted per thread: the first call on a thread returns S_OK, further ones S_FALSE; each
// needs a matching CoUninitialize. Creating objects on a thread that has not called it gives
// CO_E_NOTINITIALIZED. Loaded servers stay loaded when the count drops to zero.
HRESULT CoInitialize(void* reserved = nullptr);
void CoUninitialize();

// "<ProgID>\CLSID" in HKEY_CLASSES_ROOT.
//   CO_E_CLASSSTRING     no key for the identifier (also for "" and names with "\"), or its
//                        CLSID entry is not a braced GUID
//   REGDB_E_CLASSNOTREG  the identifier's key has no CLSID entry
//   REGDB_E_READREGDB    the registry cannot be read (damaged hive file) or the entry is not
//                        a string
HRESULT CLSIDFromProgID(std::string_view progId, CLSID* clsid);
HRESULT CLSIDFromProgID(const char16_t* progId, CLSID* clsid);

// "CLSID\{clsid}\ProgID" in HKEY_CLASSES_ROOT, as a new std::string in *progId.
//   REGDB_E_CLASSNOTREG  missing or empty; REGDB_E_READREGDB unreadable.
HRESULT ProgIDFromCLSID(REFCLSID clsid, std::string* progId);

// A braced GUID, or else a programmatic identifier looked up with CLSIDFromProgID.
HRESULT CLSIDFromString(std::string_view text, CLSID* clsid);

// Loads the class's server library (once per process) and asks its DllGetClassObject.
//   REGDB_E_CLASSNOTREG  no "CLSID\{clsid}\InprocServer32" entry (or a context without
//                        CLSCTX_INPROC_SERVER: only in-process servers exist here)
//   REGDB_E_READREGDB    the registry cannot be read
//   CO_E_DLLNOTFOUND     the library cannot be loaded (CoGetLastErrorText has the reason)
//   CO_E_ERRORINDLL      the library has no DllGetClassObject
//   anything DllGetClassObject returns, e.g. CLASS_E_CLASSNOTAVAILABLE
// CLSID_StdComponentCategoriesMgr is built in and needs no registration.
HRESULT CoGetClassObject(REFCLSID clsid, DWORD clsctx, void* reserved, REFIID iid, void** object);

// CoGetClassObject for IClassFactory, then CreateInstance(outer, iid), then the factory is
// released. *object is null on failure.
HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD clsctx, REFIID iid, void** object);

template <class T> HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD clsctx, ComPtr<T>* object)
{
    if (object == nullptr)
        return E_POINTER;
    return CoCreateInstance(clsid, outer, clsctx, T::kIid, object->ReleaseAndGetAddressOfVoid());
}

// Asks every loaded server's DllCanUnloadNow; those answering S_OK are closed and dropped
// from the list of loaded servers (a server without DllCanUnloadNow stays). The libraries
// are opened with RTLD_NODELETE, so their code stays mapped: Qt keeps pointers into it.
void CoFreeUnusedLibraries();

// Full paths of the server libraries currently in the loaded list, in load order.
std::vector<std::string> CoLoadedServers();

// Why the last failing runtime call of this thread failed, in words (e.g. the loader's
// message naming the library and the missing file or symbol); "" after a success.
std::string CoGetLastErrorText();

}  // namespace snippo
