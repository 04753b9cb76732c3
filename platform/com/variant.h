// VARIANT: the tagged value that automation calls pass, with the coercions of OLE Automation
// between the types that this system's interfaces use.
#pragma once

#include <string>
#include <string_view>

#include "platform/com/bstr.h"
#include "platform/com/hresult.h"
#include "platform/com/types.h"

namespace snippo {

struct IUnknown;
struct IDispatch;

constexpr VARTYPE VT_EMPTY = 0;
constexpr VARTYPE VT_NULL = 1;
constexpr VARTYPE VT_I2 = 2;
constexpr VARTYPE VT_I4 = 3;
constexpr VARTYPE VT_R8 = 5;
constexpr VARTYPE VT_DATE = 7;
constexpr VARTYPE VT_BSTR = 8;
constexpr VARTYPE VT_DISPATCH = 9;
constexpr VARTYPE VT_ERROR = 10;
constexpr VARTYPE VT_BOOL = 11;
constexpr VARTYPE VT_VARIANT = 12;  // only with VT_BYREF
constexpr VARTYPE VT_UNKNOWN = 13;
constexpr VARTYPE VT_BYREF = 0x4000;
constexpr VARTYPE VT_TYPEMASK = 0x0FFF;

// VariantChangeType flags.
constexpr USHORT VARIANT_NOVALUEPROP = 0x01;
constexpr USHORT VARIANT_ALPHABOOL = 0x02;  // VT_BOOL -> VT_BSTR gives "True"/"False"
constexpr USHORT VARIANT_NOUSEROVERRIDE = 0x04;
constexpr USHORT VARIANT_LOCALBOOL = 0x10;  // same as VARIANT_ALPHABOOL here (English only)

struct VARIANT {
    VARTYPE vt;
    WORD wReserved1;
    WORD wReserved2;
    WORD wReserved3;
    union {
        LONG lVal;             // VT_I4
        SHORT iVal;            // VT_I2
        double dblVal;         // VT_R8
        VARIANT_BOOL boolVal;  // VT_BOOL
        DATE date;             // VT_DATE
        BSTR bstrVal;          // VT_BSTR (owned by the VARIANT)
        SCODE scode;           // VT_ERROR
        IUnknown* punkVal;     // VT_UNKNOWN (one reference owned)
        IDispatch* pdispVal;   // VT_DISPATCH (one reference owned)
        LONG* plVal;           // VT_BYREF | VT_I4, and so on: nothing owned
        SHORT* piVal;
        double* pdblVal;
        VARIANT_BOOL* pboolVal;
        DATE* pdate;
        BSTR* pbstrVal;
        SCODE* pscode;
        IUnknown** ppunkVal;
        IDispatch** ppdispVal;
        VARIANT* pvarVal;
    };
};
using VARIANTARG = VARIANT;

// Sets vt to VT_EMPTY without freeing anything.
void VariantInit(VARIANT* v);
// Frees the owned value (BSTR, interface reference) and sets VT_EMPTY. DISP_E_BADVARTYPE
// (and nothing changed) for a type this runtime does not know.
HRESULT VariantClear(VARIANT* v);
// Clears *dest, then copies *src into it: BSTRs are duplicated, interfaces AddRef'ed, by-ref
// pointers copied as pointers.
HRESULT VariantCopy(VARIANT* dest, const VARIANT* src);

// Coerces *src to type `vt` into *dest (dest may equal src), like OLE Automation for
// VT_EMPTY, VT_NULL, VT_I2, VT_I4, VT_R8, VT_DATE, VT_BSTR, VT_BOOL, VT_ERROR, VT_UNKNOWN and
// VT_DISPATCH; by-ref sources are read through. On failure *dest is left unchanged.
//  - numbers between each other: doubles round half to even; out of range DISP_E_OVERFLOW
//  - text to number: decimal notation ("  -1,234.5e2 "), locale independent; text that is
//    not a number DISP_E_TYPEMISMATCH, too large DISP_E_OVERFLOW
//  - number to text: "42", "-1.5", 15 significant digits ("1E+20" beyond)
//  - VT_BOOL: from numbers non-zero -> VARIANT_TRUE (-1); to numbers -1 / 0; to text "-1"/"0",
//    or "True"/"False" with VARIANT_ALPHABOOL; from text "True"/"False" (any case) or a number
//  - VT_DATE text: "M/D/YYYY", "h:mm:ss AM", both, or "12:00:00 AM" for 0; read back from
//    those forms and from "YYYY-MM-DD[ HH:MM[:SS]]"; dates outside the years 100 to 9999
//    DISP_E_OVERFLOW
//  - VT_EMPTY gives 0, "", VARIANT_FALSE; VT_NULL and VT_ERROR convert to nothing else
//    (DISP_E_TYPEMISMATCH); unknown types DISP_E_BADVARTYPE.
HRESULT VariantChangeType(VARIANT* dest, const VARIANT* src, USHORT flags, VARTYPE vt);

// An automation date that keeps its meaning in overloads (DATE itself is just a double).
struct OleDate {
    DATE value = 0.0;
    friend bool operator==(const OleDate&, const OleDate&) = default;
};

// Owns one VARIANT and clears it on destruction.
class Variant {
public:
    Variant() { VariantInit(&v_); }
    Variant(std::int16_t value) : Variant() { Set(VT_I2).iVal = value; }
    Variant(std::int32_t value) : Variant() { Set(VT_I4).lVal = value; }
    Variant(double value) : Variant() { Set(VT_R8).dblVal = value; }
    Variant(bool value) : Variant() { Set(VT_BOOL).boolVal = value ? VARIANT_TRUE : VARIANT_FALSE; }
    Variant(OleDate value) : Variant() { Set(VT_DATE).date = value.value; }
    Variant(std::string_view utf8) : Variant() { Set(VT_BSTR).bstrVal = BstrFromUtf8(utf8); }
    Variant(const char* utf8) : Variant(std::string_view(utf8 ? utf8 : "")) {}
    Variant(const std::string& utf8) : Variant(std::string_view(utf8)) {}
    // An omitted optional argument (VT_ERROR, DISP_E_PARAMNOTFOUND), or another error code.
    static Variant Error(SCODE code = DISP_E_PARAMNOTFOUND)
    {
        Variant v;
        v.Set(VT_ERROR).scode = code;
        return v;
    }
    static Variant Null()
    {
        Variant v;
        v.Set(VT_NULL);
        return v;
    }

    Variant(const Variant& other) : Variant() { VariantCopy(&v_, &other.v_); }
    Variant(Variant&& other) noexcept : v_(other.v_) { VariantInit(&other.v_); }
    ~Variant() { VariantClear(&v_); }
    Variant& operator=(const Variant& other)
    {
        if (this != &other)
            VariantCopy(&v_, &other.v_);
        return *this;
    }
    Variant& operator=(Variant&& other) noexcept
    {
        if (this != &other) {
            VariantClear(&v_);
            v_ = other.v_;
            VariantInit(&other.v_);
        }
        return *this;
    }

    VARTYPE vt() const { return v_.vt; }
    VARIANT* Get() { return &v_; }
    const VARIANT* Get() const { return &v_; }
    // For out-parameters such as an Invoke result: clears and returns the VARIANT to fill.
    VARIANT* Receive()
    {
        VariantClear(&v_);
        return &v_;
    }
    // Coerced reads; the HRESULT of VariantChangeType on failure, *out unchanged.
    HRESULT ToUtf8(std::string* out) const;
    HRESULT ToI2(std::int16_t* out) const;
    HRESULT ToI4(std::int32_t* out) const;
    HRESULT ToR8(double* out) const;
    HRESULT ToBool(bool* out) const;

private:
    VARIANT& Set(VARTYPE type)
    {
        v_.vt = type;
        return v_;
    }
    VARIANT v_;
};

}  // namespace snippo
