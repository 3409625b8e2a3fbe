#pragma once
#include <cstdint>

// Sums and differences of coordinates wrap around at the ends of the 32-bit
// range, as the machine's own 32-bit arithmetic does: a file may hold any
// coordinate, and a move there and back must restore every point exactly.
inline int32_t WrapAdd(int32_t a, int32_t b) {
    return int32_t(uint32_t(a) + uint32_t(b));
}
inline int32_t WrapSub(int32_t a, int32_t b) {
    return int32_t(uint32_t(a) - uint32_t(b));
}

// A point in logical or device units, laid out as the file stores it: x, then y.
struct POINT {
    int32_t x;
    int32_t y;
};

class CPoint : public POINT {
public:
    CPoint() : POINT{0, 0} {}
    CPoint(int32_t px, int32_t py) : POINT{px, py} {}
    CPoint(const POINT& p) : POINT(p) {}

    void Offset(int32_t dx, int32_t dy) {
        x = WrapAdd(x, dx);
        y = WrapAdd(y, dy);
    }
    bool operator==(const POINT& o) const { return x == o.x && y == o.y; }
    bool operator!=(const POINT& o) const { return !(*this == o); }
    CPoint operator+(const POINT& o) const { return CPoint(WrapAdd(x, o.x), WrapAdd(y, o.y)); }
    CPoint operator-(const POINT& o) const { return CPoint(WrapSub(x, o.x), WrapSub(y, o.y)); }
    CPoint operator-() const { return CPoint(WrapSub(0, x), WrapSub(0, y)); }
};

struct SIZE {
    int32_t cx;
    int32_t cy;
};

class CSize : public SIZE {
public:
    CSize() : SIZE{0, 0} {}
    CSize(int32_t w, int32_t h) : SIZE{w, h} {}
    bool operator==(const SIZE& o) const { return cx == o.cx && cy == o.cy; }
};
