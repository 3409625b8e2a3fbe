#include "view/CMorvetView.h"

bool CMorvetView::OnObjectCmdMsg(int, CCmdUI*) {
    return false;
}
