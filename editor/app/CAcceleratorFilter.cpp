#include "app/CAcceleratorFilter.h"

#include "app/CCommandRouter.h"
#include "res/CommandIds.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

namespace {
// What a field that edits text does with the keys beyond typing and the bare
// editing keys: the clipboard, its own undo, selecting and moving the cursor.
constexpr QKeySequence::StandardKey kTextKeys[] = {
    QKeySequence::Undo,
    QKeySequence::Redo,
    QKeySequence::Cut,
    QKeySequence::Copy,
    QKeySequence::Paste,
    QKeySequence::SelectAll,
    QKeySequence::Deselect,
    QKeySequence::Delete,
    QKeySequence::Backspace,
    QKeySequence::DeleteStartOfWord,
    QKeySequence::DeleteEndOfWord,
    QKeySequence::DeleteEndOfLine,
    QKeySequence::DeleteCompleteLine,
    QKeySequence::InsertParagraphSeparator,
    QKeySequence::InsertLineSeparator,
    QKeySequence::MoveToNextChar,
    QKeySequence::MoveToPreviousChar,
    QKeySequence::MoveToNextWord,
    QKeySequence::MoveToPreviousWord,
    QKeySequence::MoveToNextLine,
    QKeySequence::MoveToPreviousLine,
    QKeySequence::MoveToNextPage,
    QKeySequence::MoveToPreviousPage,
    QKeySequence::MoveToStartOfLine,
    QKeySequence::MoveToEndOfLine,
    QKeySequence::MoveToStartOfBlock,
    QKeySequence::MoveToEndOfBlock,
    QKeySequence::MoveToStartOfDocument,
    QKeySequence::MoveToEndOfDocument,
    QKeySequence::SelectNextChar,
    QKeySequence::SelectPreviousChar,
    QKeySequence::SelectNextWord,
    QKeySequence::SelectPreviousWord,
    QKeySequence::SelectNextLine,
    QKeySequence::SelectPreviousLine,
    QKeySequence::SelectNextPage,
    QKeySequence::SelectPreviousPage,
    QKeySequence::SelectStartOfLine,
    QKeySequence::SelectEndOfLine,
    QKeySequence::SelectStartOfBlock,
    QKeySequence::SelectEndOfBlock,
    QKeySequence::SelectStartOfDocument,
    QKeySequence::SelectEndOfDocument,
};

QLineEdit* LineEditOf(QWidget* w) {
    auto* line = qobject_cast<QLineEdit*>(w);
    return line ? line : w->findChild<QLineEdit*>();
}

// The editor's Undo and Redo keys (Alt+Backspace, Ctrl+Y) undo and redo the
// typing in a field, also where the platform binds them to nothing there.
bool UndoInField(QWidget* field, int command) {
    const bool undo = command == ID_EDIT_UNDO;
    if (auto* text = qobject_cast<QTextEdit*>(field))
        undo ? text->undo() : text->redo();
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(field))
        undo ? plain->undo() : plain->redo();
    else if (QLineEdit* line = LineEditOf(field))
        undo ? line->undo() : line->redo();
    return true;
}

bool EditsText(const QWidget* w) {
    if (!w)
        return false;
    if (const auto* line = qobject_cast<const QLineEdit*>(w))
        return !line->isReadOnly();
    if (const auto* spin = qobject_cast<const QAbstractSpinBox*>(w))
        return !spin->isReadOnly();
    if (const auto* combo = qobject_cast<const QComboBox*>(w))
        return combo->isEditable();
    if (const auto* text = qobject_cast<const QTextEdit*>(w))
        return !text->isReadOnly();
    if (const auto* plain = qobject_cast<const QPlainTextEdit*>(w))
        return !plain->isReadOnly();
    return false;
}
} // namespace

CAcceleratorFilter::CAcceleratorFilter(QWidget* frame, const CCommandRouter& router,
                                       std::function<void(int)> execute)
    : QObject(frame), m_frame(frame), m_router(router), m_execute(std::move(execute)) {
    qApp->installEventFilter(this);
}

CAcceleratorFilter::~CAcceleratorFilter() {
    qApp->removeEventFilter(this);
}

bool CAcceleratorFilter::TextFieldTakes(const QKeyEvent* event) {
    if (!EditsText(QApplication::focusWidget()))
        return false;
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const bool command = mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    const QString text = event->text();
    if (!command && !text.isEmpty() && text.at(0).isPrint())
        return true;
    switch (event->key()) {
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
        if (!(mods & ~Qt::KeyboardModifiers(Qt::ShiftModifier)))
            return true;
        break;
    default:
        break;
    }
    for (QKeySequence::StandardKey key : kTextKeys)
        if (event->matches(key))
            return true;
    return false;
}

bool CAcceleratorFilter::FieldUndoes(const QKeyEvent* event) const {
    const int command = m_router.CommandForKey(event);
    return (command == ID_EDIT_UNDO || command == ID_EDIT_REDO) &&
           EditsText(QApplication::focusWidget());
}

bool CAcceleratorFilter::TargetsFrame(QObject* watched) const {
    if (!m_frame || !watched->isWidgetType())
        return false;
    if (QApplication::activePopupWidget() || QApplication::activeModalWidget())
        return false;
    return static_cast<QWidget*>(watched)->window() == m_frame;
}

bool CAcceleratorFilter::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        if (onInput)
            onInput();
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!TargetsFrame(watched) || TextFieldTakes(key))
            break;
        const int command = m_router.CommandForKey(key);
        if (command == 0)
            break;
        if (FieldUndoes(key))
            return UndoInField(QApplication::focusWidget(), command);
        m_execute(command);
        return true;
    }
    case QEvent::ShortcutOverride:
        // Claimed for the field, so that no shortcut of the window takes a
        // key that the field answers.
        if (TargetsFrame(watched) && (TextFieldTakes(static_cast<QKeyEvent*>(event)) ||
                                      FieldUndoes(static_cast<QKeyEvent*>(event)))) {
            event->accept();
            return true;
        }
        break;
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::Leave:
        if (onInput)
            onInput();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
