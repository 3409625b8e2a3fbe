#pragma once
#include <QObject>
#include <QPointer>
#include <functional>

class CCommandRouter;
class QKeyEvent;
class QWidget;

// Translates the registered keys of the commands into commands before the focused
// widget sees them, as long as the key goes to a widget of the main window
// (not to a dialog or an open menu). A key that matches an accelerator is
// consumed even when its command is disabled, except where the focus is in a
// field that edits text and the field answers the key (typing, the editing
// and cursor keys, its clipboard, undo and select-all keys): there the field
// gets it, and no shortcut of the window takes it either. The editor's own
// Undo and Redo keys undo and redo the field's typing there.
//
// This works at the application level rather than through QAction shortcuts
// because Qt's shortcut map does not match keypad keys delivered by X11, and
// character accelerators ("-", "=") depend on the typed character.
class CAcceleratorFilter : public QObject {
    Q_OBJECT
public:
    CAcceleratorFilter(QWidget* frame, const CCommandRouter& router,
                       std::function<void(int)> execute);
    ~CAcceleratorFilter() override;

    // Whether the focused widget edits text and answers the key itself.
    static bool TextFieldTakes(const QKeyEvent* event);
    // Whether the key is the editor's Undo or Redo with the focus in such a
    // field, which then undoes or redoes its own typing instead.
    bool FieldUndoes(const QKeyEvent* event) const;

    // Told of every input event, so the command states can be refreshed once
    // the event queue is empty.
    std::function<void()> onInput;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool TargetsFrame(QObject* watched) const;

    QPointer<QWidget> m_frame;
    const CCommandRouter& m_router;
    std::function<void(int)> m_execute;
};
