#include <QLocale>
#include <QProcess>
#include <QTest>

#include "plan/week.h"
#include "rows/clockrow.h"
#include "time/zones.h"

// The week at a glance as a model: its days by the computer's clock, each quarter of each place at work,
// free, on a day off or dark, the common slots, the changes of offset; checked by tables, against the search
// for a common hour, and against the same week computed by Python's zoneinfo. Every instant is given.
class TestWeek : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
    void theDays_data();
    void theDays();
    void theSlots_data();
    void theSlots();
    void agreesWithZoneinfo_data();
    void agreesWithZoneinfo();
    void stepsGoFromSlotToSlotOfTheWeek_data();
    void stepsGoFromSlotToSlotOfTheWeek();
    void whatAQuarterSays();
    void changesWhereTheyFall();
    void theLimitsOfTheClocks();
    void darkByAnotherRule();
    void theRowsOfTheGrid();
};

namespace {

QDateTime utc(int year, int month, int day, int hour, int minute = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute), Qt::UTC);
}

const QMap<QString, QString>& zoneIds()
{
    static const QMap<QString, QString> zones = {{"Paris", "Europe/Paris"},        {"Londres", "Europe/London"},
                                                 {"New York", "America/New_York"}, {"Tokyo", "Asia/Tokyo"},
                                                 {"Auckland", "Pacific/Auckland"}, {"Honolulu", "Pacific/Honolulu"},
                                                 {"Riyad", "Asia/Riyadh"},         {"Sydney", "Australia/Sydney"},
                                                 {"Katmandou", "Asia/Kathmandu"},  {"Lord Howe", "Australia/Lord_Howe"},
                                                 {"Chatham", "Pacific/Chatham"},   {"Téhéran", "Asia/Tehran"}};
    return zones;
}

// "Paris": the zone of the database for the city; "name:summer:winter": a city on the program's season rule.
ClockRow cityRow(const QString& written)
{
    ClockRow row;
    const QStringList parts = written.split(u':');
    row.name = parts[0];
    if (parts.size() == 3) {
        row.summer.hours = parts[1].toFloat();
        row.winter.hours = parts[2].toFloat();
    } else {
        row.zone = zoneOf(zoneIds().value(written));
    }
    row.marked = true;
    return row;
}

// The computer's wall clock in a zone of the database.
WallClock wallClockIn(const QString& zone)
{
    const QTimeZone timeZone = zoneOf(zone);
    return [timeZone](const QDateTime& universal) {
        const QDateTime wall = universal.toTimeZone(timeZone);
        return QDateTime(wall.date(), wall.time(), Qt::UTC);
    };
}

// The week of the cities written, the computer in `here` (Monday to Friday), day from 7 to 20.
Week weekOf(const QStringList& cities, const QString& here, const QDateTime& shown, const QString& hours = "9-18",
            DayHours dayHours = {7, 20})
{
    QList<ClockRow> rows{ClockRow()};
    for (const QString& city : cities)
        rows.append(cityRow(city));
    const WallClock wallClock = wallClockIn(zoneIds().value(here, here));
    const float computerOffset = float(wallClockIn(zoneIds().value(here, here))(shown).secsTo(shown)) / -3600.0f;
    return planWeek(weekRequest(rows, shown, computerOffset, *readWorkHours(hours), dayHours, wallClock,
                                workingDays(QLocale::AnyTerritory)));
}

// The slots of a week, as "10 14:00–10 17:00" (UTC, day of the month), cut at the week's ends.
QStringList slotsOf(const Week& week)
{
    QStringList lit;
    const auto text = [&week](int k) {
        return QDateTime::fromSecsSinceEpoch(week.start(k), Qt::UTC).toString(QStringLiteral("d HH:mm"));
    };
    for (int start : week.slotStarts()) {
        int end = start;
        while (end < week.quarters && week.common[end])
            ++end;
        lit << text(start) + QStringLiteral("–") + text(end);
    }
    return lit;
}

} // namespace

void TestWeek::theDays_data()
{
    QTest::addColumn<QString>("here");
    QTest::addColumn<QDateTime>("shown");
    QTest::addColumn<QDateTime>("first"); // UTC: the computer's midnight on the day shown
    QTest::addColumn<QString>("dates");   // the seven days, by the computer's clock
    QTest::addColumn<QList<int>>("quarters");
    const QList<int> even(7, 96);
    // clang-format off
    QTest::newRow("Paris, in winter")             << "Paris" << utc(2026, 12, 10, 9) << utc(2026, 12, 9, 23) << "10 11 12 13 14 15 16" << even;
    QTest::newRow("Paris, just before midnight")  << "Paris" << utc(2026, 12, 10, 22, 59) << utc(2026, 12, 9, 23) << "10 11 12 13 14 15 16" << even;
    QTest::newRow("Paris, at midnight")           << "Paris" << utc(2026, 12, 10, 23) << utc(2026, 12, 10, 23) << "11 12 13 14 15 16 17" << even;
    QTest::newRow("Paris: winter time on Sunday") << "Paris" << utc(2026, 10, 22, 12) << utc(2026, 10, 21, 22) << "22 23 24 25 26 27 28" << QList<int>{96, 96, 96, 100, 96, 96, 96};
    QTest::newRow("Paris: summer time on Sunday") << "Paris" << utc(2026, 3, 27, 12) << utc(2026, 3, 26, 23) << "27 28 29 30 31 1 2" << QList<int>{96, 96, 92, 96, 96, 96, 96};
    QTest::newRow("Chatham, three quarters past") << "Chatham" << utc(2026, 12, 10, 9) << utc(2026, 12, 9, 10, 15) << "10 11 12 13 14 15 16" << even;
    QTest::newRow("Lord Howe: half an hour back") << "Lord Howe" << utc(2026, 4, 2, 3) << utc(2026, 4, 1, 13) << "2 3 4 5 6 7 8" << QList<int>{96, 96, 96, 98, 96, 96, 96};
    QTest::newRow("across the year's end")        << "New York" << utc(2026, 12, 29, 3) << utc(2026, 12, 28, 5) << "28 29 30 31 1 2 3" << even;
    // clang-format on
}

void TestWeek::theDays()
{
    QFETCH(QString, here);
    QFETCH(QDateTime, shown);
    QFETCH(QDateTime, first);
    QFETCH(QString, dates);
    QFETCH(QList<int>, quarters);
    const Week week = weekOf({"Paris", "Tokyo"}, here, shown);
    QCOMPARE(QDateTime::fromSecsSinceEpoch(week.first, Qt::UTC), first);
    QStringList days;
    QList<int> lengths;
    int next = 0;
    for (const WeekDay& day : week.days) {
        days << QString::number(day.date.day());
        lengths << day.quarters;
        QCOMPARE(day.first, next);
        next += day.quarters;
        // Each day begins at the computer's midnight.
        QCOMPARE(week.hereAt(day.first).time(), QTime(0, 0));
    }
    QCOMPARE(days.join(u' '), dates);
    QCOMPARE(lengths, quarters);
    QCOMPARE(week.quarters, next);
    QCOMPARE(week.shownQuarter, int((shown.toSecsSinceEpoch() - week.first) / kQuarterSeconds));
    QCOMPARE(week.strips.size(), 3);
    QCOMPARE(week.strips.first().city.name, QStringLiteral("ici"));
}

void TestWeek::theSlots_data()
{
    QTest::addColumn<QStringList>("cities");
    QTest::addColumn<QString>("here");
    QTest::addColumn<QDateTime>("shown");
    QTest::addColumn<QString>("hours");
    QTest::addColumn<QStringList>("lit"); // UTC
    QTest::addColumn<QString>("summary");
    const QDateTime thursday = utc(2026, 12, 10, 9);
    // clang-format off
    QTest::newRow("Paris and New York")
        << QStringList{"Paris", "New York"} << "Paris" << thursday << "9-18"
        << QStringList{"10 14:00–10 17:00", "11 14:00–11 17:00", "14 14:00–14 17:00", "15 14:00–15 17:00", "16 14:00–16 17:00"}
        << "5 créneaux communs";
    QTest::newRow("Riyadh's Friday and Saturday")
        << QStringList{"Paris", "Riyad"} << "Paris" << thursday << "9-18"
        << QStringList{"10 08:00–10 15:00", "14 08:00–14 15:00", "15 08:00–15 15:00", "16 08:00–16 15:00"}
        << "4 créneaux communs";
    QTest::newRow("across the date line: Auckland's Friday is Honolulu's Thursday, its Saturday Honolulu's Friday")
        << QStringList{"Auckland", "Honolulu"} << "Paris" << thursday << "9-18"
        << QStringList{"9 23:00–10 04:00", "10 20:00–11 04:00", "14 20:00–15 04:00", "15 20:00–16 04:00", "16 20:00–16 23:00"}
        << "5 créneaux communs";
    QTest::newRow("New York's summer time inside the week")
        << QStringList{"Paris", "New York"} << "Paris" << utc(2026, 3, 5, 12) << "9-18"
        << QStringList{"5 14:00–5 17:00", "6 14:00–6 17:00", "9 13:00–9 17:00", "10 13:00–10 17:00", "11 13:00–11 17:00"}
        << "5 créneaux communs";
    QTest::newRow("overnight hours, 18.00 to 9.00")
        << QStringList{"Paris", "Londres"} << "Paris" << thursday << "18-9"
        << QStringList{"9 23:00–10 08:00", "10 18:00–11 08:00", "11 18:00–12 08:00", "14 18:00–15 08:00", "15 18:00–16 08:00", "16 18:00–16 23:00"}
        << "6 créneaux communs";
    QTest::newRow("a quarter-hour zone")
        << QStringList{"Katmandou", "Paris"} << "Paris" << thursday << "9-18"
        << QStringList{"10 08:00–10 12:15", "11 08:00–11 12:15", "14 08:00–14 12:15", "15 08:00–15 12:15", "16 08:00–16 12:15"}
        << "5 créneaux communs";
    QTest::newRow("a city on the program's season rule")
        << QStringList{"Paris", "Base:2:1"} << "Paris" << utc(2026, 10, 22, 12) << "9-18"
        << QStringList{"22 07:00–22 16:00", "23 07:00–23 16:00", "26 08:00–26 17:00", "27 08:00–27 17:00", "28 08:00–28 17:00"}
        << "5 créneaux communs";
    QTest::newRow("Tokyo never meets New York")
        << QStringList{"Tokyo", "New York"} << "Paris" << thursday << "9-18"
        << QStringList{}
        << "Aucun créneau commun : au mieux 1 ville sur 2 au bureau ensemble";
    QTest::newRow("equal hours: nobody ever at work")
        << QStringList{"Paris", "Londres"} << "Paris" << thursday << "9-9"
        << QStringList{}
        << "Aucun créneau commun : aucune ville au bureau";
    // clang-format on
}

void TestWeek::theSlots()
{
    QFETCH(QStringList, cities);
    QFETCH(QString, here);
    QFETCH(QDateTime, shown);
    QFETCH(QString, hours);
    QFETCH(QStringList, lit);
    QFETCH(QString, summary);
    const Week week = weekOf(cities, here, shown, hours);
    QCOMPARE(slotsOf(week), lit);
    QCOMPARE(slotSummary(week), summary);
    // Each quarter: lit exactly where every city's strip is at work.
    for (int k = 0; k < week.quarters; ++k) {
        bool everyone = true;
        for (int s = 1; s < week.strips.size(); ++s)
            everyone = everyone && (week.strips[s].flags[k] & AtWork);
        QCOMPARE(week.common[k], everyone);
    }
}

void TestWeek::agreesWithZoneinfo_data()
{
    QTest::addColumn<QStringList>("cities"); // "Name=weekend" (ISO days of the week, for Python)
    QTest::addColumn<QString>("here");
    QTest::addColumn<QDateTime>("shown");
    QTest::addColumn<QString>("hours");
    QTest::addColumn<int>("day");
    QTest::addColumn<int>("night");
    // clang-format off
    QTest::newRow("Paris, New York, Tokyo, Riyadh")    << QStringList{"Paris=6,7", "New York=6,7", "Tokyo=6,7", "Riyad=5,6"} << "Europe/Paris" << utc(2026, 12, 10, 9) << "9:00-18:00" << 7 << 20;
    QTest::newRow("two changes inside the week")       << QStringList{"Paris=6,7", "New York=6,7", "Sydney=6,7"} << "Europe/Paris" << utc(2026, 3, 26, 12) << "8:30-17:30" << 8 << 19;
    QTest::newRow("the date line, from Chatham")       << QStringList{"Auckland=6,7", "Honolulu=6,7", "Chatham=6,7"} << "Pacific/Chatham" << utc(2026, 12, 10, 9) << "9:00-18:00" << 7 << 20;
    QTest::newRow("overnight, quarter and half hours") << QStringList{"Katmandou=6,7", "Téhéran=5", "Londres=6,7"} << "Asia/Kathmandu" << utc(2026, 6, 3, 20) << "18:00-9:00" << 6 << 21;
    QTest::newRow("Lord Howe's half hour")             << QStringList{"Lord Howe=6,7", "Sydney=6,7"} << "Australia/Lord_Howe" << utc(2026, 4, 1, 3) << "9:00-17:00" << 7 << 20;
    // clang-format on
}

void TestWeek::agreesWithZoneinfo()
{
    QFETCH(QStringList, cities);
    QFETCH(QString, here);
    QFETCH(QDateTime, shown);
    QFETCH(QString, hours);
    QFETCH(int, day);
    QFETCH(int, night);
    QStringList names, places;
    for (const QString& city : cities) {
        const QString name = city.section(u'=', 0, 0);
        names << name;
        places << name + u'=' + zoneIds().value(name) + u'=' + city.section(u'=', 1);
    }
    const Week week = weekOf(names, here, shown, hours, DayHours{qint16(day), qint16(night)});
    QStringList lines;
    for (const WeekDay& weekDay : week.days)
        lines << QStringLiteral("day %1 %2").arg(weekDay.date.toString(Qt::ISODate)).arg(weekDay.quarters);
    for (const WeekStrip& strip : week.strips) {
        QString flags;
        for (quint8 flag : strip.flags)
            flags += QString::number(flag);
        lines << QStringLiteral("strip %1 %2").arg(strip.city.name, flags);
    }
    QString common;
    for (bool lit : week.common)
        common += lit ? u'1' : u'0';
    lines << QStringLiteral("common ") + common;

    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 QStringList{QStringLiteral(HORLUNE_SOURCE_DIR "/tests/week_zoneinfo.py"), here,
                             shown.toString(QStringLiteral("yyyy-MM-ddTHH:mm")), hours, QString::number(day),
                             QString::number(night)} +
                     places);
    QVERIFY(python.waitForFinished(60000));
    QVERIFY2(python.exitCode() == 0, python.readAllStandardError().constData());
    const QStringList expected = QString::fromUtf8(python.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), expected.size());
    for (int i = 0; i < lines.size(); ++i)
        QCOMPARE(lines[i], expected[i]);
}

void TestWeek::stepsGoFromSlotToSlotOfTheWeek_data()
{
    QTest::addColumn<QStringList>("cities");
    QTest::addColumn<QDateTime>("shown");
    QTest::addColumn<QString>("hours");
    // clang-format off
    QTest::newRow("Paris, New York, Riyadh")          << QStringList{"Paris", "New York", "Riyad"} << utc(2026, 12, 10, 9) << "9-18";
    QTest::newRow("a change inside the week")         << QStringList{"Paris", "New York"} << utc(2026, 3, 5, 12) << "9-18";
    QTest::newRow("the date line")                    << QStringList{"Auckland", "Honolulu", "Tokyo"} << utc(2026, 12, 10, 9) << "8-19";
    QTest::newRow("overnight, begun before the week") << QStringList{"Paris", "Londres"} << utc(2026, 12, 10, 9) << "18-9";
    QTest::newRow("the program's season rule")        << QStringList{"Lutèce:2:1", "Paris", "Londres"} << utc(2026, 10, 22, 12) << "9-18";
    // clang-format on
}

void TestWeek::stepsGoFromSlotToSlotOfTheWeek()
{
    // Ctrl+Right and Ctrl+Left on the clocks, from one end of the week to the other, stop where the week's
    // slots begin, and nowhere else.
    QFETCH(QStringList, cities);
    QFETCH(QDateTime, shown);
    QFETCH(QString, hours);
    const Week week = weekOf(cities, QStringLiteral("Paris"), shown, hours);
    const QList<int> starts = week.slotStarts();
    QVERIFY(!starts.isEmpty());
    const QDateTime first = QDateTime::fromSecsSinceEpoch(week.first, Qt::UTC);
    const QDateTime last = QDateTime::fromSecsSinceEpoch(week.start(week.quarters - 1), Qt::UTC);
    const auto quarterOf = [&week](const CommonHour& found) { return week.quarterAt(found.start.toSecsSinceEpoch()); };

    // Forward from the week's first quarter: a slot under way there is not the next one.
    QList<int> forward;
    for (CommonHour found = findCommonHour(week.marked, first, 1, last, week.work); found.kind == CommonHour::Slot;
         found = findCommonHour(week.marked, found.start, 1, last, week.work)) {
        forward << quarterOf(found);
        // The slot found lasts as long as the week lights it.
        const int end = week.quarterAt(found.end.toSecsSinceEpoch());
        for (int k = forward.last(); k < (end < 0 ? week.quarters : end); ++k)
            QVERIFY(week.common[k]);
        if (end > 0)
            QVERIFY(!week.common[end]);
    }
    QCOMPARE(forward, starts.first() == 0 ? starts.mid(1) : starts);

    // Back from the last quarter, the week's first quarter being the limit: a slot begun before the week
    // begins at its first quarter.
    QList<int> back;
    for (CommonHour found = findCommonHour(week.marked, last, -1, first, week.work); found.kind == CommonHour::Slot;
         found = findCommonHour(week.marked, found.start, -1, first, week.work))
        back.prepend(quarterOf(found));
    QList<int> expected = starts;
    if (week.common.last() && starts.last() == week.quarters - 1)
        expected.removeLast(); // the last quarter itself is where the steps start from
    QCOMPARE(back, expected);
}

void TestWeek::whatAQuarterSays()
{
    // Thursday 10 December 2026, 15.00 in Paris: New York at work, Tokyo at night, Riyadh at work.
    const Week week = weekOf({"Paris", "New York", "Tokyo", "Riyad"}, "Paris", utc(2026, 12, 10, 9));
    QCOMPARE(weekTitle(week, QLocale()), QStringLiteral("Semaine du jeudi 10 décembre au mercredi 16 décembre"));
    QCOMPARE(slotSummary(week), QStringLiteral("Aucun créneau commun : au mieux 3 villes sur 4 au bureau ensemble"));
    const int thursday = week.quarterAt(utc(2026, 12, 10, 14).toSecsSinceEpoch());
    QuarterTexts texts = quarterTexts(week, thursday, QLocale());
    QCOMPARE(texts.heading(), QStringLiteral("jeudi 10 décembre, 15.00 ici — 3 villes sur 4 au bureau"));
    QCOMPARE(texts.places,
             QStringList({"ici : 15.00, au bureau", "Paris : 15.00, au bureau", "New York : 09.00, au bureau",
                          "Tokyo : 23.00, hors des heures de bureau, nuit", "Riyad : 17.00, au bureau"}));
    // Friday, Riyadh's weekend; Saturday, everyone's.
    texts = quarterTexts(week, week.quarterAt(utc(2026, 12, 11, 14).toSecsSinceEpoch()), QLocale());
    QCOMPARE(texts.places.last(), QStringLiteral("Riyad : 17.00, week-end"));
    texts = quarterTexts(week, week.quarterAt(utc(2026, 12, 12, 22).toSecsSinceEpoch()), QLocale());
    QCOMPARE(texts.heading(), QStringLiteral("samedi 12 décembre, 23.00 ici — aucune ville au bureau"));
    QCOMPARE(texts.places.first(), QStringLiteral("ici : 23.00, week-end, nuit"));
    QCOMPARE(texts.whole().count(u'\n'), 5);
    // Without Tokyo: the common slot.
    const Week three = weekOf({"Paris", "New York", "Riyad"}, "Paris", utc(2026, 12, 10, 9), "8-19");
    QCOMPARE(quarterTexts(three, thursday, QLocale()).state, QStringLiteral("créneau commun"));
    // By night at work: overnight hours.
    const Week night = weekOf({"Paris", "Londres"}, "Paris", utc(2026, 12, 10, 9), "18-9");
    QCOMPARE(quarterTexts(night, night.quarterAt(utc(2026, 12, 10, 22).toSecsSinceEpoch()), QLocale()).places[2],
             QStringLiteral("Londres : 22.00, au bureau, nuit"));
    // A city already on the next day says which.
    const Week dateLine = weekOf({"Paris", "Auckland"}, "Paris", utc(2026, 12, 10, 9));
    QCOMPARE(quarterTexts(dateLine, thursday, QLocale()).places.last(),
             QStringLiteral("Auckland : vendredi 03.00, hors des heures de bureau, nuit"));
}

void TestWeek::changesWhereTheyFall()
{
    // The week of 22 October 2026 from Paris: Paris, London and the computer go back an hour on Sunday 25;
    // New York not before 1 November; Sydney went forward on 4 October.
    const Week week = weekOf({"Paris", "New York", "Londres"}, "Paris", utc(2026, 10, 22, 12));
    QStringList texts;
    for (const WeekChange& change : week.changes)
        texts << weekChangeText(week, change, QLocale());
    QCOMPARE(texts, QStringList({"ici : passe à l'heure d'hiver dimanche 25 octobre à 03.00 : −1 h",
                                 "Paris : passe à l'heure d'hiver dimanche 25 octobre à 03.00 : −1 h",
                                 "Londres : passe à l'heure d'hiver dimanche 25 octobre à 02.00 : −1 h"}));
    for (const WeekChange& change : week.changes)
        QCOMPARE(change.quarter, week.quarterAt(utc(2026, 10, 25, 1).toSecsSinceEpoch()));
    QCOMPARE(week.days[3].date, QDate(2026, 10, 25));
    QCOMPARE(week.days[3].changes, QList<int>({0, 1, 2}));
    for (int d : {0, 1, 2, 4, 5, 6})
        QVERIFY(week.days[d].changes.isEmpty());
    // The same clocks a week later: New York's change, on its Sunday, which is the computer's Sunday too.
    const Week later = weekOf({"Paris", "New York"}, "Paris", utc(2026, 10, 29, 12));
    QCOMPARE(later.changes.size(), 1);
    QCOMPARE(weekChangeText(later, later.changes.first(), QLocale()),
             QStringLiteral("New York : passe à l'heure d'hiver dimanche 1 novembre à 02.00 : −1 h"));
    QCOMPARE(later.days[later.dayOf(later.changes.first().quarter)].date, QDate(2026, 11, 1));
}

void TestWeek::theLimitsOfTheClocks()
{
    // The clocks go a week either way from now: the week shown from a day ahead ends past their reach.
    const QDateTime now = utc(2026, 12, 10, 9, 7);
    QList<ClockRow> rows{ClockRow(), cityRow("Paris"), cityRow("Tokyo")};
    WeekRequest request = weekRequest(rows, now.addDays(2), 1, WorkHours(), DayHours{7, 20},
                                      wallClockIn("Europe/Paris"), workingDays(QLocale::AnyTerritory));
    request.earliest = now.addDays(-7);
    request.latest = now.addDays(7);
    const Week week = planWeek(request);
    QCOMPARE(week.earliestQuarter, 0);
    // The last quarter to begin by Thursday 17 December 9.07 UTC: 9.00.
    QCOMPARE(week.start(week.latestQuarter), utc(2026, 12, 17, 9).toSecsSinceEpoch());
    // From the day before: the first quarter to begin after Thursday 3 December 9.07 is 9.15.
    request = weekRequest(rows, now.addDays(-7), 1, WorkHours(), DayHours{7, 20}, wallClockIn("Europe/Paris"),
                          workingDays(QLocale::AnyTerritory));
    request.earliest = now.addDays(-7);
    request.latest = now.addDays(7);
    const Week before = planWeek(request);
    QCOMPARE(before.start(before.earliestQuarter), utc(2026, 12, 3, 9, 15).toSecsSinceEpoch());
    QCOMPARE(before.latestQuarter, before.quarters - 1);
    QCOMPARE(before.shown, now.addDays(-7).toSecsSinceEpoch());
}

void TestWeek::darkByAnotherRule()
{
    // A rule for one place (as the sun would give it) takes the place of the day and night hours there alone.
    QList<ClockRow> rows{ClockRow(), cityRow("Paris"), cityRow("Tokyo")};
    const QDateTime shown = utc(2026, 12, 10, 9);
    WeekRequest request = weekRequest(rows, shown, 1, WorkHours(), DayHours{7, 20}, wallClockIn("Europe/Paris"),
                                      workingDays(QLocale::AnyTerritory));
    const qint64 noon = utc(2026, 12, 12, 12).toSecsSinceEpoch();
    request.cities[0].dark = [noon](qint64 seconds) { return seconds < noon; };
    const Week week = planWeek(request);
    const int k = week.quarterAt(utc(2026, 12, 11, 12).toSecsSinceEpoch()); // 13.00 in Paris, 21.00 in Tokyo
    QVERIFY(week.strips[1].flags[k] & Dark);
    QVERIFY(!(week.strips[0].flags[k] & Dark));
    QVERIFY(week.strips[2].flags[k] & Dark);
    QVERIFY(!(week.strips[1].flags[week.quarterAt(noon)] & Dark));
    // Working hours are not the rule's: Paris is at work by day or by night.
    QVERIFY(week.strips[1].flags[k] & AtWork);
}

void TestWeek::theRowsOfTheGrid()
{
    // The marked rows that show a time, in their order; Universal Time, the others and a row without its time
    // are left out.
    QList<ClockRow> rows{ClockRow(), cityRow("Paris"), cityRow("Tokyo"), cityRow("Riyad"), cityRow("New York")};
    rows[0].marked = true;
    rows[2].marked = false;
    rows[3].timeShown = false;
    const QDateTime shown = utc(2026, 10, 22, 12);
    const WeekRequest request = weekRequest(rows, shown, 2, WorkHours{8 * 60, 17 * 60}, DayHours{6, 21},
                                            wallClockIn("Europe/Paris"), workingDays(QLocale::SaudiArabia));
    QCOMPARE(request.cities.size(), 2);
    QCOMPARE(request.cities[0].city.name, QStringLiteral("Paris"));
    QCOMPARE(request.cities[1].city.name, QStringLiteral("New York"));
    QCOMPARE(request.shown, shown);
    QCOMPARE(request.work, (WorkHours{8 * 60, 17 * 60}));
    QCOMPARE(request.here.city.name, QStringLiteral("ici"));
    QVERIFY(!request.here.city.days[5] && request.here.city.days[7]);
    // The computer's clock along the week: its change on Sunday 25 October at 1.00 UTC.
    QCOMPARE(request.here.city.changesAt, QList<qint64>{utc(2026, 10, 25, 1).toSecsSinceEpoch()});
    QCOMPARE(request.here.city.offsetsSeconds, QList<int>({7200, 3600}));

    // Read from the clock to the quarter hour, from any quarter: Chatham's clock back at 3.45 on Sunday (14.00 UTC on
    // Saturday), and a clock of one's own that jumps at a quarter to eleven and back at half past four.
    const PlanCity chatham = wallClockCity(QStringLiteral("ici"), {}, wallClockIn("Pacific/Chatham"),
                                           utc(2026, 4, 3, 13, 15), utc(2026, 4, 8, 0));
    QCOMPARE(chatham.changesAt, QList<qint64>{utc(2026, 4, 4, 14).toSecsSinceEpoch()});
    QCOMPARE(chatham.offsetsSeconds, QList<int>({13 * 3600 + 45 * 60, 12 * 3600 + 45 * 60}));
    const qint64 jump = utc(2026, 4, 5, 10, 45).toSecsSinceEpoch(), back = utc(2026, 4, 5, 16, 30).toSecsSinceEpoch();
    const PlanCity own = wallClockCity(
        QStringLiteral("ici"), {},
        [&](const QDateTime& universal) {
            const qint64 seconds = universal.toSecsSinceEpoch();
            return universal.addSecs(seconds >= jump && seconds < back ? 5400 : 3600);
        },
        utc(2026, 4, 3, 13, 15), utc(2026, 4, 8, 0));
    QCOMPARE(own.changesAt, QList<qint64>({jump, back}));
    QCOMPARE(own.offsetsSeconds, QList<int>({3600, 5400, 3600}));
}

QTEST_GUILESS_MAIN(TestWeek)
#include "tst_week.moc"
