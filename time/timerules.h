#pragma once

#include <QDate>
#include <QString>

#include "platform/clock.h"

class Beeper;
class QLocale;

// Universal Time of day of that instant in hours, minutes as the fraction; seconds are ignored.
float HeureTU(const Instant& now);

// The computer's offset from Universal Time at that instant: local minus Universal, in hours, within
// (-12, 12], to two decimals. Both readings come from the same instant.
float computerOffset(const Instant& now);

// Reads the clock once, sounds one beep and returns the computer's offset.
float CalculFuseau(const Clock& clock, Beeper& beeper);

// The calendar date of a date-time, or of a "day/month/year" text (an invalid date when the text is none).
QDate CmaDate(const QDateTime& value);
QDate CmaDate(const QString& dayMonthYear);

// Last Sunday of March and last Sunday of October of the year.
QDate DebutEte(qint16 year);
QDate DebutHiver(qint16 year);

// Summer time runs from the last Sunday of March to the last Sunday of October, both days included, judged
// on the computer's local date alone.
bool isSummerTime(const QDate& today);

// "Heure d'été" or "Heure d'hiver".
QString seasonText(bool summer);

// The two lines shown in the configuration panel, e.g. "L'ordinateur est en Heure d'été." and
// "Décalage avec TU = 2 heure(s).", joined by CR LF.
QString seasonMessage(const QString& season, float computerOffset, const QLocale& locale);
