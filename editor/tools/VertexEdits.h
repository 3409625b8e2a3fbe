#pragma once
#include "object/CPrimitive.h"
#include "platform/CPoint.h"

#include <QString>
#include <vector>

// The handles of one element are numbered from 0 up to this count: a path's
// vertices (a closed polyline's last point, equal to its first, is the first's
// handle), a circle's centre (0) and a point on its rim (1).
int HandleCount(const CPrimitive* prim);

// A polyline whose last point equals its first, as the Rectangle tool draws it.
bool IsClosedPolyline(const CPrimitive* prim);

// Where handle i shows, in the element's own coordinates; a circle's rim
// handle lies right of the centre, kept inside the 32-bit range.
CPoint HandlePoint(const CPrimitive* prim, int handle);

// Puts handle i at p: a path's vertex (with its closing twin), a circle's
// centre, or the radius as the rounded distance from the centre to p.
void SetHandlePoint(CPrimitive* prim, int handle, const POINT& p);

// Inserts p before index at (at == m_nPoints appends); a closed polyline
// stays closed.
void InsertVertex(CPrimitive* prim, int at, const POINT& p);

// Why removing these handles would leave too few vertices, or an empty
// text when it may. Circles have no vertex to remove.
QString RefuseVertexRemoval(const CPrimitive* prim, const std::vector<int>& handles);

// Removes the handles; a closed polyline stays closed on its new first corner.
void RemoveVertices(CPrimitive* prim, const std::vector<int>& handles);
