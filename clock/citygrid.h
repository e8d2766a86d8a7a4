#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <functional>

#include "clock/clockstate.h"
#include "platform/platform.h"

class Label;
class LineItem;
class Picture;
class QWidget;

// The controls outside the grid that the clock writes to.
struct ClockControls
{
    QWidget* window = nullptr; // holds the rows
    Label* heureDigitale = nullptr;
    Label* label8 = nullptr;  // the hover line
    Label* label10 = nullptr; // its seconds
    LineItem* line1 = nullptr; // the date line
    Label* label5 = nullptr;       // today's date, in the configuration panel
    Label* seasonLabel = nullptr;  // the season message ("Label"), in the configuration panel
    Picture* nuit = nullptr;       // the night face and its preview hands
    Picture* jour = nullptr;       // the day face and its preview hands
};

// The grid of 60 clocks: Universal Time in row 0, the cities of the city file in rows 1 to 59. Each row is
// a name label (`Ville`), a face with its two hands (`Image1`; hour hand behind the minute hand) and a time
// label (`Digit`).
class CityGrid
{
public:
    static constexpr int kRows = 60;

    CityGrid(ClockState& state, Platform platform, const QString& programDirectory);

    // Creates row 0, as the window's design holds it; call where the rows belong in the stacking order.
    void createDesignRow(QWidget* window);
    void setControls(const ClockControls& controls) { m_controls = controls; }

    // Creates row i unless it exists, copying row 0, and shows its face and labels.
    void createRow(int i);
    int rowCount() const { return int(m_ville.size()); }

    void PlaceVilles();
    // Fills rows 1 to 59 from the city file for the current season; `quiet` leaves out the message box of a
    // missing file (a reload while the clock runs).
    void ChargeVilles(bool quiet = false);
    void Timer1_Timer() { Rafraichir(); }
    void Rafraichir();
    void PlaceLigne();
    void JourNuit();
    void InfoVille(int idx);

    // The minute of the last full redraw; an empty tag forces the next one.
    QString heureDigitaleTag() const { return m_minuteTag; }
    void setHeureDigitaleTag(const QString& tag) { m_minuteTag = tag; }

    Label* ville(int i) const { return m_ville.value(i); }
    Label* digit(int i) const { return m_digit.value(i); }
    Picture* image1(int i) const { return m_image1.value(i); }
    QString digitTag(int i) const { return m_tags.value(i); }
    QDate rowDate(int i) const { return m_dates.value(i); }

    // What the program does when the pointer moves over, or presses on, a row.
    std::function<void(int)> onRowMouseMove;
    std::function<void()> onRowMousePress;
    // Called during a full redraw when the season or the computer's offset has changed since the last load.
    std::function<void()> onTimeRulesChanged;

private:
    void applyHandColours(int i, const QColor& minute, const QColor& hour);
    void connectRow(int i);

    ClockState& m_state;
    Platform m_platform;
    QString m_programDirectory;
    ClockControls m_controls;
    QList<Label*> m_ville;
    QList<Label*> m_digit;
    QList<Picture*> m_image1;
    QList<QString> m_tags;
    QList<QDate> m_dates;
    QString m_minuteTag;
};
