#include "clockrow.h"

#include <QLocale>
#include <cmath>

#include "data/numbers.h"
#include "rows/geometry.h"
#include "time/timerules.h"
#include "time/zones.h"

namespace {
constexpr double kTwoPi = 6.2831853072;
constexpr double kGregorianCycleSeconds = 146097.0 * 86400.0;
} // namespace

namespace {

// The offset a text gives, or the one before it (`carried`) and no time where it is too large.
SeasonOffset readSeasonOffset(const QString& text, bool complete, float& carried)
{
    const auto value = toFloat(readNumber(text));
    if (value)
        carried = *value;
    return {carried, complete && value.has_value()};
}

void showSeason(ClockRow& row, bool summer)
{
    const SeasonOffset& season = summer ? row.summer : row.winter;
    row.offset = season.hours;
    row.timeShown = season.shown;
}

} // namespace

void loadCityRows(QList<ClockRow>& rows, const QList<CityFileRow>& records, const QStringList& zones, bool summer)
{
    float summerOffset = 0, winterOffset = 0;
    for (int i = 1; i < rows.size() && i <= records.size(); ++i) {
        const CityFileRow& record = records[i - 1];
        ClockRow& row = rows[i];
        row.summer = readSeasonOffset(record.record.summer, record.complete, summerOffset);
        row.winter = readSeasonOffset(record.record.winter, record.complete, winterOffset);
        showSeason(row, summer);
        row.name = record.record.name;
        row.zone = zoneOf(zones.value(i - 1));
    }
}

void setInstant(ClockRow& row, const Instant& now, float computerOffset)
{
    showSeason(row, isSummerTime(now.local.date()));
    if (!row.zone.isValid()) {
        row.cityTime = cityDateTime(now.local, computerOffset, row.offset);
        return;
    }
    const int seconds = row.zone.offsetFromUtc(now.universal);
    row.offset = static_cast<float>(seconds / 3600.0);
    const QDateTime wall = now.universal.addSecs(seconds);
    row.cityTime = QDateTime(wall.date(), wall.time(), Qt::UTC);
}

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

void compareWithLocal(QList<ClockRow>& rows, const QDateTime& localWallClock)
{
    // The same caption under the face, on the same day: a city a day behind at the same hour (the computer on
    // the far side of the date line, at UTC+14) does not show the computer's time.
    const QTime local = localWallClock.time();
    for (int i = 1; i < rows.size(); ++i) {
        const QDateTime& city = rows[i].cityTime;
        rows[i].sameAsLocal = city.date() == localWallClock.date() && city.time().hour() == local.hour() &&
                              city.time().minute() == local.minute();
    }
}

bool isDayHour(int hour, int dayHour, int nightHour)
{
    return dayHour <= hour && hour < nightHour;
}

int dateLineRow(const QList<ClockRow>& rows)
{
    for (int i = 2; i < rows.size(); ++i) {
        if (rows[i - 1].cityTime.date().day() != rows[i].cityTime.date().day())
            return i;
    }
    return -1;
}

HoverSentence hoverSentence(const ClockRow& row, const QLocale& locale, Tense tense)
{
    const QString verb = tense == Tense::Future ? QStringLiteral(", il sera ")
                         : tense == Tense::Past ? QStringLiteral(", il était ")
                                                : QStringLiteral(", il est ");
    const QString rest = (row.offset >= 0 ? QStringLiteral(" (Tu +") : QStringLiteral(" (Tu ")) +
                         formatHours(row.offset, locale) + QStringLiteral(") le ") +
                         locale.toString(row.cityTime.date(), QStringLiteral("dd MMMM")) + verb +
                         clockCaption(row.cityTime.time());
    const auto ending = [&rest](const QStringList& parts) {
        QString sentence = rest;
        for (const QString& part : parts) {
            if (!part.isEmpty())
                sentence += QStringLiteral(" ; ") + part;
        }
        return sentence + u'.';
    };
    // From the whole sentence to the shortest: the sun shorter, then without it, then the change shorter, then
    // neither.
    QStringList forms{ending({row.sun, row.changeSentence}), ending({row.sunShort, row.changeSentence}),
                      ending({row.changeSentence}), ending({row.changeSentenceShort}), ending({})};
    forms.removeDuplicates();
    return {row.name, forms.first(), forms.mid(1)};
}

QString spokenName(const QString& name)
{
    const QString spoken = name.simplified();
    if (spoken.size() <= kSpokenNameLength)
        return spoken;
    qsizetype cut = kSpokenNameLength - 1;
    if (spoken.at(cut - 1).isHighSurrogate())
        --cut; // never half a character
    return spoken.left(cut) + QChar(0x2026);
}

QString rowDescription(int index, const ClockRow& row, const QLocale& locale)
{
    QString name = index == 0 ? QStringLiteral("Temps universel") : spokenName(row.name);
    if (name.isEmpty())
        name = QStringLiteral("Ville sans nom");
    if (!row.timeShown || !row.cityTime.isValid())
        return name;
    const QTime time = row.cityTime.time();
    return name +
           QStringLiteral(", %1 h %2, ")
               .arg(time.hour(), 2, 10, QLatin1Char('0'))
               .arg(time.minute(), 2, 10, QLatin1Char('0')) +
           locale.toString(row.cityTime.date(), QStringLiteral("dddd d MMMM")) +
           (row.day ? QStringLiteral(", jour") : QStringLiteral(", nuit")) +
           (row.work == WorkState::AtWork ? QStringLiteral(", au bureau")
            : row.work == WorkState::Away ? QStringLiteral(", hors des heures de bureau")
                                          : QString()) +
           (row.sunSpoken.isEmpty() ? QString() : QStringLiteral(", ") + row.sunSpoken) +
           (row.changeComing.isEmpty() ? QString() : QStringLiteral(", ") + row.changeComing);
}

Hands handsAt(const QTime& time)
{
    const int minute = time.minute();
    return {minute * 360.0 / 60, (time.hour() % 12 + minute / 60.0) * 360.0 / 12};
}

QPointF handEnd(double angle, double length)
{
    const double radians = angle * kTwoPi / 360;
    return {std::sin(radians) * length, -std::cos(radians) * length};
}

HandColours handColours(Face face, Contrast contrast)
{
    if (contrast == Contrast::High)
        return face == Face::Day ? HandColours{colours::kDarkGrey, colours::kBlack}
                                 : HandColours{colours::kPaleGrey, colours::kWhite};
    return face == Face::Day ? HandColours{{90, 90, 90}, {40, 40, 40}} : HandColours{{240, 240, 240}, {210, 210, 210}};
}

RowLook rowLook(int index, const ClockRow& row, bool highlighted, Contrast contrast)
{
    const bool high = contrast == Contrast::High;
    RowLook look;
    look.bold = true;
    if (index == 0)
        look.text = high ? colours::kCyan : colours::kWhite;
    else if (row.marked)
        look.text = colours::kYellow;
    else if (highlighted)
        look.text = high ? colours::kLightRed : colours::kRed;
    else if (row.sameAsLocal)
        look.text = high ? colours::kCyan : colours::kWhite;
    else {
        look.text = high ? colours::kWhite : colours::kBlack;
        look.bold = false;
    }
    look.face = row.day ? Face::Day : Face::Night;
    // A marked city's colour on its face: the design's yellow, or in high contrast amber on a white day face.
    const Rgb marked = high && look.face == Face::Day ? colours::kAmber : colours::kYellow;
    look.handColours = row.marked ? HandColours{marked, marked} : handColours(look.face, contrast);
    look.rimColour = marked;
    look.hands = handsAt(row.cityTime.time());
    look.rim = row.work == WorkState::AtWork ? Rim::Solid : row.work == WorkState::Away ? Rim::Dotted : Rim::None;
    if (!row.changeComing.isEmpty())
        look.changeSign = row.changeSeconds > 0 ? QStringLiteral("▲") : QStringLiteral("▼");
    return look;
}
