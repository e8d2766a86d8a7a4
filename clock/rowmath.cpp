#include "rowmath.h"

#include <cmath>

#include "data/numbers.h"

namespace {
constexpr double kTwoPi = 6.2831853072;
constexpr double kGregorianCycleSeconds = 146097.0 * 86400.0;
} // namespace

QDateTime cityDateTime(const QDateTime& localWallClock, float computerOffset, float cityOffset)
{
    const double hours = static_cast<double>(cityOffset) - static_cast<double>(computerOffset);
    const double seconds = std::isfinite(hours) ? std::fmod(hours * 3600.0, kGregorianCycleSeconds) : 0.0;
    return localWallClock.addSecs(static_cast<qint64>(std::llround(seconds)));
}

QString clockCaption(const QTime& time)
{
    return time.toString(QStringLiteral("HH.mm"));
}

QString digitalCaption(const QTime& time)
{
    return time.toString(QStringLiteral("HH.mm.ss"));
}

HandVectors handVectors(const QTime& time)
{
    const int minute = time.minute();
    const int hour = time.hour();
    const double minuteAngle = minute * kTwoPi / 60;
    const double hourAngle = (hour + minute / 60.0) * kTwoPi / 12;
    return {std::sin(minuteAngle) * 315, std::cos(minuteAngle) * 315, std::sin(hourAngle) * 200,
            std::cos(hourAngle) * 200};
}

bool isDayFace(const QString& timeCaption, qint16 dayHour, qint16 nightHour)
{
    const double hour = readNumber(QStringView(timeCaption).left(2));
    return !(hour < dayHour || hour >= nightHour);
}

int dateLineRow(const QList<QDate>& rowDates)
{
    for (int i = 2; i < rowDates.size(); ++i) {
        if (rowDates[i - 1].day() != rowDates[i].day())
            return i;
    }
    return -1;
}

QString hoverSentence(const QString& name, float offset, const QDate& date, const QString& timeCaption,
                      const QLocale& locale)
{
    return name + QStringLiteral(" (") + (offset >= 0 ? QStringLiteral("Tu +") : QStringLiteral("Tu ")) +
           formatSingle(offset, locale) + QStringLiteral(") le ") + locale.toString(date, QStringLiteral("dd MMMM")) +
           QStringLiteral(", il est ") + timeCaption + QStringLiteral(".");
}
