#pragma once
#include "platform/CPoint.h"

struct RECT {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

// The windowing system's rectangle: right and bottom lie outside for hit tests
// (PtInRect), an empty rectangle contains nothing and meets nothing.
class CRect : public RECT {
public:
    CRect() : RECT{0, 0, 0, 0} {}
    CRect(int32_t l, int32_t t, int32_t r, int32_t b) : RECT{l, t, r, b} {}
    CRect(const RECT& r) : RECT(r) {}
    CRect(const POINT& topLeft, const POINT& bottomRight)
        : RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y} {}

    // Wraps around like the coordinates themselves when the rectangle spans
    // more than the 32-bit range holds.
    int32_t Width() const { return WrapSub(right, left); }
    int32_t Height() const { return WrapSub(bottom, top); }
    CPoint TopLeft() const { return CPoint(left, top); }
    CPoint BottomRight() const { return CPoint(right, bottom); }
    // The middle always lies in the range: summed in 64 bits.
    CPoint CenterPoint() const {
        return CPoint(int32_t((int64_t(left) + right) / 2), int32_t((int64_t(top) + bottom) / 2));
    }

    void SetRect(int32_t l, int32_t t, int32_t r, int32_t b) {
        left = l;
        top = t;
        right = r;
        bottom = b;
    }
    void SetRectEmpty() { SetRect(0, 0, 0, 0); }
    bool IsRectEmpty() const { return right <= left || bottom <= top; }
    bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    bool PtInRect(const POINT& p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    void NormalizeRect();
    void InflateRect(int32_t dx, int32_t dy) {
        left = WrapSub(left, dx);
        top = WrapSub(top, dy);
        right = WrapAdd(right, dx);
        bottom = WrapAdd(bottom, dy);
    }
    void OffsetRect(int32_t dx, int32_t dy) {
        left = WrapAdd(left, dx);
        right = WrapAdd(right, dx);
        top = WrapAdd(top, dy);
        bottom = WrapAdd(bottom, dy);
    }
    // Both return false and leave an empty rectangle when the result is empty.
    bool IntersectRect(const RECT& a, const RECT& b);
    bool UnionRect(const RECT& a, const RECT& b);

    bool operator==(const RECT& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    bool operator!=(const RECT& o) const { return !(*this == o); }
};
