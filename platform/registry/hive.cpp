#include "platform/registry/hive.h"

#include <algorithm>
#include <cstdio>
#include <locale.h>
#include <wctype.h>

namespace snippo::reg {

namespace {

// Decodes one UTF-8 sequence at `pos`; returns its length, or 0 when it is malformed.
std::size_t decodeUtf8(std::string_view s, std::size_t pos, char32_t& cp)
{
    const auto b0 = static_cast<unsigned char>(s[pos]);
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    std::size_t len;
    char32_t min;  // the smallest code point of that length: shorter forms are overlong
    if ((b0 & 0xE0) == 0xC0) {
        len = 2;
        cp = b0 & 0x1F;
        min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3;
        cp = b0 & 0x0F;
        min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4;
        cp = b0 & 0x07;
        min = 0x10000;
    } else {
        return 0;
    }
    if (pos + len > s.size())
        return 0;
    for (std::size_t i = 1; i < len; ++i) {
        const auto b = static_cast<unsigned char>(s[pos + i]);
        if ((b & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return len;
}

void encodeUtf8(char32_t cp, std::string& out)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Case mapping must not depend on the locale the program happens to set, so a fixed UTF-8
// locale is used; without one only ASCII letters fold.
locale_t caseLocale()
{
    static const locale_t loc = [] {
        locale_t l = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
        if (!l)
            l = newlocale(LC_CTYPE_MASK, "C.utf8", locale_t{});
        return l;
    }();
    return loc;
}

char32_t upper(char32_t cp)
{
    if (cp < 0x80)
        return (cp >= 'a' && cp <= 'z') ? cp - 0x20 : cp;
    if (locale_t loc = caseLocale())
        return static_cast<char32_t>(towupper_l(static_cast<wint_t>(cp), loc));
    return cp;
}

std::string quote(std::string_view s)
{
    std::string out = "\"";
    for (char c : s) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    out += '"';
    return out;
}

bool sameValue(const Value& a, const Value& b)
{
    if (a.name != b.name || a.type != b.type)
        return false;
    return a.type == REG_DWORD ? a.number == b.number : a.text == b.text;
}

std::string_view trim(std::string_view s)
{
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

bool startsWithNoCase(std::string_view s, std::string_view prefix)
{
    if (s.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        char c = s[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + 0x20);
        if (c != prefix[i])
            return false;
    }
    return true;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

class Parser {
public:
    Parser(std::string_view text, std::string_view hiveName, Key& root) : hiveName_(hiveName), root_(root)
    {
        if (text.substr(0, 3) == "\xEF\xBB\xBF")
            text.remove_prefix(3);
        std::size_t start = 0;
        while (start <= text.size()) {
            auto end = text.find('\n', start);
            if (end == std::string_view::npos)
                end = text.size();
            std::string_view line = text.substr(start, end - start);
            if (!line.empty() && line.back() == '\r')
                line.remove_suffix(1);
            lines_.push_back(line);
            start = end + 1;
        }
    }

    bool run(std::string& error)
    {
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            if (!isValidUtf8(lines_[i]))
                return fail(i, "the text is not valid UTF-8", error);
        }
        if (trim(lines_[0]) != "REGEDIT4")
            return fail(0, "the first line must be \"REGEDIT4\"", error);
        for (std::size_t i = 1; i < lines_.size(); ++i) {
            const std::size_t first = i;
            std::string_view line = trim(lines_[i]);
            std::string what;
            bool ok = true;
            if (line.empty() || line.front() == ';')
                continue;
            if (line.front() == '[') {
                ok = parseSection(line, what);
            } else if (line.front() == '@' || line.front() == '"') {
                ok = parseValue(line, i, what);
            } else {
                what = "expected [key], \"Name\"=value, @=value or a ; comment";
                ok = false;
            }
            if (!ok)
                return fail(first, what, error);
        }
        return true;
    }

private:
    bool fail(std::size_t index, const std::string& what, std::string& error)
    {
        error = "line " + std::to_string(index + 1) + ": " + what;
        return false;
    }

    bool parseSection(std::string_view line, std::string& what)
    {
        if (line.back() != ']') {
            what = "a key line must end with \"]\"";
            return false;
        }
        const std::string_view path = line.substr(1, line.size() - 2);
        if (!path.empty() && path.front() == '-') {
            what = "a key deletion [-...] does not belong in a stored hive";
            return false;
        }
        std::vector<std::string_view> parts;
        std::size_t start = 0;
        for (;;) {
            const auto end = path.find('\\', start);
            parts.push_back(path.substr(start, end == std::string_view::npos ? end : end - start));
            if (end == std::string_view::npos)
                break;
            start = end + 1;
        }
        if (foldCase(parts[0]) != foldCase(hiveName_)) {
            what = "key \"" + std::string(path) + "\" does not belong to " + std::string(hiveName_);
            return false;
        }
        Key* key = &root_;
        for (std::size_t i = 1; i < parts.size(); ++i) {
            if (parts[i].empty()) {
                what = "key \"" + std::string(path) + "\" has an empty key name";
                return false;
            }
            const std::string name(parts[i]);
            Key* next = key->child(foldCase(name));
            key = next ? next : key->addChild(name);
        }
        current_ = key;
        currentPath_ = std::string(path);
        return true;
    }

    // Reads a quoted string at the start of `s`; on success `s` is left after the closing mark.
    static bool parseQuoted(std::string_view& s, std::string& out, std::string& what)
    {
        out.clear();
        for (std::size_t i = 1; i < s.size(); ++i) {
            const char c = s[i];
            if (c == '"') {
                s.remove_prefix(i + 1);
                return true;
            }
            if (c == '\\') {
                if (i + 1 < s.size() && (s[i + 1] == '\\' || s[i + 1] == '"')) {
                    out += s[++i];
                    continue;
                }
                what = i + 1 < s.size() ? std::string("unknown escape \"\\") + s[i + 1] + "\" in quoted text"
                                        : "a backslash ends the line inside quoted text";
                return false;
            }
            out += c;
        }
        what = "missing closing quotation mark";
        return false;
    }

    bool parseValue(std::string_view line, std::size_t& index, std::string& what)
    {
        if (!current_) {
            what = "a value before the first [key] line";
            return false;
        }
        Value v;
        if (line.front() == '@') {
            line.remove_prefix(1);
        } else if (!parseQuoted(line, v.name, what)) {
            return false;
        } else if (v.name.empty()) {
            what = "an empty value name (the default value is written @)";
            return false;
        }
        line = trim(line);
        if (line.empty() || line.front() != '=') {
            what = "expected \"=\" after the value name";
            return false;
        }
        line = trim(line.substr(1));
        if (!line.empty() && line.front() == '"') {
            v.type = REG_SZ;
            if (!parseQuoted(line, v.text, what))
                return false;
            if (!trim(line).empty()) {
                what = "unexpected text after the closing quotation mark";
                return false;
            }
        } else if (startsWithNoCase(line, "dword:")) {
            v.type = REG_DWORD;
            const std::string_view digits = line.substr(6);
            if (digits.empty() || digits.size() > 8 ||
                !std::all_of(digits.begin(), digits.end(), [](char c) { return hexDigit(c) >= 0; })) {
                what = "a dword needs 1 to 8 hexadecimal digits";
                return false;
            }
            for (char c : digits)
                v.number = (v.number << 4) | static_cast<DWORD>(hexDigit(c));
        } else if (startsWithNoCase(line, "hex(1):")) {
            v.type = REG_SZ;
            if (!parseHexText(line.substr(7), index, v.text, what))
                return false;
        } else if (line == "-") {
            what = "a value deletion (=-) does not belong in a stored hive";
            return false;
        } else if (startsWithNoCase(line, "hex")) {
            what = "value type \"" + std::string(line.substr(0, line.find(':'))) +
                   "\" is not supported (only text and dword values are)";
            return false;
        } else {
            what = "expected \"text\", dword:... or hex(1):... after \"=\"";
            return false;
        }
        if (current_->value(v.name)) {
            what = (v.name.empty() ? std::string("the default value") : "value " + quote(v.name)) +
                   " appears twice in key \"" + currentPath_ + "\"";
            return false;
        }
        current_->setValue(v);
        return true;
    }

    // Bytes "xx,xx,..." of text, with "\" continuing on the next line; a final 00 ends it.
    bool parseHexText(std::string_view rest, std::size_t& index, std::string& out, std::string& what)
    {
        std::string list;
        for (;;) {
            rest = trim(rest);
            if (!rest.empty() && rest.back() == '\\') {
                list += rest.substr(0, rest.size() - 1);
                if (++index >= lines_.size()) {
                    what = "the hexadecimal data continues past the end of the file";
                    return false;
                }
                rest = lines_[index];
                continue;
            }
            list += rest;
            break;
        }
        std::size_t pos = 0;
        std::string_view s = list;
        while (pos < s.size()) {
            while (pos < s.size() && (s[pos] == ' ' || s[pos] == '\t'))
                ++pos;
            if (pos + 2 > s.size() || hexDigit(s[pos]) < 0 || hexDigit(s[pos + 1]) < 0) {
                what = "hexadecimal data must be two-digit bytes separated by commas";
                return false;
            }
            out += static_cast<char>(hexDigit(s[pos]) * 16 + hexDigit(s[pos + 1]));
            pos += 2;
            while (pos < s.size() && (s[pos] == ' ' || s[pos] == '\t'))
                ++pos;
            if (pos < s.size()) {
                if (s[pos] != ',') {
                    what = "hexadecimal data must be two-digit bytes separated by commas";
                    return false;
                }
                ++pos;
            }
        }
        if (!out.empty() && out.back() == '\0')
            out.pop_back();
        return true;
    }

    std::string_view hiveName_;
    Key& root_;
    std::vector<std::string_view> lines_;
    Key* current_ = nullptr;
    std::string currentPath_;
};

void formatValue(const Value& v, std::string& out)
{
    std::string line = v.name.empty() ? std::string("@") : quote(v.name);
    line += '=';
    if (v.type == REG_DWORD) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "dword:%08x", v.number);
        line += buf;
    } else if (!hasControlChar(v.text) && isValidUtf8(v.text)) {
        line += quote(v.text);
    } else {
        // Line breaks, other control characters and bytes that are not UTF-8 have no quoted
        // form; the byte form keeps them exactly, wrapped like other .reg writers do.
        line += "hex(1):";
        const std::string bytes = v.text + '\0';
        static const char digits[] = "0123456789abcdef";
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            const auto b = static_cast<unsigned char>(bytes[i]);
            line += digits[b >> 4];
            line += digits[b & 15];
            if (i + 1 < bytes.size()) {
                line += ',';
                if (line.size() > 76) {
                    out += line;
                    out += "\\\n";
                    line = "  ";
                }
            }
        }
    }
    out += line;
    out += '\n';
}

void formatKey(const Key& key, const std::string& path, bool always, std::string& out)
{
    if (always || key.defaultValue || !key.values.empty()) {
        out += '[';
        out += path;
        out += "]\n";
        if (key.defaultValue)
            formatValue(*key.defaultValue, out);
        for (const Value& v : key.values)
            formatValue(v, out);
        out += '\n';
    }
    for (const auto& child : key.children)
        formatKey(*child, path + '\\' + child->name, true, out);
}

}  // namespace

std::string foldCase(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        char32_t cp;
        const std::size_t len = decodeUtf8(text, pos, cp);
        if (len == 0) {
            out += text[pos++];
            continue;
        }
        encodeUtf8(upper(cp), out);
        pos += len;
    }
    return out;
}

bool isValidUtf8(std::string_view text)
{
    for (std::size_t pos = 0; pos < text.size();) {
        char32_t cp;
        const std::size_t len = decodeUtf8(text, pos, cp);
        if (len == 0)
            return false;
        pos += len;
    }
    return true;
}

bool hasControlChar(std::string_view text)
{
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return b < 0x20 || b == 0x7F;
    });
}

Key* Key::child(std::string_view foldedName) const
{
    for (const auto& c : children) {
        if (c->folded == foldedName)
            return c.get();
    }
    return nullptr;
}

Key* Key::addChild(const std::string& childName)
{
    auto key = std::make_unique<Key>();
    key->name = childName;
    key->folded = foldCase(childName);
    children.push_back(std::move(key));
    return children.back().get();
}

bool Key::removeChild(std::string_view foldedName)
{
    const auto it =
        std::find_if(children.begin(), children.end(), [&](const auto& c) { return c->folded == foldedName; });
    if (it == children.end())
        return false;
    children.erase(it);
    return true;
}

const Value* Key::value(const std::string& valueName) const
{
    if (valueName.empty())
        return defaultValue ? &*defaultValue : nullptr;
    const std::string foldedName = foldCase(valueName);
    for (const Value& v : values) {
        if (v.folded == foldedName)
            return &v;
    }
    return nullptr;
}

bool Key::setValue(const Value& v)
{
    if (v.name.empty()) {
        if (defaultValue && sameValue(*defaultValue, v))
            return false;
        defaultValue = v;
        return true;
    }
    const std::string foldedName = foldCase(v.name);
    for (Value& old : values) {
        if (old.folded == foldedName) {
            Value replacement = v;
            replacement.name = old.name;
            replacement.folded = foldedName;
            if (sameValue(old, replacement))
                return false;
            old = replacement;
            return true;
        }
    }
    values.push_back(v);
    values.back().folded = foldedName;
    return true;
}

bool Key::removeValue(const std::string& valueName)
{
    if (valueName.empty()) {
        if (!defaultValue)
            return false;
        defaultValue.reset();
        return true;
    }
    const std::string foldedName = foldCase(valueName);
    const auto it = std::find_if(values.begin(), values.end(), [&](const Value& v) { return v.folded == foldedName; });
    if (it == values.end())
        return false;
    values.erase(it);
    return true;
}

bool parseHive(std::string_view text, std::string_view hiveName, Key& root, std::string& error)
{
    if (text.empty())
        return true;
    return Parser(text, hiveName, root).run(error);
}

std::string formatHive(const Key& root, std::string_view hiveName)
{
    std::string out = "REGEDIT4\n\n";
    formatKey(root, std::string(hiveName), false, out);
    return out;
}

}  // namespace snippo::reg
