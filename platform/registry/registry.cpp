#include "platform/registry/registry.h"

#include "platform/registry/hive.h"
#include "platform/registry/store.h"

#include <algorithm>
#include <iterator>
#include <mutex>
#include <unordered_set>
#include <vector>

namespace snippo {

// A key named by hive and path; the path keeps the case the key was stored with.
struct RegKeyHandle {
    int hive;
    std::vector<std::string> path;
};

namespace {

RegKeyHandle g_roots[reg::kHiveCount] = {{0, {}}, {1, {}}, {2, {}}};

thread_local std::string t_lastError;

// Handles handed out and not yet closed, so that a stale or foreign pointer is refused
// instead of being read. Never destroyed: other libraries may close keys during exit.
struct HandleTable {
    std::mutex mutex;
    std::unordered_set<const RegKeyHandle*> live;
};

HandleTable& handles()
{
    static auto* table = new HandleTable;
    return *table;
}

bool isRoot(HKEY key)
{
    return std::any_of(std::begin(g_roots), std::end(g_roots),
                       [key](const RegKeyHandle& root) { return key == &root; });
}

LONG fail(LONG code, std::string message)
{
    t_lastError = std::move(message);
    return code;
}

LONG checkHandle(HKEY key)
{
    if (!key)
        return fail(ERROR_INVALID_HANDLE, "the key handle is null");
    if (isRoot(key))
        return ERROR_SUCCESS;
    HandleTable& table = handles();
    std::lock_guard guard(table.mutex);
    if (!table.live.count(key))
        return fail(ERROR_INVALID_HANDLE, "the key handle is not open");
    return ERROR_SUCCESS;
}

HKEY newHandle(int hive, std::vector<std::string> path)
{
    auto* h = new RegKeyHandle{hive, std::move(path)};
    HandleTable& table = handles();
    std::lock_guard guard(table.mutex);
    table.live.insert(h);
    return h;
}

std::string quoted(const std::string& s)
{
    return "\"" + s + "\"";
}

std::string displayPath(int hive, const std::vector<std::string>& path)
{
    std::string out = reg::hiveName(hive);
    for (const std::string& part : path)
        out += "\\" + part;
    return out;
}

// A key below `key`, with the sub-key path checked and split.
struct Target {
    int hive = 0;
    std::vector<std::string> path;
    std::string display() const { return displayPath(hive, path); }
};

// Key names are stored between brackets on a line of their own, so they cannot hold line
// breaks; empty names (a leading, trailing or doubled backslash) name nothing.
LONG resolve(HKEY key, const std::string& subKey, Target& target)
{
    if (LONG rc = checkHandle(key); rc != ERROR_SUCCESS)
        return rc;
    target.hive = key->hive;
    target.path = key->path;
    if (subKey.empty())
        return ERROR_SUCCESS;
    std::size_t start = 0;
    for (;;) {
        const auto end = subKey.find('\\', start);
        std::string part = subKey.substr(start, end == std::string::npos ? end : end - start);
        if (part.empty())
            return fail(ERROR_INVALID_PARAMETER, "invalid key path " + quoted(subKey) + ": it has an empty key name");
        if (reg::hasControlChar(part) || !reg::isValidUtf8(part))
            return fail(ERROR_INVALID_PARAMETER, "invalid key path " + quoted(subKey) +
                                                     ": key names must be UTF-8 text without control characters");
        target.path.push_back(std::move(part));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return ERROR_SUCCESS;
}

reg::Key* findKey(reg::Key& root, const std::vector<std::string>& path)
{
    reg::Key* key = &root;
    for (const std::string& part : path) {
        key = key->child(reg::foldCase(part));
        if (!key)
            return nullptr;
    }
    return key;
}

LONG keyMissing(const Target& t)
{
    return fail(ERROR_FILE_NOT_FOUND, "key " + quoted(t.display()) + " does not exist");
}

std::string valueLabel(const std::string& name)
{
    return name.empty() ? std::string("the default value") : "value " + quoted(name);
}

// Loads the hive of `t` and finds its key; on success `key` points into `root`.
LONG loadKey(const Target& t, reg::Key& root, reg::Key*& key)
{
    std::string message;
    if (LONG rc = reg::loadHive(t.hive, root, message); rc != ERROR_SUCCESS)
        return fail(rc, message);
    key = findKey(root, t.path);
    return key ? ERROR_SUCCESS : keyMissing(t);
}

LONG update(int hive, const reg::HiveChange& change)
{
    std::string message;
    const LONG rc = reg::updateHive(hive, change, message);
    if (rc != ERROR_SUCCESS)
        return fail(rc, message);
    return rc;
}

// Finds the value `name` of the key named by handle; `v` points into `root` on success.
LONG loadValue(HKEY key, const std::string& name, reg::Key& root, const reg::Value*& v)
{
    Target t;
    if (LONG rc = resolve(key, {}, t); rc != ERROR_SUCCESS)
        return rc;
    reg::Key* k = nullptr;
    if (LONG rc = loadKey(t, root, k); rc != ERROR_SUCCESS)
        return rc;
    v = k->value(name);
    if (!v)
        return fail(ERROR_FILE_NOT_FOUND, valueLabel(name) + " does not exist in key " + quoted(t.display()));
    return ERROR_SUCCESS;
}

const char* typeName(DWORD type)
{
    return type == REG_DWORD ? "REG_DWORD" : "REG_SZ";
}

LONG typeMismatch(HKEY key, const reg::Value& v, DWORD wanted)
{
    return fail(ERROR_INVALID_PARAMETER, valueLabel(v.name) + " of key " + quoted(displayPath(key->hive, key->path)) +
                                             " is a " + typeName(v.type) + ", not a " + typeName(wanted));
}

reg::Key* ensureKey(reg::Key& root, const std::vector<std::string>& path, bool& changed,
                    std::vector<std::string>& storedPath);

LONG setValue(HKEY key, const reg::Value& value)
{
    Target t;
    if (LONG rc = resolve(key, {}, t); rc != ERROR_SUCCESS)
        return rc;
    if (reg::hasControlChar(value.name) || !reg::isValidUtf8(value.name))
        return fail(ERROR_INVALID_PARAMETER, "invalid value name " + quoted(value.name) +
                                                 ": value names must be UTF-8 text without control characters");
    return update(t.hive, [&](reg::Key& root, bool& changed, std::string& message) {
        reg::Key* k = findKey(root, t.path);
        if (!k) {
            // A key that only the machine-wide layer holds gets the user's own copy.
            reg::Key system;
            reg::loadSystemBeneath(t.hive, system);
            std::vector<std::string> stored;
            if (findKey(system, t.path))
                k = ensureKey(root, t.path, changed, stored);
        }
        if (!k) {
            message = "key " + quoted(t.display()) + " does not exist";
            return ERROR_FILE_NOT_FOUND;
        }
        changed = k->setValue(value) || changed;
        return ERROR_SUCCESS;
    });
}

// Finds the key of `path`, creating every missing one; `storedPath` receives the names in
// the case they are stored with.
reg::Key* ensureKey(reg::Key& root, const std::vector<std::string>& path, bool& changed,
                    std::vector<std::string>& storedPath)
{
    storedPath.clear();
    reg::Key* key = &root;
    for (const std::string& part : path) {
        reg::Key* next = key->child(reg::foldCase(part));
        if (!next) {
            next = key->addChild(part);
            changed = true;
        }
        storedPath.push_back(next->name);
        key = next;
    }
    return key;
}

}  // namespace

HKEY const HKEY_CLASSES_ROOT = &g_roots[0];
HKEY const HKEY_CURRENT_USER = &g_roots[1];
HKEY const HKEY_LOCAL_MACHINE = &g_roots[2];

LONG RegOpenKey(HKEY parent, const std::string& subKey, HKEY* result)
{
    if (!result)
        return fail(ERROR_INVALID_PARAMETER, "RegOpenKey needs a place for the result");
    *result = nullptr;
    Target t;
    if (LONG rc = resolve(parent, subKey, t); rc != ERROR_SUCCESS)
        return rc;
    if (t.path.empty()) {
        *result = &g_roots[t.hive];
        return ERROR_SUCCESS;
    }
    reg::Key root;
    reg::Key* key = nullptr;
    if (LONG rc = loadKey(t, root, key); rc != ERROR_SUCCESS)
        return rc;
    // The handle carries the names as stored, whatever case the caller used.
    std::vector<std::string> stored;
    reg::Key* k = &root;
    for (const std::string& part : t.path) {
        k = k->child(reg::foldCase(part));
        stored.push_back(k->name);
    }
    *result = newHandle(t.hive, std::move(stored));
    return ERROR_SUCCESS;
}

LONG RegCreateKey(HKEY parent, const std::string& subKey, HKEY* result)
{
    if (!result)
        return fail(ERROR_INVALID_PARAMETER, "RegCreateKey needs a place for the result");
    *result = nullptr;
    Target t;
    if (LONG rc = resolve(parent, subKey, t); rc != ERROR_SUCCESS)
        return rc;
    if (t.path.empty()) {
        *result = &g_roots[t.hive];
        return ERROR_SUCCESS;
    }
    std::vector<std::string> stored;
    const LONG rc = update(t.hive, [&](reg::Key& root, bool& changed, std::string&) {
        ensureKey(root, t.path, changed, stored);
        return ERROR_SUCCESS;
    });
    if (rc != ERROR_SUCCESS)
        return rc;
    *result = newHandle(t.hive, std::move(stored));
    return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY key)
{
    if (!key)
        return fail(ERROR_INVALID_HANDLE, "the key handle is null");
    if (isRoot(key))
        return ERROR_SUCCESS;
    {
        HandleTable& table = handles();
        std::lock_guard guard(table.mutex);
        if (table.live.erase(key) == 0)
            return fail(ERROR_INVALID_HANDLE, "the key handle is not open");
    }
    delete key;
    return ERROR_SUCCESS;
}

LONG RegQueryValueType(HKEY key, const std::string& name, DWORD* type)
{
    reg::Key root;
    const reg::Value* v = nullptr;
    if (LONG rc = loadValue(key, name, root, v); rc != ERROR_SUCCESS)
        return rc;
    if (type)
        *type = v->type;
    return ERROR_SUCCESS;
}

LONG RegQueryString(HKEY key, const std::string& name, std::string* value)
{
    if (!value)
        return fail(ERROR_INVALID_PARAMETER, "RegQueryString needs a place for the result");
    reg::Key root;
    const reg::Value* v = nullptr;
    if (LONG rc = loadValue(key, name, root, v); rc != ERROR_SUCCESS)
        return rc;
    if (v->type != REG_SZ)
        return typeMismatch(key, *v, REG_SZ);
    *value = v->text;
    return ERROR_SUCCESS;
}

LONG RegQueryDword(HKEY key, const std::string& name, DWORD* value)
{
    if (!value)
        return fail(ERROR_INVALID_PARAMETER, "RegQueryDword needs a place for the result");
    reg::Key root;
    const reg::Value* v = nullptr;
    if (LONG rc = loadValue(key, name, root, v); rc != ERROR_SUCCESS)
        return rc;
    if (v->type != REG_DWORD)
        return typeMismatch(key, *v, REG_DWORD);
    *value = v->number;
    return ERROR_SUCCESS;
}

LONG RegSetString(HKEY key, const std::string& name, const std::string& value)
{
    reg::Value v;
    v.name = name;
    v.type = REG_SZ;
    v.text = value;
    return setValue(key, v);
}

LONG RegSetDword(HKEY key, const std::string& name, DWORD value)
{
    reg::Value v;
    v.name = name;
    v.type = REG_DWORD;
    v.number = value;
    return setValue(key, v);
}

LONG RegDeleteValue(HKEY key, const std::string& name)
{
    Target t;
    if (LONG rc = resolve(key, {}, t); rc != ERROR_SUCCESS)
        return rc;
    return update(t.hive, [&](reg::Key& root, bool& changed, std::string& message) {
        reg::Key* k = findKey(root, t.path);
        if (!k) {
            message = "key " + quoted(t.display()) + " does not exist";
            return ERROR_FILE_NOT_FOUND;
        }
        changed = k->removeValue(name);
        if (!changed) {
            message = valueLabel(name) + " does not exist in key " + quoted(t.display());
            return ERROR_FILE_NOT_FOUND;
        }
        return ERROR_SUCCESS;
    });
}

LONG RegEnumKey(HKEY key, DWORD index, std::string* name)
{
    if (!name)
        return fail(ERROR_INVALID_PARAMETER, "RegEnumKey needs a place for the name");
    Target t;
    if (LONG rc = resolve(key, {}, t); rc != ERROR_SUCCESS)
        return rc;
    reg::Key root;
    reg::Key* k = nullptr;
    if (LONG rc = loadKey(t, root, k); rc != ERROR_SUCCESS)
        return rc;
    if (index >= k->children.size())
        return fail(ERROR_NO_MORE_ITEMS, "key " + quoted(t.display()) + " has no more sub-keys");
    *name = k->children[index]->name;
    return ERROR_SUCCESS;
}

LONG RegEnumValue(HKEY key, DWORD index, std::string* name, DWORD* type)
{
    if (!name)
        return fail(ERROR_INVALID_PARAMETER, "RegEnumValue needs a place for the name");
    Target t;
    if (LONG rc = resolve(key, {}, t); rc != ERROR_SUCCESS)
        return rc;
    reg::Key root;
    reg::Key* k = nullptr;
    if (LONG rc = loadKey(t, root, k); rc != ERROR_SUCCESS)
        return rc;
    if (index >= k->values.size())
        return fail(ERROR_NO_MORE_ITEMS, "key " + quoted(t.display()) + " has no more values");
    *name = k->values[index].name;
    if (type)
        *type = k->values[index].type;
    return ERROR_SUCCESS;
}

LONG RegDeleteKey(HKEY parent, const std::string& subKey)
{
    Target t;
    if (LONG rc = resolve(parent, subKey, t); rc != ERROR_SUCCESS)
        return rc;
    if (t.path.empty())
        return fail(ERROR_INVALID_PARAMETER,
                    std::string("the hive ") + reg::hiveName(t.hive) + " itself cannot be deleted");
    return update(t.hive, [&](reg::Key& root, bool& changed, std::string& message) {
        const std::vector<std::string> parentPath(t.path.begin(), t.path.end() - 1);
        reg::Key* up = findKey(root, parentPath);
        reg::Key* k = up ? up->child(reg::foldCase(t.path.back())) : nullptr;
        if (!k) {
            message = "key " + quoted(t.display()) + " does not exist";
            return ERROR_FILE_NOT_FOUND;
        }
        if (!k->children.empty()) {
            message = "key " + quoted(t.display()) + " has sub-keys";
            return ERROR_KEY_HAS_CHILDREN;
        }
        changed = up->removeChild(k->folded);
        return ERROR_SUCCESS;
    });
}

LONG RegDeleteTree(HKEY parent, const std::string& subKey)
{
    Target t;
    if (LONG rc = resolve(parent, subKey, t); rc != ERROR_SUCCESS)
        return rc;
    const bool emptyOnly = subKey.empty();
    return update(t.hive, [&](reg::Key& root, bool& changed, std::string& message) {
        reg::Key* k = findKey(root, t.path);
        if (!k) {
            message = "key " + quoted(t.display()) + " does not exist";
            return ERROR_FILE_NOT_FOUND;
        }
        if (emptyOnly) {
            // No sub-key named: clear the key itself but keep it, as the hive roots must stay.
            changed = k->defaultValue || !k->values.empty() || !k->children.empty();
            k->defaultValue.reset();
            k->values.clear();
            k->children.clear();
            return ERROR_SUCCESS;
        }
        const std::vector<std::string> parentPath(t.path.begin(), t.path.end() - 1);
        changed = findKey(root, parentPath)->removeChild(k->folded);
        return ERROR_SUCCESS;
    });
}

LONG RegQueryDefault(HKEY parent, const std::string& subKey, std::string* value)
{
    if (!value)
        return fail(ERROR_INVALID_PARAMETER, "RegQueryDefault needs a place for the result");
    Target t;
    if (LONG rc = resolve(parent, subKey, t); rc != ERROR_SUCCESS)
        return rc;
    reg::Key root;
    reg::Key* k = nullptr;
    if (LONG rc = loadKey(t, root, k); rc != ERROR_SUCCESS)
        return rc;
    if (!k->defaultValue)
        return fail(ERROR_FILE_NOT_FOUND, "key " + quoted(t.display()) + " has no default value");
    if (k->defaultValue->type != REG_SZ)
        return fail(ERROR_INVALID_PARAMETER,
                    "the default value of key " + quoted(t.display()) + " is a REG_DWORD, not a REG_SZ");
    *value = k->defaultValue->text;
    return ERROR_SUCCESS;
}

LONG RegSetDefault(HKEY parent, const std::string& subKey, const std::string& value)
{
    Target t;
    if (LONG rc = resolve(parent, subKey, t); rc != ERROR_SUCCESS)
        return rc;
    return update(t.hive, [&](reg::Key& root, bool& changed, std::string&) {
        std::vector<std::string> stored;
        reg::Key* key = ensureKey(root, t.path, changed, stored);
        reg::Value v;
        v.type = REG_SZ;
        v.text = value;
        if (key->setValue(v))
            changed = true;
        return ERROR_SUCCESS;
    });
}

void RegSetSystemScope(bool on)
{
    reg::setSystemScope(on);
}

std::string RegSystemFolder()
{
    return reg::systemFolders().front();
}

std::string RegStoreFolder()
{
    return reg::storeFolder();
}

std::string RegLastErrorText()
{
    return t_lastError;
}

}  // namespace snippo
