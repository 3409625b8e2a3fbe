#include "document/CDocEdit.h"

#include "document/CMorvetDoc.h"

#include <cstring>

CDocEdit::CDocEdit(CMorvetDoc& doc, CViewBase* pSender, Step step, Tell tell)
    : m_doc(doc), m_pSender(pSender), m_step(step), m_tell(tell) {
    // A joining edit copies nothing while the step it joins is still the
    // latest: not after an Undo or another change, and never across documents.
    const bool joins = step == Step::Join && doc.m_nJoinStamp == doc.HistoryStamp();
    if (step != Step::None && !joins)
        m_before = std::make_unique<CShape>(doc.m_shape);
    m_pGrabbedElement = doc.GrabbedElement();
}

CDocEdit::~CDocEdit() {
    if (m_bCancelled)
        return;
    if (m_before)
        m_doc.PushSnapshot(m_before.release());
    if (m_step == Step::Join)
        m_doc.m_nJoinStamp = m_doc.HistoryStamp();
    m_doc.RefindGrabbedVertex(m_pGrabbedElement);
    if (m_bStepOnly)
        return;
    m_doc.SetModifiedFlag(true);
    if (m_tell == Tell::Now)
        m_doc.UpdateAllViews(m_pSender, m_lHint, m_pHint);
}

void CDocEdit::SetHint(long lHint, void* pHint) {
    m_lHint = lHint;
    m_pHint = pHint;
}

void CDocEdit::AppendElement(int32_t type, COLORREF color, int32_t nPoints, const POINT* points) {
    POINT* own = nullptr;
    if (nPoints > 0) {
        own = new POINT[size_t(nPoints)];
        std::memcpy(own, points, sizeof(POINT) * size_t(nPoints));
    }
    m_doc.m_shape.AppendElement(type, color, nPoints, own);
}

CShape& CDocEdit::Shape() const {
    return m_doc.m_shape;
}
