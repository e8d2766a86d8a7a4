#include "pointerdrag.h"

#include <QCoreApplication>
#include <QMouseEvent>

PointerDrag::PointerDrag(QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("PointerDrag"));
}

void PointerDrag::follow(QWidget* window, const QPoint& pointer)
{
    stop();
    m_window = window;
    m_pointerStart = pointer;
    m_windowStart = window->pos();
    // Watches the whole application: the press gave the pointer to whichever control was under it.
    QCoreApplication::instance()->installEventFilter(this);
}

bool PointerDrag::eventFilter(QObject* watched, QEvent* event)
{
    if (!m_window)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseMove: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->buttons() == Qt::NoButton) {
            stop(); // the release went elsewhere
            break;
        }
        m_window->move(m_windowStart + (mouse->globalPosition().toPoint() - m_pointerStart));
        return true;
    }
    case QEvent::MouseButtonRelease:
        stop();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void PointerDrag::stop()
{
    if (QCoreApplication* app = QCoreApplication::instance())
        app->removeEventFilter(this);
    m_window = nullptr;
}
