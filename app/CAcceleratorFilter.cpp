#include "app/CAcceleratorFilter.h"

#include "res/CommandTable.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

CAcceleratorFilter::CAcceleratorFilter(QWidget* frame, std::function<void(int)> execute)
    : QObject(frame), m_frame(frame), m_execute(std::move(execute)) {
    qApp->installEventFilter(this);
}

CAcceleratorFilter::~CAcceleratorFilter() {
    qApp->removeEventFilter(this);
}

int CAcceleratorFilter::CommandForKey(const QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers();
    const bool shift = mods & Qt::ShiftModifier;
    const bool ctrl = mods & Qt::ControlModifier;
    const bool alt = mods & Qt::AltModifier;
    const bool keypad = mods & Qt::KeypadModifier;
    // The Enter key of the keypad is the same key as Return to the table.
    const int key = event->key() == Qt::Key_Enter ? int(Qt::Key_Return) : event->key();
    const QString text = event->text();

    for (const CAccelInfo& accel : AcceleratorTable()) {
        if (accel.kind == CAccelInfo::Character) {
            if (!ctrl && !alt && text.size() == 1 && text.at(0).unicode() == accel.key)
                return accel.command;
            continue;
        }
        if (key != accel.key || shift != accel.shift || ctrl != accel.ctrl || alt != accel.alt)
            continue;
        if (accel.keypad && !keypad)
            continue;
        return accel.command;
    }
    return 0;
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
        if (!TargetsFrame(watched))
            break;
        const int command = CommandForKey(static_cast<QKeyEvent*>(event));
        if (command == 0)
            break;
        m_execute(command);
        return true;
    }
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
