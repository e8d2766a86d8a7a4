#pragma once

#include <QDate>
#include <QString>

#include "time/instant.h"

class QLocale;

// The computer's offset from Universal Time at that instant: local minus Universal, in hours (from -12 to
// +14), to two decimals. Both readings come from the same instant.
float computerOffset(const Instant& now);

// The window's caption, which carries that offset: "Horlune (TU + 1 )", "Horlune (TU  -5 )".
QString windowCaption(float computerOffset, const QLocale& locale);

// The last Sunday of March and the last Sunday of October of the year: the first days of summer and of
// winter time.
QDate summerStart(int year);
QDate winterStart(int year);

// Summer time runs from the last Sunday of March to the last Sunday of October, both days included, judged
// on the computer's local date alone.
bool isSummerTime(const QDate& today);

// "Heure d'été" or "Heure d'hiver".
QString seasonText(bool summer);

// The two lines shown in the configuration panel, e.g. "L'ordinateur est en Heure d'été." and
// "Décalage avec TU = 2 heure(s).", joined by CR LF.
QString seasonMessage(bool summer, float computerOffset, const QLocale& locale);
