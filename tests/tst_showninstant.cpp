#include <QLocale>
#include <QTest>
#include <climits>

#include "rows/clockrow.h"
#include "rows/showninstant.h"
#include "time/timerules.h"

Q_DECLARE_METATYPE(Instant)

// The instant the clocks show: the arithmetic of the wheel and the keys, the limits, the instant shown across
// change dates, the date line and the year end, the line that says how far, the times typed for a city, and
// the value that holds them (its steps, its anchor, its return to now). Every instant is fixed, in Universal
// Time and the computer's wall clock.
class TestShownInstant : public QObject
{
    Q_OBJECT

private slots:
    void wheel_data();
    void wheel();
    void smallStepsMakeWholeNotches();
    void moves_data();
    void moves();
    void anchorIsNowToTheMinute();
    void expiry_data();
    void expiry();
    void rowsAtTheShiftedInstant_data();
    void rowsAtTheShiftedInstant();
    void seasonWithAnUnreadableOffset();
    void shiftLine_data();
    void shiftLine();
    void typedTimes_data();
    void typedTimes();
    void cityTimes_data();
    void cityTimes();
    void stepsOfTheInstantShown_data();
    void stepsOfTheInstantShown();
};

namespace {

constexpr qint64 kQuarter = 15 * 60, kHour = 3600, kDay = 86400, kWeek = 7 * kDay;

// The computer's two readings of one instant: its wall clock `offsetHours` ahead of Universal Time.
Instant at(int y, int m, int d, int h, int mi, int offsetHours)
{
    const QDateTime universal(QDate(y, m, d), QTime(h, mi), Qt::UTC);
    return {universal, universal.addSecs(offsetHours * kHour)};
}

// A city row as the list loads it, in the season of `summer`, with the zone of that id (empty: none).
ClockRow cityRow(const QString& summerOffset, const QString& winterOffset, const QString& zone, bool summer = false)
{
    QList<ClockRow> rows(2);
    loadCityRows(rows, {{{QStringLiteral("Ville"), summerOffset, winterOffset}, true}}, {zone}, summer);
    return rows[1];
}

} // namespace

void TestShownInstant::wheel_data()
{
    QTest::addColumn<qint64>("shift");
    QTest::addColumn<int>("pending");
    QTest::addColumn<int>("angle");
    QTest::addColumn<qint64>("newShift");
    QTest::addColumn<int>("newPending");
    QTest::addRow("a notch away from the user: forward") << 0LL << 0 << 120 << kQuarter << 0;
    QTest::addRow("a notch towards the user: back") << 0LL << 0 << -120 << -kQuarter << 0;
    QTest::addRow("three notches at once") << kHour << 0 << 360 << kHour + 3 * kQuarter << 0;
    QTest::addRow("a part of a notch waits") << 0LL << 0 << 8 << 0LL << 8;
    QTest::addRow("the last part completes the notch") << 0LL << 112 << 8 << kQuarter << 0;
    QTest::addRow("a notch and a half") << 0LL << 0 << 180 << kQuarter << 60;
    QTest::addRow("turning back takes the part back first") << 0LL << 60 << -100 << 0LL << -40;
    QTest::addRow("10,000 notches stop at a week") << 0LL << 0 << 1200000 << kWeek << 0;
    QTest::addRow("10,000 notches back stop at a week") << 0LL << 0 << -1200000 << -kWeek << 0;
    QTest::addRow("at the limit a notch more stays") << kWeek << 0 << 120 << kWeek << 0;
    QTest::addRow("from the limit a notch back") << kWeek << 0 << -120 << kWeek - kQuarter << 0;
    QTest::addRow("the largest turn there is") << 0LL << 119 << INT_MAX << kWeek << int((119LL + INT_MAX) % 120);
    QTest::addRow("the largest turn back") << 0LL << -119 << INT_MIN << -kWeek << int((-119LL + INT_MIN) % 120);
}

void TestShownInstant::wheel()
{
    QFETCH(qint64, shift);
    QFETCH(int, pending);
    QFETCH(int, angle);
    QFETCH(qint64, newShift);
    QFETCH(int, newPending);
    const WheelTurn turn = shiftAfterWheel(shift, pending, angle);
    QCOMPARE(turn.shift, newShift);
    QCOMPARE(turn.pending, newPending);
}

void TestShownInstant::smallStepsMakeWholeNotches()
{
    // A high-resolution wheel: 8 units at a time, 150 times, is 10 notches and nothing left over; one more
    // small step moves nothing.
    WheelTurn turn;
    for (int i = 0; i < 150; ++i)
        turn = shiftAfterWheel(turn.shift, turn.pending, 8);
    QCOMPARE(turn.shift, 10 * kQuarter);
    QCOMPARE(turn.pending, 0);
    turn = shiftAfterWheel(turn.shift, turn.pending, -8);
    QCOMPARE(turn.shift, 10 * kQuarter);
    QCOMPARE(turn.pending, -8);
}

void TestShownInstant::moves_data()
{
    QTest::addColumn<qint64>("shift");
    QTest::addColumn<qint64>("by");
    QTest::addColumn<qint64>("newShift");
    QTest::addRow("a quarter of an hour forward") << 0LL << kQuarter << kQuarter;
    QTest::addRow("a quarter of an hour back") << kHour << -kQuarter << kHour - kQuarter;
    QTest::addRow("an hour forward") << kQuarter << kHour << kHour + kQuarter;
    QTest::addRow("an hour back") << 0LL << -kHour << -kHour;
    QTest::addRow("back to now by the steps") << kQuarter << -kQuarter << 0LL;
    QTest::addRow("stops at a week") << kWeek - kQuarter << kHour << kWeek;
    QTest::addRow("stops at a week back") << -kWeek << -kQuarter << -kWeek;
}

void TestShownInstant::moves()
{
    QFETCH(qint64, shift);
    QFETCH(qint64, by);
    QFETCH(qint64, newShift);
    const Instant now{QDateTime(QDate(2024, 12, 9), QTime(10, 0), Qt::UTC),
                      QDateTime(QDate(2024, 12, 9), QTime(11, 0), Qt::UTC)};
    ShownInstant shown;
    shown.moveBy(shift, now);
    const ShownInstant::Step step = shown.moveBy(by, now);
    QCOMPARE(shown.shift(), newShift);
    QCOMPARE(step, newShift == 0       ? ShownInstant::BackToNow
                   : newShift == shift ? ShownInstant::Unchanged
                                       : ShownInstant::Moved);
}

void TestShownInstant::anchorIsNowToTheMinute()
{
    const Instant now{QDateTime(QDate(2024, 12, 31), QTime(23, 59, 33, 250), Qt::UTC),
                      QDateTime(QDate(2025, 1, 1), QTime(0, 59, 33, 250), Qt::UTC)};
    const Instant anchor = toTheMinute(now);
    QCOMPARE(anchor.universal, QDateTime(QDate(2024, 12, 31), QTime(23, 59), Qt::UTC));
    QCOMPARE(anchor.local, QDateTime(QDate(2025, 1, 1), QTime(0, 59), Qt::UTC));
    const Instant later = shiftedInstant(anchor, kQuarter);
    QCOMPARE(later.universal, QDateTime(QDate(2025, 1, 1), QTime(0, 14), Qt::UTC));
    QCOMPARE(later.local, QDateTime(QDate(2025, 1, 1), QTime(1, 14), Qt::UTC));
}

void TestShownInstant::expiry_data()
{
    QTest::addColumn<qint64>("secondsSinceLastStep");
    QTest::addColumn<bool>("expired");
    QTest::addRow("just stepped") << 0LL << false;
    QTest::addRow("a second short of two minutes") << 119LL << false;
    QTest::addRow("two minutes") << 120LL << true;
    QTest::addRow("an hour") << kHour << true;
    QTest::addRow("clock set back a little") << -60LL << false;
    QTest::addRow("clock set back an hour") << -kHour << true;
}

void TestShownInstant::expiry()
{
    QFETCH(qint64, secondsSinceLastStep);
    QFETCH(bool, expired);
    const QDateTime step(QDate(2024, 12, 9), QTime(10, 0), Qt::UTC);
    QCOMPARE(shiftExpired(step, step.addSecs(secondsSinceLastStep)), expired);
}

void TestShownInstant::rowsAtTheShiftedInstant_data()
{
    QTest::addColumn<Instant>("anchor");
    QTest::addColumn<qint64>("shift");
    QTest::addColumn<QStringList>("city"); // summer offset, winter offset, zone
    QTest::addColumn<QDateTime>("cityTime");
    QTest::addColumn<float>("offset");
    auto wall = [](int y, int m, int d, int h, int mi) { return QDateTime(QDate(y, m, d), QTime(h, mi), Qt::UTC); };
    // Paris moves to summer time at 01:00 Universal Time on 29 March 2026, New York back to winter time on
    // 1 November 2026; the program's own rule changes the season on 29 March and after 25 October 2026.
    // clang-format off
    QTest::addRow("a zone across its change date") << at(2026, 3, 28, 12, 0, 1) << kDay << QStringList{"2", "1", "Europe/Paris"} << wall(2026, 3, 29, 14, 0) << 2.0f;
    QTest::addRow("a zone back across its change date") << at(2026, 11, 2, 12, 0, 1) << -2 * kDay << QStringList{"-4", "-5", "America/New_York"} << wall(2026, 10, 31, 8, 0) << -4.0f;
    QTest::addRow("no zone: the season of the shifted date") << at(2026, 3, 28, 12, 0, 1) << kDay << QStringList{"-4", "-5", ""} << wall(2026, 3, 29, 8, 0) << -4.0f;
    QTest::addRow("no zone: the last day of summer") << at(2026, 10, 24, 12, 0, 2) << kDay << QStringList{"-4", "-5", ""} << wall(2026, 10, 25, 8, 0) << -4.0f;
    QTest::addRow("no zone: back into winter") << at(2026, 10, 24, 12, 0, 2) << 2 * kDay << QStringList{"-4", "-5", ""} << wall(2026, 10, 26, 7, 0) << -5.0f;
    QTest::addRow("a zone past midnight: the date line") << at(2024, 12, 9, 10, 0, 1) << 5 * kHour << QStringList{"9", "9", "Asia/Tokyo"} << wall(2024, 12, 10, 0, 0) << 9.0f;
    QTest::addRow("west of the date line, still the day before") << at(2024, 12, 9, 10, 0, 1) << 5 * kHour << QStringList{"-10", "-10", "Pacific/Honolulu"} << wall(2024, 12, 9, 5, 0) << -10.0f;
    QTest::addRow("a zone into the new year") << at(2026, 12, 31, 8, 0, 1) << 3 * kHour << QStringList{"12", "13", "Pacific/Auckland"} << wall(2027, 1, 1, 0, 0) << 13.0f;
    QTest::addRow("no zone into the new year") << at(2026, 12, 31, 9, 0, 1) << kHour + kQuarter << QStringList{"14", "14", ""} << wall(2027, 1, 1, 0, 15) << 14.0f;
    QTest::addRow("a week back, a quarter at a time") << at(2024, 12, 9, 10, 0, 1) << -kWeek << QStringList{"9", "9", "Asia/Tokyo"} << wall(2024, 12, 2, 19, 0) << 9.0f;
    // clang-format on
}

void TestShownInstant::rowsAtTheShiftedInstant()
{
    QFETCH(Instant, anchor);
    QFETCH(qint64, shift);
    QFETCH(QStringList, city);
    QFETCH(QDateTime, cityTime);
    QFETCH(float, offset);
    if (!city[2].isEmpty() && !QTimeZone(city[2].toLatin1()).isValid())
        QSKIP("no such zone in this system's tz database");
    ClockRow row = cityRow(city[0], city[1], city[2]);
    setInstant(row, shiftedInstant(anchor, shift), computerOffset(anchor));
    QCOMPARE(row.cityTime, cityTime);
    QCOMPARE(row.offset, offset);
    QVERIFY(row.timeShown);
}

void TestShownInstant::seasonWithAnUnreadableOffset()
{
    // A summer offset too large for the clock: the row shows its time in winter only.
    ClockRow row = cityRow(QString(60, u'9'), QStringLiteral("1"), QString());
    setInstant(row, at(2026, 3, 28, 12, 0, 1), 1);
    QVERIFY(row.timeShown);
    setInstant(row, shiftedInstant(at(2026, 3, 28, 12, 0, 1), kDay), 1);
    QVERIFY(!row.timeShown);
}

void TestShownInstant::shiftLine_data()
{
    QTest::addColumn<qint64>("shift");
    QTest::addColumn<QDateTime>("local");
    QTest::addColumn<QString>("text");
    const QDateTime thursday(QDate(2025, 12, 11), QTime(18, 15), Qt::UTC);
    // clang-format off
    QTest::addRow("now: no line") << 0LL << thursday << "";
    QTest::addRow("hours and minutes ahead") << 3 * kHour + kQuarter << thursday << "Dans 3 h 15 — jeudi 11 décembre, 18.15 ici";
    QTest::addRow("whole hours back") << -2 * kHour << thursday << "Il y a 2 h — jeudi 11 décembre, 18.15 ici";
    QTest::addRow("minutes alone") << 45 * 60LL << thursday << "Dans 45 min — jeudi 11 décembre, 18.15 ici";
    QTest::addRow("minutes under ten") << kDay + 3 * kHour + 5 * 60 << thursday << "Dans 1 j 3 h 05 — jeudi 11 décembre, 18.15 ici";
    QTest::addRow("a day and minutes") << -(kDay + kQuarter) << thursday << "Il y a 1 j 15 min — jeudi 11 décembre, 18.15 ici";
    QTest::addRow("a week back, into the year before") << -kWeek << QDateTime(QDate(2025, 12, 31), QTime(0, 5), Qt::UTC) << "Il y a 7 j — mercredi 31 décembre, 00.05 ici";
    // clang-format on
}

void TestShownInstant::shiftLine()
{
    QFETCH(qint64, shift);
    QFETCH(QDateTime, local);
    QFETCH(QString, text);
    QCOMPARE(shiftText(shift, local, QLocale(QLocale::French, QLocale::France)), text);
}

void TestShownInstant::typedTimes_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QTime>("time");
    QTest::addColumn<QString>("hint");
    const QString unreadable = QStringLiteral("Heure illisible : tapez par exemple 15, 15h, 15.30 ou 15:30.");
    const QString hours = QStringLiteral("L'heure va de 0 à 23.");
    QTest::addRow("15") << "15" << QTime(15, 0) << "";
    QTest::addRow("15h") << "15h" << QTime(15, 0) << "";
    QTest::addRow("15H30") << "15H30" << QTime(15, 30) << "";
    QTest::addRow("15.30") << "15.30" << QTime(15, 30) << "";
    QTest::addRow("15:30") << "15:30" << QTime(15, 30) << "";
    QTest::addRow("15,30") << "15,30" << QTime(15, 30) << "";
    QTest::addRow("15 h 30") << "15 h 30" << QTime(15, 30) << "";
    QTest::addRow("blanks around 9") << "  9 " << QTime(9, 0) << "";
    QTest::addRow("midnight") << "0" << QTime(0, 0) << "";
    QTest::addRow("07h05") << "07h05" << QTime(7, 5) << "";
    QTest::addRow("23.59") << "23.59" << QTime(23, 59) << "";
    QTest::addRow("25") << "25" << QTime() << hours;
    QTest::addRow("24") << "24" << QTime() << hours;
    QTest::addRow("-1") << "-1" << QTime() << hours;
    QTest::addRow("123") << "123" << QTime() << hours;
    QTest::addRow("abc") << "abc" << QTime() << unreadable;
    QTest::addRow("15h30h") << "15h30h" << QTime() << unreadable;
    QTest::addRow("15h99") << "15h99" << QTime() << "Les minutes vont de 00 à 59.";
    QTest::addRow("15.5") << "15.5" << QTime() << "Les minutes s'écrivent avec deux chiffres, par exemple 15.05.";
    QTest::addRow("empty") << "" << QTime() << "Tapez une heure, par exemple 15 ou 15.30.";
    QTest::addRow("blanks") << "   " << QTime() << "Tapez une heure, par exemple 15 ou 15.30.";
}

void TestShownInstant::typedTimes()
{
    QFETCH(QString, typed);
    QFETCH(QTime, time);
    QFETCH(QString, hint);
    const TypedTime read = readTypedTime(typed);
    QCOMPARE(read.time, time);
    QCOMPARE(read.hint, hint);
}

void TestShownInstant::cityTimes_data()
{
    QTest::addColumn<QStringList>("city"); // summer offset, winter offset, zone
    QTest::addColumn<Instant>("anchor");
    QTest::addColumn<int>("computerOffset");
    QTest::addColumn<qint64>("shift");
    QTest::addColumn<QTime>("typed");
    QTest::addColumn<qint64>("newShift");
    const QStringList tokyo{"9", "9", "Asia/Tokyo"};
    const Instant tokyoAt19 = at(2024, 12, 9, 10, 0, 1);
    // clang-format off
    QTest::addRow("later today") << tokyo << tokyoAt19 << 1 << 0LL << QTime(21, 0) << 2 * kHour;
    QTest::addRow("already past today: tomorrow's") << tokyo << tokyoAt19 << 1 << 0LL << QTime(18, 0) << 23 * kHour;
    QTest::addRow("the time it reads: no move") << tokyo << tokyoAt19 << 1 << 0LL << QTime(19, 0) << 0LL;
    QTest::addRow("counted from the instant shown") << tokyo << tokyoAt19 << 1 << kDay + kQuarter << QTime(19, 0) << 2 * kDay;
    QTest::addRow("beyond a week: a day earlier") << tokyo << tokyoAt19 << 1 << kWeek - kHour << QTime(20, 0) << kWeek + kHour - kDay;
    QTest::addRow("Universal Time") << QStringList{"0", "0", ""} << tokyoAt19 << 1 << 0LL << QTime(12, 0) << 2 * kHour;
    // Paris at 01:30 on the night it moves to summer time: 04:30 comes two hours later, not three.
    QTest::addRow("a zone across its change") << QStringList{"2", "1", "Europe/Paris"} << at(2026, 3, 29, 0, 30, 1) << 1 << 0LL << QTime(4, 30) << 2 * kHour;
    // The program's rule for a city without a zone changes its offset at the computer's midnight.
    QTest::addRow("no zone, across the season's change") << QStringList{"-4", "-5", ""} << at(2026, 3, 28, 21, 0, 1) << 1 << 0LL << QTime(19, 0) << 2 * kHour;
    // clang-format on
}

void TestShownInstant::cityTimes()
{
    QFETCH(QStringList, city);
    QFETCH(Instant, anchor);
    QFETCH(int, computerOffset);
    QFETCH(qint64, shift);
    QFETCH(QTime, typed);
    QFETCH(qint64, newShift);
    if (!city[2].isEmpty() && !QTimeZone(city[2].toLatin1()).isValid())
        QSKIP("no such zone in this system's tz database");
    const ClockRow row = cityRow(city[0], city[1], city[2]);
    const qint64 found = shiftForCityTime(row, anchor, shift, typed, float(computerOffset));
    QCOMPARE(found, newShift);
    ClockRow there = row;
    setInstant(there, shiftedInstant(anchor, found), float(computerOffset));
    QCOMPARE(there.cityTime.time().hour(), typed.hour());
    QCOMPARE(there.cityTime.time().minute(), typed.minute());
}

void TestShownInstant::stepsOfTheInstantShown_data()
{
    // Steps taken in turn from Monday 9 December 2024, 10:00:33 Universal Time, the computer at UTC+1:
    // "wheel N" (an angle), "key K", "wait S" (seconds of real time), "type HH:MM" (for a city at UTC+9).
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<int>("lastStep"); // what the last step did (ShownInstant::Step), -1 after a wait
    QTest::addColumn<qint64>("shift");
    QTest::addColumn<qint64>("shownFromTheMinute"); // the instant shown, in seconds from 10:00:00
    QTest::addColumn<bool>("expired");
    QTest::addColumn<int>("tense");
    // clang-format off
    QTest::addRow("now") << QStringList{} << -1 << 0LL << 33LL << false << int(Tense::Present);
    QTest::addRow("a notch: a quarter on from now to the minute") << QStringList{"wheel 120"} << int(ShownInstant::Moved) << kQuarter << kQuarter << false << int(Tense::Future);
    QTest::addRow("the instant shown stands while time passes") << QStringList{"wheel -120", "wait 90"} << -1 << -kQuarter << -kQuarter << false << int(Tense::Past);
    QTest::addRow("two minutes without a step") << QStringList{"wheel 120", "wait 120"} << -1 << kQuarter << kQuarter << true << int(Tense::Future);
    QTest::addRow("a step starts the two minutes again") << QStringList{"wheel 120", "wait 100", "key Right", "wait 100"} << -1 << 2 * kQuarter << 2 * kQuarter << false << int(Tense::Future);
    QTest::addRow("a step keeps the anchor") << QStringList{"wheel 120", "wait 100", "key PageUp"} << int(ShownInstant::Moved) << kQuarter + kHour << kQuarter + kHour << false << int(Tense::Future);
    QTest::addRow("Home: back to now") << QStringList{"wheel 120", "key Home"} << int(ShownInstant::BackToNow) << 0LL << 33LL << false << int(Tense::Present);
    QTest::addRow("Escape at now changes nothing") << QStringList{"key Escape"} << int(ShownInstant::Unchanged) << 0LL << 33LL << false << int(Tense::Present);
    QTest::addRow("a notch back to the start is now") << QStringList{"wheel 120", "wheel -120"} << int(ShownInstant::BackToNow) << 0LL << 33LL << false << int(Tense::Present);
    QTest::addRow("a half notch waits for the rest") << QStringList{"wheel 60"} << int(ShownInstant::Unchanged) << 0LL << 33LL << false << int(Tense::Present);
    QTest::addRow("at the limit a notch more changes nothing") << QStringList{"wheel 1200000", "wheel 120"} << int(ShownInstant::Unchanged) << kWeek << kWeek << false << int(Tense::Future);
    QTest::addRow("a time typed: the next 21.00 there") << QStringList{"type 21:00"} << int(ShownInstant::Moved) << 2 * kHour << 2 * kHour << false << int(Tense::Future);
    QTest::addRow("a time typed from the day chosen") << QStringList{"key PageDown", "type 21:00"} << int(ShownInstant::Moved) << 2 * kHour << 2 * kHour << false << int(Tense::Future);
    QTest::addRow("a time typed that is now there") << QStringList{"type 19:00"} << int(ShownInstant::Unchanged) << 0LL << 33LL << false << int(Tense::Present);
    QTest::addRow("a new shift after the return anchors at the new minute") << QStringList{"wheel 120", "key Home", "wait 60", "wheel 120"} << int(ShownInstant::Moved) << kQuarter << 60 + kQuarter << false << int(Tense::Future);
    // clang-format on
}

void TestShownInstant::stepsOfTheInstantShown()
{
    QFETCH(QStringList, steps);
    QFETCH(int, lastStep);
    QFETCH(qint64, shift);
    QFETCH(qint64, shownFromTheMinute);
    QFETCH(bool, expired);
    QFETCH(int, tense);
    const Instant start{QDateTime(QDate(2024, 12, 9), QTime(10, 0, 33), Qt::UTC),
                        QDateTime(QDate(2024, 12, 9), QTime(11, 0, 33), Qt::UTC)};
    const ClockRow tokyo = cityRow(QStringLiteral("9"), QStringLiteral("9"), QString());
    // The steps the clocks' keys take.
    const QMap<QString, qint64> moves{
        {"Right", ShownInstant::kStep}, {"PageUp", ShownInstant::kHour}, {"PageDown", -ShownInstant::kHour}};
    ShownInstant shown;
    Instant now = start;
    int step = -1;
    for (const QString& text : steps) {
        const QString verb = text.section(u' ', 0, 0), argument = text.section(u' ', 1);
        if (verb == "wheel")
            step = shown.turnWheel(argument.toInt(), now);
        else if (verb == "key")
            step = moves.contains(argument) ? shown.moveBy(moves.value(argument), now) : shown.backToNow();
        else if (verb == "type")
            step = shown.showCityTime(tokyo, QTime::fromString(argument, QStringLiteral("HH:mm")), now, 1);
        else {
            now = shiftedInstant(now, argument.toLongLong());
            step = -1;
        }
    }
    QCOMPARE(step, lastStep);
    QCOMPARE(shown.shift(), shift);
    QCOMPARE(shown.isShifted(), shift != 0);
    const Instant at = shown.at(now);
    const QDateTime minute(QDate(2024, 12, 9), QTime(10, 0), Qt::UTC);
    QCOMPARE(at.universal, minute.addSecs(shownFromTheMinute));
    QCOMPARE(at.local, at.universal.addSecs(kHour));
    QCOMPARE(shown.hasExpired(now), expired);
    QCOMPARE(int(shown.tense()), tense);
}

QTEST_GUILESS_MAIN(TestShownInstant)
#include "tst_showninstant.moc"
