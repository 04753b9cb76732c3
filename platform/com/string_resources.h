// String resources of libraries, addressed by a 32-bit module number.
//
// A library registers its string table when it is loaded and hands the number it got to its
// clients (the widget's GetResourceInstance); clients load strings with that number. The
// numbers are assigned here, so that no pointer has to fit into 32 bits. One table per
// process, since the platform library is shared by every module of a process.
#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace snippo {

// Returns the module number of `moduleName` (first 0x00010001, never 0). Registering a name
// again replaces its table and keeps its number, as a library loaded twice keeps its handle.
// A null name counts as "".
std::uint32_t RegisterStringTable(const char* moduleName, std::map<std::uint32_t, std::string> table);
// False when the number is not registered.
bool UnregisterStringTable(std::uint32_t module);

// Looks up string `id` of `module`; false (and *out unchanged) when either is unknown.
bool LoadStringResource(std::uint32_t module, std::uint32_t id, std::string* out);
// The same, "" when missing.
std::string LoadStringResource(std::uint32_t module, std::uint32_t id);

// The name a module number was registered with ("" when unknown).
std::string StringTableModuleName(std::uint32_t module);

}  // namespace snippo
