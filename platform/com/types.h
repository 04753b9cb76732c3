// Fixed-width names for the automation types, so that code written against the object
// runtime reads the same as on the platform it was first written for.
#pragma once

#include <cstdint>

namespace snippo {

using HRESULT = std::int32_t;
using SCODE = std::int32_t;
using LONG = std::int32_t;    // same alias as in platform/registry/registry.h
using DWORD = std::uint32_t;  // same alias as in platform/registry/registry.h
using ULONG = std::uint32_t;
using UINT = std::uint32_t;
using USHORT = std::uint16_t;
using WORD = std::uint16_t;
using SHORT = std::int16_t;
using BOOL = std::int32_t;
using LCID = std::uint32_t;
using DISPID = std::int32_t;
using VARTYPE = std::uint16_t;
using VARIANT_BOOL = std::int16_t;
using DATE = double;  // days since 30 December 1899, time as the fraction

// Some C libraries define TRUE and FALSE as macros with the same values.
#ifndef TRUE
constexpr BOOL TRUE = 1;
#endif
#ifndef FALSE
constexpr BOOL FALSE = 0;
#endif
constexpr VARIANT_BOOL VARIANT_TRUE = -1;
constexpr VARIANT_BOOL VARIANT_FALSE = 0;

// A BSTR points at UTF-16 text preceded by its byte length; see bstr.h.
using BSTR = char16_t*;

}  // namespace snippo
