#include "changes.h"

#include <QLocale>
#include <QSet>
#include <QTimeZone>

#include "time/timerules.h"

namespace {

QString amount(int seconds)
{
    const QChar sign = seconds < 0 ? QChar(0x2212) : u'+';
    const int minutes = qAbs(seconds) / 60;
    if (minutes % 60 == 0)
        return QStringLiteral("%1%2 h").arg(sign).arg(minutes / 60);
    if (minutes < 60)
        return QStringLiteral("%1%2 min").arg(sign).arg(minutes);
    return QStringLiteral("%1%2 h %3").arg(sign).arg(minutes / 60).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QString season(const ComingChange& change)
{
    return change.seconds < 0 ? QStringLiteral("d'hiver") : QStringLiteral("d'été");
}

} // namespace

QList<ComingChange> comingChanges(const QList<ClockRow>& rows, const QDateTime& from, float computerOffset)
{
    QList<ComingChange> changes;
    QSet<QByteArray> zonesAnnounced;
    const QDateTime until = from.addDays(kChangeDays);
    const int computerSeconds = qRound(computerOffset * 3600);
    for (int i = 1; i < rows.size(); ++i) {
        const ClockRow& row = rows[i];
        if (!row.timeShown)
            continue;
        ComingChange change{i, {}, {}, 0};
        if (row.zone.isValid()) {
            if (zonesAnnounced.contains(row.zone.id()))
                continue;
            // The next transition that moves the offset: one of the name alone is passed over.
            QDateTime after = from;
            while (true) {
                const QTimeZone::OffsetData next = row.zone.nextTransition(after);
                if (!next.atUtc.isValid() || next.atUtc > until)
                    break;
                const int before = row.zone.offsetFromUtc(next.atUtc.addSecs(-1));
                if (next.offsetFromUtc != before) {
                    change.at = next.atUtc;
                    change.seconds = next.offsetFromUtc - before;
                    change.wallTime = next.atUtc.addSecs(before);
                    break;
                }
                after = next.atUtc;
            }
            if (!change.at.isValid())
                continue;
            zonesAnnounced.insert(row.zone.id());
        } else {
            // By the program's rule: at the computer's midnight of the day the season changes.
            const QDate first = from.addSecs(computerSeconds).date();
            for (QDate day = first.addDays(1); day <= first.addDays(kChangeDays); day = day.addDays(1)) {
                if (isSummerTime(day) == isSummerTime(day.addDays(-1)))
                    continue;
                const float before = isSummerTime(day) ? row.winter.hours : row.summer.hours;
                const float after = isSummerTime(day) ? row.summer.hours : row.winter.hours;
                if (before == after)
                    break;
                change.at = QDateTime(day, QTime(0, 0), Qt::UTC).addSecs(-computerSeconds);
                change.seconds = qRound((after - before) * 3600);
                change.wallTime = change.at.addSecs(qRound(before * 3600));
                break;
            }
            if (!change.at.isValid() || change.at <= from || change.at > until)
                continue;
        }
        changes.append(change);
    }
    return changes;
}

QString changeText(const ComingChange& change, const QLocale& locale)
{
    return QStringLiteral("Passe à l'heure %1 %2 à %3 : %4")
        .arg(season(change), locale.toString(change.wallTime.date(), QStringLiteral("dddd d MMMM")),
             change.wallTime.toString(QStringLiteral("HH.mm")), amount(change.seconds));
}

QString changeSentenceText(const ComingChange& change, const QLocale& locale)
{
    return QStringLiteral("passe à l'heure %1 %2 à %3")
        .arg(season(change), locale.toString(change.wallTime.date(), QStringLiteral("dddd d MMMM")),
             change.wallTime.toString(QStringLiteral("HH.mm")));
}

QString changeSentenceShortText(const ComingChange& change, const QLocale& locale)
{
    return QStringLiteral("heure %1 %2 à %3")
        .arg(season(change), locale.toString(change.wallTime.date(), QStringLiteral("ddd d MMM")),
             change.wallTime.toString(QStringLiteral("HH.mm")));
}
