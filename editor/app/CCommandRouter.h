#pragma once
#include "platform/CCmdUI.h"

#include <functional>
#include <map>

class CMorvetView;

// Sends a command to the active view first, then to the handlers of the
// document, frame and application registered here. A command that no
// reachable handler takes is disabled, and a command is always asked for its
// state right before it runs, so a disabled command never runs.
class CCommandRouter {
public:
    using Handler = std::function<void()>;
    using UpdateHandler = std::function<void(CCmdUI*)>;

    void SetActiveViewSource(std::function<CMorvetView*()> source);
    // Registers the handler of a command outside the view. Without an update
    // handler the command is enabled whenever it is reached.
    void Add(int id, Handler handler, UpdateHandler update = {});

    // Fills in the state of the command id in pCmdUI.
    void Update(CCmdUI* pCmdUI) const;
    bool IsEnabled(int id) const;
    // Runs the command if it is enabled; returns whether a handler ran.
    bool Execute(int id);

private:
    struct Entry {
        Handler handler;
        UpdateHandler update;
    };
    CMorvetView* ActiveView() const;

    std::function<CMorvetView*()> m_activeView;
    std::map<int, Entry> m_handlers;
};
