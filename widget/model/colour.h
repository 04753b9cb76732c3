// Colours are 32-bit values with red in bits 0-7, green in 8-15 and blue in 16-23.
#pragma once

#include <cstdint>

namespace snippo {

using COLORREF = std::uint32_t;

constexpr COLORREF RGB(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    return COLORREF(r) | COLORREF(g) << 8 | COLORREF(b) << 16;
}
constexpr std::uint8_t GetRValue(COLORREF c)
{
    return std::uint8_t(c);
}
constexpr std::uint8_t GetGValue(COLORREF c)
{
    return std::uint8_t(c >> 8);
}
constexpr std::uint8_t GetBValue(COLORREF c)
{
    return std::uint8_t(c >> 16);
}

}  // namespace snippo
