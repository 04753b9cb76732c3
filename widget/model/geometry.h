// Rectangles in editor coordinates: client pixels, y downwards, right and bottom exclusive.
// A stored rectangle may be inverted while a handle is dragged; consumers normalise first.
#pragma once

#include <algorithm>
#include <cstdint>

namespace snippo {

struct CPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const CPoint&) const = default;
};

struct CRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    // 32-bit wrap-around: rectangles read from a file may span more than the int range.
    std::int32_t Width() const { return WrapSub(right, left); }
    std::int32_t Height() const { return WrapSub(bottom, top); }
    static std::int32_t WrapAdd(std::int32_t a, std::int32_t b)
    {
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
    }
    static std::int32_t WrapSub(std::int32_t a, std::int32_t b)
    {
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
    }
    bool IsRectEmpty() const { return right <= left || bottom <= top; }
    void NormalizeRect()
    {
        if (left > right)
            std::swap(left, right);
        if (top > bottom)
            std::swap(top, bottom);
    }
    CRect Normalized() const
    {
        CRect r = *this;
        r.NormalizeRect();
        return r;
    }
    bool PtInRect(CPoint p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    void OffsetRect(std::int32_t dx, std::int32_t dy)
    {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
    }
    bool operator==(const CRect&) const = default;
};

// The intersection of two normalised rectangles; empty when they only touch.
inline CRect IntersectRect(const CRect& a, const CRect& b)
{
    CRect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
    if (r.IsRectEmpty())
        return CRect{};
    return r;
}

}  // namespace snippo
