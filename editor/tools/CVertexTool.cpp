#include "tools/CVertexTool.h"

#include "document/CDocEdit.h"
#include "document/CMorvetDoc.h"
#include "res/CommandIds.h"
#include "tools/VertexEdits.h"
#include "view/CClientDC.h"
#include "view/CMorvetView.h"
#include "view/Grid.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <map>
#include <set>

namespace {
// A handle is a square of this many pixels either side of its vertex: a black
// border round white, so that it shows on black, on white outlines and on any
// fill; an unselected one is hollow.
constexpr int kHandleReach = 3;
// A double click this close to an edge, in pixels, inserts a vertex on it.
constexpr double kEdgeReach = 3.0;

bool Near(const POINT& a, const POINT& b) {
    return std::abs(int64_t(a.x) - b.x) <= kHandleReach &&
           std::abs(int64_t(a.y) - b.y) <= kHandleReach;
}

bool Drawable(const POINT& p) {
    constexpr int32_t kFar = std::numeric_limits<int32_t>::max() - 2 * kHandleReach - 2;
    return p.x > -kFar && p.x < kFar && p.y > -kFar && p.y < kFar;
}

// Where an element's point shows in the window, in pixels.
CPoint OnScreen(CMorvetView* pView, const POINT& file) {
    CPoint p = CPoint(file) + pView->Anchor();
    pView->LogicalToDevice(&p);
    return p;
}

bool IsRim(const CVertexTool::Handle& h) {
    return !h.element->IsPath() && h.index == 1;
}

int32_t RoundToUnit(double v) {
    constexpr double lo = std::numeric_limits<int32_t>::min();
    constexpr double hi = std::numeric_limits<int32_t>::max();
    return v <= lo   ? std::numeric_limits<int32_t>::min()
           : v >= hi ? std::numeric_limits<int32_t>::max()
                     : int32_t(std::lround(v));
}

void RedrawNow(CMorvetView* pView) {
    CClientDC dc(pView);
    pView->OnPrepareDC(&dc);
    pView->OnDraw(&dc);
}
} // namespace

bool CVertexTool::Valid(CMorvetView* pView) {
    CMorvetDoc* pDoc = pView->GetDocument();
    if (m_doc != pDoc || m_stamp != pDoc->HistoryStamp()) {
        // The elements changed under the selection: none of it is trusted,
        // not even to be looked at.
        m_handles.clear();
        m_origins.clear();
        m_mode = m_mode == Drag ? None : m_mode;
        Remember(pView);
        return false;
    }
    // Only elements still selected in this window are known to be alive.
    m_handles.erase(std::remove_if(m_handles.begin(), m_handles.end(),
                                   [&](const Handle& h) {
                                       return !pView->IsSelected(h.element) ||
                                              h.index >= HandleCount(h.element);
                                   }),
                    m_handles.end());
    return true;
}

void CVertexTool::Remember(CMorvetView* pView) {
    m_doc = pView->GetDocument();
    m_stamp = pView->GetDocument()->HistoryStamp();
}

const std::vector<CVertexTool::Handle>& CVertexTool::SelectedHandles(CMorvetView* pView) {
    Valid(pView);
    return m_handles;
}

bool CVertexTool::IsHandleSelected(const Handle& h) const {
    return std::find(m_handles.begin(), m_handles.end(), h) != m_handles.end();
}

bool CVertexTool::HitHandle(CMorvetView* pView, const CPoint& p, Handle* hit) {
    const auto& selection = pView->Selection();
    for (auto it = selection.rbegin(); it != selection.rend(); ++it)
        for (int i = 0, n = HandleCount(*it); i < n; ++i)
            if (Near(OnScreen(pView, HandlePoint(*it, i)), p)) {
                *hit = Handle{*it, i};
                return true;
            }
    return false;
}

CRect CVertexTool::BandRect() const {
    CRect r(m_ptPress, m_ptTrack);
    r.NormalizeRect();
    return r;
}

void CVertexTool::BeginMove(CMorvetView* pView) {
    m_origins.clear();
    for (const Handle& h : m_handles)
        m_origins.push_back(HandlePoint(h.element, h.index));
    m_applied = CPoint(0, 0);
    m_bMoved = false;
    pView->GetDocument()->EndStep();
}

void CVertexTool::MoveTo(CMorvetView* pView, const CPoint& offset, bool ownStep) {
    if (offset == m_applied || m_origins.size() != m_handles.size())
        return;
    {
        CDocEdit edit(*pView->GetDocument(), pView,
                      ownStep ? CDocEdit::Step::Own : CDocEdit::Step::Join,
                      ownStep ? CDocEdit::Tell::Now : CDocEdit::Tell::Later);
        // Centres first: a rim handle measures the radius from where its
        // centre has gone.
        for (int pass = 0; pass < 2; ++pass)
            for (size_t k = 0; k < m_handles.size(); ++k)
                if (IsRim(m_handles[k]) == (pass == 1))
                    SetHandlePoint(m_handles[k].element, m_handles[k].index, m_origins[k] + offset);
    }
    m_applied = offset;
    m_bMoved = true;
    Remember(pView);
}

void CVertexTool::MouseDown(CMorvetView* pView, UINT nFlags, const CPoint& point) {
    CShapeTool::MouseDown(pView, nFlags, point);
    CMorvetDoc* pDoc = pView->GetDocument();
    const bool shift = (nFlags & MK_SHIFT) != 0;
    Valid(pView);
    m_mode = None;
    m_bMoved = false;
    m_bSelectAloneOnRelease = false;
    m_clearedSelection.clear();
    CPoint p = point;
    pView->DeviceToLogical(&p);
    m_pressLogical = p;

    Handle h{nullptr, -1};
    if (HitHandle(pView, point, &h)) {
        if (shift) {
            const auto at = std::find(m_handles.begin(), m_handles.end(), h);
            if (at == m_handles.end())
                m_handles.push_back(h);
            else
                m_handles.erase(at);
        } else {
            // A press on a selected handle may drag all of them; only a
            // click without a move leaves it selected alone.
            if (IsHandleSelected(h))
                m_bSelectAloneOnRelease = true;
            else
                m_handles = {h};
            m_mode = Drag;
            m_grabbed = h;
            m_grabbedOrigin = HandlePoint(h.element, h.index);
            BeginMove(pView);
        }
        Remember(pView);
        pView->Invalidate(true);
        return;
    }
    CPrimitive* e = pDoc->ElementAtPoint(p, pView->Anchor());
    if (e && !pView->IsSelected(e)) {
        if (!shift)
            m_handles.clear();
        pView->SelectElement(e, shift);
        pView->Invalidate(true);
        return;
    }
    m_mode = Band;
    CClientDC dc(pView);
    dc.DrawFocusRect(CRect(point, point));
}

void CVertexTool::MouseMove(CMorvetView* pView, UINT nFlags, const CPoint& point) {
    if (!pView->HasCapture() || m_mode == None) {
        m_ptTrack = point;
        pView->SetToolCursor(IDC_EDITVERTICES);
        return;
    }
    if (m_mode == Band) {
        CClientDC dc(pView);
        dc.DrawFocusRect(BandRect());
        m_ptTrack = point;
        dc.DrawFocusRect(BandRect());
        return;
    }
    m_ptTrack = point;
    if (!Valid(pView) || m_origins.size() != m_handles.size()) {
        m_mode = None;
        return;
    }
    CPoint p = point;
    pView->DeviceToLogical(&p);
    // The grabbed handle follows the pointer (onto the grid while snapping);
    // the others keep their offsets from it.
    const CPoint anchor = pView->Anchor();
    CPoint moved = m_grabbedOrigin + anchor + (p - m_pressLogical);
    if (pView->SnapsToGrid(nFlags))
        moved = SnapToGrid(moved, anchor, ProgramGrid().spacing);
    MoveTo(pView, moved - anchor - m_grabbedOrigin, false);
    RedrawNow(pView);
}

void CVertexTool::MouseUp(CMorvetView* pView, UINT nFlags, const CPoint& point) {
    const bool shift = (nFlags & MK_SHIFT) != 0;
    if (pView->HasCapture() && m_mode == Band) {
        {
            CClientDC dc(pView);
            dc.DrawFocusRect(BandRect());
        }
        m_ptTrack = point;
        Valid(pView);
        if (m_ptPress != m_ptTrack) {
            const CRect band = BandRect();
            if (!shift)
                m_handles.clear();
            std::set<Handle> had(m_handles.begin(), m_handles.end());
            for (CPrimitive* e : pView->Selection())
                for (int i = 0, n = HandleCount(e); i < n; ++i) {
                    const CPoint at = OnScreen(pView, HandlePoint(e, i));
                    const Handle h{e, i};
                    if (at.x >= band.left && at.x <= band.right && at.y >= band.top &&
                        at.y <= band.bottom && had.insert(h).second)
                        m_handles.push_back(h);
                }
        } else if (!shift) {
            if (!m_handles.empty()) {
                m_handles.clear();
            } else {
                // Kept for a moment: this may be the first click of a double
                // click that inserts on an edge of the selection.
                m_clearedSelection = pView->Selection();
                pView->SelectElement(nullptr, false);
            }
        }
        Remember(pView);
        pView->Invalidate(true);
    } else if (pView->HasCapture() && m_mode == Drag) {
        if (m_bMoved)
            pView->GetDocument()->EndDrag(pView);
        else if (m_bSelectAloneOnRelease && Valid(pView) && IsHandleSelected(m_grabbed))
            m_handles = {m_grabbed};
        pView->Invalidate(true);
    }
    m_mode = None;
    CShapeTool::MouseUp(pView, nFlags, point);
}

void CVertexTool::MouseDoubleClick(CMorvetView* pView, UINT nFlags, const CPoint& point) {
    const bool restored = Valid(pView) && pView->Selection().empty() && !m_clearedSelection.empty();
    if (restored)
        pView->SetSelection(m_clearedSelection);
    m_clearedSelection.clear();
    Handle h{nullptr, -1};
    if (HitHandle(pView, point, &h)) {
        if (restored)
            pView->SelectElement(nullptr, false);
        return;
    }
    // The nearest edge of a selected path within reach, in pixels.
    CPrimitive* best = nullptr;
    int bestEdge = -1;
    double bestDist = kEdgeReach, bestT = 0;
    for (CPrimitive* e : pView->Selection()) {
        if (!e->IsPath() || e->m_nPoints < 2)
            continue;
        const int n = e->m_nPoints;
        const int edges = e->m_nType == PRIM_POLYGON && n >= 3 ? n : n - 1;
        for (int i = 0; i < edges; ++i) {
            const CPoint a = OnScreen(pView, e->m_pPoints[i]);
            const CPoint b = OnScreen(pView, e->m_pPoints[(i + 1) % n]);
            const double ex = double(b.x) - a.x, ey = double(b.y) - a.y;
            const double len2 = ex * ex + ey * ey;
            double t = len2 > 0
                           ? ((double(point.x) - a.x) * ex + (double(point.y) - a.y) * ey) / len2
                           : 0.0;
            t = std::clamp(t, 0.0, 1.0);
            const double dist = std::hypot(a.x + t * ex - point.x, a.y + t * ey - point.y);
            if (dist <= bestDist) {
                best = e;
                bestEdge = i;
                bestDist = dist;
                bestT = t;
            }
        }
    }
    if (!best) {
        if (restored)
            pView->SelectElement(nullptr, false);
        return;
    }
    // The zoom is a uniform scale, so the place along the edge is the same in
    // pixels and in units.
    const POINT& a = best->m_pPoints[bestEdge];
    const POINT& b = best->m_pPoints[(bestEdge + 1) % best->m_nPoints];
    CPoint at(RoundToUnit(a.x + bestT * (double(b.x) - a.x)),
              RoundToUnit(a.y + bestT * (double(b.y) - a.y)));
    if (pView->SnapsToGrid(nFlags)) {
        const CPoint anchor = pView->Anchor();
        at = SnapToGrid(at + anchor, anchor, ProgramGrid().spacing) - anchor;
    }
    CMorvetDoc* pDoc = pView->GetDocument();
    {
        CDocEdit edit(*pDoc, pView);
        pDoc->ReleaseGrabbedVertexOf(best);
        InsertVertex(best, bestEdge + 1, at);
    }
    m_handles = {Handle{best, bestEdge + 1}};
    Remember(pView);
    pView->Invalidate(true);
}

void CVertexTool::KeyDown(CMorvetView* pView, UINT nChar, UINT, UINT) {
    const int32_t step = ProgramGrid().snap ? ProgramGrid().spacing : 1;
    CPoint offset;
    switch (nChar) {
    case VK_LEFT:
        offset.x = -step;
        break;
    case VK_RIGHT:
        offset.x = step;
        break;
    case VK_UP:
        offset.y = -step;
        break;
    case VK_DOWN:
        offset.y = step;
        break;
    default:
        return;
    }
    if (m_mode != None || !Valid(pView) || m_handles.empty())
        return;
    BeginMove(pView);
    MoveTo(pView, offset, true);
    pView->Invalidate(true);
}

bool CVertexTool::ClearSelectedParts(CMorvetView* pView) {
    if (!Valid(pView) || m_handles.empty())
        return false;
    // Per element, in the order they were selected; circles have nothing to remove.
    std::vector<std::pair<CPrimitive*, std::vector<int>>> doomed;
    std::map<const CPrimitive*, size_t> slot;
    for (const Handle& h : m_handles) {
        if (!h.element->IsPath())
            continue;
        const auto [at, added] = slot.emplace(h.element, doomed.size());
        if (added)
            doomed.emplace_back(h.element, std::vector<int>());
        doomed[at->second].second.push_back(h.index);
    }
    if (doomed.empty()) {
        pView->ShowStatus(QStringLiteral("A circle's handles cannot be deleted."));
        return true;
    }
    for (const auto& d : doomed) {
        const QString why = RefuseVertexRemoval(d.first, d.second);
        if (!why.isEmpty()) {
            pView->ShowStatus(why);
            return true;
        }
    }
    CMorvetDoc* pDoc = pView->GetDocument();
    {
        CDocEdit edit(*pDoc, pView);
        for (const auto& d : doomed) {
            pDoc->ReleaseGrabbedVertexOf(d.first);
            RemoveVertices(d.first, d.second);
        }
    }
    m_handles.clear();
    Remember(pView);
    pView->Invalidate(true);
    return true;
}

bool CVertexTool::DraggedPointUnits(CMorvetView* pView, CPoint* units) {
    if (m_mode != Drag || !pView->HasCapture() || !Valid(pView) || !IsHandleSelected(m_grabbed))
        return false;
    *units = HandlePoint(m_grabbed.element, m_grabbed.index);
    return true;
}

void CVertexTool::DrawFeedback(CMorvetView* pView, CDC* pDC) {
    if (pDC->IsPrinting())
        return;
    Valid(pView);
    const std::set<Handle> picked(m_handles.begin(), m_handles.end());
    std::vector<std::pair<CPoint, bool>> shown;
    const CPoint anchor = pView->Anchor();
    for (CPrimitive* e : pView->Selection())
        for (int i = 0, n = HandleCount(e); i < n; ++i) {
            CPoint at = HandlePoint(e, i) + anchor;
            pDC->LPtoDP(&at);
            shown.emplace_back(at, picked.count(Handle{e, i}) != 0);
        }
    CDevicePixels pixels(pDC);
    const int r = kHandleReach;
    for (const auto& [at, selected] : shown) {
        if (!Drawable(at))
            continue;
        pDC->FillSolidRect(CRect(at.x - r, at.y - r, at.x + r + 1, at.y + r + 1), RGB(0, 0, 0));
        pDC->FillSolidRect(CRect(at.x - r + 1, at.y - r + 1, at.x + r, at.y + r),
                           RGB(255, 255, 255));
        if (!selected)
            pDC->FillSolidRect(CRect(at.x - r + 2, at.y - r + 2, at.x + r - 1, at.y + r - 1),
                               RGB(0, 0, 0));
    }
    if (m_mode == Band && pView->HasCapture()) {
        CRect band = BandRect();
        const CPoint offset = pView->PixelOffset(pDC);
        band.OffsetRect(offset.x, offset.y);
        pDC->DrawFocusRect(band);
    }
}
