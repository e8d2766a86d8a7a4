#pragma once

#include <QLineEdit>
#include <QPointer>
#include <QTime>

class Label;

// The box that opens over a city's time label for the user to type a time for that city ("15", "15.30"):
// Enter reads it, and either emits the time and closes or says under the box why the text is no time and
// stays; Escape, or the focus going elsewhere, closes it without a time.
class TimeEntry : public QLineEdit
{
    Q_OBJECT

public:
    explicit TimeEntry(QWidget* window);

    // Opens over `label`, a rectangle of the window, for row `row` of the city `city`, with `text` selected.
    void open(int row, const QString& city, const QRect& label, const QString& text);
    // Closes without a time; the keys go back where they were when it opened (a face, the window).
    void cancel();
    // The hint under the box, while the text typed is no time.
    const Label* hint() const { return m_hint; }

signals:
    void timeTyped(int row, const QTime& time);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void enter();
    void hideAll();

    Label* m_hint;
    int m_row = -1;
    QPointer<QWidget> m_returnTo;
};
