#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QWidget>

// Moves a window with the pointer until the mouse button is released: what the program does itself when the
// window system will not run its own move (an X server without a window manager, for instance).
class PointerDrag : public QObject
{
    Q_OBJECT

public:
    explicit PointerDrag(QObject* parent);

    // Starts following the pointer, which is now at `pointer` (screen coordinates).
    void follow(QWidget* window, const QPoint& pointer);
    bool isFollowing() const { return !m_window.isNull(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void stop();

    QPointer<QWidget> m_window;
    QPoint m_pointerStart;
    QPoint m_windowStart;
};
