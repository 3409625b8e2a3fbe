#pragma once
#include <QObject>
#include <functional>
#include <map>

class CCommandRouter;
struct CCommandInfo;
class QAction;
class QActionGroup;

// One QAction per command, shared by the menus and the toolbar, each with the
// menu text, prompt and tooltip its registration gives and its button image.
// The actions carry no shortcuts: the keys are translated elsewhere.
class CCommandActions : public QObject {
    Q_OBJECT
public:
    CCommandActions(QObject* parent, std::function<void(int)> execute);

    // The action of a command, made on first use: a menu may be built before
    // its commands are registered.
    QAction* Action(int id);
    // Gives the command's action the texts of its registration.
    void Describe(const CCommandInfo& info);
    // The command id an action stands for, or 0.
    static int CommandId(const QAction* action);

    // Gives every action the state its update handler asks for.
    void UpdateAll(const CCommandRouter& router);
    void Update(QAction* action, const CCommandRouter& router);

private:
    QObject* m_owner;
    std::function<void(int)> m_execute;
    std::map<int, QAction*> m_actions;
    QActionGroup* m_radioGroup;
};
