#pragma once
#include <cstdint>

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
        x += dx;
        y += dy;
    }
    bool operator==(const POINT& o) const { return x == o.x && y == o.y; }
    bool operator!=(const POINT& o) const { return !(*this == o); }
    CPoint operator+(const POINT& o) const { return CPoint(x + o.x, y + o.y); }
    CPoint operator-(const POINT& o) const { return CPoint(x - o.x, y - o.y); }
    CPoint operator-() const { return CPoint(-x, -y); }
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
