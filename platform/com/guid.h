// 128-bit identifiers of classes, interfaces and component categories, and their braced text
// form "{B2471160-D234-11D2-B481-00400533CDD6}" as the registry stores it.
#pragma once

#include <compare>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "platform/com/types.h"

namespace snippo {

struct GUID {
    std::uint32_t Data1;
    std::uint16_t Data2;
    std::uint16_t Data3;
    std::uint8_t Data4[8];

    friend constexpr bool operator==(const GUID&, const GUID&) = default;
    friend constexpr auto operator<=>(const GUID&, const GUID&) = default;
};

using CLSID = GUID;
using IID = GUID;
using CATID = GUID;
using REFGUID = const GUID&;
using REFCLSID = const GUID&;
using REFIID = const GUID&;
using REFCATID = const GUID&;

constexpr bool IsEqualGUID(REFGUID a, REFGUID b)
{
    return a == b;
}
constexpr bool IsEqualIID(REFIID a, REFIID b)
{
    return a == b;
}
constexpr bool IsEqualCLSID(REFCLSID a, REFCLSID b)
{
    return a == b;
}

inline constexpr GUID GUID_NULL = {0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};

// The well-known identifiers of the standard interfaces and of the component categories
// manager, with the values of the original platform.
inline constexpr IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr IID IID_IClassFactory = {0x00000001, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr IID IID_IClassFactory2 = {
    0xB196B28F, 0xBAB4, 0x101A, {0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07}};
inline constexpr IID IID_IDispatch = {0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr IID IID_ICatRegister = {0x0002E012, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr CLSID CLSID_StdComponentCategoriesMgr = {
    0x0002E005, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", upper-case hexadecimal, 38 characters.
std::string GuidToString(REFGUID guid);

// Parses exactly the braced form above (hexadecimal digits in either case). Anything else
// (missing braces, wrong length or dash positions, non-hex digits, spaces) returns false and
// leaves *guid unchanged.
bool GuidFromString(std::string_view text, GUID* guid);

}  // namespace snippo

template <> struct std::hash<snippo::GUID> {
    std::size_t operator()(const snippo::GUID& g) const noexcept
    {
        std::size_t h = g.Data1;
        h = h * 31 + g.Data2;
        h = h * 31 + g.Data3;
        for (std::uint8_t b : g.Data4)
            h = h * 31 + b;
        return h;
    }
};
