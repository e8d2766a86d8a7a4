#include "workhours.h"

#include <QRegularExpression>
#include <QTimeZone>

std::optional<WorkHours> readWorkHours(const QString& text)
{
    static const QRegularExpression form(QStringLiteral(
        R"(^\s*(\d{1,2})\s*(?:[h.:]\s*(\d{2})?)?\s*(?:-|–|—|à)\s*(\d{1,2})\s*(?:[h.:]\s*(\d{2})?)?\s*$)"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const int startHour = match.captured(1).toInt(), startMinute = match.captured(2).toInt();
    const int endHour = match.captured(3).toInt(), endMinute = match.captured(4).toInt();
    if (startHour > 24 || endHour > 24 || startMinute > 59 || endMinute > 59 || (startHour == 24 && startMinute > 0) ||
        (endHour == 24 && endMinute > 0))
        return std::nullopt;
    return WorkHours{(startHour * 60 + startMinute) % (24 * 60), endHour * 60 + endMinute};
}

WorkHours storedWorkHours(const QString& text)
{
    const std::optional<WorkHours> hours = readWorkHours(text);
    return hours && hours->start != hours->end ? *hours : WorkHours();
}

QString workHoursText(const WorkHours& hours)
{
    const auto text = [](int minutes) {
        return QStringLiteral("%1.%2").arg(minutes / 60).arg(minutes % 60, 2, 10, QLatin1Char('0'));
    };
    return text(hours.start) + QStringLiteral(" – ") + text(hours.end);
}

WorkingDays workingDays(QLocale::Territory territory)
{
    WorkingDays days{};
    const QLocale locale = territory == QLocale::AnyTerritory ? QLocale::c() : QLocale(QLocale::AnyLanguage, territory);
    for (const Qt::DayOfWeek day : locale.weekdays())
        days[day] = true;
    return days;
}

WorkingDays workingDays(const ClockRow& row)
{
    return workingDays(row.zone.isValid() ? row.zone.territory() : QLocale::AnyTerritory);
}

bool isAtWorkOn(const WorkingDays& days, int weekday, int minutes, const WorkHours& hours)
{
    if (hours.start == hours.end)
        return false;
    if (hours.start < hours.end)
        return days[weekday] && minutes >= hours.start && minutes < hours.end;
    // Overnight: the evening of a working day, and the morning after it.
    return (days[weekday] && minutes >= hours.start) || (days[weekday == 1 ? 7 : weekday - 1] && minutes < hours.end);
}

bool isAtWork(const WorkingDays& days, const QDateTime& cityTime, const WorkHours& hours)
{
    const QTime time = cityTime.time();
    return isAtWorkOn(days, cityTime.date().dayOfWeek(), time.hour() * 60 + time.minute(), hours);
}
