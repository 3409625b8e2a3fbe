#pragma once
#include "platform/CDC.h"

class CMorvetView;

// A device context on the view's window, prepared as the view prepares it.
// What is drawn through it shows on screen without waiting for a repaint.
class CClientDC : public CDC {
public:
    explicit CClientDC(CMorvetView* view);
    ~CClientDC();

private:
    CMorvetView* m_view;
};
