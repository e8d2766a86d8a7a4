#include <QFile>
#include <QLocale>
#include <QTest>
#include <functional>

#include "board/board.h"
#include "board/configuration.h"
#include "data/citycount.h"
#include "support/testenv.h"

// The clocks' board without a window: what each call changes, what the picture then shows, and that it
// reads no clock and no file of its own. "Now" is given at every call; the computer's zone is a fixed offset.
class TestBoard : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }

    void ticks_data();
    void ticks();
    void steps_data();
    void steps();
    void keysAmongTheFaces_data();
    void keysAmongTheFaces();
    void aNoteLastsTenSecondsAtRest();
    void aNewSeasonReadsNoFile();
    void facesByTheSun_data();
    void facesByTheSun();
    void theSentenceEndsWithTheSun();
};

namespace {

// The computer at a fixed offset from Universal Time.
class FixedZone : public ComputerZone
{
public:
    explicit FixedZone(int seconds) : m_seconds(seconds) {}
    QDateTime localAt(const QDateTime& universal) const override
    {
        const QDateTime local = universal.addSecs(m_seconds);
        return QDateTime(local.date(), local.time(), Qt::UTC);
    }

private:
    int m_seconds;
};

// "Now" for a computer `offsetHours` from Universal Time whose wall clock reads `local`.
Instant at(const QDateTime& local, int offsetHours)
{
    return {local.addSecs(-offsetHours * 3600), local};
}

QByteArray cities(const QList<QByteArray>& lines)
{
    QByteArray bytes;
    for (const QByteArray& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

// A board started on a list, the rows named marked, at `local`.
struct BoardFixture
{
    TestEnvironment env;
    FixedZone zone;
    Board board;
    Configuration config;
    Instant now;

    BoardFixture(const QByteArray& list, const QDateTime& local, int offsetHours, const QList<int>& marked = {},
                 bool sun = false)
        : zone(offsetHours * 3600), board(zone), now(at(local, offsetHours))
    {
        env.writeCityFile(list);
        for (int row : marked)
            env.writeSetting(QStringLiteral("P%1").arg(row), QStringLiteral("T"));
        if (sun)
            env.writeSetting(QStringLiteral("Soleil"), QStringLiteral("T"));
        config = loadConfiguration(env.programDirectory(), env.settingsFile(), local.date().year());
        board.start(config, now);
    }
    Board::Changes later(qint64 seconds, const std::function<Board::Changes(Board&, const Instant&)>& step)
    {
        now = {now.universal.addSecs(seconds), now.local.addSecs(seconds)};
        return step(board, now);
    }
    const Board::Picture& picture() const { return board.picture(); }
};

const QDateTime kMonday10(QDate(2024, 12, 9), QTime(10, 0, 10), Qt::UTC);
const QByteArray kThree = cities({"Paris,2,1", "Tokyo,9,9", "New York,-4,-5"});

Board::Changes tick(Board& board, const Instant& now)
{
    return board.tick(now);
}

} // namespace

void TestBoard::ticks_data()
{
    QTest::addColumn<qint64>("after");  // seconds after the start
    QTest::addColumn<bool>("hovered");  // Tokyo described first
    QTest::addColumn<int>("changes");   // what the tick changed
    QTest::addColumn<QString>("clock"); // the digital clock then
    QTest::addColumn<QString>("tokyo"); // Tokyo's time
    QTest::addRow("the same second") << 0LL << false << int(Board::DigitalClock) << "Heure locale : 10.00.10"
                                     << "18.00";
    QTest::addRow("a new second") << 1LL << false << int(Board::DigitalClock) << "Heure locale : 10.00.11"
                                  << "18.00";
    QTest::addRow("a new second, a city described")
        << 1LL << true << int(Board::DigitalClock | Board::Seconds) << "Heure locale : 10.00.11"
        << "18.00";
    QTest::addRow("a new minute") << 50LL << false << int(Board::DigitalClock | Board::Rows)
                                  << "Heure locale : 10.01.00"
                                  << "18.01";
    QTest::addRow("three hours on, the same minute's number")
        << 3 * 3600LL << false << int(Board::DigitalClock | Board::Rows) << "Heure locale : 13.00.10"
        << "21.00";
}

void TestBoard::ticks()
{
    QFETCH(qint64, after);
    QFETCH(bool, hovered);
    QFETCH(int, changes);
    QFETCH(QString, clock);
    QFETCH(QString, tokyo);
    BoardFixture f(kThree, kMonday10, 1);
    if (hovered)
        f.board.hoverRow(2, f.now);
    const Board::Changes done = f.later(after, tick);
    // Only what the tick changed; the sentence too when every row is drawn again and one is described.
    QCOMPARE(int(done & ~Board::Sentence), changes);
    QCOMPARE(f.picture().digitalClock, clock);
    QCOMPARE(f.picture().rows[2].time, tokyo);
}

void TestBoard::steps_data()
{
    using Step = std::function<Board::Changes(Board&, const Instant&)>;
    QTest::addColumn<Step>("first");
    QTest::addColumn<Step>("step");
    QTest::addColumn<int>("changes");
    QTest::addColumn<bool>("shifted");
    QTest::addColumn<QString>("tokyo");
    const Step none = [](Board&, const Instant&) { return Board::NoChange; };
    const Step later = [](Board& b, const Instant& now) { return b.stepQuarter(1, now); };
    const Step hourBack = [](Board& b, const Instant& now) { return b.stepHour(-1, now); };
    const Step now = [](Board& b, const Instant& n) { return b.backToNow(n); };
    const Step week = [](Board& b, const Instant& n) { return b.turnWheel(7 * 24 * 4 * 120, n); };
    const int moved = Board::Rows | Board::Seconds | Board::ShiftLine;
    QTest::addRow("a quarter later") << none << later << moved << true << "18.15";
    QTest::addRow("an hour earlier") << none << hourBack << moved << true << "17.00";
    QTest::addRow("back to now at rest: nothing") << none << now << int(Board::NoChange) << false << "18.00";
    QTest::addRow("back to now") << later << now << int(Board::Rows | Board::Seconds | Board::ShiftLine) << false
                                 << "18.00";
    QTest::addRow("past the week's end: nothing") << week << later << int(Board::NoChange) << true << "18.00";
    QTest::addRow("a time typed for Tokyo")
        << none << Step([](Board& b, const Instant& n) { return b.showCityTime(2, QTime(21, 30), n); }) << moved << true
        << "21.30";
    QTest::addRow("a time typed for a row without a time: nothing")
        << none << Step([](Board& b, const Instant& n) { return b.showCityTime(5, QTime(21, 30), n); })
        << int(Board::NoChange) << false << "18.00";
}

void TestBoard::steps()
{
    using Step = std::function<Board::Changes(Board&, const Instant&)>;
    QFETCH(Step, first);
    QFETCH(Step, step);
    QFETCH(int, changes);
    QFETCH(bool, shifted);
    QFETCH(QString, tokyo);
    BoardFixture f(kThree, kMonday10, 1);
    first(f.board, f.now);
    QCOMPARE(int(step(f.board, f.now)), changes);
    QCOMPARE(f.board.isShifted(), shifted);
    QCOMPARE(f.picture().shiftLine.shown, shifted);
    QCOMPARE(f.picture().rows[2].time, tokyo);
}

void TestBoard::keysAmongTheFaces_data()
{
    QTest::addColumn<QList<int>>("moves"); // +1 Down, -1 Up; 0 the keys come by Tab; 9 they leave
    QTest::addColumn<int>("keyRow");
    QTest::addColumn<int>("highlighted"); // the red row, -1 none
    QTest::addColumn<QString>("sentence");
    QTest::addRow("Down: the first city") << QList<int>{1} << 1 << 1 << "Paris (Tu +1) le 09 décembre, il est 10.00.";
    QTest::addRow("Up from none: the last city that shows a time")
        << QList<int>{-1} << 3 << 3 << "New York (Tu -5) le 09 décembre, il est 04.00.";
    QTest::addRow("past the last: it stays")
        << QList<int>{-1, 1} << 3 << 3 << "New York (Tu -5) le 09 décembre, il est 04.00.";
    QTest::addRow("Universal Time: no sentence") << QList<int>{1, -1} << 0 << -1 << "";
    QTest::addRow("by Tab: the city the keys left")
        << QList<int>{1, 1, 9, 0} << 2 << 2 << "Tokyo (Tu +9) le 09 décembre, il est 18.00.";
    QTest::addRow("left: the sentence stays, as a hover's")
        << QList<int>{1, 9} << -1 << 1 << "Paris (Tu +1) le 09 décembre, il est 10.00.";
}

void TestBoard::keysAmongTheFaces()
{
    QFETCH(QList<int>, moves);
    QFETCH(int, keyRow);
    QFETCH(int, highlighted);
    QFETCH(QString, sentence);
    BoardFixture f(kThree, kMonday10, 1);
    for (int move : moves) {
        if (move == 0)
            f.board.keysToClocks(f.now);
        else if (move == 9)
            f.board.keysLeaveFaces(f.now);
        else
            f.board.moveKeys(move, f.now);
    }
    QCOMPARE(f.picture().keyRow, keyRow);
    QCOMPARE(f.picture().hasSentence ? f.picture().sentence.whole() : QString(), sentence);
    int red = -1;
    for (int i = 0; i < kRows; ++i) {
        if (f.picture().rows[i].look.text == colours::kRed)
            red = i;
    }
    QCOMPARE(red, highlighted);
}

void TestBoard::aNoteLastsTenSecondsAtRest()
{
    // One city marked: the common hour's step says why it cannot search, for ten seconds while at rest.
    BoardFixture f(kThree, kMonday10, 1, {1});
    QCOMPARE(int(f.board.goToCommonHour(1, f.now)), int(Board::ShiftLine | Board::Announcement));
    QVERIFY(f.picture().shiftLine.shown);
    QVERIFY(f.picture().shiftLine.isNote());
    QVERIFY(!(f.later(9, tick) & Board::ShiftLine));
    QVERIFY(f.picture().shiftLine.shown);
    QVERIFY(f.later(1, tick) & Board::ShiftLine);
    QVERIFY(!f.picture().shiftLine.shown);
    // A step says where the clocks are: the note goes with it.
    f.board.goToCommonHour(1, f.now);
    f.board.backToNow(f.now);
    QVERIFY(!f.picture().shiftLine.shown);
}

void TestBoard::aNewSeasonReadsNoFile()
{
    // Left running across the change to summer time, with its list gone from the disk meanwhile: the rows
    // take their summer offsets from the list held, the tick says the time rules changed.
    BoardFixture f(cities({"Paris,2,1", "Tokyo,9,9"}), QDateTime(QDate(2025, 3, 30), QTime(1, 59), Qt::UTC), 1);
    QVERIFY(QFile::remove(f.env.cityFile()));
    QCOMPARE(f.picture().rows[1].time, QStringLiteral("01.59"));
    // 03.00 by the computer, now an hour further from Universal Time.
    f.now = {f.now.universal.addSecs(60), QDateTime(QDate(2025, 3, 30), QTime(3, 0), Qt::UTC)};
    const Board::Changes changes = f.board.tick(f.now);
    QVERIFY(changes & Board::TimeRules);
    QCOMPARE(f.board.computerOffset(), 2.0f);
    QVERIFY(f.board.isSummer());
    QCOMPARE(f.picture().rows[1].name, QStringLiteral("Paris"));
    QCOMPARE(f.picture().rows[1].time, QStringLiteral("03.00"));
}

void TestBoard::facesByTheSun_data()
{
    QTest::addColumn<QTime>("local"); // in Paris, on Friday 11 December 2026
    QTest::addColumn<bool>("sun");
    QTest::addColumn<bool>("parisDay");
    QTest::addColumn<bool>("reykjavikDay");
    QTest::addColumn<bool>("typedDay"); // a city typed with its own offsets: by the hours whatever the option
    // Paris's sun rises at 08.34 and sets at 16.54; Reykjavik's (UTC) at 11.17 and 15.31.
    QTest::addRow("08.00 by the hours") << QTime(8, 0) << false << true << false << true;
    QTest::addRow("08.00 by the sun") << QTime(8, 0) << true << false << false << true;
    QTest::addRow("10.00 by the sun") << QTime(10, 0) << true << true << false << true;
    QTest::addRow("13.00 by the sun") << QTime(13, 0) << true << true << true << true;
    QTest::addRow("17.00 by the sun") << QTime(17, 0) << true << false << false << true;
    QTest::addRow("21.00 by the hours") << QTime(21, 0) << false << false << false << false;
}

void TestBoard::facesByTheSun()
{
    QFETCH(QTime, local);
    QFETCH(bool, sun);
    QFETCH(bool, parisDay);
    QFETCH(bool, reykjavikDay);
    QFETCH(bool, typedDay);
    BoardFixture f(cities({"Paris,2,1", "Reykjavik,0,0", "Atlantide,1,1"}),
                   QDateTime(QDate(2026, 12, 11), local, Qt::UTC), 1, {}, sun);
    QCOMPARE(f.board.areFacesBySun(), sun);
    QCOMPARE(f.picture().rows[1].look.face == Face::Day, parisDay);
    QCOMPARE(f.picture().rows[2].look.face == Face::Day, reykjavikDay);
    QCOMPARE(f.picture().rows[3].look.face == Face::Day, typedDay);
    // Universal Time has no place: by the hours always.
    QCOMPARE(f.picture().rows[0].look.face == Face::Day, local.addSecs(-3600).hour() >= 8 && local.hour() - 1 < 20);
}

void TestBoard::theSentenceEndsWithTheSun()
{
    BoardFixture f(cities({"Paris,2,1", "Atlantide,1,1"}), QDateTime(QDate(2026, 12, 11), QTime(10, 0), Qt::UTC), 1);
    f.board.hoverRow(1, f.now);
    QCOMPARE(f.picture().sentence.whole(), QStringLiteral("Paris (Tu +1) le 11 décembre, il est 10.00."));
    QVERIFY(!f.picture().rows[1].description.contains(QStringLiteral("lever")));
    f.board.setSunFaces(true, f.now);
    f.board.hoverRow(1, f.now);
    QCOMPARE(f.picture().sentence.whole(),
             QStringLiteral("Paris (Tu +1) le 11 décembre, il est 10.00 ; lever 08.34, coucher 16.54."));
    QCOMPARE(f.picture().sentence.shorterRests,
             QStringList({QStringLiteral(" (Tu +1) le 11 décembre, il est 10.00 ; soleil 08.34–16.54."),
                          QStringLiteral(" (Tu +1) le 11 décembre, il est 10.00.")}));
    QCOMPARE(f.picture().rows[1].description,
             QStringLiteral("Paris, 10 h 00, vendredi 11 décembre, jour, lever 08 h 34, coucher 16 h 54"));
    // A city typed with its own offsets has no sun to tell.
    f.board.hoverRow(2, f.now);
    QCOMPARE(f.picture().sentence.whole(), QStringLiteral("Atlantide (Tu +1) le 11 décembre, il est 10.00."));
    // Nor has a city found whose place is not known; one whose place is, has.
    QVERIFY(!f.board.describeCity(QStringLiteral("Nulle part"), QTimeZone("Europe/Paris"), std::nullopt, f.now)
                 .contains(QStringLiteral("lever")));
    QCOMPARE(f.board.describeCity(QStringLiteral("Tromsø"), QTimeZone("Europe/Oslo"), Coordinates{69.65, 18.96}, f.now),
             QStringLiteral("Tromsø (Tu +1) le 11 décembre, il est 10.00 ; nuit polaire."));
}

QTEST_GUILESS_MAIN(TestBoard)
#include "tst_board.moc"
