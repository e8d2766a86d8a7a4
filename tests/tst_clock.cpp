#include <QLocale>
#include <QTest>
#include <memory>

#include "app/controls.h"
#include "app/look.h"
#include "app/mainwindow.h"
#include "clock/rowmath.h"
#include "config/configpanel.h"
#include "support/mainfixture.h"
#include "support/mouse.h"

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
    void tickWritesClockAndSeconds();
    void fullRedrawOncePerMinute();
    void dayAndNightFaces_data();
    void dayAndNightFaces();
    void dateLine_data();
    void dateLine();
    void hoverSentenceAndColours();
    void hoverMarkedCity();
    void backgroundClearsHoverLine();
    void namesAreShownAsPlainText();
    void summerTimeChangeWhileRunning();
    void offsetTooLargeHidesTheTime();
};

void TestClock::startupBuildsSixtyRows()
{
    ClockFixture f(fullFile());
    Main& w = f.start();
    QCOMPARE(f.grid().rowCount(), 60);
    QCOMPARE(w.findChildren<Label*>(QRegularExpression("^Ville_\\d+$")).size(), 60);
    QCOMPARE(w.findChildren<Picture*>(QRegularExpression("^Image1_\\d+$")).size(), 60);
    QCOMPARE(f.platform.beeper.beeps, 1);
    QVERIFY(w.isVisible());
    QVERIFY(w.timer1().isActive());
    QCOMPARE(w.timer1().interval(), 300);
    QCOMPARE(w.panel()->x(), 14); // 210 twips
    QVERIFY(!w.panel()->isVisible());
    QCOMPARE(f.window->state().HJ, qint16(8));
    QCOMPARE(f.window->state().HN, qint16(20));
    QCOMPARE(w.panel()->nuit->hand(1).colour, QColor(240, 240, 240));
    QCOMPARE(w.panel()->nuit->hand(0).colour, QColor(210, 210, 210));
    QCOMPARE(w.panel()->jour->hand(1).colour, QColor(90, 90, 90));
    QCOMPARE(w.panel()->jour->hand(0).colour, QColor(40, 40, 40));
}

void TestClock::startupRunsAgainHarmlessly()
{
    ClockFixture f(cityFile({"Paris,1,1", "Rome,1,1"}));
    Main& w = f.start();
    QVERIFY(!f.grid().digit(5)->isVisible()); // past the end of the file
    f.env.writeCityFile(fullFile());
    f.grid().setHeureDigitaleTag(QString());
    w.Form_Load();
    w.Form_Load();
    QCOMPARE(f.grid().rowCount(), 60);
    QCOMPARE(w.findChildren<Label*>(QRegularExpression("^Digit_\\d+$")).size(), 60);
    QCOMPARE(f.platform.beeper.beeps, 3);
    for (int i = 1; i < 60; ++i) {
        QVERIFY(f.grid().digit(i)->isVisible());
        QCOMPARE(f.grid().ville(i)->caption(), QStringLiteral("Ville%1").arg(i));
    }
    QVERIFY(w.timer1().isActive());
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
    QCOMPARE(f.grid().ville(row)->pos(), name);
    QCOMPARE(f.grid().image1(row)->pos(), face);
    QCOMPARE(f.grid().digit(row)->pos(), time);
    QCOMPARE(f.grid().image1(row)->size(), QSize(48, 48));
    QCOMPARE(f.grid().digit(row)->size(), QSize(47, 19));
    QVERIFY(f.grid().digit(row)->geometry().bottom() < 529);
}

void TestClock::loading_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("visibleTimes");
    QTest::addColumn<QString>("lastName");
    QTest::addRow("59 cities") << fullFile() << 59 << "Ville59";
    QTest::addRow("10 cities") << cityFile({"A,1,1", "B,1,1", "C,1,1", "D,1,1", "E,1,1", "F,1,1", "G,1,1", "H,1,1",
                                            "I,1,1", "J,2,2"})
                               << 10 << "J";
    QList<QByteArray> seventy;
    for (int i = 1; i <= 70; ++i)
        seventy << "V" + QByteArray::number(i) + ",0,0";
    QTest::addRow("70 cities") << cityFile(seventy) << 59 << "V59";
    QTest::addRow("empty file") << QByteArray() << 0 << "";
}

void TestClock::loading()
{
    QFETCH(QByteArray, file);
    QFETCH(int, visibleTimes);
    QFETCH(QString, lastName);
    ClockFixture f(file);
    Main& w = f.start();
    int visible = 0;
    for (int i = 1; i < 60; ++i)
        visible += f.grid().digit(i)->isVisible() ? 1 : 0;
    QCOMPARE(visible, visibleTimes);
    QCOMPARE(f.grid().ville(59)->caption(), lastName);
    QVERIFY(f.grid().ville(59)->isVisible());
    QVERIFY(f.platform.dialogs.shown.isEmpty());
    QCOMPARE(f.grid().ville(0)->caption(), QStringLiteral("T.U"));
    QCOMPARE(w.state().DecalDeFuseau, QStringLiteral("Heure d'hiver"));
    QVERIFY(w.panel()->label->caption().startsWith(QStringLiteral("L'ordinateur est en Heure d'hiver.\r\n")));
    if (visibleTimes == 10)
        QCOMPARE(w.state().DecalVille[40], 2.0f); // the last city's offset carries on
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
    QCOMPARE(f.grid().ville(0)->caption(), QStringLiteral("T.U"));
    QCOMPARE(f.grid().ville(7)->caption(), QStringLiteral("7"));
    QCOMPARE(w.panel()->label5->caption(), QStringLiteral("lundi 09 déc. 2024"));
    QVERIFY(w.panel()->label->caption().isEmpty());
    QVERIFY(w.isVisible());
}

void TestClock::universalRowAndOwnTimeColours()
{
    // Computer one hour ahead: a city at 1 keeps the computer's time; 1.5 does not.
    ClockFixture f(cityFile({"Paris,1,1", "Inde,1.5,1.5", "Zero,0,0"}));
    f.start();
    QCOMPARE(f.grid().ville(0)->textColor(), QColor(Qt::white));
    QVERIFY(f.grid().ville(0)->isBold());
    QCOMPARE(f.grid().digit(0)->caption(), QStringLiteral("09.00"));
    QCOMPARE(f.grid().ville(1)->textColor(), QColor(Qt::white));
    QVERIFY(f.grid().ville(1)->isBold());
    QCOMPARE(f.grid().digit(1)->textColor(), QColor(Qt::white));
    QCOMPARE(f.grid().ville(2)->textColor(), QColor(Qt::black));
    QVERIFY(!f.grid().ville(2)->isBold());
}

void TestClock::cityTimes_data()
{
    QTest::addColumn<QDateTime>("local");
    QTest::addColumn<int>("computerOffset");
    QTest::addColumn<QByteArray>("offset");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("tag");
    auto at = [](int y, int m, int d, int h, int mi) { return QDateTime(QDate(y, m, d), QTime(h, mi), Qt::UTC); };
    QTest::addRow("half hour east") << at(2024, 12, 9, 10, 0) << 1 << QByteArray("5.5") << "14.30" << "09/12/2024";
    QTest::addRow("past midnight") << at(2024, 12, 9, 23, 59) << 1 << QByteArray("9") << "07.59" << "10/12/2024";
    QTest::addRow("before midnight, west") << at(2024, 12, 9, 0, 30) << 1 << QByteArray("-5") << "18.30" << "08/12/2024";
    QTest::addRow("month end") << at(2024, 11, 30, 22, 0) << 0 << QByteArray("5.75") << "03.45" << "01/12/2024";
    QTest::addRow("year end") << at(2024, 12, 31, 20, 0) << -5 << QByteArray("9") << "10.00" << "01/01/2025";
    QTest::addRow("letters read as 0") << at(2024, 12, 9, 10, 0) << 1 << QByteArray("abc") << "09.00" << "09/12/2024";
}

void TestClock::cityTimes()
{
    QFETCH(QDateTime, local);
    QFETCH(int, computerOffset);
    QFETCH(QByteArray, offset);
    QFETCH(QString, caption);
    QFETCH(QString, tag);
    ClockFixture f(cityFile({"X," + offset + "," + offset}), local, computerOffset);
    f.start();
    QCOMPARE(f.grid().digit(1)->caption(), caption);
    QCOMPARE(f.grid().digitTag(1), tag);
}

void TestClock::handsFollowTheTime()
{
    // 15:30: minute hand straight down, hour hand halfway between three and four.
    ClockFixture f(cityFile({"X,0,0"}), QDateTime(QDate(2024, 12, 9), QTime(15, 30, 40), Qt::UTC), 0);
    f.start();
    const Picture* face = f.grid().image1(1);
    const double cx = face->leftTwips() + 360, cy = face->topTwips() + 360;
    const QLineF minute = face->hand(1).twips, hour = face->hand(0).twips;
    QCOMPARE(minute.p1(), QPointF(cx, cy));
    QVERIFY(qAbs(minute.p2().x() - cx) < 1e-6);
    QVERIFY(qAbs(minute.p2().y() - (cy + 315)) < 1e-6);
    const double angle = 15.5 * 6.2831853072 / 12;
    QVERIFY(qAbs(hour.p2().x() - (cx + std::sin(angle) * 200)) < 1e-6);
    QVERIFY(qAbs(hour.p2().y() - (cy - std::cos(angle) * 200)) < 1e-6);
    QCOMPARE(face->hand(0).width, 2);
    QCOMPARE(face->hand(1).width, 2);
}

void TestClock::tickWritesClockAndSeconds()
{
    ClockFixture f(fullFile(), QDateTime(QDate(2024, 12, 9), QTime(14, 5, 33), Qt::UTC));
    Main& w = f.start();
    QCOMPARE(w.heureDigitale()->caption(), QStringLiteral("Heure locale : 14.05.33"));
    QVERIFY(w.label10()->caption().isEmpty());
    f.grid().InfoVille(3);
    f.platform.clock.advanceSeconds(4);
    f.grid().Timer1_Timer();
    QCOMPARE(w.heureDigitale()->caption(), QStringLiteral("Heure locale : 14.05.37"));
    QCOMPARE(w.label10()->caption(), QStringLiteral("37"));
}

void TestClock::fullRedrawOncePerMinute()
{
    ClockFixture f(cityFile({"X,1,1"}), QDateTime(QDate(2024, 12, 9), QTime(14, 5, 10), Qt::UTC));
    f.start();
    QCOMPARE(f.grid().heureDigitaleTag(), QStringLiteral("5"));
    QCOMPARE(f.grid().digit(1)->caption(), QStringLiteral("14.05"));
    f.grid().digit(1)->setCaption(QStringLiteral("xx"));
    f.grid().Timer1_Timer(); // same minute: rows untouched
    QCOMPARE(f.grid().digit(1)->caption(), QStringLiteral("xx"));
    f.grid().setHeureDigitaleTag(QString()); // an empty tag forces a redraw
    f.grid().Timer1_Timer();
    QCOMPARE(f.grid().digit(1)->caption(), QStringLiteral("14.05"));
    f.platform.clock.advanceSeconds(50);
    f.grid().Timer1_Timer();
    QCOMPARE(f.grid().digit(1)->caption(), QStringLiteral("14.06"));
    QCOMPARE(f.grid().heureDigitaleTag(), QStringLiteral("6"));
}

void TestClock::dayAndNightFaces_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("dayHour");
    QTest::addColumn<int>("nightHour");
    QTest::addColumn<bool>("day");
    QTest::addRow("07.59 night") << "07.59" << 8 << 20 << false;
    QTest::addRow("08.00 day") << "08.00" << 8 << 20 << true;
    QTest::addRow("19.59 day") << "19.59" << 8 << 20 << true;
    QTest::addRow("20.00 night") << "20.00" << 8 << 20 << false;
    QTest::addRow("day after night: always night") << "12.00" << 20 << 8 << false;
    QTest::addRow("0 to 24: always day") << "00.00" << 0 << 24 << true;
    QTest::addRow("0 to 24 late") << "23.59" << 0 << 24 << true;
}

void TestClock::dayAndNightFaces()
{
    QFETCH(QString, caption);
    QFETCH(int, dayHour);
    QFETCH(int, nightHour);
    QFETCH(bool, day);
    QCOMPARE(isDayFace(caption, qint16(dayHour), qint16(nightHour)), day);

    // The same through the window: a city showing that time gets that face and those hand colours.
    const QTime time = QTime::fromString(caption, QStringLiteral("HH.mm"));
    ClockFixture f(cityFile({"X,0,0", "Y,0,0"}), QDateTime(QDate(2024, 12, 9), time, Qt::UTC), 0);
    f.env.writeSetting("HJ", QString::number(dayHour));
    f.env.writeSetting("HN", QString::number(nightHour));
    f.env.writeSetting("P2", "T");
    Main& w = f.start();
    const Picture* expected = day ? w.panel()->jour : w.panel()->nuit;
    QCOMPARE(f.grid().image1(1)->picture().cacheKey(), expected->picture().cacheKey());
    QCOMPARE(f.grid().image1(1)->hand(1).colour, day ? QColor(90, 90, 90) : QColor(240, 240, 240));
    QCOMPARE(f.grid().image1(1)->hand(0).colour, day ? QColor(40, 40, 40) : QColor(210, 210, 210));
    QCOMPARE(f.grid().image1(2)->hand(1).colour, QColor(Qt::yellow)); // marked
    QCOMPARE(f.grid().image1(2)->hand(0).colour, QColor(Qt::yellow));
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
    const QLineF line = w.line1()->ends();
    if (row < 0) {
        QCOMPARE(line.x1(), -250.0);
        QCOMPARE(line.x2(), -250.0);
        return;
    }
    const Picture* face = f.grid().image1(row);
    QCOMPARE(line, QLineF(face->leftTwips() - 250, face->topTwips() - 300, face->leftTwips() - 250, face->topTwips() + 1000));
    QCOMPARE(w.line1()->lineWidth(), 5);
    QCOMPARE(w.line1()->colour(), QColor(0xE0, 0xE0, 0xE0));
}

void TestClock::hoverSentenceAndColours()
{
    ClockFixture f(cityFile({"Paris,1,1", "Tokyo,9,9", "Mumbai,-3.5,-3.5"}),
                   QDateTime(QDate(2024, 12, 9), QTime(10, 0, 7), Qt::UTC), 1);
    Main& w = f.start();
    f.grid().InfoVille(2);
    QCOMPARE(w.label8()->caption(), QStringLiteral("Tokyo (Tu +9) le 09 décembre, il est 18.00."));
    QCOMPARE(w.label8()->textColor(), QColor(Qt::red));
    QCOMPARE(w.label10()->caption(), QStringLiteral("07"));
    QCOMPARE(f.grid().ville(2)->textColor(), QColor(Qt::red));
    QVERIFY(f.grid().ville(2)->isBold());
    QCOMPARE(f.grid().ville(1)->textColor(), QColor(Qt::white)); // the computer's own time

    // Moving on to the next city: the previous one returns to its normal look.
    f.grid().InfoVille(3);
    QCOMPARE(w.label8()->caption(), QStringLiteral("Mumbai (Tu -3,5) le 09 décembre, il est 05.30."));
    QCOMPARE(f.grid().ville(2)->textColor(), QColor(Qt::black));
    QVERIFY(!f.grid().ville(2)->isBold());

    // The Universal Time row matches nothing: the sentence stays, the highlight goes.
    f.grid().InfoVille(0);
    QCOMPARE(w.label8()->caption(), QStringLiteral("Mumbai (Tu -3,5) le 09 décembre, il est 05.30."));
    QCOMPARE(f.grid().ville(3)->textColor(), QColor(Qt::black));

    // Hovering the face, the name or the time of a row gives the same result.
    QTest::mouseMove(f.grid().digit(2), QPoint(5, 5));
    QTRY_COMPARE(w.label8()->caption(), QStringLiteral("Tokyo (Tu +9) le 09 décembre, il est 18.00."));
}

void TestClock::hoverMarkedCity()
{
    ClockFixture f(cityFile({"Paris,1,1", "Tokyo,9,9"}));
    f.env.writeSetting("P2", "T");
    Main& w = f.start();
    QCOMPARE(f.grid().ville(2)->textColor(), QColor(Qt::yellow));
    f.grid().InfoVille(2);
    QCOMPARE(f.grid().ville(2)->textColor(), QColor(Qt::yellow));
    QVERIFY(f.grid().ville(2)->isBold());
    QCOMPARE(w.label8()->textColor(), QColor(Qt::yellow));
    QCOMPARE(w.label10()->textColor(), QColor(Qt::yellow));
    QVERIFY(w.label8()->caption().startsWith(QStringLiteral("Tokyo (Tu +9) le ")));
}

void TestClock::backgroundClearsHoverLine()
{
    ClockFixture f(cityFile({"Paris,1,1", "Tokyo,9,9"}));
    Main& w = f.start();
    f.grid().InfoVille(2);
    QVERIFY(!w.label8()->caption().isEmpty());
    moveOver(&w, QPoint(400, 5));
    QVERIFY(w.label8()->caption().isEmpty());
    QVERIFY(w.label10()->caption().isEmpty());
    QCOMPARE(f.grid().ville(2)->textColor(), QColor(Qt::black));
}

void TestClock::namesAreShownAsPlainText()
{
    ClockFixture f(cityFile({"<b>Gras</b>,1,1", "<img src=x>,2,2"}));
    Main& w = f.start();
    QCOMPARE(f.grid().ville(1)->caption(), QStringLiteral("<b>Gras</b>"));
    QCOMPARE(f.grid().ville(1)->textFormat(), Qt::PlainText);
    f.grid().InfoVille(2);
    QVERIFY(w.label8()->caption().startsWith(QStringLiteral("<img src=x> (Tu +2)")));
    QCOMPARE(w.label8()->textFormat(), Qt::PlainText);
    for (QLabel* label : w.findChildren<QLabel*>())
        QCOMPARE(label->textFormat(), Qt::PlainText);
}

void TestClock::summerTimeChangeWhileRunning()
{
    // Paris, left running across the night of the last Sunday of March: at 03:00 local the computer moves
    // from +1 to +2 and the season from winter to summer.
    ClockFixture f(cityFile({"Paris,2,1", "New York,-4,-5"}), QDateTime(QDate(2025, 3, 29), QTime(23, 59), Qt::UTC), 1);
    Main& w = f.start();
    QCOMPARE(w.windowTitle(), QStringLiteral("Horlune (TU + 1 )"));
    QCOMPARE(f.grid().digit(2)->caption(), QStringLiteral("17.59"));
    f.platform.clock.set(QDateTime(QDate(2025, 3, 30), QTime(3, 0), Qt::UTC), 2 * 3600);
    f.grid().Timer1_Timer();
    QVERIFY(w.state().HeureETE);
    QCOMPARE(w.state().DifGMT, 2.0f);
    QCOMPARE(w.windowTitle(), QStringLiteral("Horlune (TU + 2 )"));
    QCOMPARE(f.grid().digit(0)->caption(), QStringLiteral("01.00"));
    QCOMPARE(f.grid().digit(1)->caption(), QStringLiteral("03.00"));
    QCOMPARE(f.grid().digit(2)->caption(), QStringLiteral("21.00"));
    QCOMPARE(w.state().DecalDeFuseau, QStringLiteral("Heure d'été"));
    QCOMPARE(f.platform.beeper.beeps, 1);
    QVERIFY(f.platform.dialogs.shown.isEmpty());
}

void TestClock::offsetTooLargeHidesTheTime()
{
    ClockFixture f(cityFile({"A,3,3", "B," + QByteArray(60, '9') + "," + QByteArray(60, '9'), "C,1e30,1e30"}));
    f.start();
    QVERIFY(f.grid().digit(1)->isVisible());
    QVERIFY(!f.grid().digit(2)->isVisible());
    QCOMPARE(f.grid().ville(2)->caption(), QStringLiteral("B"));
    QVERIFY(f.grid().digit(3)->isVisible()); // 1e30 reads as 1
}

QTEST_MAIN(TestClock)
#include "tst_clock.moc"
