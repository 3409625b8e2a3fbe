#pragma once
#include "platform/CPoint.h"
#include "platform/Colorref.h"

enum { PRIM_POLYLINE = 0, PRIM_POLYGON = 1, PRIM_CIRCLE = 2, PRIM_FILLED_CIRCLE = 3 };

// One drawing element. Its address is its identity: selections and tools hold
// pointers to it, so a record never moves while it exists.
class CPrimitive {
public:
    CPrimitive() = default;
    CPrimitive(const CPrimitive& other);
    CPrimitive& operator=(const CPrimitive&) = delete;
    ~CPrimitive() { delete[] m_pPoints; }

    bool IsPath() const { return m_nType == PRIM_POLYLINE || m_nType == PRIM_POLYGON; }

    int32_t m_nType = PRIM_POLYLINE;
    COLORREF m_crColor = 0;
    int32_t m_nPoints = 0;
    POINT* m_pPoints = nullptr;
};
