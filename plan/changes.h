#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include "rows/clockrow.h"

class QLocale;

// The changes of offset coming to the cities: summer time starting or ending within two weeks of the
// instant shown.
inline constexpr int kChangeDays = 14;

struct ComingChange
{
    int row = 0;        // the row the sign goes by
    QDateTime at;       // UTC
    QDateTime wallTime; // the city's clock just before the change
    int seconds = 0;    // the offset after less the offset before
};
// For rows 1 to the end of `rows`: the next change of offset after `from` and within kChangeDays, from the
// city's zone, or for a city without one from the program's season rule (by the computer's date, at its
// midnight). A zone two cities share is announced once, by the first of them; a change of name alone (the
// offset the same) is none.
QList<ComingChange> comingChanges(const QList<ClockRow>& rows, const QDateTime& from, float computerOffset);

// "Passe à l'heure d'hiver dimanche 1 novembre à 02.00 : −1 h"; "Passe à l'heure d'été …: +1 h"; a change
// of half an hour "+30 min".
QString changeText(const ComingChange& change, const QLocale& locale);
// The change as the end of a city's sentence: "passe à l'heure d'hiver dimanche 1 novembre à 02.00", and
// shorter where the line has little room, "heure d'hiver dim. 1 nov. à 02.00".
QString changeSentenceText(const ComingChange& change, const QLocale& locale);
QString changeSentenceShortText(const ComingChange& change, const QLocale& locale);
