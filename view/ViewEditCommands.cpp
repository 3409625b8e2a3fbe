#include "view/CMorvetView.h"

bool CMorvetView::OnEditCmdMsg(int, CCmdUI*) {
    return false;
}
