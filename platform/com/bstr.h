// BSTR: UTF-16 text allocated by the runtime, preceded by a 32-bit byte length and followed
// by a terminating zero, so that it may hold embedded zeros and still be read as a C string.
// Whoever receives a BSTR as a result owns it and frees it with SysFreeString.
//
// UTF-8 <-> UTF-16 conversion replaces every malformed sequence (bad UTF-8 bytes, lone
// surrogates) by U+FFFD; null BSTRs read as empty text.
#pragma once

#include <string>
#include <string_view>

#include "platform/com/types.h"

namespace snippo {

// Copies a zero-terminated string; null gives null.
BSTR SysAllocString(const char16_t* text);
// Allocates `length` characters copied from `text`, or zero-filled when text is null.
// Null when the length is too large or memory runs out.
BSTR SysAllocStringLen(const char16_t* text, UINT length);
// Frees a BSTR; null is allowed.
void SysFreeString(BSTR text);
// Characters (not counting the terminator), read from the length prefix; 0 for null.
UINT SysStringLen(BSTR text);
UINT SysStringByteLen(BSTR text);

// Text conversion between UTF-8 and UTF-16.
std::u16string Utf16FromUtf8(std::string_view utf8);
std::string Utf8FromUtf16(std::u16string_view utf16);
// Reads a zero-terminated UTF-16 string (null gives "").
std::string Utf8FromUtf16(const char16_t* text);

// New BSTR holding `utf8` (embedded zeros kept); the caller frees it.
BSTR BstrFromUtf8(std::string_view utf8);
// The whole BSTR (by its length prefix) as UTF-8; "" for null.
std::string Utf8FromBstr(BSTR text);

// Owns one BSTR. Pass Get() as an [in] argument; ReleaseAndGetAddressOf() as an [out] one.
class Bstr {
public:
    Bstr() = default;
    explicit Bstr(std::string_view utf8) : p_(BstrFromUtf8(utf8)) {}
    Bstr(const Bstr& other) : p_(other.p_ ? SysAllocStringLen(other.p_, SysStringLen(other.p_)) : nullptr) {}
    Bstr(Bstr&& other) noexcept : p_(other.p_) { other.p_ = nullptr; }
    ~Bstr() { SysFreeString(p_); }
    Bstr& operator=(Bstr other) noexcept
    {
        std::swap(p_, other.p_);
        return *this;
    }

    BSTR Get() const { return p_; }
    UINT Length() const { return SysStringLen(p_); }
    std::string Utf8() const { return Utf8FromBstr(p_); }

    // Takes ownership of `text`.
    void Attach(BSTR text)
    {
        SysFreeString(p_);
        p_ = text;
    }
    [[nodiscard]] BSTR Detach()
    {
        BSTR p = p_;
        p_ = nullptr;
        return p;
    }
    BSTR* ReleaseAndGetAddressOf()
    {
        SysFreeString(p_);
        p_ = nullptr;
        return &p_;
    }

private:
    BSTR p_ = nullptr;
};

}  // namespace snippo
