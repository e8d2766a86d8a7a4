#include "keyboarduse.h"

#include <QApplication>
#include <QEvent>

KeyboardUse::KeyboardUse(QWidget* window) : QObject(window), m_window(window)
{
    // Keys go to whatever has the focus and mouse buttons to whatever lies under the pointer: only the
    // application sees them all.
    qApp->installEventFilter(this);
}

void KeyboardUse::set(bool on)
{
    if (on == m_on)
        return;
    m_on = on;
    emit changed(on);
}

bool KeyboardUse::belongs(const QObject* object) const
{
    for (const QObject* part = object; part; part = part->parent()) {
        if (part == m_window)
            return true;
    }
    return false;
}

bool KeyboardUse::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride: // a shortcut's key, which may never come as a key press
    case QEvent::KeyPress:
        if (watched->isWidgetType() && belongs(watched))
            set(true);
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (watched->isWidgetType() && belongs(watched))
            set(false);
        break;
    default:
        break;
    }
    return false;
}
