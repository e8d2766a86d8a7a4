#pragma once

#include <QLocale>
#include <QString>
#include <optional>

// The program's one rule for reading a text as a number: spaces, tabs and line feeds are ignored wherever
// they stand; an optional sign; digits with at most one "." (a comma is never a decimal point); reading
// stops at the first character that cannot continue the number; no digit gives 0. Exponents are not read.
// A number too large for a double gives an infinity of its sign.
double readNumber(QStringView text);

// The value as a single-precision number, or nothing when it does not fit (infinite, not a number, or
// beyond the range of a float).
std::optional<float> toFloat(double value);

// A single in general form: up to seven significant digits, no trailing zeros, the locale's decimal
// separator, no group separator, a minus sign when negative.
QString formatHours(float value, const QLocale& locale = QLocale());

// A settings text read as a number in the locale's format and rounded to the nearest whole number, halves
// to the even neighbour; nothing when it is no number or does not fit in 16 bits.
std::optional<qint16> readStoredHour(const QString& text, const QLocale& locale = QLocale());
