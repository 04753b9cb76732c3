// The hive files on disk: where they live, how they are read, and how a change is written
// without ever losing another process's change or a damaged file. Private to the registry.
#pragma once

#include "platform/registry/hive.h"

#include <functional>
#include <string>

namespace snippo::reg {

constexpr int kHiveCount = 3;

// "HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER" or "HKEY_LOCAL_MACHINE".
const char* hiveName(int hive);

// Resolved afresh on every call: the environment may change between calls.
std::string storeFolder();

// Reads the hive as it is on disk now. A missing file is an empty hive. Fails with
// ERROR_BADDB (damaged file) or ERROR_ACCESS_DENIED (unreadable), setting `message`.
LONG loadHive(int hive, Key& root, std::string& message);

// Applies `change` to the current contents of the hive under the store's exclusive lock and
// writes the result atomically when `change` succeeds and sets `changed`. A damaged or
// unreadable hive is left alone and the change is not made.
using HiveChange = std::function<LONG(Key& root, bool& changed, std::string& message)>;
LONG updateHive(int hive, const HiveChange& change, std::string& message);

}  // namespace snippo::reg
