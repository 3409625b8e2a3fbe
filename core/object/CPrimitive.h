#pragma once
#include "platform/CPoint.h"
#include "platform/Colorref.h"

#include <memory>

enum { PRIM_POLYLINE = 0, PRIM_POLYGON = 1, PRIM_CIRCLE = 2, PRIM_FILLED_CIRCLE = 3 };

// One drawing element. Its address is its identity: selections and tools hold
// pointers to it, so a record never moves while it exists.
//
// Its points are an array of its own (new[]), or, for the elements of a
// loaded file or of a copy of a whole object, a slice of one block that those
// elements share: one allocation instead of one per element, released with
// the last of them.
class CPrimitive {
public:
    CPrimitive() = default;
    CPrimitive(const CPrimitive& other);
    CPrimitive& operator=(const CPrimitive&) = delete;
    ~CPrimitive() {
        if (!m_pointBlock)
            delete[] m_pPoints;
    }

    bool IsPath() const { return m_nType == PRIM_POLYLINE || m_nType == PRIM_POLYGON; }

    // Takes ownership of a new[] array of n points in place of the current
    // ones, which may be a slice of a shared block that must not be deleted.
    void ReplacePoints(POINT* points, int32_t n) {
        if (m_pointBlock)
            m_pointBlock.reset();
        else
            delete[] m_pPoints;
        m_pPoints = points;
        m_nPoints = n;
    }

    int32_t m_nType = PRIM_POLYLINE;
    COLORREF m_crColor = 0;
    int32_t m_nPoints = 0;
    POINT* m_pPoints = nullptr;
    // Set when m_pPoints lies in a shared block.
    std::shared_ptr<POINT[]> m_pointBlock;
};
