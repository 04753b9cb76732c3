#include "platform/com/bstr.h"

#include <cstdlib>
#include <cstring>
#include <limits>

namespace snippo {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The length prefix is the 32-bit word just before the characters.
std::uint32_t* Header(BSTR text)
{
    return reinterpret_cast<std::uint32_t*>(text) - 1;
}

void AppendUtf8(std::string* out, char32_t cp)
{
    if (cp < 0x80) {
        out->push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out->push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out->push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out->push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out->push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

void AppendUtf16(std::u16string* out, char32_t cp)
{
    if (cp < 0x10000) {
        out->push_back(static_cast<char16_t>(cp));
    } else {
        cp -= 0x10000;
        out->push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
        out->push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    }
}

}  // namespace

BSTR SysAllocStringLen(const char16_t* text, UINT length)
{
    // Prefix + characters + terminator must fit the 32-bit byte count.
    constexpr UINT kMaxLength = (std::numeric_limits<std::uint32_t>::max() - 8) / 2;
    if (length > kMaxLength)
        return nullptr;
    const std::size_t bytes = std::size_t{length} * sizeof(char16_t);
    void* block = std::malloc(sizeof(std::uint32_t) + bytes + sizeof(char16_t));
    if (block == nullptr)
        return nullptr;
    auto* header = static_cast<std::uint32_t*>(block);
    *header = static_cast<std::uint32_t>(bytes);
    auto* chars = reinterpret_cast<char16_t*>(header + 1);
    if (text != nullptr) {
        std::memcpy(chars, text, bytes);
    } else {
        std::memset(chars, 0, bytes);
    }
    chars[length] = 0;
    return chars;
}

BSTR SysAllocString(const char16_t* text)
{
    if (text == nullptr)
        return nullptr;
    std::size_t length = std::char_traits<char16_t>::length(text);
    if (length > std::numeric_limits<UINT>::max())
        return nullptr;
    return SysAllocStringLen(text, static_cast<UINT>(length));
}

void SysFreeString(BSTR text)
{
    if (text != nullptr)
        std::free(Header(text));
}

UINT SysStringByteLen(BSTR text)
{
    return text == nullptr ? 0 : *Header(text);
}

UINT SysStringLen(BSTR text)
{
    return SysStringByteLen(text) / sizeof(char16_t);
}

std::u16string Utf16FromUtf8(std::string_view utf8)
{
    std::u16string out;
    out.reserve(utf8.size());
    const auto* s = reinterpret_cast<const unsigned char*>(utf8.data());
    const std::size_t n = utf8.size();
    std::size_t i = 0;
    while (i < n) {
        const unsigned char lead = s[i];
        if (lead < 0x80) {
            out.push_back(lead);
            ++i;
            continue;
        }
        // Length and the allowed range of the second byte exclude overlong forms, surrogates
        // and code points above U+10FFFF.
        int length = 0;
        unsigned char low = 0x80, high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0)
                low = 0xA0;
            if (lead == 0xED)
                high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0)
                low = 0x90;
            if (lead == 0xF4)
                high = 0x8F;
        } else {
            out.push_back(static_cast<char16_t>(kReplacement));
            ++i;
            continue;
        }
        char32_t cp = lead & (0xFF >> (length + 1));
        int taken = 1;
        bool valid = true;
        for (; taken < length; ++taken) {
            if (i + static_cast<std::size_t>(taken) >= n) {
                valid = false;
                break;
            }
            const unsigned char c = s[i + static_cast<std::size_t>(taken)];
            const unsigned char lo = taken == 1 ? low : 0x80;
            const unsigned char hi = taken == 1 ? high : 0xBF;
            if (c < lo || c > hi) {
                valid = false;
                break;
            }
            cp = (cp << 6) | (c & 0x3F);
        }
        // A broken sequence becomes one replacement character and the scan resumes at the byte
        // that broke it.
        AppendUtf16(&out, valid ? cp : kReplacement);
        i += static_cast<std::size_t>(taken);
    }
    return out;
}

std::string Utf8FromUtf16(std::u16string_view utf16)
{
    std::string out;
    out.reserve(utf16.size());
    const std::size_t n = utf16.size();
    for (std::size_t i = 0; i < n; ++i) {
        const char16_t c = utf16[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < n && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF) {
            AppendUtf8(&out, 0x10000 + ((char32_t{c} - 0xD800) << 10) + (char32_t{utf16[i + 1]} - 0xDC00));
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            AppendUtf8(&out, kReplacement);
        } else {
            AppendUtf8(&out, c);
        }
    }
    return out;
}

std::string Utf8FromUtf16(const char16_t* text)
{
    if (text == nullptr)
        return {};
    return Utf8FromUtf16(std::u16string_view(text));
}

BSTR BstrFromUtf8(std::string_view utf8)
{
    const std::u16string wide = Utf16FromUtf8(utf8);
    if (wide.size() > std::numeric_limits<UINT>::max())
        return nullptr;
    return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

std::string Utf8FromBstr(BSTR text)
{
    if (text == nullptr)
        return {};
    return Utf8FromUtf16(std::u16string_view(text, SysStringLen(text)));
}

}  // namespace snippo
