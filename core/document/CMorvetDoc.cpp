#include "document/CMorvetDoc.h"

#include "document/CDocEdit.h"
#include "document/IMorvetDocView.h"
#include "platform/CArchive.h"

#include <algorithm>

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
    m_grabbed = CVertexRef();
    m_nJoinStamp = 0;
    ClearHistory();
}

void CMorvetDoc::Serialize(CArchive& ar) {
    m_shape.Serialize(ar);
}

void CMorvetDoc::AddElement(int32_t type, COLORREF color, int32_t nPoints, const POINT* points) {
    CDocEdit edit(*this, nullptr);
    edit.SetHint(HINT_ELEMENT_ADDED, &m_shape);
    edit.AppendElement(type, color, nPoints, points);
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

POINT* CMorvetDoc::GrabbedVertex() const {
    if (!m_grabbed.IsSet() || m_grabbed.element >= m_shape.GetSize())
        return nullptr;
    CPrimitive* e = m_shape.m_elements[size_t(m_grabbed.element)];
    if (m_grabbed.vertex < 0 || m_grabbed.vertex >= e->m_nPoints)
        return nullptr;
    return &e->m_pPoints[m_grabbed.vertex];
}

const CPrimitive* CMorvetDoc::GrabbedElement() const {
    if (!m_grabbed.IsSet() || m_grabbed.element >= m_shape.GetSize())
        return nullptr;
    return m_shape.m_elements[size_t(m_grabbed.element)];
}

void CMorvetDoc::ReleaseGrabbedVertexOf(const CPrimitive* prim) {
    if (prim && GrabbedElement() == prim)
        ReleaseGrabbedVertex();
}

void CMorvetDoc::RefindGrabbedVertex(const CPrimitive* element) {
    if (!m_grabbed.IsSet())
        return;
    if (GrabbedElement() == element)
        return;
    const auto& elements = m_shape.m_elements;
    const auto found = std::find(elements.begin(), elements.end(), element);
    if (!element || found == elements.end())
        ReleaseGrabbedVertex();
    else
        m_grabbed.element = int(found - elements.begin());
}
