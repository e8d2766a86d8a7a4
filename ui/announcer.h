#pragma once

#include <QString>
#include <QWidget>

// What screen readers are told once, as it happens, without taking the keys from where they are: "Copié : …",
// the common slot found, the city found. Qt 6.4 has no announcement of its own on Linux, and its AT-SPI bridge
// gives objects no "live" attribute; it does show an object of the role of a notification, and Orca reads a
// notification when it shows (object:state-changed:showing), once, and keeps it in its list of notifications.
// So the announcer is such an object: never drawn, named by what it says, with the same words as a label
// inside it (the notification's text for readers that read its labels), shown again at each thing to say.
class Announcer : public QWidget
{
    Q_OBJECT

public:
    explicit Announcer(QWidget* parent);

    // Tells screen readers `text` once (the same text said again is told again: the command was done again).
    void say(const QString& text);
    // What was said last.
    QString said() const { return m_said; }

signals:
    // Each thing said, as it is said.
    void told(const QString& text);

private:
    QString m_said;
};
