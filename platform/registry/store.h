// The hive files on disk: where they live, how they are read, and how a change is written
// without ever losing another process's change or a damaged file. Private to the registry.
#pragma once

#include "platform/registry/hive.h"

#include <functional>
#include <string>
#include <vector>

namespace snippo::reg {

constexpr int kHiveCount = 3;

// "HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER" or "HKEY_LOCAL_MACHINE".
const char* hiveName(int hive);

// Resolved afresh on every call: the environment may change between calls.
std::string storeFolder();

// The machine-wide folders beneath the user's store for HKEY_CLASSES_ROOT and
// HKEY_LOCAL_MACHINE, most important first: SNIPPO_SYSTEM_REGISTRY alone when set, else
// quillon/registry under each folder of XDG_CONFIG_DIRS (default /etc/xdg).
std::vector<std::string> systemFolders();

// In system scope this process reads and writes the first system folder alone for the two
// machine-wide hives, as an installer does; otherwise the system layer is read-only.
void setSystemScope(bool on);
bool systemScope();

// Reads the hive as it is on disk now: the user's file with the system layer beneath it. A missing file is an empty
// hive. Fails with ERROR_BADDB (damaged file) or ERROR_ACCESS_DENIED (unreadable), setting `message`.
LONG loadHive(int hive, Key& root, std::string& message);

// Merges the system layer beneath `root` (a no-op for HKEY_CURRENT_USER and in system scope).
// Damaged or unreadable system files are reported on standard error and skipped.
LONG loadSystemBeneath(int hive, Key& root);

// Applies `change` to the current contents of the hive under the store's exclusive lock and
// writes the result atomically when `change` succeeds and sets `changed`. A damaged or
// unreadable hive is left alone and the change is not made.
using HiveChange = std::function<LONG(Key& root, bool& changed, std::string& message)>;
LONG updateHive(int hive, const HiveChange& change, std::string& message);

}  // namespace snippo::reg
