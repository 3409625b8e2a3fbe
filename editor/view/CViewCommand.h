#pragma once
#include "platform/CCmdUI.h"
#include "res/CommandTable.h"

#include <functional>

class CMorvetView;

// A command the active view answers: what the user sees of it, what it does
// to the view, and its state. Without an update handler the command is
// enabled whenever a view is active.
struct CViewCommand {
    CCommandInfo info;
    std::function<void(CMorvetView&)> run;
    std::function<void(CMorvetView&, CCmdUI*)> update = {};
};
