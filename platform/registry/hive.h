// In-memory form of one hive and its REGEDIT4 text form. Private to the registry.
#pragma once

#include "platform/registry/registry.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace snippo::reg {

// Upper-cases every code point of UTF-8 text, so that two names compare equal exactly when
// they differ only in letter case. Bytes that are not valid UTF-8 are kept as they are.
std::string foldCase(std::string_view text);

// True when `text` is well-formed UTF-8 (no overlong forms, no surrogates).
bool isValidUtf8(std::string_view text);

// True when `text` holds a character below U+0020 or DEL.
bool hasControlChar(std::string_view text);

struct Value {
    std::string name;  // "" for the default value
    DWORD type = REG_SZ;
    std::string text;    // REG_SZ
    DWORD number = 0;    // REG_DWORD
    std::string folded;  // foldCase(name), filled in by Key::setValue
};

struct Key {
    std::string name;    // as created
    std::string folded;  // foldCase(name), the lookup form
    std::optional<Value> defaultValue;
    std::vector<Value> values;                   // named values, in stored order
    std::vector<std::unique_ptr<Key>> children;  // in stored order

    Key* child(std::string_view foldedName) const;
    Key* addChild(const std::string& childName);
    // Removes the child, with everything below it; false when there is none.
    bool removeChild(std::string_view foldedName);

    // Named values; the empty name addresses defaultValue.
    const Value* value(const std::string& valueName) const;
    // Adds or replaces; a replaced value keeps its place and the case of its name.
    // Returns false when the value was already exactly this.
    bool setValue(const Value& v);
    bool removeValue(const std::string& valueName);
};

// Parses hive text. On failure returns false and sets `error` to "line N: what is wrong".
// An empty text is an empty hive.
bool parseHive(std::string_view text, std::string_view hiveName, Key& root, std::string& error);

// The REGEDIT4 text of a hive: every key has its own section (so empty keys survive), the
// root only when it holds values.
std::string formatHive(const Key& root, std::string_view hiveName);

}  // namespace snippo::reg
