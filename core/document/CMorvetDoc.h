#pragma once
#include "document/ReferenceImage.h"
#include "object/CShape.h"
#include "platform/CDocument.h"
#include "platform/CPoint.h"
#include "platform/Colorref.h"

#include <cstdint>
#include <vector>

class IMorvetDocView;

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
    void AddElement(int32_t type, COLORREF color, int32_t nPoints, const POINT* points);
    // The topmost element hit at pt, in the units of a window that shows the
    // object moved by anchor.
    CPrimitive* ElementAtPoint(const POINT& pt, const POINT& anchor = POINT{0, 0}) const;

    // The snapshot must be a fresh copy of m_shape made just before a change;
    // the document takes ownership.
    void PushSnapshot(CShape* snapshot);
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

    CShape m_shape;
    COLORREF m_color = RGB(255, 255, 255);
    std::vector<CSnapshot*> m_history; // newest first
    CReferenceImage m_reference;       // shown in the windows, not part of the object
    int m_historyIndex = -1;

    static constexpr int kMaxSnapshots = 11;

private:
    static uint64_t NextHistoryStamp();
    void ClearHistory();
    void RestoreSnapshot(int index);
    void PushState(CSnapshot* snapshot);

    uint64_t m_historyStamp = NextHistoryStamp();
};
