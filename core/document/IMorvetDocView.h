#pragma once
#include "platform/CDocument.h"

class CPrimitive;

enum { HINT_ELEMENT_ADDED = 5 };

// What the document asks of each view that shows it.
class IMorvetDocView : public CViewBase {
public:
    // SelectElement(nullptr, false) empties the view's selection.
    virtual void SelectElement(CPrimitive* prim, bool add) = 0;
    // The object's elements are about to be destroyed and replaced wholesale
    // (undo, redo): drop every pointer into them.
    virtual void OnShapeReplaced() {}
};
