#pragma once
// Helpers shared by the document tests.
#include "document/CMorvetDoc.h"
#include "document/IMorvetDocView.h"
#include "platform/CArchive.h"

#include <QByteArray>
#include <initializer_list>
#include <ostream>
#include <vector>

namespace morvet_test {

// The bytes an object writes: a compact way to compare whole objects.
inline QByteArray Bytes(const CShape& s) {
    CArchive ar;
    const_cast<CShape&>(s).Serialize(ar);
    return ar.Buffer();
}

inline void Add(CMorvetDoc& doc, int32_t type, COLORREF color, std::initializer_list<POINT> pts) {
    const std::vector<POINT> v(pts);
    doc.AddElement(type, color, int32_t(v.size()), v.empty() ? nullptr : v.data());
}

// A view that records what the document asks of it.
class RecordingView : public IMorvetDocView {
public:
    void SelectElement(CPrimitive* prim, bool add) override {
        selectCalls++;
        if (prim == nullptr && !add)
            selection.clear();
        else {
            if (!add)
                selection.clear();
            selection.push_back(prim);
        }
    }
    void OnShapeReplaced() override { replacedCalls++; }
    void OnUpdate(CViewBase*, long hint, void* pHint) override {
        hints.push_back(hint);
        hintObjects.push_back(pHint);
    }
    std::vector<CPrimitive*> selection;
    int selectCalls = 0;
    int replacedCalls = 0;
    std::vector<long> hints;
    std::vector<void*> hintObjects;
};

} // namespace morvet_test

inline void PrintTo(const POINT& p, std::ostream* os) {
    *os << "(" << p.x << ", " << p.y << ")";
}
inline bool operator==(const POINT& a, const POINT& b) {
    return a.x == b.x && a.y == b.y;
}
