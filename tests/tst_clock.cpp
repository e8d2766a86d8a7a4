#include <QAction>
#include <QLineEdit>
#include <QLocale>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <cmath>

#include "clock/clockgrid.h"
#include "config/configpanel.h"
#include "rows/geometry.h"
#include "support/mainfixture.h"
#include "support/mouse.h"
#include "ui/controls.h"
#include "ui/look.h"

// The grid of clocks in the main window: start-up, loading, the tick, faces, the date line and the hover
// line.
class TestClock : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
    void cleanup() { QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty()); }

    void startupBuildsSixtyRows();
    void startupRunsAgainHarmlessly();
    void gridPositions_data();
    void gridPositions();
    void loading_data();
    void loading();
    void missingFileShowsTheBoxOnce();
    void universalRowAndOwnTimeColours();
    void cityTimes_data();
    void cityTimes();
    void handsFollowTheTime();
    void previewHandsShowUniversalTime();
    void tickWritesClockAndSeconds();
    void fullRedrawOncePerMinute();
    void dayAndNightFaces_data();
    void dayAndNightFaces();
    void dateLine_data();
    void dateLine();
    void hoverSentenceAndColours();
    void everyRowCanBeHovered_data();
    void everyRowCanBeHovered();
    void hoverMarkedCity();
    void markedCityStaysBoldAfterHover();
    void backgroundClearsHoverLine();
    void namesAreShownAsPlainText();
    void summerTimeChangeWhileRunning();
    void aNewSeasonComesFromTheListHeld();
    void offsetTooLargeHidesTheTime();
    void facesByTheSunFromTheMenu();
};

namespace {

const QColor kNightMinute(240, 240, 240), kNightHour(210, 210, 210), kDayMinute(90, 90, 90), kDayHour(40, 40, 40);

// The pointer over a row's face.
void hover(const ClockFixture& f, int row)
{
    moveOver(f.face(row), QPoint(5, 5));
}

QTimer& timer1(const ClockFixture& f)
{
    return *control<QTimer>(*f.window, QStringLiteral("Timer1"));
}

} // namespace

void TestClock::startupBuildsSixtyRows()
{
    ClockFixture f(fullFile());
    Main& w = f.start();
    QCOMPARE(f.board().picture().rows.size(), kRows);
    for (int i = 0; i < kRows; ++i)
        QVERIFY(!f.face(i)->accessibleName().isEmpty());
    // The configuration panel is made at its first opening, not at the start.
    QVERIFY(!w.findChild<ConfigPanel*>());
    QCOMPARE(f.platform.beeper.beeps, 1);
    QVERIFY(w.isVisible());
    QVERIFY(timer1(f).isActive());
    // Aimed just past the next change of second, and again at each tick.
    QVERIFY(timer1(f).isSingleShot());
    QCOMPARE(timer1(f).interval(), 1005);
    QCOMPARE(f.panel().x(), 14); // 210 twips
    QVERIFY(!f.panel().isVisible());
    const auto* nuit = f.find<Picture>(QStringLiteral("Nuit"));
    const auto* jour = f.find<Picture>(QStringLiteral("Jour"));
    QCOMPARE(nuit->minuteColour(), kNightMinute);
    QCOMPARE(nuit->hourColour(), kNightHour);
    QCOMPARE(jour->minuteColour(), kDayMinute);
    QCOMPARE(jour->hourColour(), kDayHour);
    // The day and night hours read from an empty store: 8 and 20.
    f.openPanel();
    QCOMPARE(f.box("Text2")->text(), QStringLiteral("8"));
    QCOMPARE(f.box("Text1")->text(), QStringLiteral("20"));
    f.pressOk();
}

void TestClock::startupRunsAgainHarmlessly()
{
    ClockFixture f(cityFile({"Paris,1,1", "Rome,1,1"}));
    Main& w = f.start();
    QVERIFY(!f.digit(5)->isVisible()); // past the end of the file
    f.env.writeCityFile(fullFile());
    w.start();
    w.start();
    QCOMPARE(f.board().picture().rows.size(), kRows);
    QCOMPARE(f.platform.beeper.beeps, 3);
    for (int i = 1; i < kRows; ++i) {
        QVERIFY(f.digit(i)->isVisible());
        QCOMPARE(f.ville(i)->caption(), QStringLiteral("Ville%1").arg(i));
    }
    QVERIFY(timer1(f).isActive());
}

void TestClock::gridPositions_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QPoint>("name");
    QTest::addColumn<QPoint>("face");
    QTest::addColumn<QPoint>("time");
    auto px = [](int x, int y) { return QPoint(twipsToPixels(x), twipsToPixels(y)); };
    QTest::addRow("row 0") << 0 << px(500, 780) << px(500, 1000) << px(500, 1750);
    QTest::addRow("row 13") << 13 << px(1700, 2200) << px(1700, 2420) << px(1700, 3170);
    QTest::addRow("row 59") << 59 << px(13700, 6460) << px(13700, 6680) << px(13700, 7430);
}

void TestClock::gridPositions()
{
    QFETCH(int, row);
    QFETCH(QPoint, name);
    QFETCH(QPoint, face);
    QFETCH(QPoint, time);
    ClockFixture f(fullFile());
    f.start();
    QCOMPARE(f.ville(row)->pos(), name);
    QCOMPARE(f.face(row)->pos(), face);
    QCOMPARE(f.digit(row)->pos(), time);
    QCOMPARE(f.face(row)->size(), QSize(48, 48));
    QCOMPARE(f.digit(row)->size(), QSize(47, 19));
    QVERIFY(f.digit(row)->geometry().bottom() < 529);
}

void TestClock::loading_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("visibleTimes");
    QTest::addColumn<QString>("lastName");
    // clang-format off
    QTest::addRow("59 cities") << fullFile() << 59 << "Ville59";
    QTest::addRow("10 cities") << cityFile({"A,1,1", "B,1,1", "C,1,1", "D,1,1", "E,1,1", "F,1,1", "G,1,1", "H,1,1", "I,1,1", "J,2,2"}) << 10 << "J";
    QList<QByteArray> seventy;
    for (int i = 1; i <= 70; ++i)
        seventy << "V" + QByteArray::number(i) + ",0,0";
    QTest::addRow("70 cities") << cityFile(seventy) << 59 << "V59";
    QTest::addRow("empty file") << QByteArray() << 0 << "";
    // clang-format on
}

void TestClock::loading()
{
    QFETCH(QByteArray, file);
    QFETCH(int, visibleTimes);
    QFETCH(QString, lastName);
    ClockFixture f(file);
    f.start();
    int visible = 0;
    for (int i = 1; i < kRows; ++i)
        visible += f.digit(i)->isVisible() ? 1 : 0;
    QCOMPARE(visible, visibleTimes);
    QCOMPARE(f.ville(59)->caption(), lastName);
    QVERIFY(f.ville(59)->isVisible());
    QVERIFY(f.platform.dialogs.shown.isEmpty());
    QCOMPARE(f.ville(0)->caption(), QStringLiteral("T.U"));
    QVERIFY(f.label("Label")->caption().startsWith(QStringLiteral("L'ordinateur est en Heure d'hiver.\r\n")));
    if (visibleTimes == 10)
        QCOMPARE(f.board().row(40).offset, 2.0f); // the last city's offset carries on
}

void TestClock::missingFileShowsTheBoxOnce()
{
    ClockFixture f({}, QDateTime(QDate(2024, 12, 9), QTime(10, 0), Qt::UTC), 1, false);
    Main& w = f.start();
    QCOMPARE(f.platform.dialogs.shown.size(), 1);
    const auto& box = f.platform.dialogs.shown.first();
    QCOMPARE(box.title, QStringLiteral("Erreur grave de pas trouver moi fichier"));
    QCOMPARE(box.text, QStringLiteral("Veuillez installer le fichier ''Horlune.ini'' dans le repertoire ") +
                           f.env.programDirectory() + QStringLiteral(" ..."));
    QCOMPARE(box.icon, DialogIcon::Warning);
    QCOMPARE(f.ville(0)->caption(), QStringLiteral("T.U"));
    QCOMPARE(f.ville(7)->caption(), QStringLiteral("7"));
    QCOMPARE(f.label("Label5")->caption(), QStringLiteral("lundi 09 déc. 2024"));
    QVERIFY(f.label("Label")->caption().isEmpty());
    QVERIFY(w.isVisible());
}

void TestClock::universalRowAndOwnTimeColours()
{
    // Computer one hour ahead: a city at 1 keeps the computer's time; 1.5 does not.
    ClockFixture f(cityFile({"Paris,1,1", "Inde,1.5,1.5", "Zero,0,0"}));
    f.start();
    QCOMPARE(f.ville(0)->textColor(), QColor(Qt::white));
    QVERIFY(f.ville(0)->isBold());
    QCOMPARE(f.digit(0)->textColor(), QColor(Qt::white));
    QCOMPARE(f.digit(0)->caption(), QStringLiteral("09.00"));
    QCOMPARE(f.ville(1)->textColor(), QColor(Qt::white));
    QVERIFY(f.ville(1)->isBold());
    QCOMPARE(f.digit(1)->textColor(), QColor(Qt::white));
    QCOMPARE(f.ville(2)->textColor(), QColor(Qt::black));
    QVERIFY(!f.ville(2)->isBold());
}

void TestClock::cityTimes_data()
{
    QTest::addColumn<QDateTime>("local");
    QTest::addColumn<int>("computerOffset");
    QTest::addColumn<QByteArray>("offset");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QDate>("date");
    auto at = [](int y, int m, int d, int h, int mi) { return QDateTime(QDate(y, m, d), QTime(h, mi), Qt::UTC); };
    // clang-format off
    QTest::addRow("half hour east") << at(2024, 12, 9, 10, 0) << 1 << QByteArray("5.5") << "14.30" << QDate(2024, 12, 9);
    QTest::addRow("past midnight") << at(2024, 12, 9, 23, 59) << 1 << QByteArray("9") << "07.59" << QDate(2024, 12, 10);
    QTest::addRow("before midnight, west") << at(2024, 12, 9, 0, 30) << 1 << QByteArray("-5") << "18.30" << QDate(2024, 12, 8);
    QTest::addRow("month end") << at(2024, 11, 30, 22, 0) << 0 << QByteArray("5.75") << "03.45" << QDate(2024, 12, 1);
    QTest::addRow("year end") << at(2024, 12, 31, 20, 0) << -5 << QByteArray("9") << "10.00" << QDate(2025, 1, 1);
    QTest::addRow("letters read as 0") << at(2024, 12, 9, 10, 0) << 1 << QByteArray("abc") << "09.00" << QDate(2024, 12, 9);
    // clang-format on
}

void TestClock::cityTimes()
{
    QFETCH(QDateTime, local);
    QFETCH(int, computerOffset);
    QFETCH(QByteArray, offset);
    QFETCH(QString, caption);
    QFETCH(QDate, date);
    ClockFixture f(cityFile({"X," + offset + "," + offset}), local, computerOffset);
    f.start();
    QCOMPARE(f.digit(1)->caption(), caption);
    QCOMPARE(f.board().row(1).cityTime.date(), date);
}

void TestClock::handsFollowTheTime()
{
    // 15:30: minute hand straight down, hour hand halfway between three and four.
    ClockFixture f(cityFile({"X,0,0"}), QDateTime(QDate(2024, 12, 9), QTime(15, 30, 40), Qt::UTC), 0);
    f.start();
    QCOMPARE(f.face(1)->hands(), std::optional(Hands{180, 105}));
}

void TestClock::previewHandsShowUniversalTime()
{
    // The panel's two preview faces show the Universal Time row's time, and turn with it.
    ClockFixture f(cityFile({"X,0,0"}), QDateTime(QDate(2024, 12, 9), QTime(16, 0), Qt::UTC), 1);
    Main& w = f.start();
    // 15:00 Universal Time: the minute hand up, the hour hand to the right.
    for (const char* name : {"Nuit", "Jour"})
        QCOMPARE(f.find<Picture>(QString::fromLatin1(name))->hands(), std::optional(Hands{0, 90}));
    f.platform.clock.advanceSeconds(15 * 60);
    w.tick();
    QCOMPARE(f.find<Picture>(QStringLiteral("Nuit"))->hands(), std::optional(Hands{90, 97.5})); // a quarter past
}

void TestClock::tickWritesClockAndSeconds()
{
    ClockFixture f(fullFile(), QDateTime(QDate(2024, 12, 9), QTime(14, 5, 33), Qt::UTC));
    Main& w = f.start();
    QCOMPARE(f.label("HeureDigitale")->caption(), QStringLiteral("Heure locale : 14.05.33"));
    QVERIFY(f.label("Label10")->caption().isEmpty());
    hover(f, 3);
    f.platform.clock.advanceSeconds(4);
    w.tick();
    QCOMPARE(f.label("HeureDigitale")->caption(), QStringLiteral("Heure locale : 14.05.37"));
    QCOMPARE(f.label("Label10")->caption(), QStringLiteral("37"));
}

void TestClock::fullRedrawOncePerMinute()
{
    ClockFixture f(cityFile({"X,1,1"}), QDateTime(QDate(2024, 12, 9), QTime(14, 5, 10), Qt::UTC));
    Main& w = f.start();
    QCOMPARE(f.digit(1)->caption(), QStringLiteral("14.05"));
    // Within the minute a tick writes the digital clock, and no row.
    f.platform.clock.advanceSeconds(5);
    Board::Changes changes;
    f.run([&changes](Board& board, const Instant& now) { return changes = board.tick(now); });
    QVERIFY(changes & Board::DigitalClock);
    QVERIFY(!(changes & Board::Rows));
    f.platform.clock.advanceSeconds(45);
    w.tick();
    QCOMPARE(f.digit(1)->caption(), QStringLiteral("14.06"));
    // The clock set three hours on: the minute's number is the same, the minute is not.
    f.platform.clock.advanceSeconds(3 * 3600 + 2);
    w.tick();
    QCOMPARE(f.digit(1)->caption(), QStringLiteral("17.06"));
}

void TestClock::dayAndNightFaces_data()
{
    QTest::addColumn<QTime>("time");
    QTest::addColumn<int>("dayHour");
    QTest::addColumn<int>("nightHour");
    QTest::addColumn<bool>("day");
    QTest::addRow("07.59 night") << QTime(7, 59) << 8 << 20 << false;
    QTest::addRow("08.00 day") << QTime(8, 0) << 8 << 20 << true;
    QTest::addRow("19.59 day") << QTime(19, 59) << 8 << 20 << true;
    QTest::addRow("20.00 night") << QTime(20, 0) << 8 << 20 << false;
    QTest::addRow("day after night: always night") << QTime(12, 0) << 20 << 8 << false;
    QTest::addRow("0 to 24: always day") << QTime(0, 0) << 0 << 24 << true;
}

void TestClock::dayAndNightFaces()
{
    QFETCH(QTime, time);
    QFETCH(int, dayHour);
    QFETCH(int, nightHour);
    QFETCH(bool, day);
    // A city showing that time gets that face and those hand colours.
    ClockFixture f(cityFile({"X,0,0", "Y,0,0"}), QDateTime(QDate(2024, 12, 9), time, Qt::UTC), 0);
    f.env.writeSetting("HJ", QString::number(dayHour));
    f.env.writeSetting("HN", QString::number(nightHour));
    f.env.writeSetting("P2", "T");
    f.start();
    const auto* expected = f.find<Picture>(day ? QStringLiteral("Jour") : QStringLiteral("Nuit"));
    QCOMPARE(f.face(1)->picture().cacheKey(), expected->picture().cacheKey());
    QCOMPARE(f.face(1)->minuteColour(), day ? kDayMinute : kNightMinute);
    QCOMPARE(f.face(1)->hourColour(), day ? kDayHour : kNightHour);
    QCOMPARE(f.face(2)->minuteColour(), QColor(Qt::yellow)); // marked
    QCOMPARE(f.face(2)->hourColour(), QColor(Qt::yellow));
}

void TestClock::dateLine_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("row"); // -1: out of sight
    QTest::addRow("all on one day") << cityFile({"A,0,0", "B,1,1", "C,2,2"}) << -1;
    QTest::addRow("rows 5 and 6") << cityFile({"A,0,0", "B,0,0", "C,0,0", "D,0,0", "E,0,0", "F,13,13"}) << 6;
    QTest::addRow("Universal row is never compared") << cityFile({"A,13,13", "B,13,13"}) << -1;
    QTest::addRow("only the first change") << cityFile({"A,0,0", "B,13,13", "C,0,0", "D,13,13"}) << 2;
    QTest::addRow("offset 12 reaches the next day") << fullFile() << 23;
}

void TestClock::dateLine()
{
    QFETCH(QByteArray, file);
    QFETCH(int, row);
    ClockFixture f(file, QDateTime(QDate(2024, 12, 9), QTime(12, 0), Qt::UTC), 0);
    Main& w = f.start();
    const QLineF line = f.grid().dateLine();
    if (row < 0) {
        QVERIFY(line.isNull());
        return;
    }
    const QPoint face(grid::left(row), grid::faceTop(row));
    QCOMPARE(line, QLineF(face.x() - 250, face.y() - 300, face.x() - 250, face.y() + 1000));
    // Light grey, five pixels wide, from above the name into the time.
    const QImage shown = w.grab().toImage();
    const QPoint middle = (line.center() / kTwipsPerPixel).toPoint();
    int grey = 0;
    for (int dx = -8; dx <= 8; ++dx)
        grey += shown.pixelColor(middle + QPoint(dx, 0)) == QColor(0xE0, 0xE0, 0xE0) ? 1 : 0;
    QCOMPARE(grey, 5);
}

void TestClock::hoverSentenceAndColours()
{
    ClockFixture f(cityFile({"Paris,1,1", "Tokyo,9,9", "Mumbai,-3.5,-3.5"}),
                   QDateTime(QDate(2024, 12, 9), QTime(10, 0, 7), Qt::UTC), 1);
    f.start();
    hover(f, 2);
    QCOMPARE(f.label("Label8")->caption(), QStringLiteral("Tokyo (Tu +9) le 09 décembre, il est 18.00."));
    QCOMPARE(f.label("Label8")->textColor(), QColor(Qt::red));
    QCOMPARE(f.label("Label10")->caption(), QStringLiteral("07"));
    QCOMPARE(f.ville(2)->textColor(), QColor(Qt::red));
    QCOMPARE(f.digit(2)->textColor(), QColor(Qt::red));
    QVERIFY(f.ville(2)->isBold());
    QCOMPARE(f.ville(1)->textColor(), QColor(Qt::white)); // the computer's own time

    // Moving on to the next city: the previous one returns to its normal look.
    hover(f, 3);
    QCOMPARE(f.label("Label8")->caption(), QStringLiteral("Mumbai (Tu -3,5) le 09 décembre, il est 05.30."));
    QCOMPARE(f.ville(2)->textColor(), QColor(Qt::black));
    QVERIFY(!f.ville(2)->isBold());

    // The Universal Time row matches nothing: the sentence stays, the highlight goes.
    hover(f, 0);
    QCOMPARE(f.label("Label8")->caption(), QStringLiteral("Mumbai (Tu -3,5) le 09 décembre, il est 05.30."));
    QCOMPARE(f.ville(3)->textColor(), QColor(Qt::black));

    // Hovering the face, the name or the time of a row gives the same result.
    for (const RowPart& part : {f.digit(2), f.ville(2)}) {
        hover(f, 3);
        moveOver(part, QPoint(5, 5));
        QCOMPARE(f.label("Label8")->caption(), QStringLiteral("Tokyo (Tu +9) le 09 décembre, il est 18.00."));
    }
}

void TestClock::everyRowCanBeHovered_data()
{
    QTest::addColumn<int>("row");
    for (int row : {1, 11, 12, 47, 58, 59})
        QTest::addRow("row %d", row) << row;
}

void TestClock::everyRowCanBeHovered()
{
    QFETCH(int, row);
    ClockFixture f(fullFile());
    f.start();
    hover(f, row);
    QVERIFY(f.label("Label8")->caption().startsWith(QStringLiteral("Ville%1 (Tu ").arg(row)));
    QCOMPARE(f.ville(row)->textColor(), QColor(Qt::red));
}

void TestClock::hoverMarkedCity()
{
    ClockFixture f(cityFile({"Paris,1,1", "Tokyo,9,9"}));
    f.env.writeSetting("P2", "T");
    f.start();
    QCOMPARE(f.ville(2)->textColor(), QColor(Qt::yellow));
    hover(f, 2);
    QCOMPARE(f.ville(2)->textColor(), QColor(Qt::yellow));
    QVERIFY(f.ville(2)->isBold());
    QCOMPARE(f.label("Label8")->textColor(), QColor(Qt::yellow));
    QCOMPARE(f.label("Label10")->textColor(), QColor(Qt::yellow));
    QVERIFY(f.label("Label8")->caption().startsWith(QStringLiteral("Tokyo (Tu +9) le ")));
}

void TestClock::markedCityStaysBoldAfterHover()
{
    ClockFixture f(cityFile({"Paris,1,1", "Tokyo,9,9", "Lima,-5,-5"}));
    f.env.writeSetting("P2", "T");
    f.start();
    hover(f, 2);
    hover(f, 3);
    QCOMPARE(f.ville(2)->textColor(), QColor(Qt::yellow));
    QVERIFY(f.ville(2)->isBold());
    QCOMPARE(f.face(2)->minuteColour(), QColor(Qt::yellow));
    moveOver(&f.grid(), QPoint(400, 5));
    QVERIFY(f.ville(2)->isBold());
    QCOMPARE(f.digit(2)->textColor(), QColor(Qt::yellow));
}

void TestClock::backgroundClearsHoverLine()
{
    ClockFixture f(cityFile({"Paris,1,1", "Tokyo,9,9"}));
    f.start();
    hover(f, 2);
    QVERIFY(!f.label("Label8")->caption().isEmpty());
    moveOver(&f.grid(), QPoint(400, 5));
    QVERIFY(f.label("Label8")->caption().isEmpty());
    QVERIFY(f.label("Label10")->caption().isEmpty());
    QCOMPARE(f.ville(2)->textColor(), QColor(Qt::black));
}

void TestClock::namesAreShownAsPlainText()
{
    ClockFixture f(cityFile({"<b>Gras</b>,1,1", "<img src=x>,2,2"}));
    Main& w = f.start();
    QCOMPARE(f.ville(1)->caption(), QStringLiteral("<b>Gras</b>"));
    QCOMPARE(f.ville(1)->text(), QStringLiteral("<b>Gras</b>"));
    hover(f, 2);
    QVERIFY(f.label("Label8")->caption().startsWith(QStringLiteral("<img src=x> (Tu +2)")));
    QCOMPARE(f.label("Label8")->textFormat(), Qt::PlainText);
    for (QLabel* label : w.findChildren<QLabel*>())
        QCOMPARE(label->textFormat(), Qt::PlainText);
}

void TestClock::summerTimeChangeWhileRunning()
{
    // Paris, left running across the night of the last Sunday of March: at 03:00 local the computer moves
    // from +1 to +2 and the season from winter to summer. A city with no zone changes with the season.
    ClockFixture f(cityFile({"Paris,2,1", "Nulle part,-4,-5"}), QDateTime(QDate(2025, 3, 29), QTime(23, 59), Qt::UTC),
                   1);
    Main& w = f.start();
    QCOMPARE(w.windowTitle(), QStringLiteral("Horlune (TU + 1 )"));
    QCOMPARE(f.digit(2)->caption(), QStringLiteral("17.59"));
    f.platform.clock.set(QDateTime(QDate(2025, 3, 30), QTime(3, 0), Qt::UTC), 2 * 3600);
    w.tick();
    QCOMPARE(w.windowTitle(), QStringLiteral("Horlune (TU + 2 )"));
    QCOMPARE(f.digit(0)->caption(), QStringLiteral("01.00"));
    QCOMPARE(f.digit(1)->caption(), QStringLiteral("03.00"));
    QCOMPARE(f.digit(2)->caption(), QStringLiteral("21.00"));
    QCOMPARE(f.board().row(2).offset, -4.0f); // the summer offset
    QCOMPARE(f.label("Label")->caption(),
             QStringLiteral("L'ordinateur est en Heure d'été.\r\nDécalage avec TU = 2 heure(s)."));
    QCOMPARE(f.platform.beeper.beeps, 1);
    QVERIFY(f.platform.dialogs.shown.isEmpty());
}

void TestClock::aNewSeasonComesFromTheListHeld()
{
    // A clock left running across the change to summer time takes its cities' summer offsets from the list
    // it holds, without reading the file again (replaced meanwhile): the rows past the end of its list still
    // show no time.
    ClockFixture f(cityFile({"Paris,2,1", "Rome,2,1"}), QDateTime(QDate(2025, 3, 29), QTime(23, 59), Qt::UTC), 1);
    Main& w = f.start();
    QCOMPARE(f.digit(1)->caption(), QStringLiteral("23.59"));
    QVERIFY(!f.digit(3)->isVisible());
    f.env.writeCityFile(fullFile());
    f.platform.clock.set(QDateTime(QDate(2025, 3, 30), QTime(3, 0), Qt::UTC), 2 * 3600);
    w.tick();
    QCOMPARE(f.digit(1)->caption(), QStringLiteral("03.00"));
    QVERIFY(!f.digit(3)->isVisible());
    QCOMPARE(f.ville(59)->caption(), QStringLiteral("Rome"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Horlune (TU + 2 )"));
}

void TestClock::offsetTooLargeHidesTheTime()
{
    ClockFixture f(cityFile({"A,3,3", "B," + QByteArray(60, '9') + "," + QByteArray(60, '9'), "C,1e30,1e30"}));
    f.start();
    QVERIFY(f.digit(1)->isVisible());
    QVERIFY(!f.digit(2)->isVisible());
    QCOMPARE(f.ville(2)->caption(), QStringLiteral("B"));
    QVERIFY(f.digit(3)->isVisible()); // 1e30 reads as 1
}

QTEST_MAIN(TestClock)
#include "tst_clock.moc"

void TestClock::facesByTheSunFromTheMenu()
{
    // 08.00 in Paris on 11 December 2026, before its sunrise at 08.34: a day face by the hours, a night face by
    // the sun, chosen in the menu and kept for the next start.
    ClockFixture f(cityFile({"Paris,2,1", "Atlantide,1,1"}), QDateTime(QDate(2026, 12, 11), QTime(8, 0), Qt::UTC), 1);
    Main& w = f.start();
    QAction* sun = nullptr;
    for (QAction* action : w.actions()) {
        if (action->text() == QStringLiteral("Jour et nuit selon le soleil"))
            sun = action;
    }
    QVERIFY(sun && sun->isCheckable() && !sun->isChecked());
    QCOMPARE(f.face(1)->picture().cacheKey(), look::picture(QStringLiteral("jour.gif")).cacheKey());
    sun->trigger();
    QCOMPARE(f.face(1)->picture().cacheKey(), look::picture(QStringLiteral("nuit.gif")).cacheKey());
    QCOMPARE(f.face(1)->minuteColour(), kNightMinute);
    // A city typed with its own offsets keeps the hours.
    QCOMPARE(f.face(2)->picture().cacheKey(), look::picture(QStringLiteral("jour.gif")).cacheKey());
    QCOMPARE(f.env.readSetting(QStringLiteral("Soleil")), QStringLiteral("T"));
    moveOver(f.face(1));
    QCOMPARE(f.label("Label8")->toolTip().isEmpty(), false); // the sentence with the sun is longer than its line
    QVERIFY(f.face(1)->accessibleName().endsWith(QStringLiteral("nuit, lever 08 h 34, coucher 16 h 54")));
    f.window.reset();

    f.start();
    QCOMPARE(f.face(1)->picture().cacheKey(), look::picture(QStringLiteral("nuit.gif")).cacheKey());
    for (QAction* action : f.window->actions()) {
        if (action->text() == QStringLiteral("Jour et nuit selon le soleil")) {
            QVERIFY(action->isChecked());
            action->trigger();
        }
    }
    QCOMPARE(f.env.readSetting(QStringLiteral("Soleil")), QStringLiteral("F"));
    QCOMPARE(f.face(1)->picture().cacheKey(), look::picture(QStringLiteral("jour.gif")).cacheKey());
}
