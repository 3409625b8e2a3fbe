#pragma once
#include "platform/CCmdUI.h"
#include "res/CommandTable.h"

#include <functional>
#include <map>
#include <vector>

class CMorvetView;
class QKeyEvent;

// The one path of every command. A command is registered once, with what the
// user sees of it (menu text, prompt, tooltip, keys) and its handlers. It goes
// to the active view first, then to the handlers of the document, frame and
// application registered here. A command that no reachable handler takes is
// disabled, and a command is always asked for its state right before it runs,
// so a disabled command never runs.
class CCommandRouter {
public:
    using Handler = std::function<void()>;
    using UpdateHandler = std::function<void(CCmdUI*)>;

    void SetActiveViewSource(std::function<CMorvetView*()> source);
    // Told of every command as it is registered, to give it its menu item,
    // button and prompt.
    void SetRegistrationObserver(std::function<void(const CCommandInfo&)> observer);

    // Registers a command outside the view. Without an update handler the
    // command is enabled whenever it is reached.
    void Add(CCommandInfo info, Handler handler, UpdateHandler update = {});
    // Registers the commands the active view answers (CMorvetView::OnCmdMsg).
    void AddViewCommands();

    // Fills in the state of the command id in pCmdUI.
    void Update(CCmdUI* pCmdUI) const;
    bool IsEnabled(int id) const;
    // Runs the command if it is enabled; returns whether a handler ran.
    bool Execute(int id);

    // The command of the first registered key that matches the key event, or 0.
    int CommandForKey(const QKeyEvent* event) const;
    // What the user sees of a registered command, or null.
    const CCommandInfo* Info(int id) const;

private:
    struct Entry {
        Handler handler;
        UpdateHandler update;
    };
    CMorvetView* ActiveView() const;
    void Describe(CCommandInfo info);

    std::function<CMorvetView*()> m_activeView;
    std::function<void(const CCommandInfo&)> m_observer;
    std::map<int, Entry> m_handlers;
    // In order of registration, which is the order keys are matched in.
    std::vector<CCommandInfo> m_infos;
};
