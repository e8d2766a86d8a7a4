#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "plan/changes.h"
#include "plan/commonhour.h"
#include "plan/share.h"
#include "rows/clockrow.h"
#include "time/zones.h"

Q_DECLARE_METATYPE(CommonHour::Kind)

// Planning with the marked cities: their working hours and days, the next hour every one is at work, the
// changes of offset coming, and the instant to share. Every instant is given; the tests run far from UTC.
class TestPlan : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
    void readingWorkHours_data();
    void readingWorkHours();
    void workingDaysComeFromTheCountry_data();
    void workingDaysComeFromTheCountry();
    void atWorkByTheCityClock_data();
    void atWorkByTheCityClock();
    void commonHour_data();
    void commonHour();
    void theWholeWeekForFiftyNineCities();
    void whatTheLineSays_data();
    void whatTheLineSays();
    void changesComing_data();
    void changesComing();
    void sharedText();
    void invitationReadByACalendarProgram();
};

namespace {

QDateTime utc(int year, int month, int day, int hour, int minute = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute), Qt::UTC);
}

// Cities written "Paris" (a zone of the database under the name of its city) or "name:summer:winter" (a
// city without a zone, on the program's season rule).
ClockRow cityRow(const QString& written)
{
    static const QMap<QString, QString> zones = {{"Paris", "Europe/Paris"},        {"Londres", "Europe/London"},
                                                 {"New York", "America/New_York"}, {"Tokyo", "Asia/Tokyo"},
                                                 {"Auckland", "Pacific/Auckland"}, {"Honolulu", "Pacific/Honolulu"},
                                                 {"Riyad", "Asia/Riyadh"},         {"Sydney", "Australia/Sydney"},
                                                 {"Lutèce", "Europe/Paris"},       {"Katmandou", "Asia/Kathmandu"}};
    ClockRow row;
    const QStringList parts = written.split(u':');
    row.name = parts[0];
    if (parts.size() == 3) {
        row.summer.hours = parts[1].toFloat();
        row.winter.hours = parts[2].toFloat();
    } else {
        row.zone = zoneOf(zones.value(written));
    }
    return row;
}

QList<PlanCity> planCities(const QStringList& written, const QDateTime& from)
{
    QList<PlanCity> cities;
    for (const QString& city : written)
        cities.append(planCity(cityRow(city), from.addDays(-8), from.addDays(8), 1));
    return cities;
}

} // namespace

void TestPlan::readingWorkHours_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("start"); // minutes; -1: refused
    QTest::addColumn<int>("end");
    QTest::addColumn<bool>("kept"); // by the settings; otherwise 9.00 – 18.00 stands
    // clang-format off
    QTest::newRow("as kept")            << "9.00 – 18.00"  << 540  << 1080 << true;
    QTest::newRow("short")              << "9-18"          << 540  << 1080 << true;
    QTest::newRow("French hours")       << "8h30 - 17h30"  << 510  << 1050 << true;
    QTest::newRow("colons")             << "8:30-17:30"    << 510  << 1050 << true;
    QTest::newRow("words")              << "9 h à 18 h"    << 540  << 1080 << true;
    QTest::newRow("overnight")          << "18-9"          << 1080 << 540  << true;
    QTest::newRow("equal")              << "9-9"           << 540  << 540  << false;
    QTest::newRow("to midnight")        << "14-24"         << 840  << 1440 << true;
    QTest::newRow("no such hour")       << "25-3"          << -1   << -1   << false;
    QTest::newRow("no such minute")     << "9.75-18"       << -1   << -1   << false;
    QTest::newRow("one hour")           << "9"             << -1   << -1   << false;
    QTest::newRow("letters")            << "neuf à dix-huit" << -1 << -1   << false;
    QTest::newRow("empty")              << ""              << -1   << -1   << false;
    // clang-format on
}

void TestPlan::readingWorkHours()
{
    QFETCH(QString, text);
    QFETCH(int, start);
    QFETCH(int, end);
    QFETCH(bool, kept);
    const std::optional<WorkHours> hours = readWorkHours(text);
    const WorkHours byDefault{9 * 60, 18 * 60};
    QCOMPARE(storedWorkHours(text), kept ? *hours : byDefault);
    QCOMPARE(hours.has_value(), start >= 0);
    if (hours) {
        QCOMPARE(hours->start, start);
        QCOMPARE(hours->end, end);
        QCOMPARE(readWorkHours(workHoursText(*hours)), hours); // kept as it is read back
    }
}

void TestPlan::workingDaysComeFromTheCountry_data()
{
    QTest::addColumn<int>("territory");
    QTest::addColumn<QString>("days"); // Monday to Sunday
    // clang-format off
    QTest::newRow("France")         << int(QLocale::France)      << "1111100";
    QTest::newRow("Saudi Arabia")   << int(QLocale::SaudiArabia) << "1111001";
    QTest::newRow("no country")     << int(QLocale::AnyTerritory) << "1111100";
    // clang-format on
}

void TestPlan::workingDaysComeFromTheCountry()
{
    QFETCH(int, territory);
    QFETCH(QString, days);
    const WorkingDays working = workingDays(QLocale::Territory(territory));
    QString seen;
    for (int day = 1; day <= 7; ++day)
        seen += working[day] ? u'1' : u'0';
    QCOMPARE(seen, days);
}

void TestPlan::atWorkByTheCityClock_data()
{
    // A face's ring goes by the city's clock at the instant shown; the search goes by Universal Time and the
    // city's offsets. Both must say the same.
    QTest::addColumn<QString>("city");
    QTest::addColumn<QDateTime>("instant"); // UTC
    QTest::addColumn<QString>("hours");
    QTest::addColumn<bool>("atWork");
    // clang-format off
    QTest::newRow("Paris, Thursday 9.00: the start counts")  << "Paris"    << utc(2026, 12, 10, 8)      << "9-18" << true;
    QTest::newRow("Paris, Thursday 18.00: the end does not") << "Paris"    << utc(2026, 12, 10, 17)     << "9-18" << false;
    QTest::newRow("Paris, Saturday")                         << "Paris"    << utc(2026, 12, 12, 10)     << "9-18" << false;
    QTest::newRow("Riyadh, Friday")                          << "Riyad"    << utc(2026, 12, 11, 8)      << "9-18" << false;
    QTest::newRow("Riyadh, Sunday")                          << "Riyad"    << utc(2026, 12, 13, 8)      << "9-18" << true;
    QTest::newRow("overnight: Saturday morning after Friday") << "Paris"   << utc(2026, 12, 12, 6)      << "18-9" << true;
    QTest::newRow("overnight: Monday morning after Sunday")  << "Paris"    << utc(2026, 12, 14, 6)      << "18-9" << false;
    QTest::newRow("overnight: Friday evening")               << "Paris"    << utc(2026, 12, 11, 20)     << "18-9" << true;
    QTest::newRow("Auckland, Friday 8.30 while Thursday in UTC") << "Auckland" << utc(2026, 12, 10, 19, 30) << "8.30-17" << true;
    QTest::newRow("the French rule's winter, Monday 9.00")   << "Base:2:1" << utc(2026, 10, 26, 8)      << "9-18" << true;
    // clang-format on
}

void TestPlan::atWorkByTheCityClock()
{
    QFETCH(QString, city);
    QFETCH(QDateTime, instant);
    QFETCH(QString, hours);
    QFETCH(bool, atWork);
    const WorkHours working = *readWorkHours(hours);
    ClockRow row = cityRow(city);
    // The grid's computer: an hour ahead of UTC, as the search's cities below.
    setInstant(row, {instant, instant.addSecs(3600)}, 1);
    QCOMPARE(isAtWork(workingDays(row), row.cityTime, working), atWork);
    const PlanCity searched = planCity(row, instant, instant, 1);
    QCOMPARE(isAtWork(searched, instant.toSecsSinceEpoch(), working), atWork);
}

void TestPlan::commonHour_data()
{
    QTest::addColumn<QStringList>("cities");
    QTest::addColumn<QDateTime>("from");
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("reach"); // hours to the limit
    QTest::addColumn<QString>("hours");
    QTest::addColumn<CommonHour::Kind>("kind");
    QTest::addColumn<QDateTime>("start"); // UTC
    QTest::addColumn<QDateTime>("end");
    QTest::addColumn<QString>("apart");
    const QDateTime thursday = utc(2026, 12, 10, 8);
    const int week = 7 * 24;
    const QDateTime none;
    // clang-format off
    QTest::newRow("Paris and New York")             << QStringList{"Paris", "New York"} << thursday << 1 << week << "9-18" << CommonHour::Slot << utc(2026, 12, 10, 14) << utc(2026, 12, 10, 17) << "";
    QTest::newRow("the one before")                 << QStringList{"Paris", "New York"} << utc(2026, 12, 11, 8) << -1 << week << "9-18" << CommonHour::Slot << utc(2026, 12, 10, 14) << utc(2026, 12, 10, 17) << "";
    QTest::newRow("across the date line")           << QStringList{"Auckland", "Honolulu"} << thursday << 1 << week << "9-18" << CommonHour::Slot << utc(2026, 12, 10, 20) << utc(2026, 12, 11, 4) << "";
    QTest::newRow("a Friday-Saturday weekend")      << QStringList{"Paris", "Riyad"} << utc(2026, 12, 10, 17) << 1 << week << "9-18" << CommonHour::Slot << utc(2026, 12, 14, 8) << utc(2026, 12, 14, 15) << "";
    QTest::newRow("summer time: before New York's") << QStringList{"Paris", "New York"} << utc(2026, 3, 6, 8) << 1 << week << "9-18" << CommonHour::Slot << utc(2026, 3, 6, 14) << utc(2026, 3, 6, 17) << "";
    QTest::newRow("summer time: an hour earlier after it") << QStringList{"Paris", "New York"} << utc(2026, 3, 6, 20) << 1 << week << "9-18" << CommonHour::Slot << utc(2026, 3, 9, 13) << utc(2026, 3, 9, 17) << "";
    QTest::newRow("summer time: back across it")    << QStringList{"Paris", "New York"} << utc(2026, 3, 9, 13) << -1 << week << "9-18" << CommonHour::Slot << utc(2026, 3, 6, 14) << utc(2026, 3, 6, 17) << "";
    QTest::newRow("the French rule's change in the week") << QStringList{"Lutèce", "Base:2:1"} << utc(2026, 10, 23, 17) << 1 << week << "9-18" << CommonHour::Slot << utc(2026, 10, 26, 8) << utc(2026, 10, 26, 17) << "";
    QTest::newRow("none: Paris never meets them")   << QStringList{"Auckland", "Paris", "Honolulu"} << thursday << 1 << week << "9-18" << CommonHour::Best << utc(2026, 12, 10, 20) << utc(2026, 12, 10, 20, 15) << "Paris";
    QTest::newRow("none: Tokyo, though New York is away first") << QStringList{"Paris", "Tokyo", "New York"} << thursday << 1 << week << "9-18" << CommonHour::Best << utc(2026, 12, 10, 14) << utc(2026, 12, 10, 14, 15) << "Tokyo";
    QTest::newRow("none, back: the stretch begun")  << QStringList{"Paris", "Tokyo", "New York"} << utc(2026, 12, 10, 15) << -1 << week << "9-18" << CommonHour::Best << utc(2026, 12, 10, 14) << utc(2026, 12, 10, 14, 15) << "Tokyo";
    QTest::newRow("two pairs never together: nobody named") << QStringList{"Paris", "Riyad", "Honolulu", "Auckland"} << thursday << 1 << week << "9-18" << CommonHour::Best << utc(2026, 12, 10, 20) << utc(2026, 12, 10, 20, 15) << "";
    QTest::newRow("one city, at work: its next day") << QStringList{"Tokyo"} << utc(2026, 12, 10, 7) << 1 << week << "9-18" << CommonHour::Slot << utc(2026, 12, 11, 0) << utc(2026, 12, 11, 9) << "";
    QTest::newRow("across the year's end")          << QStringList{"Paris", "Londres"} << utc(2026, 12, 31, 17) << 1 << week << "9-18" << CommonHour::Slot << utc(2027, 1, 1, 9) << utc(2027, 1, 1, 17) << "";
    QTest::newRow("overnight hours")                << QStringList{"Paris"} << utc(2026, 12, 10, 12) << 1 << week << "18-9" << CommonHour::Slot << utc(2026, 12, 10, 17) << utc(2026, 12, 11, 8) << "";
    QTest::newRow("equal hours: nobody at work")    << QStringList{"Paris", "Londres"} << thursday << 1 << week << "9-9" << CommonHour::NobodyAtWork << none << none << "";
    QTest::newRow("a city on the French rule")      << QStringList{"Lutèce", "Base:2:1"} << utc(2026, 12, 10, 7) << 1 << week << "9-18" << CommonHour::Slot << utc(2026, 12, 10, 8) << utc(2026, 12, 10, 17) << "";
    QTest::newRow("a quarter-hour zone")            << QStringList{"Katmandou", "Paris"} << utc(2026, 12, 10, 7) << 1 << week << "9-18" << CommonHour::Slot << utc(2026, 12, 10, 8) << utc(2026, 12, 10, 12, 15) << "";
    QTest::newRow("from a slot's start: the next")  << QStringList{"Paris", "Londres"} << utc(2026, 12, 10, 9) << 1 << week << "9-18" << CommonHour::Slot << utc(2026, 12, 11, 9) << utc(2026, 12, 11, 17) << "";
    QTest::newRow("inside a slot: the next")        << QStringList{"Paris", "New York"} << utc(2026, 12, 10, 14, 15) << 1 << week << "9-18" << CommonHour::Slot << utc(2026, 12, 11, 14) << utc(2026, 12, 11, 17) << "";
    QTest::newRow("inside a slot, back: its start") << QStringList{"Paris", "New York"} << utc(2026, 12, 10, 15, 20) << -1 << week << "9-18" << CommonHour::Slot << utc(2026, 12, 10, 14) << utc(2026, 12, 10, 17) << "";
    QTest::newRow("back to a limit inside a slot")  << QStringList{"Paris", "New York"} << utc(2026, 12, 10, 16) << -1 << 1 << "9-18" << CommonHour::Slot << utc(2026, 12, 10, 15) << utc(2026, 12, 10, 17) << "";
    QTest::newRow("in the last slot before the limit") << QStringList{"Paris", "New York"} << utc(2026, 12, 10, 14, 15) << 1 << 12 << "9-18" << CommonHour::NoOtherSlot << none << none << "";
    QTest::newRow("a weekend left: nobody at work") << QStringList{"Paris", "New York"} << utc(2026, 12, 12, 10) << 1 << 24 << "9-18" << CommonHour::NobodyAtWork << none << none << "";
    QTest::newRow("at the limit: nothing further")  << QStringList{"Paris", "New York"} << thursday << 1 << 0 << "9-18" << CommonHour::NothingFurther << none << none << "";
    // clang-format on
}

void TestPlan::commonHour()
{
    QFETCH(QStringList, cities);
    QFETCH(QDateTime, from);
    QFETCH(int, direction);
    QFETCH(int, reach);
    QFETCH(QString, hours);
    QFETCH(CommonHour::Kind, kind);
    QFETCH(QDateTime, start);
    QFETCH(QDateTime, end);
    QFETCH(QString, apart);
    const CommonHour common = findCommonHour(planCities(cities, from), from, direction,
                                             from.addSecs(direction * reach * 3600), *readWorkHours(hours));
    QCOMPARE(common.kind, kind);
    QCOMPARE(common.start, start);
    QCOMPARE(common.end, end);
    QCOMPARE(common.apart, apart);
    QCOMPARE(common.wholeWeek, reach == 7 * 24);
}

void TestPlan::theWholeWeekForFiftyNineCities()
{
    // 58 cities at work together, and one never with them: the search goes through the whole week.
    const QDateTime from = utc(2026, 12, 10, 8);
    QStringList cities(58, QStringLiteral("Paris"));
    cities << QStringLiteral("Auckland");
    const CommonHour common =
        findCommonHour(planCities(cities, from), from, 1, from.addDays(7), *readWorkHours(QStringLiteral("9-18")));
    QCOMPARE(common.kind, CommonHour::Best);
    QCOMPARE(common.atWork, 58);
    QCOMPARE(common.apart, QStringLiteral("Auckland"));
}

void TestPlan::whatTheLineSays_data()
{
    QTest::addColumn<CommonHour::Kind>("kind");
    QTest::addColumn<int>("direction");
    QTest::addColumn<bool>("wholeWeek");  // otherwise up to the limit, Thursday 17 December
    QTest::addColumn<QDateTime>("start"); // UTC; the computer an hour ahead
    QTest::addColumn<int>("minutes");
    QTest::addColumn<QString>("apart");
    QTest::addColumn<QStringList>("forms");
    QTest::addColumn<QString>("name");
    const QDateTime none;
    // clang-format off
    QTest::newRow("found") << CommonHour::Slot << 1 << true << utc(2026, 12, 11, 14) << 150 << "" << QStringList{
        "Créneau commun : vendredi 11 décembre, 15.00 – 17.30 ici (2 h 30)",
        "Créneau commun : ven. 11 déc., 15.00 – 17.30 ici (2 h 30)",
        "Créneau : ven. 11 déc., 15.00 – 17.30 ici (2 h 30)"} << "";
    QTest::newRow("overnight, into the next day") << CommonHour::Slot << 1 << true << utc(2026, 12, 31, 21) << 9 * 60 << "" << QStringList{
        "Créneau commun : jeudi 31 décembre, 22.00 – 07.00 ici (9 h)",
        "Créneau commun : jeu. 31 déc., 22.00 – 07.00 ici (9 h)",
        "Créneau : jeu. 31 déc., 22.00 – 07.00 ici (9 h)"} << "";
    QTest::newRow("none") << CommonHour::Best << 1 << true << utc(2026, 12, 10, 14) << 15 << "Tokyo" << QStringList{
        "Aucun créneau commun dans la semaine : Tokyo n'est jamais au bureau avec les autres ; au mieux 2 villes sur 3, jeudi 10 décembre à 15.00 ici",
        "Aucun créneau commun : Tokyo n'est jamais au bureau avec les autres",
        "Aucun créneau : Tokyo jamais avec les autres"} << "Tokyo";
    QTest::newRow("none, a name with %2 in it") << CommonHour::Best << 1 << true << utc(2026, 12, 10, 14) << 15 << "Ville %2 %3" << QStringList{
        "Aucun créneau commun dans la semaine : Ville %2 %3 n'est jamais au bureau avec les autres ; au mieux 2 villes sur 3, jeudi 10 décembre à 15.00 ici",
        "Aucun créneau commun : Ville %2 %3 n'est jamais au bureau avec les autres",
        "Aucun créneau : Ville %2 %3 jamais avec les autres"} << "Ville %2 %3";
    QTest::newRow("none, no city alone to blame") << CommonHour::Best << 1 << true << utc(2026, 12, 10, 14) << 15 << "" << QStringList{
        "Aucun créneau commun dans la semaine : au mieux 2 villes sur 3 au bureau ensemble, jeudi 10 décembre à 15.00 ici",
        "Aucun créneau commun : au mieux 2 villes sur 3",
        "Aucun créneau : au mieux 2 villes sur 3"} << "";
    QTest::newRow("none, up to the limit") << CommonHour::Best << 1 << false << utc(2026, 12, 16, 14) << 15 << "Tokyo" << QStringList{
        "Aucun créneau commun d'ici jeudi 17 décembre : Tokyo n'est jamais au bureau avec les autres ; au mieux 2 villes sur 3, mercredi 16 décembre à 15.00 ici",
        "Aucun créneau commun : Tokyo n'est jamais au bureau avec les autres",
        "Aucun créneau : Tokyo jamais avec les autres"} << "Tokyo";
    QTest::newRow("no other slot") << CommonHour::NoOtherSlot << 1 << false << none << 0 << "" << QStringList{
        "Aucun autre créneau commun d'ici jeudi 17 décembre", "Aucun autre créneau commun"} << "";
    QTest::newRow("nobody at work, back") << CommonHour::NobodyAtWork << -1 << false << none << 0 << "" << QStringList{
        "Aucune ville cochée n'est au bureau depuis jeudi 17 décembre", "Aucune ville au bureau"} << "";
    QTest::newRow("at the week's end") << CommonHour::NothingFurther << 1 << false << none << 0 << "" << QStringList{
        "Les horloges ne vont pas à plus d'une semaine de maintenant", "Une semaine au plus"} << "";
    // clang-format on
}

void TestPlan::whatTheLineSays()
{
    QFETCH(CommonHour::Kind, kind);
    QFETCH(int, direction);
    QFETCH(bool, wholeWeek);
    QFETCH(QDateTime, start);
    QFETCH(int, minutes);
    QFETCH(QString, apart);
    QFETCH(QStringList, forms);
    QFETCH(QString, name);
    CommonHour common;
    common.kind = kind;
    common.direction = direction;
    common.wholeWeek = wholeWeek;
    common.start = start;
    common.end = start.addSecs(minutes * 60);
    common.atWork = 2;
    common.apart = apart;
    const QDateTime limit = utc(2026, 12, 17, 10);
    const LineTexts texts = commonHourTexts(common, 3, common.start.addSecs(3600), common.end.addSecs(3600),
                                            limit.addSecs(3600), QLocale());
    QCOMPARE(texts.forms, forms);
    QCOMPARE(texts.name, name);
}

void TestPlan::changesComing_data()
{
    QTest::addColumn<QStringList>("cities");
    QTest::addColumn<QDateTime>("from");
    QTest::addColumn<QStringList>("texts"); // "row: text"
    // clang-format off
    QTest::newRow("Paris in October")     << QStringList{"Paris"} << utc(2026, 10, 20, 12) << QStringList{"1: Passe à l'heure d'hiver dimanche 25 octobre à 03.00 : −1 h"};
    QTest::newRow("New York, 12 days on") << QStringList{"New York"} << utc(2026, 10, 20, 12) << QStringList{"1: Passe à l'heure d'hiver dimanche 1 novembre à 02.00 : −1 h"};
    QTest::newRow("too far")              << QStringList{"New York"} << utc(2026, 10, 10, 12) << QStringList{};
    QTest::newRow("spring in Paris")      << QStringList{"Paris"} << utc(2026, 3, 20, 12) << QStringList{"1: Passe à l'heure d'été dimanche 29 mars à 02.00 : +1 h"};
    QTest::newRow("southern spring")      << QStringList{"Sydney"} << utc(2026, 9, 25, 12) << QStringList{"1: Passe à l'heure d'été dimanche 4 octobre à 02.00 : +1 h"};
    QTest::newRow("a zone shared: once")  << QStringList{"Paris", "Lutèce"} << utc(2026, 10, 20, 12) << QStringList{"1: Passe à l'heure d'hiver dimanche 25 octobre à 03.00 : −1 h"};
    QTest::newRow("no change in Tokyo")   << QStringList{"Tokyo"} << utc(2026, 10, 20, 12) << QStringList{};
    QTest::newRow("the French rule")      << QStringList{"Base:2:1"} << utc(2026, 10, 20, 12) << QStringList{"1: Passe à l'heure d'hiver lundi 26 octobre à 01.00 : −1 h"};
    QTest::newRow("the rule, one offset") << QStringList{"Base:5:5"} << utc(2026, 10, 20, 12) << QStringList{};
    // clang-format on
}

void TestPlan::changesComing()
{
    QFETCH(QStringList, cities);
    QFETCH(QDateTime, from);
    QFETCH(QStringList, texts);
    QList<ClockRow> rows(1); // Universal Time, never announced
    for (const QString& city : cities)
        rows.append(cityRow(city));
    QStringList seen;
    // The computer one hour ahead of UTC (its midnight is 23.00 UTC).
    for (const ComingChange& change : comingChanges(rows, from, 1))
        seen << QStringLiteral("%1: %2").arg(change.row).arg(changeText(change, QLocale()));
    QCOMPARE(seen, texts);
}

void TestPlan::sharedText()
{
    const QDateTime local(QDate(2026, 12, 11), QTime(15, 0), Qt::UTC); // the computer, in Paris
    QList<ClockRow> rows;
    for (const auto& [name, time] : {std::pair{"Paris", QDateTime(QDate(2026, 12, 11), QTime(15, 0), Qt::UTC)},
                                     std::pair{"New  York", QDateTime(QDate(2026, 12, 11), QTime(9, 0), Qt::UTC)},
                                     std::pair{"Tokyo", QDateTime(QDate(2026, 12, 11), QTime(23, 0), Qt::UTC)},
                                     std::pair{"Auckland", QDateTime(QDate(2026, 12, 12), QTime(3, 0), Qt::UTC)}}) {
        ClockRow row;
        row.name = QString::fromUtf8(name);
        row.cityTime = time;
        rows.append(row);
    }
    QCOMPARE(shareText(rows, local, false, QLocale()),
             QStringLiteral("vendredi 11 décembre 2026 — 15.00 Paris · 09.00 New York · 23.00 Tokyo · 03.00 "
                            "Auckland (samedi)"));
    QCOMPARE(shareText(rows.mid(2, 1), local, true, QLocale()),
             QStringLiteral("vendredi 11 décembre 2026 — 15.00 ici · 23.00 Tokyo"));
}

void TestPlan::invitationReadByACalendarProgram()
{
    // A description long enough to be folded, with the characters iCalendar escapes and letters of UTF-8.
    const QString description = QStringLiteral("vendredi 11 décembre 2026 — 15.00 Paris · 09.00 New York · 23.00 "
                                               "Tokyo · 03.00 Auckland (samedi); « virgule, point-virgule » ✓");
    const QByteArray text = calendarText(utc(2026, 12, 11, 14), utc(2026, 12, 10, 9, 30), description);
    if (!QFile::exists(QStringLiteral("/usr/bin/python3")))
        QSKIP("Debian's python3 and python3-icalendar check the invitation");
    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("rendez-vous.ics")));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
    file.close();
    QProcess check;
    check.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral(HORLUNE_SOURCE_DIR "/tests/plan_calendar.py"),
                                                     file.fileName(), QStringLiteral("20261211T140000Z"), description});
    QVERIFY(check.waitForFinished(60000));
    QVERIFY2(check.exitCode() == 0, check.readAllStandardError().constData());
}

QTEST_GUILESS_MAIN(TestPlan)
#include "tst_plan.moc"
