#pragma once
#include "document/ReferenceImage.h"
#include "object/CShape.h"
#include "platform/CDocument.h"
#include "platform/CPoint.h"
#include "platform/Colorref.h"

#include <cstdint>
#include <vector>

class CDocEdit;
class IMorvetDocView;

// A vertex by its place in the object: element and vertex index. Indices, not
// a pointer, so that nothing can dangle once the object changes.
struct CVertexRef {
    int element = -1;
    int vertex = -1;
    bool IsSet() const { return element >= 0; }
    bool operator==(const CVertexRef& o) const {
        return element == o.element && vertex == o.vertex;
    }
    bool operator!=(const CVertexRef& o) const { return !(*this == o); }
};

// One snapshot of the history: the object as it was.
struct CSnapshot {
    CShape shape;
};

// The document: one object in the coordinates its file holds (relative to the
// center of mass), the colour of new elements and the undo/redo history of
// object snapshots. Each window adds its own anchor when it shows the object.
class CMorvetDoc : public CDocument {
public:
    CMorvetDoc();
    ~CMorvetDoc() override;

    bool OnNewDocument() override;
    bool OnOpenDocument(const QString& path) override;
    void Serialize(CArchive& ar) override;

    void ResetEditState();
    // One step that appends an element with a copy of the points; every
    // window redraws the new element's area.
    void AddElement(int32_t type, COLORREF color, int32_t nPoints, const POINT* points);
    // The topmost element hit at pt, in the units of a window that shows the
    // object moved by anchor.
    CPrimitive* ElementAtPoint(const POINT& pt, const POINT& anchor = POINT{0, 0}) const;

    void Undo();
    void Redo();
    bool CanUndo() const;
    bool CanRedo() const;
    int HistorySize() const { return int(m_history.size()); }
    // Changes whenever the history records or restores a state or is emptied,
    // and is never the same in two documents: whoever recorded the latest
    // step can tell that it still is the latest.
    uint64_t HistoryStamp() const { return m_historyStamp; }

    // Calls SelectElement(nullptr, false) on every view of this document.
    void ClearAllSelections();

    // The next joining edit (CDocEdit::Step::Join) records a step of its own:
    // a new drag or key press begins.
    void EndStep() { m_nJoinStamp = 0; }
    // A drag that told nobody while it went on is over: the other windows
    // show its result.
    void EndDrag(CViewBase* pSender) { UpdateAllViews(pSender, 0, nullptr); }

    // The vertex held by the select tool, marked in every window of the
    // document. GrabbedVertex() is null when none is held or the place no
    // longer holds a vertex; the pointer is good only until the next change.
    void GrabVertex(const CVertexRef& vertex) { m_grabbed = vertex; }
    void ReleaseGrabbedVertex() { m_grabbed = CVertexRef(); }
    // Lets go of the grabbed vertex if it lies in this element, which is
    // about to be destroyed or to get a new point array.
    void ReleaseGrabbedVertexOf(const CPrimitive* prim);
    const CVertexRef& GrabbedVertexRef() const { return m_grabbed; }
    POINT* GrabbedVertex() const;

    CShape m_shape;
    COLORREF m_color = RGB(255, 255, 255);
    std::vector<CSnapshot*> m_history; // newest first
    CReferenceImage m_reference;       // shown in the windows, not part of the object
    int m_historyIndex = -1;

    static constexpr int kMaxSnapshots = 11;

private:
    friend class CDocEdit;
    // The snapshot must be a fresh copy of m_shape made just before a change;
    // the document takes ownership.
    void PushSnapshot(CShape* snapshot);
    // The element holding the grabbed vertex, or null.
    const CPrimitive* GrabbedElement() const;
    // After a change: the grabbed vertex follows its element to its new
    // place, or is let go when the element is gone.
    void RefindGrabbedVertex(const CPrimitive* element);

    static uint64_t NextHistoryStamp();
    void ClearHistory();
    void RestoreSnapshot(int index);
    void PushState(CSnapshot* snapshot);

    uint64_t m_historyStamp = NextHistoryStamp();
    // The history stamp right after the latest joining edit; 0 once a new
    // drag or key press has begun.
    uint64_t m_nJoinStamp = 0;
    CVertexRef m_grabbed;
};
