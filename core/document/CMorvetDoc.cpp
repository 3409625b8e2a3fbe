#include "document/CMorvetDoc.h"

#include "document/IMorvetDocView.h"
#include "platform/CArchive.h"

#include <cstring>

CMorvetDoc::CMorvetDoc() = default;

CMorvetDoc::~CMorvetDoc() {
    ClearHistory();
}

bool CMorvetDoc::OnNewDocument() {
    if (!CDocument::OnNewDocument())
        return false;
    ResetEditState();
    return true;
}

bool CMorvetDoc::OnOpenDocument(const QString& path) {
    if (!CDocument::OnOpenDocument(path))
        return false;
    ResetEditState();
    return true;
}

void CMorvetDoc::ResetEditState() {
    m_color = RGB(255, 255, 255);
    ClearHistory();
}

void CMorvetDoc::Serialize(CArchive& ar) {
    m_shape.Serialize(ar);
}

void CMorvetDoc::AddElement(int32_t type, COLORREF color, int32_t nPoints, const POINT* points) {
    POINT* own = nullptr;
    if (nPoints > 0) {
        own = new POINT[size_t(nPoints)];
        std::memcpy(own, points, sizeof(POINT) * size_t(nPoints));
    }
    PushSnapshot(new CShape(m_shape));
    m_shape.AppendElement(type, color, nPoints, own);
    SetModifiedFlag(true);
}

CPrimitive* CMorvetDoc::ElementAtPoint(const POINT& pt, const POINT& anchor) const {
    for (int i = m_shape.GetSize() - 1; i >= 0; --i) {
        CRect r;
        GetPrimitiveHitRect(m_shape.m_elements[size_t(i)], &r, anchor);
        if (r.PtInRect(pt))
            return m_shape.m_elements[size_t(i)];
    }
    return nullptr;
}

void CMorvetDoc::ClearAllSelections() {
    for (CViewBase* v : Views())
        if (auto* view = dynamic_cast<IMorvetDocView*>(v))
            view->SelectElement(nullptr, false);
}
