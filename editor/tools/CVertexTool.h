#pragma once
#include "tools/CShapeTool.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

// The Edit Vertices tool: handles on the vertices of the selected elements,
// picked by click, Shift-click or band, moved by drag or arrow keys, inserted
// by a double click on an edge and removed by Edit > Clear.
//
// The vertex selection belongs to this window's tool. It names elements by
// pointer, but only those still selected in the window, and only while the
// document's history is where this tool last saw it: any change made
// elsewhere (Undo, Redo, another window, a command) drops it.
class CVertexTool : public CShapeTool {
public:
    CVertexTool() : CShapeTool(TOOL_EDIT_VERTICES) {}

    void MouseDown(CMorvetView* pView, UINT nFlags, const CPoint& point) override;
    void MouseDoubleClick(CMorvetView* pView, UINT nFlags, const CPoint& point) override;
    void MouseUp(CMorvetView* pView, UINT nFlags, const CPoint& point) override;
    void MouseMove(CMorvetView* pView, UINT nFlags, const CPoint& point) override;
    void KeyDown(CMorvetView* pView, UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void DrawFeedback(CMorvetView* pView, CDC* pDC) override;
    bool ClearSelectedParts(CMorvetView* pView) override;
    bool DraggedPointUnits(CMorvetView* pView, CPoint* units) override;

    struct Handle {
        CPrimitive* element;
        int index;
        bool operator==(const Handle& o) const { return element == o.element && index == o.index; }
        bool operator<(const Handle& o) const {
            return element != o.element ? std::less<const CPrimitive*>()(element, o.element)
                                        : index < o.index;
        }
    };
    // The selected handles that are still good; drops them all when not.
    const std::vector<Handle>& SelectedHandles(CMorvetView* pView);

private:
    enum Mode { None, Band, Drag };
    bool Valid(CMorvetView* pView);
    void Remember(CMorvetView* pView);
    bool IsHandleSelected(const Handle& h) const;
    // The topmost handle of a selected element within its drawn square of p.
    bool HitHandle(CMorvetView* pView, const CPoint& p, Handle* hit);
    // Every selected handle goes to where it was at the press plus offset,
    // in file units.
    void MoveTo(CMorvetView* pView, const CPoint& offset, bool ownStep);
    void BeginMove(CMorvetView* pView);
    CRect BandRect() const;

    std::vector<Handle> m_handles;
    uint64_t m_stamp = 0;
    const void* m_doc = nullptr;
    Mode m_mode = None;
    bool m_bMoved = false;
    bool m_bSelectAloneOnRelease = false;
    Handle m_grabbed{nullptr, -1};
    // The selected handles where the gesture began, and the offset applied so far.
    std::vector<CPoint> m_origins;
    CPoint m_grabbedOrigin;
    CPoint m_applied;
    CPoint m_pressLogical;
    // The element selection the latest click let go of: the click may be the
    // first of a double click on one of their edges.
    std::vector<CPrimitive*> m_clearedSelection;
};
