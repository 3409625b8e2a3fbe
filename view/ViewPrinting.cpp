#include "view/CMorvetView.h"

bool CMorvetView::OnPrintCmdMsg(int, CCmdUI*) {
    return false;
}
