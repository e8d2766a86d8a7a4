#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

// A mouse event as the window system delivers it: at a screen position, with the buttons held. A press or
// release is of the left button.
inline void sendMouse(QWidget* widget, QEvent::Type type, const QPoint& global, Qt::MouseButtons buttons)
{
    const QPoint local = widget->mapFromGlobal(global);
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, local, global, button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// The pointer moves over a point of the widget, no button held.
inline void moveOver(QWidget* widget, const QPoint& point = QPoint(2, 2))
{
    sendMouse(widget, QEvent::MouseMove, widget->mapToGlobal(point), Qt::NoButton);
}

// The wheel turned over a point of the widget by `angle` (eighths of a degree; 120 a notch, rolled away from
// the user positive), as a wheel delivers it; `inverted` as with the system's reversed scrolling, whose
// deltas come the other way.
inline void turnWheelOver(QWidget* widget, int angle, bool inverted = false, const QPoint& point = QPoint(5, 5))
{
    const QPoint delta(0, inverted ? -angle : angle);
    QWheelEvent event(point, widget->mapToGlobal(point), QPoint(), delta, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, inverted);
    QApplication::sendEvent(widget, &event);
}
