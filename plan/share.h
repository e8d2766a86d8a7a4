#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include "rows/clockrow.h"

class QLocale;

// The instant shown, to share: as a line of text, and as an invitation for calendar programs.

// "jeudi 11 décembre 2026 — 15.00 Paris · 09.00 New York · 23.00 Tokyo (vendredi)": the date by the
// computer's wall clock `local` at the instant, then each row's time and name, and its weekday where its
// date is another. Rows without a time are left out; `here` first adds "15.00 ici".
QString shareText(const QList<ClockRow>& rows, const QDateTime& local, bool here, const QLocale& locale);

// An iCalendar file (RFC 5545) of one event of one hour starting at `start` (UTC), stamped `stamp`, whose
// description is `description`: CRLF lines folded at 75 octets, texts escaped.
QByteArray calendarText(const QDateTime& start, const QDateTime& stamp, const QString& description);
