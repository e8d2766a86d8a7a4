#include <QAccessible>
#include <QLineEdit>
#include <QLocale>
#include <QTest>
#include <cmath>

#include "clock/clockgrid.h"
#include "clock/timeentry.h"
#include "config/configpanel.h"
#include "rows/geometry.h"
#include "support/mainfixture.h"
#include "support/mouse.h"
#include "ui/controls.h"

// Planning across the zones: the wheel, the keys and a time typed for a city move every clock to another
// instant; the line beside the digital clock says how far; Escape, Home, a click on that line, the panel or
// two minutes without a step bring every clock back to now. The fake clock gives every instant.
class TestPlanning : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
    void cleanup() { QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty()); }

    void wheelMovesEveryClock_data();
    void wheelMovesEveryClock();
    void keysMoveEveryClock_data();
    void keysMoveEveryClock();
    void keysAreShownWhereTheyAct();
    void dateLineSweepsWithTheShift();
    void acrossAChangeOfSummerTime();
    void hoverSpeaksOfTheShiftedInstant();
    void screenReadersFollowTheShift();
    void backToNow_data();
    void backToNow();
    void ticksLeaveTheShiftedRowsAlone();
    void twoMinutesWithoutAStepBringBackNow();
    void typedTimeMovesEveryClock_data();
    void typedTimeMovesEveryClock();
    void typingCanBeAbandoned();
};

namespace {

// Paris, Tokyo and Honolulu, on Monday 9 December 2024 at 10:00 in Paris (09:00 Universal Time): Tokyo
// reads 18.00, Honolulu 23.00 on the 8th.
QByteArray threeCities()
{
    return cityFile({"Paris,2,1", "Tokyo,9,9", "Honolulu,-10,-10"});
}
const QDateTime kMonday10(QDate(2024, 12, 9), QTime(10, 0), Qt::UTC);

Label* shiftLine(const ClockFixture& f)
{
    return f.label(QStringLiteral("HeureVisee"));
}

TimeEntry* entry(const ClockFixture& f)
{
    return f.window->findChild<TimeEntry*>(QStringLiteral("SaisieHeure"));
}

// The date line's place, in twips from the window's left edge; -250 out of sight.
qreal dateLineX(const ClockFixture& f)
{
    const QLineF line = f.grid().dateLine();
    return line.isNull() ? -250 : line.x1();
}

// Types `text` in the box opened over row `row`'s time label, then Enter.
void typeTime(const ClockFixture& f, int row, const QString& text)
{
    doubleClick(f.digit(row));
    TimeEntry* box = entry(f);
    QVERIFY(box && box->isVisible());
    // What the box opened with is selected: typing replaces it, and Backspace empties it.
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Return);
}

} // namespace

void TestPlanning::wheelMovesEveryClock_data()
{
    QTest::addColumn<QString>("over"); // the control under the pointer
    QTest::addColumn<QList<int>>("angles");
    QTest::addColumn<bool>("inverted");
    QTest::addColumn<QString>("tokyo");
    QTest::addColumn<QString>("line");
    // clang-format off
    QTest::addRow("a notch over a face") << "Image1_2" << QList<int>{120} << false << "18.15" << "Dans 15 min — lundi 9 décembre, 10.15 ici";
    QTest::addRow("three notches back over a name") << "Ville_1" << QList<int>{-120, -120, -120} << false << "17.15" << "Il y a 45 min — lundi 9 décembre, 09.15 ici";
    QTest::addRow("13 notches at once over a time") << "Digit_3" << QList<int>{13 * 120} << false << "21.15" << "Dans 3 h 15 — lundi 9 décembre, 13.15 ici";
    QTest::addRow("over the bare window") << "Main" << QList<int>{240} << false << "18.30" << "Dans 30 min — lundi 9 décembre, 10.30 ici";
    QTest::addRow("over the digital clock") << "HeureDigitale" << QList<int>{120} << false << "18.15" << "Dans 15 min — lundi 9 décembre, 10.15 ici";
    QTest::addRow("reversed scrolling: still away is forward") << "Image1_2" << QList<int>{120} << true << "18.15" << "Dans 15 min — lundi 9 décembre, 10.15 ici";
    QTest::addRow("a high-resolution wheel, 8 at a time") << "Image1_2" << QList<int>(16, 8) << false << "18.15" << "Dans 15 min — lundi 9 décembre, 10.15 ici";
    QTest::addRow("10,000 notches at once: a week") << "Image1_2" << QList<int>{1200000} << false << "18.00" << "Dans 7 j — lundi 16 décembre, 10.00 ici";
    QTest::addRow("10,000 notches back, then one forward") << "Image1_2" << QList<int>{-1200000, 120} << false << "18.15" << "Il y a 6 j 23 h 45 — lundi 2 décembre, 10.15 ici";
    QTest::addRow("there and back: now") << "Image1_2" << QList<int>{120, -120} << false << "18.00" << "";
    // clang-format on
}

void TestPlanning::wheelMovesEveryClock()
{
    QFETCH(QString, over);
    QFETCH(QList<int>, angles);
    QFETCH(bool, inverted);
    QFETCH(QString, tokyo);
    QFETCH(QString, line);
    ClockFixture f(threeCities(), kMonday10.addSecs(7), 1);
    f.start();
    QVERIFY(!shiftLine(f)->isVisible());
    const ClockFixture::Spot target = f.spot(over, QPoint(5, 5));
    for (int angle : angles)
        turnWheelOver(target.widget, angle, inverted, target.point);
    QCOMPARE(f.digit(2)->caption(), tokyo);
    QCOMPARE(shiftLine(f)->caption(), line);
    QCOMPARE(shiftLine(f)->isVisible(), !line.isEmpty());
    QCOMPARE(f.board().isShifted(), !line.isEmpty());
    // The digital clock keeps the real time.
    QCOMPARE(f.label("HeureDigitale")->caption(), QStringLiteral("Heure locale : 10.00.07"));
}

void TestPlanning::keysMoveEveryClock_data()
{
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QString>("tokyo");
    QTest::addColumn<QString>("line");
    // clang-format off
    QTest::addRow("Right, Right") << QList<int>{Qt::Key_Right, Qt::Key_Right} << "18.30" << "Dans 30 min — lundi 9 décembre, 10.30 ici";
    QTest::addRow("Left") << QList<int>{Qt::Key_Left} << "17.45" << "Il y a 15 min — lundi 9 décembre, 09.45 ici";
    QTest::addRow("Page Up, Right") << QList<int>{Qt::Key_PageUp, Qt::Key_Right} << "19.15" << "Dans 1 h 15 — lundi 9 décembre, 11.15 ici";
    QTest::addRow("Page Down") << QList<int>{Qt::Key_PageDown} << "17.00" << "Il y a 1 h — lundi 9 décembre, 09.00 ici";
    QTest::addRow("Page Up, then Home") << QList<int>{Qt::Key_PageUp, Qt::Key_Home} << "18.00" << "";
    QTest::addRow("Page Up, then Escape") << QList<int>{Qt::Key_PageUp, Qt::Key_Escape} << "18.00" << "";
    QTest::addRow("200 hours: a week") << QList<int>(200, Qt::Key_PageUp) << "18.00" << "Dans 7 j — lundi 16 décembre, 10.00 ici";
    QTest::addRow("other keys do nothing") << QList<int>{Qt::Key_Up, Qt::Key_A, Qt::Key_Space} << "18.00" << "";
    // clang-format on
}

void TestPlanning::keysMoveEveryClock()
{
    QFETCH(QList<int>, keys);
    QFETCH(QString, tokyo);
    QFETCH(QString, line);
    ClockFixture f(threeCities(), kMonday10, 1);
    Main& w = f.start();
    QCOMPARE(f.grid().focusPolicy(), Qt::StrongFocus);
    for (int key : keys)
        QTest::keyClick(&w, Qt::Key(key));
    QCOMPARE(f.digit(2)->caption(), tokyo);
    QCOMPARE(shiftLine(f)->caption(), line);
    QCOMPARE(shiftLine(f)->isVisible(), !line.isEmpty());

    // While the panel is open the keys are not for the clocks, and opening it brought them back to now.
    f.openPanel();
    QVERIFY(!shiftLine(f)->isVisible());
    QTest::keyClick(&w, Qt::Key_PageUp);
    QVERIFY(!f.board().isShifted());
    f.pressOk();
}

void TestPlanning::keysAreShownWhereTheyAct()
{
    // A dotted frame around the clocks once the keys are used, gone when the window loses the focus; a
    // click gives the focus without the frame, a tab with it.
    ClockFixture f(threeCities(), kMonday10, 1);
    Main& w = f.start();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QVERIFY(f.grid().hasFocus());
    // White dots along the frame's left edge, in the margin left of the clocks and of the open panel.
    auto framePixels = [&w] {
        const QImage image = w.grab().toImage();
        const int left = twipsToPixels(150);
        int white = 0;
        for (int y = 100; y < 400; ++y)
            white += image.pixelColor(left, y) == QColor(Qt::white) ? 1 : 0;
        return white;
    };
    QCOMPARE(framePixels(), 0);
    QTest::keyClick(&w, Qt::Key_Right);
    QVERIFY(framePixels() > 50);
    // Not beside the open panel, whose boxes take the keys.
    f.openPanel();
    QCOMPARE(framePixels(), 0);
    f.pressOk();
    QTest::keyClick(&w, Qt::Key_Right);
    QVERIFY(framePixels() > 50);
    f.grid().clearFocus();
    QCOMPARE(framePixels(), 0);
    f.grid().setFocus(Qt::MouseFocusReason);
    QCOMPARE(framePixels(), 0);
    f.grid().clearFocus();
    f.grid().setFocus(Qt::TabFocusReason);
    QVERIFY(framePixels() > 50);
}

void TestPlanning::dateLineSweepsWithTheShift()
{
    // Honolulu (row 3) is still on the 8th: the line stands before it. An hour later every city is on the
    // 9th; five hours later Tokyo (row 2) has passed midnight.
    ClockFixture f(threeCities(), kMonday10, 1);
    Main& w = f.start();
    const qreal beforeHonolulu = grid::left(3) - grid::kDateLineBeforeFace;
    QCOMPARE(dateLineX(f), beforeHonolulu);
    turnWheelOver(f.face(1), 4 * 120);
    QCOMPARE(dateLineX(f), -250.0);
    turnWheelOver(f.face(1), 20 * 120);
    QCOMPARE(f.digit(2)->caption(), QStringLiteral("00.00"));
    QCOMPARE(f.board().row(2).cityTime.date(), QDate(2024, 12, 10));
    QCOMPARE(dateLineX(f), qreal(grid::left(2) - grid::kDateLineBeforeFace));
    QTest::keyClick(&w, Qt::Key_Escape);
    QCOMPARE(dateLineX(f), beforeHonolulu);
}

void TestPlanning::acrossAChangeOfSummerTime()
{
    // Paris follows its zone into summer time on 29 March 2026; a city without a zone takes the summer
    // offset of the program's rule for the shifted date. The window's caption (the computer's offset) stays.
    ClockFixture f(cityFile({"Paris,2,1", "Nulle part,-4,-5"}), QDateTime(QDate(2026, 3, 28), QTime(12, 0), Qt::UTC),
                   1);
    Main& w = f.start();
    QCOMPARE(f.digit(1)->caption(), QStringLiteral("12.00"));
    QCOMPARE(f.digit(2)->caption(), QStringLiteral("06.00"));
    for (int hour = 0; hour < 24; ++hour)
        QTest::keyClick(&w, Qt::Key_PageUp);
    QCOMPARE(f.digit(1)->caption(), QStringLiteral("13.00"));
    QCOMPARE(f.digit(2)->caption(), QStringLiteral("07.00"));
    QCOMPARE(f.board().row(2).offset, -4.0f);
    QCOMPARE(shiftLine(f)->caption(), QStringLiteral("Dans 1 j — dimanche 29 mars, 12.00 ici"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Horlune (TU + 1 )"));
    QTest::keyClick(&w, Qt::Key_Home);
    QCOMPARE(f.digit(2)->caption(), QStringLiteral("06.00"));
    QCOMPARE(f.board().row(2).offset, -5.0f);
}

void TestPlanning::hoverSpeaksOfTheShiftedInstant()
{
    ClockFixture f(threeCities(), kMonday10.addSecs(7), 1);
    Main& w = f.start();
    moveOver(f.face(2), QPoint(5, 5));
    QCOMPARE(f.label("Label8")->caption(), QStringLiteral("Tokyo (Tu +9) le 09 décembre, il est 18.00."));
    QCOMPARE(f.label("Label10")->caption(), QStringLiteral("07"));
    // The wheel turned over the city: the sentence follows, without seconds, and the city stays lit.
    turnWheelOver(f.face(2), 33 * 120);
    QCOMPARE(f.label("Label8")->caption(), QStringLiteral("Tokyo (Tu +9) le 10 décembre, il sera 02.15."));
    QVERIFY(f.label("Label10")->caption().isEmpty());
    QCOMPARE(f.ville(2)->textColor(), QColor(Qt::red));
    w.tick();
    QVERIFY(f.label("Label10")->caption().isEmpty());
    QTest::keyClick(&w, Qt::Key_PageDown);
    QTest::keyClick(&w, Qt::Key_PageDown);
    moveOver(f.face(3), QPoint(5, 5));
    QCOMPARE(f.label("Label8")->caption(), QStringLiteral("Honolulu (Tu -10) le 09 décembre, il sera 05.15."));
    turnWheelOver(f.face(3), -40 * 120);
    QCOMPARE(f.label("Label8")->caption(), QStringLiteral("Honolulu (Tu -10) le 08 décembre, il était 19.15."));
    // A city at the computer's own time at the shifted instant is white, as now.
    QCOMPARE(f.ville(1)->textColor(), QColor(Qt::white));
    // Back to now: the sentence is of now again.
    QTest::keyClick(&w, Qt::Key_Escape);
    QCOMPARE(f.label("Label8")->caption(), QStringLiteral("Honolulu (Tu -10) le 08 décembre, il est 23.00."));
    QCOMPARE(f.label("Label10")->caption(), QStringLiteral("07"));
}

void TestPlanning::screenReadersFollowTheShift()
{
    ClockFixture f(threeCities(), kMonday10, 1);
    Main& w = f.start();
    QCOMPARE(f.face(2)->accessibleName(), QStringLiteral("Tokyo, 18 h 00, lundi 9 décembre, jour"));
    QTest::keyClick(&w, Qt::Key_PageUp);
    QTest::keyClick(&w, Qt::Key_PageUp);
    QTest::keyClick(&w, Qt::Key_Right);
    QCOMPARE(f.face(2)->accessibleName(), QStringLiteral("Tokyo, 20 h 15, lundi 9 décembre, nuit"));
    QAccessibleInterface* line = QAccessible::queryAccessibleInterface(shiftLine(f));
    QVERIFY(line);
    QCOMPARE(line->text(QAccessible::Name), QStringLiteral("Dans 2 h 15 — lundi 9 décembre, 12.15 ici"));
    QCOMPARE(line->text(QAccessible::Name), shiftLine(f)->caption());
    QVERIFY(!line->state().invisible);
    QTest::keyClick(&w, Qt::Key_Home);
    QVERIFY(line->state().invisible);
    QCOMPARE(f.face(2)->accessibleName(), QStringLiteral("Tokyo, 18 h 00, lundi 9 décembre, jour"));
}

void TestPlanning::backToNow_data()
{
    QTest::addColumn<QString>("how");
    QTest::addRow("a click on the shift line") << "click";
    QTest::addRow("Escape") << "Escape";
    QTest::addRow("Home") << "Home";
    QTest::addRow("the configuration panel") << "panel";
    QTest::addRow("a redraw of every row, as after a save") << "redraw";
}

void TestPlanning::backToNow()
{
    QFETCH(QString, how);
    ClockFixture f(threeCities(), kMonday10, 1);
    Main& w = f.start();
    turnWheelOver(f.face(2), 5 * 120);
    QCOMPARE(f.digit(2)->caption(), QStringLiteral("19.15"));
    // A minute has passed meanwhile: now is 10:01.
    f.platform.clock.advanceSeconds(60);
    if (how == QLatin1String("click"))
        QTest::mouseClick(shiftLine(f), Qt::LeftButton);
    else if (how == QLatin1String("Escape"))
        QTest::keyClick(&w, Qt::Key_Escape);
    else if (how == QLatin1String("Home"))
        QTest::keyClick(&w, Qt::Key_Home);
    else if (how == QLatin1String("panel"))
        f.openPanel();
    else
        f.run([&f](Board& board, const Instant& now) { return board.reload(f.window->configuration(), now); });
    QVERIFY(!f.board().isShifted());
    QVERIFY(!shiftLine(f)->isVisible());
    QCOMPARE(f.digit(2)->caption(), QStringLiteral("18.01"));
    QCOMPARE(f.digit(0)->caption(), QStringLiteral("09.01"));
    QCOMPARE(f.platform.desktop.moves, 0); // a click on the line does not move the window
    if (how == QLatin1String("panel")) {
        // The panel's preview faces show the Universal Time of now.
        QCOMPARE(f.find<Picture>(QStringLiteral("Nuit"))->hands(), std::optional(handsAt(QTime(9, 1))));
        f.pressOk();
    }
    // Nothing was saved: the settings store is as the start left it.
    QVERIFY(f.env.readSetting(QStringLiteral("HJ")).isEmpty());
}

void TestPlanning::ticksLeaveTheShiftedRowsAlone()
{
    // While shifted a tick writes the digital clock alone, even at a new minute: no row is drawn again.
    ClockFixture f(threeCities(), kMonday10, 1);
    Main& w = f.start();
    turnWheelOver(f.face(2), 120);
    const QString time = f.digit(2)->caption();
    const std::optional<Hands> hands = f.face(2)->hands();
    for (int second = 0; second < 90; ++second) {
        f.platform.clock.advanceSeconds(1);
        const Board::Changes changes = f.run([](Board& board, const Instant& now) { return board.tick(now); });
        QVERIFY(!(changes & Board::Rows));
    }
    w.tick();
    QCOMPARE(f.label("HeureDigitale")->caption(), QStringLiteral("Heure locale : 10.01.30"));
    QCOMPARE(f.digit(2)->caption(), time);
    QCOMPARE(f.face(2)->hands(), hands);
    // The line keeps its distance true: a minute and a half later, 10.15 is 14 minutes away.
    QCOMPARE(shiftLine(f)->caption(), QStringLiteral("Dans 14 min — lundi 9 décembre, 10.15 ici"));
}

void TestPlanning::twoMinutesWithoutAStepBringBackNow()
{
    ClockFixture f(threeCities(), kMonday10, 1);
    Main& w = f.start();
    turnWheelOver(f.face(2), 120);
    // A step after 100 seconds counts the two minutes again from there.
    f.platform.clock.advanceSeconds(100);
    w.tick();
    QTest::keyClick(&w, Qt::Key_Right);
    f.platform.clock.advanceSeconds(119);
    w.tick();
    QVERIFY(f.board().isShifted());
    QCOMPARE(f.digit(2)->caption(), QStringLiteral("18.30"));
    f.platform.clock.advanceSeconds(1);
    w.tick();
    QVERIFY(!f.board().isShifted());
    QVERIFY(!shiftLine(f)->isVisible());
    QCOMPARE(f.digit(2)->caption(), QStringLiteral("18.03")); // now: 10:03:39
    // A clock set back by a day does not leave the clocks shifted for good.
    QTest::keyClick(&w, Qt::Key_Right);
    f.platform.clock.advanceSeconds(-86400);
    w.tick();
    QVERIFY(!f.board().isShifted());
}

void TestPlanning::typedTimeMovesEveryClock_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("tokyo");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("hint");
    // clang-format off
    QTest::addRow("21 in Tokyo: three hours on") << 2 << "21" << "21.00" << "Dans 3 h — lundi 9 décembre, 13.00 ici" << "";
    QTest::addRow("15.30 in Tokyo: tomorrow's") << 2 << "15.30" << "15.30" << "Dans 21 h 30 — mardi 10 décembre, 07.30 ici" << "";
    QTest::addRow("15 h 30 in Paris") << 1 << "15 h 30" << "23.30" << "Dans 5 h 30 — lundi 9 décembre, 15.30 ici" << "";
    QTest::addRow("15:30 in Honolulu: its next afternoon") << 3 << "15:30" << "10.30" << "Dans 16 h 30 — mardi 10 décembre, 02.30 ici" << "";
    QTest::addRow("12h in Universal Time") << 0 << "12h" << "21.00" << "Dans 3 h — lundi 9 décembre, 13.00 ici" << "";
    QTest::addRow("the time it reads: no move") << 2 << "18" << "18.00" << "" << "";
    QTest::addRow("25") << 2 << "25" << "18.00" << "" << "L'heure va de 0 à 23.";
    QTest::addRow("-1") << 2 << "-1" << "18.00" << "" << "L'heure va de 0 à 23.";
    QTest::addRow("abc") << 2 << "abc" << "18.00" << "" << "Heure illisible : tapez par exemple 15, 15h, 15.30 ou 15:30.";
    QTest::addRow("15h99") << 2 << "15h99" << "18.00" << "" << "Les minutes vont de 00 à 59.";
    QTest::addRow("empty") << 2 << "" << "18.00" << "" << "Tapez une heure, par exemple 15 ou 15.30.";
    // clang-format on
}

void TestPlanning::typedTimeMovesEveryClock()
{
    QFETCH(int, row);
    QFETCH(QString, typed);
    QFETCH(QString, tokyo);
    QFETCH(QString, line);
    QFETCH(QString, hint);
    ClockFixture f(threeCities(), kMonday10.addSecs(42), 1);
    f.start();
    typeTime(f, row, typed);
    QCOMPARE(f.digit(2)->caption(), tokyo);
    QCOMPARE(shiftLine(f)->caption(), line);
    TimeEntry* box = entry(f);
    QCOMPARE(box->isVisible(), !hint.isEmpty());
    QCOMPARE(box->hint()->isVisible(), !hint.isEmpty());
    if (!hint.isEmpty()) {
        QCOMPARE(box->hint()->caption(), hint);
        QCOMPARE(box->selectedText(), typed); // to be typed again at once
        QVERIFY(f.window->rect().contains(box->hint()->geometry()));
    }
}

void TestPlanning::typingCanBeAbandoned()
{
    // The box opens over the time, with it selected; Escape closes it without a move, and the keys go back
    // to the clocks. A row without a time has no box.
    ClockFixture f(threeCities(), kMonday10, 1);
    Main& w = f.start();
    doubleClick(f.digit(2));
    TimeEntry* box = entry(f);
    QVERIFY(box->isVisible());
    QCOMPARE(box->text(), QStringLiteral("18.00"));
    QCOMPARE(box->selectedText(), QStringLiteral("18.00"));
    QVERIFY(box->geometry().contains(f.digit(2)->geometry().center()));
    QCOMPARE(box->accessibleName(), QStringLiteral("Heure à Tokyo"));
    QTest::keyClicks(box, QStringLiteral("7"));
    QTest::keyClick(box, Qt::Key_PageUp); // not for the clocks while typing
    QTest::keyClick(box, Qt::Key_Escape);
    QVERIFY(!box->isVisible());
    QVERIFY(!f.board().isShifted());
    QCOMPARE(f.digit(2)->caption(), QStringLiteral("18.00"));
    QTest::keyClick(&w, Qt::Key_Escape); // the window's own Escape: nothing to undo
    QVERIFY(!f.board().isShifted());

    // The second press of a double click (all the test sends) opens the box on a time, and moves the window
    // on a name, as before.
    const int moves = f.platform.desktop.moves;
    doubleClick(f.digit(1));
    QCOMPARE(f.platform.desktop.moves, moves);
    QVERIFY(box->isVisible());
    box->cancel();
    doubleClick(f.ville(1));
    QCOMPARE(f.platform.desktop.moves, moves + 1);
    QVERIFY(!box->isVisible());

    ClockFixture empty(cityFile({"Paris,2,1", "Tokyo,9,9", "Vide"}), kMonday10, 1);
    empty.start();
    QVERIFY(!empty.digit(3)->isVisible());
    doubleClick(empty.digit(3));
    QVERIFY(!entry(empty) || !entry(empty)->isVisible());
}

QTEST_MAIN(TestPlanning)
#include "tst_planning.moc"
