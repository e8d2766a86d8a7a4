#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

// Whether the user of a window is working it with the keyboard, as desktops decide whether to show where the
// keys are: a key pressed in the window, or in a menu, box or question it opened, says yes; a button of the mouse
// pressed there says no. A window used with the mouse alone keeps its look.
class KeyboardUse : public QObject
{
    Q_OBJECT

public:
    explicit KeyboardUse(QWidget* window);

    bool isOn() const { return m_on; }
    // What the keys' coming says when no key was seen: by Tab, the keyboard; by a click, the mouse.
    void set(bool on);

signals:
    void changed(bool on);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Whether `object` is the window or lies in it, or in a window it opened (a menu, a question).
    bool belongs(const QObject* object) const;

    QPointer<QWidget> m_window;
    bool m_on = false;
};
