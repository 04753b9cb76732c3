// The hierarchical settings registry that replaces the Windows registry.
//
// Three hives (HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE), each stored as one
// REGEDIT4-form text file in the folder named by SNIPPO_REGISTRY, else
// ${XDG_CONFIG_HOME:-$HOME/.config}/quillon/registry. Beneath the user's HKEY_CLASSES_ROOT
// and HKEY_LOCAL_MACHINE lies a read-only machine-wide layer of the same files (see
// RegSystemFolder): reads see both, the user's keys and values winning; writes go to the
// user's files. A damaged or unreadable machine-wide file is reported on standard error and
// left out. Every call reads the hive file afresh
// (so a process always sees what another process wrote) and every change rewrites it
// atomically (temporary file + rename) under an exclusive file lock. A hive file that cannot
// be parsed is reported (ERROR_BADDB, RegLastErrorText) and never overwritten.
//
// Key names are case-insensitive and keep the case they were created with; a sub-key path
// uses "\\" as its separator. Value name "" is the key's default value.
//
// A path with an empty key name (leading, trailing or doubled "\\") and key or value names
// holding control characters or text that is not UTF-8 are refused with
// ERROR_INVALID_PARAMETER. Text values may hold anything: values with line breaks, other
// control characters or bytes that are not UTF-8 are stored in the .reg byte form
// "hex(1):..", all others as "quoted text" with \\ and \" escaped.
#pragma once

#include <cstdint>
#include <string>

namespace snippo {

using LONG = std::int32_t;
using DWORD = std::uint32_t;

struct RegKeyHandle;  // opaque
using HKEY = RegKeyHandle*;

extern HKEY const HKEY_CLASSES_ROOT;
extern HKEY const HKEY_CURRENT_USER;
extern HKEY const HKEY_LOCAL_MACHINE;

constexpr LONG ERROR_SUCCESS = 0;
constexpr LONG ERROR_FILE_NOT_FOUND = 2;  // key or value does not exist
constexpr LONG ERROR_ACCESS_DENIED = 5;   // the hive file cannot be written
constexpr LONG ERROR_INVALID_HANDLE = 6;
constexpr LONG ERROR_INVALID_PARAMETER = 87;
constexpr LONG ERROR_BADDB = 1009;  // the hive file is damaged
constexpr LONG ERROR_KEY_HAS_CHILDREN = 1020;
constexpr LONG ERROR_NO_MORE_ITEMS = 259;

constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_DWORD = 4;

// Opens (RegOpenKey) or opens-or-creates (RegCreateKey, with every missing parent) the key
// `subKey` below `parent`; an empty subKey opens `parent` itself. The handle names the key by
// path, so it stays valid whatever other processes do; close it with RegCloseKey.
LONG RegOpenKey(HKEY parent, const std::string& subKey, HKEY* result);
LONG RegCreateKey(HKEY parent, const std::string& subKey, HKEY* result);
LONG RegCloseKey(HKEY key);

// Values. Queries fail with ERROR_FILE_NOT_FOUND when the key or value is missing, and with
// ERROR_INVALID_PARAMETER when the value has the other type. `type` may be null.
LONG RegQueryValueType(HKEY key, const std::string& name, DWORD* type);
LONG RegQueryString(HKEY key, const std::string& name, std::string* value);
LONG RegQueryDword(HKEY key, const std::string& name, DWORD* value);
LONG RegSetString(HKEY key, const std::string& name, const std::string& value);
LONG RegSetDword(HKEY key, const std::string& name, DWORD value);
LONG RegDeleteValue(HKEY key, const std::string& name);

// Enumeration in stored order; ERROR_NO_MORE_ITEMS past the end. The default value is not
// listed by RegEnumValue.
LONG RegEnumKey(HKEY key, DWORD index, std::string* name);
LONG RegEnumValue(HKEY key, DWORD index, std::string* name, DWORD* type);

// RegDeleteKey removes a key that has no sub-keys (ERROR_KEY_HAS_CHILDREN otherwise);
// RegDeleteTree removes a key with every sub-key and value. With an empty subKey,
// RegDeleteKey removes the key `parent` names (a hive cannot be removed) and RegDeleteTree
// empties `parent` but keeps it.
LONG RegDeleteKey(HKEY parent, const std::string& subKey);
LONG RegDeleteTree(HKEY parent, const std::string& subKey);

// Convenience for the common "default value of a key path" reads and writes.
LONG RegQueryDefault(HKEY parent, const std::string& subKey, std::string* value);
LONG RegSetDefault(HKEY parent, const std::string& subKey, const std::string& value);

// The machine-wide folder: SNIPPO_SYSTEM_REGISTRY, else quillon/registry under the first
// folder of XDG_CONFIG_DIRS (default /etc/xdg); later XDG_CONFIG_DIRS folders are read
// beneath it. With the system scope on, this process reads and writes that folder alone for
// HKEY_CLASSES_ROOT and HKEY_LOCAL_MACHINE (machine-wide registration).
std::string RegSystemFolder();
void RegSetSystemScope(bool on);

// The folder that holds the hive files, and a message that explains the last failure of this
// thread (for example which hive file is damaged and on which line).
std::string RegStoreFolder();
std::string RegLastErrorText();

}  // namespace snippo
