#pragma once
#include "object/CPrimitive.h"
#include "platform/CRect.h"

#include <vector>

class CArchive;
class CDC;

enum { POLARITY_POSITIVE = 0, POLARITY_NEGATIVE = 1 };

constexpr double DEFAULT_MASS_DENSITY = 20.0;

// Bounding rectangle of one element; right and bottom are the extreme
// coordinates themselves. A polyline or polygon without points has an empty
// rectangle at the origin. With a shift, the rectangle of the element as a
// window shows it: every point moved by shift, wrapping as MovePrimitive does.
void GetPrimitiveRect(const CPrimitive* prim, CRect* rect, const POINT& shift = POINT{0, 0});

// The rectangle a click or a rubber band hits: the bounding rectangle as the
// element is drawn, so a circle of negative radius (whose bounding rectangle
// runs from right to left) is hit where it shows.
void GetPrimitiveHitRect(const CPrimitive* prim, CRect* rect, const POINT& shift = POINT{0, 0});

// Whether the element has nothing to draw and no place of its own: a path
// without points, a circle without its radius, a record of unknown type.
bool HasNoExtent(const CPrimitive* prim);

// A pure move by (dx, dy): every point of a path, a circle's centre (its
// radius stays). It wraps around at the ends of the 32-bit range, as 32-bit
// machine arithmetic does, so a move by (-dx, -dy) restores every point.
void MovePrimitive(CPrimitive* prim, int32_t dx, int32_t dy);

// Scales by (sx, sy) about the pivot, turns by angle (radians, clockwise on
// screen) and places the pivot on the target; results truncate toward zero
// and stop at the ends of the 32-bit range.
// dest may be prim's own point array.
void TransformPrimitive(const CPrimitive* prim, POINT* dest, int32_t pivotX, int32_t pivotY,
                        int32_t targetX, int32_t targetY, double angle, double scaleX,
                        double scaleY);

// The designed object: three physical properties and the elements in drawing
// order (index 0 at the bottom). Owns every element; copies are deep.
// The center-of-mass mark: a cross 12 pixels wide at `at`, in the pen
// selected into pDC. The editor, its simulation window and morvet-tool's
// render all draw this one mark.
void DrawCenterOfMassCross(CDC* pDC, const POINT& at);

class CShape {
public:
    CShape() = default;
    CShape(const CShape& other);
    // Takes the other object's elements; the other is left empty.
    CShape(CShape&& other) noexcept;
    CShape& operator=(const CShape& other);
    ~CShape();

    void AppendElement(int32_t type, COLORREF color, int32_t nPoints, POINT* points);
    void DeleteElement(int index);
    void MoveElementBack(int index);
    void MoveElementForward(int index);
    int IndexOf(const CPrimitive* prim) const;
    int GetSize() const { return static_cast<int>(m_elements.size()); }

    void GetElementRect(int index, CRect* rect) const;
    // MovePrimitive on every element.
    void Move(int32_t dx, int32_t dy);
    void Transform(int32_t pivotX, int32_t pivotY, int32_t targetX, int32_t targetY, double angle,
                   double scaleX, double scaleY);
    void TransformInto(CShape& dest, int32_t pivotX, int32_t pivotY, int32_t targetX,
                       int32_t targetY, double angle, double scaleX, double scaleY) const;

    // Writes or reads the object in the file layout. Reading refuses, with a
    // CFormatError that says what and where, any file whose counts the rest of
    // the file cannot hold.
    void Serialize(CArchive& ar);

    // Paints every element in index order; with a clip box, only the elements
    // whose outline can reach it. The elements show moved by shift, wrapping
    // as MovePrimitive does, while the object itself stays as it is.
    bool Draw(CDC* pDC, const CRect* pClip = nullptr, const POINT& shift = POINT{0, 0}) const;

    double m_dMassDensity = DEFAULT_MASS_DENSITY;
    int32_t m_nPolarity = POLARITY_POSITIVE;
    int32_t m_bMayRotate = 1;
    std::vector<CPrimitive*> m_elements;

private:
    void DestroyElements();
    // Moves the points of elements first.. that lie in block (the first used
    // points of it) into a block of exactly that size.
    void RepackPoints(size_t first, const POINT* block, size_t used);
    void AppendCopies(const CShape& other);
};
