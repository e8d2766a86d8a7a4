#include "share.h"

#include <QCryptographicHash>
#include <QLocale>
#include <QStringList>

QString shareText(const QList<ClockRow>& rows, const QDateTime& local, bool here, const QLocale& locale)
{
    QStringList times;
    if (here)
        times << local.toString(QStringLiteral("HH.mm")) + QStringLiteral(" ici");
    for (const ClockRow& row : rows) {
        if (!row.timeShown || !row.cityTime.isValid())
            continue;
        QString text = row.cityTime.toString(QStringLiteral("HH.mm")) + u' ' + row.name.simplified();
        if (row.cityTime.date() != local.date())
            text += QStringLiteral(" (%1)").arg(locale.dayName(row.cityTime.date().dayOfWeek()));
        times << text;
    }
    return locale.toString(local.date(), QStringLiteral("dddd d MMMM yyyy")) + QStringLiteral(" — ") +
           times.join(QStringLiteral(" · "));
}

namespace {

QByteArray escaped(const QString& text)
{
    QString result = text;
    result.replace(u'\\', QStringLiteral("\\\\"))
        .replace(u';', QStringLiteral("\\;"))
        .replace(u',', QStringLiteral("\\,"))
        .replace(QStringLiteral("\r\n"), QStringLiteral("\\n"))
        .replace(u'\n', QStringLiteral("\\n"))
        .replace(u'\r', QStringLiteral("\\n"));
    return result.toUtf8();
}

// A content line folded at 75 octets, never inside a character of UTF-8.
QByteArray folded(const QByteArray& line)
{
    QByteArray result;
    qsizetype start = 0, room = 75;
    while (line.size() - start > room) {
        qsizetype cut = start + room;
        while (cut > start && (uchar(line[cut]) & 0xC0) == 0x80)
            --cut;
        result += line.mid(start, cut - start) + "\r\n ";
        start = cut;
        room = 74; // the space that begins a continued line counts
    }
    return result + line.mid(start) + "\r\n";
}

QByteArray utc(const QDateTime& time)
{
    return time.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'")).toLatin1();
}

} // namespace

QByteArray calendarText(const QDateTime& start, const QDateTime& stamp, const QString& description)
{
    const QByteArray uid =
        QCryptographicHash::hash(utc(start) + utc(stamp) + description.toUtf8(), QCryptographicHash::Sha1).toHex();
    QByteArray text;
    for (const QByteArray& line :
         {QByteArray("BEGIN:VCALENDAR"), QByteArray("VERSION:2.0"), QByteArray("PRODID:-//Horlune//Horlune//FR"),
          QByteArray("CALSCALE:GREGORIAN"), QByteArray("METHOD:PUBLISH"), QByteArray("BEGIN:VEVENT"),
          "UID:" + uid + "@horlune", "DTSTAMP:" + utc(stamp), "DTSTART:" + utc(start),
          "DTEND:" + utc(start.addSecs(3600)), "SUMMARY:" + escaped(QStringLiteral("Rendez-vous")),
          "DESCRIPTION:" + escaped(description), QByteArray("END:VEVENT"), QByteArray("END:VCALENDAR")})
        text += folded(line);
    return text;
}
