#include "platform/com/string_resources.h"

#include <mutex>
#include <utility>

namespace snippo {

namespace {

constexpr std::uint32_t kFirstModule = 0x00010001;

struct Module {
    std::string name;
    std::map<std::uint32_t, std::string> strings;
};

struct Tables {
    std::mutex mutex;
    std::map<std::uint32_t, Module> modules;
    std::uint32_t next = kFirstModule;
};

Tables& AllTables()
{
    static auto* tables = new Tables;  // never destroyed: libraries may unregister at exit
    return *tables;
}

}  // namespace

std::uint32_t RegisterStringTable(const char* moduleName, std::map<std::uint32_t, std::string> table)
{
    const std::string name = moduleName ? moduleName : "";
    Tables& tables = AllTables();
    std::lock_guard lock(tables.mutex);
    for (auto& [number, module] : tables.modules) {
        if (module.name == name) {
            module.strings = std::move(table);
            return number;
        }
    }
    // Numbers are not reused while registered; after a wrap-around 0 and taken ones are skipped.
    while (tables.next == 0 || tables.modules.count(tables.next) != 0)
        ++tables.next;
    const std::uint32_t number = tables.next++;
    tables.modules.emplace(number, Module{name, std::move(table)});
    return number;
}

bool UnregisterStringTable(std::uint32_t module)
{
    Tables& tables = AllTables();
    std::lock_guard lock(tables.mutex);
    return tables.modules.erase(module) != 0;
}

bool LoadStringResource(std::uint32_t module, std::uint32_t id, std::string* out)
{
    Tables& tables = AllTables();
    std::lock_guard lock(tables.mutex);
    const auto found = tables.modules.find(module);
    if (found == tables.modules.end())
        return false;
    const auto text = found->second.strings.find(id);
    if (text == found->second.strings.end())
        return false;
    if (out != nullptr)
        *out = text->second;
    return true;
}

std::string LoadStringResource(std::uint32_t module, std::uint32_t id)
{
    std::string text;
    LoadStringResource(module, id, &text);
    return text;
}

std::string StringTableModuleName(std::uint32_t module)
{
    Tables& tables = AllTables();
    std::lock_guard lock(tables.mutex);
    const auto found = tables.modules.find(module);
    return found == tables.modules.end() ? std::string() : found->second.name;
}

}  // namespace snippo
