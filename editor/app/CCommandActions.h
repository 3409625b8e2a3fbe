#pragma once
#include <QObject>
#include <functional>
#include <map>

class CCommandRouter;
class QAction;
class QActionGroup;

// One QAction per command of the command table, shared by the menus and the
// toolbar, each with its menu text, prompt, tooltip and button image. The
// actions carry no shortcuts: the accelerator table is translated elsewhere.
class CCommandActions : public QObject {
    Q_OBJECT
public:
    CCommandActions(QObject* parent, std::function<void(int)> execute);

    QAction* Action(int id) const;
    // The command id an action stands for, or 0.
    static int CommandId(const QAction* action);

    // Gives every action the state its update handler asks for.
    void UpdateAll(const CCommandRouter& router);
    void Update(QAction* action, const CCommandRouter& router);

private:
    std::map<int, QAction*> m_actions;
    QActionGroup* m_radioGroup;
};
