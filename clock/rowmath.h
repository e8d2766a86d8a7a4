#pragma once

#include <QDateTime>
#include <QList>
#include <QLocale>
#include <QString>

// The arithmetic of one clock row, free of any widget.

// A city's date and time: the computer's wall clock moved by the city's offset less the computer's own,
// both in hours. Any offset gives a valid date-time (a shift beyond 400 years wraps by whole Gregorian
// cycles, which keeps the day and month).
QDateTime cityDateTime(const QDateTime& localWallClock, float computerOffset, float cityOffset);

// "HH.MM": the time shown under a face.
QString clockCaption(const QTime& time);
// "HH.MM.ss": the digital clock's time.
QString digitalCaption(const QTime& time);

// The hands of a face showing that time, in twips: the minute hand 315 long, the hour hand 200, angles
// clockwise from twelve o'clock; seconds play no part.
struct HandVectors
{
    double minuteX, minuteY, hourX, hourY;
};
HandVectors handVectors(const QTime& time);

// Day face when dayHour <= hour < nightHour; the hour is read from the start of the time caption.
bool isDayFace(const QString& timeCaption, qint16 dayHour, qint16 nightHour);

// The first row, from 2 on, whose day of the month differs from the row before it; -1 when none does.
// Row 0 (Universal Time) is never compared.
int dateLineRow(const QList<QDate>& rowDates);

// The hover sentence: "Tokyo (Tu +9) le 09 décembre, il est 19.00."
QString hoverSentence(const QString& name, float offset, const QDate& date, const QString& timeCaption,
                      const QLocale& locale);
