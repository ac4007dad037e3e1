// Types.h - the small value types that the class library's headers share.
//
//   TRect, TPoint, TSize  the platform's RECT, POINT and SIZE (right and bottom
//                         exclusive), made with Rect(), Bounds() and Point()
//   TSet<E>               a set of the values of a small enumeration (font
//                         styles, component state), as the behaviour names them
#pragma once

#include <windows.h>

#include <cstdint>
#include <initializer_list>

using TRect = RECT;
using TPoint = POINT;
using TSize = SIZE;

constexpr TRect Rect(int left, int top, int right, int bottom) {
    return TRect{left, top, right, bottom};
}
constexpr TRect Bounds(int left, int top, int width, int height) {
    return TRect{left, top, left + width, top + height};
}
constexpr TPoint Point(int x, int y) { return TPoint{x, y}; }

// A set of values of an enumeration whose values lie in 0..31:
// TFontStyles{fsBold, fsItalic}.Contains(fsBold).
template <class E>
class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> items) {
        for (E item : items) FBits |= Bit(item);
    }

    constexpr bool Contains(E item) const { return (FBits & Bit(item)) != 0; }
    constexpr TSet& Include(E item) {
        FBits |= Bit(item);
        return *this;
    }
    constexpr TSet& Exclude(E item) {
        FBits &= ~Bit(item);
        return *this;
    }
    constexpr bool Empty() const { return FBits == 0; }

    // One bit per value, value n at bit n.
    constexpr uint32_t Bits() const { return FBits; }
    static constexpr TSet FromBits(uint32_t bits) {
        TSet set;
        set.FBits = bits;
        return set;
    }

    friend constexpr TSet operator+(TSet a, TSet b) { return FromBits(a.FBits | b.FBits); }
    friend constexpr TSet operator-(TSet a, TSet b) { return FromBits(a.FBits & ~b.FBits); }
    friend constexpr TSet operator*(TSet a, TSet b) { return FromBits(a.FBits & b.FBits); }
    friend constexpr bool operator==(const TSet&, const TSet&) = default;

private:
    static constexpr uint32_t Bit(E item) { return 1u << static_cast<unsigned>(item); }
    uint32_t FBits = 0;
};
