#include "showninstant.h"

#include <QLocale>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>

namespace {

constexpr qint64 kMinutesPerDay = 24 * 60;

// Minutes forward from the hour and minute of `from` to those of `to`: 0 to a day less a minute.
qint64 minutesForward(const QTime& from, const QTime& to)
{
    const qint64 minutes = (to.hour() - from.hour()) * 60 + (to.minute() - from.minute());
    return (minutes % kMinutesPerDay + kMinutesPerDay) % kMinutesPerDay;
}

} // namespace

QString durationText(qint64 minutes)
{
    QStringList parts;
    if (const qint64 days = minutes / kMinutesPerDay)
        parts << QStringLiteral("%1 j").arg(days);
    const qint64 hours = minutes % kMinutesPerDay / 60, rest = minutes % 60;
    if (hours > 0)
        parts << QStringLiteral("%1 h").arg(hours) +
                     (rest > 0 ? QStringLiteral(" %1").arg(rest, 2, 10, QLatin1Char('0')) : QString());
    else if (rest > 0 || parts.isEmpty())
        parts << QStringLiteral("%1 min").arg(rest);
    return parts.join(QLatin1Char(' '));
}

qint64 clampShift(qint64 seconds)
{
    return qBound(-ShownInstant::kLimit, seconds, ShownInstant::kLimit);
}

WheelTurn shiftAfterWheel(qint64 shift, int pending, int angle)
{
    // Counted in 64 bits: a turn of any size cannot overflow on its way to the limit.
    const qint64 turned = qint64(pending) + angle;
    const qint64 notches = turned / ShownInstant::kNotch;
    return {clampShift(shift + notches * ShownInstant::kStep), int(turned % ShownInstant::kNotch)};
}

Instant toTheMinute(const Instant& now)
{
    const QTime time = now.universal.time();
    const qint64 past = time.second() * 1000LL + time.msec();
    return {now.universal.addMSecs(-past), now.local.addMSecs(-past)};
}

Instant shiftedInstant(const Instant& anchor, qint64 seconds)
{
    return {anchor.universal.addSecs(seconds), anchor.local.addSecs(seconds)};
}

bool shiftExpired(const QDateTime& lastStep, const QDateTime& now)
{
    return qAbs(lastStep.secsTo(now)) >= ShownInstant::kIdleSeconds;
}

QString shiftText(qint64 shift, const QDateTime& local, const QLocale& locale)
{
    if (shift == 0)
        return {};
    return (shift > 0 ? QStringLiteral("Dans ") : QStringLiteral("Il y a ")) + durationText(qAbs(shift) / 60) +
           QStringLiteral(" — ") + locale.toString(local.date(), QStringLiteral("dddd d MMMM")) + QStringLiteral(", ") +
           clockCaption(local.time()) + QStringLiteral(" ici");
}

TypedTime readTypedTime(const QString& text)
{
    static const QRegularExpression time(QStringLiteral("^([0-9]{1,2})\\s*(?:[hH.:,]\\s*([0-9]*))?$"));
    // Shaped as a time, but with a sign or too many digits for an hour.
    static const QRegularExpression hourOutOfRange(QStringLiteral("^[-+−]?\\s*[0-9]+\\s*(?:[hH.:,]\\s*[0-9]*)?$"));
    const QString typed = text.trimmed();
    if (typed.isEmpty())
        return {{}, QStringLiteral("Tapez une heure, par exemple 15 ou 15.30.")};
    const QRegularExpressionMatch match = time.match(typed);
    if (!match.hasMatch()) {
        if (hourOutOfRange.match(typed).hasMatch())
            return {{}, QStringLiteral("L'heure va de 0 à 23.")};
        return {{}, QStringLiteral("Heure illisible : tapez par exemple 15, 15h, 15.30 ou 15:30.")};
    }
    const int hour = match.captured(1).toInt();
    if (hour > 23)
        return {{}, QStringLiteral("L'heure va de 0 à 23.")};
    const QString minutes = match.captured(2);
    if (minutes.isEmpty())
        return {QTime(hour, 0), {}};
    if (minutes.size() != 2)
        return {{}, QStringLiteral("Les minutes s'écrivent avec deux chiffres, par exemple 15.05.")};
    if (minutes.toInt() > 59)
        return {{}, QStringLiteral("Les minutes vont de 00 à 59.")};
    return {QTime(hour, minutes.toInt()), {}};
}

qint64 shiftForCityTime(ClockRow row, const Instant& anchor, qint64 shift, const QTime& time, float computerOffset)
{
    auto readsAt = [&](qint64 seconds) {
        setInstant(row, shiftedInstant(anchor, seconds), computerOffset);
        return row.cityTime.time();
    };
    qint64 found = shift + minutesForward(readsAt(shift), time) * 60;
    // Where the city's offset changes on the way, it then reads another time: moved by the difference, the
    // shorter way.
    qint64 error = minutesForward(readsAt(found), time);
    if (error > kMinutesPerDay / 2)
        error -= kMinutesPerDay;
    found += error * 60;
    if (found > ShownInstant::kLimit)
        found -= kMinutesPerDay * 60;
    return clampShift(found);
}

Instant ShownInstant::at(const Instant& now) const
{
    return isShifted() ? shiftedInstant(m_anchor, m_shift) : now;
}

Tense ShownInstant::tense() const
{
    return m_shift > 0 ? Tense::Future : m_shift < 0 ? Tense::Past : Tense::Present;
}

Instant ShownInstant::anchor(const Instant& now) const
{
    return isShifted() ? m_anchor : toTheMinute(now);
}

ShownInstant::Step ShownInstant::moveTo(qint64 seconds, const Instant& now)
{
    m_lastStep = now.universal;
    if (seconds == 0)
        return backToNow();
    if (seconds == m_shift)
        return Unchanged; // at a limit
    m_anchor = anchor(now);
    m_shift = seconds;
    return Moved;
}

ShownInstant::Step ShownInstant::showUniversal(const QDateTime& universal, const Instant& now)
{
    const qint64 seconds = anchor(now).universal.secsTo(universal);
    return moveTo(clampShift(seconds - ((seconds % 60) + 60) % 60), now);
}

QDateTime ShownInstant::limit(int direction, const Instant& now) const
{
    return anchor(now).universal.addSecs(direction >= 0 ? kLimit : -kLimit);
}

ShownInstant::Step ShownInstant::turnWheel(int angle, const Instant& now)
{
    const WheelTurn turn = shiftAfterWheel(m_shift, m_pendingWheel, angle);
    m_pendingWheel = turn.pending;
    return moveTo(turn.shift, now);
}

ShownInstant::Step ShownInstant::moveBy(qint64 seconds, const Instant& now)
{
    return moveTo(clampShift(m_shift + seconds), now);
}

ShownInstant::Step ShownInstant::showCityTime(const ClockRow& row, const QTime& time, const Instant& now,
                                              float computerOffset)
{
    return moveTo(shiftForCityTime(row, anchor(now), m_shift, time, computerOffset), now);
}

ShownInstant::Step ShownInstant::backToNow()
{
    if (!isShifted())
        return Unchanged;
    m_shift = 0;
    return BackToNow;
}

bool ShownInstant::hasExpired(const Instant& now) const
{
    return isShifted() && shiftExpired(m_lastStep, now.universal);
}

qint64 ShownInstant::secondsBeforeReturn(const Instant& now) const
{
    if (!isShifted())
        return 0;
    return std::clamp<qint64>(kIdleSeconds - qAbs(m_lastStep.secsTo(now.universal)), 0, kIdleSeconds);
}

qint64 ShownInstant::distanceFrom(const Instant& now) const
{
    if (!isShifted())
        return 0;
    const qint64 passed = m_anchor.universal.secsTo(now.universal);
    return m_shift - (passed > 0 ? passed / 60 * 60 : 0);
}

QString ShownInstant::lineText(const Instant& now, const QDateTime& local, const QLocale& locale) const
{
    if (!isShifted())
        return {};
    const qint64 left = secondsBeforeReturn(now);
    if (left <= kWarningSeconds)
        return QStringLiteral("Retour à l'heure actuelle dans %1 s").arg(left);
    const qint64 distance = distanceFrom(now);
    // Exactly now by the passing of time: still the instant the user chose, said as such.
    return shiftText(distance != 0 ? distance : m_shift, local, locale);
}
