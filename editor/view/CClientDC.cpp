#include "view/CClientDC.h"

#include "view/CMorvetView.h"

CClientDC::CClientDC(CMorvetView* view) : CDC(&view->Surface()), m_view(view) {}

// The surface now differs from the screen; the next frame shows it.
CClientDC::~CClientDC() {
    m_view->update();
}
