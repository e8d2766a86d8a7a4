#pragma once

#include <QDateTime>
#include <QPointer>
#include <QWidget>
#include <optional>

#include "plan/week.h"

class QScrollBar;

// The week at a glance (`Semaine`), drawn over the grid at the configuration panel's place, in the window's
// look: a strip for the computer ("ici") and one for each marked city, seven days of the computer's clock
// across, each quarter hour at work, free, on a day off or by night; the quarters at which every marked city
// is at work lit across every strip and on a line of their own that never scrolls; the days labelled in
// French, those on which a clock changes its offset marked there and on its strip. The keys are on one
// quarter: Left and Right move it by a quarter hour, Ctrl+Left and Ctrl+Right to the next common slot as
// the clocks' own steps go (findCommonHour), Up and Down by a day; Enter or a click chooses an instant,
// Escape closes. What the quarter under the keys is for every place is the view's tooltip and what screen
// readers read of it. The week exists while the view is open, and nothing is computed while it is closed.
class WeekView : public QWidget
{
    Q_OBJECT

public:
    // A child of the main window, hidden until opened.
    explicit WeekView(QWidget* window);

    // Makes the week from `request` and shows it, with the keys on the quarter of the instant shown.
    void open(const WeekRequest& request);
    // Hides the view and lets its week go, without choosing an instant; the keys go back where they were.
    void dismiss();
    bool isOpen() const { return m_week.has_value(); }

    // The quarter under the keys (an index of the week), and the instant it stands for: the instant shown
    // until the keys move, then the quarter's start. Only while open.
    int currentQuarter() const { return m_cursor; }
    QDateTime currentInstant() const;
    // What the view says of the quarter under the keys: the tooltip's plain text and screen readers'.
    QString currentText() const;
    const Week* week() const { return m_week ? &*m_week : nullptr; }
    // The rectangle a quarter is drawn in on a strip (0: the computer's), for the pointer and for checks of
    // what is drawn; empty for a strip scrolled out of sight.
    QRect quarterRect(int strip, int quarter) const;
    // The line of the common slots, which never scrolls.
    QRect commonLine() const;

signals:
    // Enter, or a click on a quarter the clocks may show: that instant (UTC). The view closes next.
    void instantChosen(const QDateTime& universal);
    // The view closed, by Escape, a choice or dismiss().
    void closed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;
    // Tab and Shift+Tab stay in the view: the controls of the window lie under it.
    bool focusNextPrevChild(bool next) override;

private:
    struct Layout;
    Layout layout() const;
    int xAt(int quarter) const;
    // The quarter under a point of the view; -1 off the days.
    int quarterUnder(const QPoint& point) const;
    void moveTo(int quarter);
    void stepBy(int quarters);
    void stepDay(int direction);
    void stepSlot(int direction);
    void choose(const QDateTime& universal);
    void describe();
    void placeScrollBar();
    int visibleStrips() const;

    void paintWeek(QPainter& painter) const;
    void paintTooFew(QPainter& painter) const;

    std::optional<Week> m_week;
    int m_cursor = 0;
    bool m_moved = false;
    QString m_note; // why Ctrl+Left or Ctrl+Right left the keys where they were, until the next move
    QScrollBar* m_scroll = nullptr;
    QPointer<QWidget> m_focusBefore;
};
