#pragma once
#include "platform/CPoint.h"
#include "platform/Colorref.h"

#include <cstdint>
#include <memory>

class CMorvetDoc;
class CPrimitive;
class CShape;
class CViewBase;

// One change to the document, from the moment it begins to the moment the
// object is as it should be: the undo step it records or joins, the modified
// flag and the windows it tells all follow from how it was opened. Make the
// change while the edit lives; its end finishes the job.
class CDocEdit {
public:
    enum class Step {
        Own,  // an undo step of its own
        Join, // joins the step the previous joining edit recorded, while that
              // step is still the document's latest; otherwise one of its own
        None, // no undo step: only the modified flag
    };
    enum class Tell {
        Now,   // every window but the sender, once, at the end
        Later, // nobody now: a drag tells at its release (CMorvetDoc::EndDrag)
    };

    CDocEdit(CMorvetDoc& doc, CViewBase* pSender, Step step = Step::Own, Tell tell = Tell::Now);
    ~CDocEdit();
    CDocEdit(const CDocEdit&) = delete;
    CDocEdit& operator=(const CDocEdit&) = delete;

    // What the told windows receive besides the sender.
    void SetHint(long lHint, void* pHint);
    // Nothing changed after all: no step, no flag, nobody told.
    void Cancel() { m_bCancelled = true; }
    // The object did not change, but the step stays recorded: the flag and
    // the windows stay as they were.
    void KeepStepOnly() { m_bStepOnly = true; }

    // Appends an element with its own copy of the points.
    void AppendElement(int32_t type, COLORREF color, int32_t nPoints, const POINT* points);

    CMorvetDoc& Doc() const { return m_doc; }
    CShape& Shape() const;

private:
    CMorvetDoc& m_doc;
    CViewBase* m_pSender;
    Step m_step;
    Tell m_tell;
    // The object as it was, for the undo step; none when joining or without one.
    std::unique_ptr<CShape> m_before;
    // The element holding the grabbed vertex, to find its place again once
    // the change may have reordered the elements.
    const CPrimitive* m_pGrabbedElement = nullptr;
    long m_lHint = 0;
    void* m_pHint = nullptr;
    bool m_bCancelled = false;
    bool m_bStepOnly = false;
};
