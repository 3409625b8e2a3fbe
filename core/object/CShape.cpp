#include "object/CShape.h"

#include <algorithm>
#include <cstring>
#include <utility>

CPrimitive::CPrimitive(const CPrimitive& other)
    : m_nType(other.m_nType), m_crColor(other.m_crColor), m_nPoints(other.m_nPoints) {
    if (m_nPoints > 0) {
        m_pPoints = new POINT[m_nPoints];
        std::memcpy(m_pPoints, other.m_pPoints, sizeof(POINT) * size_t(m_nPoints));
    }
}

CShape::CShape(const CShape& other)
    : m_dMassDensity(other.m_dMassDensity), m_nPolarity(other.m_nPolarity),
      m_bMayRotate(other.m_bMayRotate) {
    AppendCopies(other);
}

CShape::CShape(CShape&& other) noexcept
    : m_dMassDensity(other.m_dMassDensity), m_nPolarity(other.m_nPolarity),
      m_bMayRotate(other.m_bMayRotate), m_elements(std::move(other.m_elements)) {
    other.m_elements.clear();
}

CShape& CShape::operator=(const CShape& other) {
    // Assigning an object to itself must not destroy the elements it copies from.
    if (this == &other || (!m_elements.empty() && !other.m_elements.empty() &&
                           m_elements.front() == other.m_elements.front()))
        return *this;
    for (auto it = m_elements.rbegin(); it != m_elements.rend(); ++it)
        delete *it;
    m_elements.clear();
    m_dMassDensity = other.m_dMassDensity;
    m_nPolarity = other.m_nPolarity;
    m_bMayRotate = other.m_bMayRotate;
    AppendCopies(other);
    return *this;
}

CShape::~CShape() {
    DestroyElements();
}

void CShape::DestroyElements() {
    for (CPrimitive* p : m_elements)
        delete p;
    m_elements.clear();
}

void CShape::AppendCopies(const CShape& other) {
    // Every recorded change copies the whole object: all its points go into
    // one block, copied element by element.
    size_t total = 0;
    for (const CPrimitive* p : other.m_elements)
        total += size_t(p->m_nPoints > 0 ? p->m_nPoints : 0);
    std::shared_ptr<POINT[]> block(total ? new POINT[total] : nullptr);
    POINT* next = block.get();
    m_elements.reserve(m_elements.size() + other.m_elements.size());
    for (const CPrimitive* p : other.m_elements) {
        auto* copy = new CPrimitive;
        copy->m_nType = p->m_nType;
        copy->m_crColor = p->m_crColor;
        copy->m_nPoints = p->m_nPoints;
        if (p->m_nPoints > 0) {
            std::memcpy(next, p->m_pPoints, sizeof(POINT) * size_t(p->m_nPoints));
            copy->m_pPoints = next;
            copy->m_pointBlock = block;
            next += p->m_nPoints;
        }
        m_elements.push_back(copy);
    }
}

void CShape::AppendElement(int32_t type, COLORREF color, int32_t nPoints, POINT* points) {
    auto* prim = new CPrimitive;
    prim->m_nType = type;
    prim->m_crColor = color;
    prim->m_nPoints = nPoints;
    prim->m_pPoints = points;
    m_elements.push_back(prim);
}

void CShape::DeleteElement(int index) {
    if (index < 0 || index >= GetSize())
        return;
    CPrimitive* prim = m_elements[size_t(index)];
    m_elements.erase(m_elements.begin() + index);
    delete prim;
}

void CShape::MoveElementBack(int index) {
    if (index <= 0 || index >= GetSize())
        return;
    std::swap(m_elements[size_t(index)], m_elements[size_t(index) - 1]);
}

void CShape::MoveElementForward(int index) {
    if (index < 0 || index >= GetSize() - 1)
        return;
    std::swap(m_elements[size_t(index)], m_elements[size_t(index) + 1]);
}

int CShape::IndexOf(const CPrimitive* prim) const {
    const auto it = std::find(m_elements.begin(), m_elements.end(), prim);
    return it == m_elements.end() ? -1 : int(it - m_elements.begin());
}
