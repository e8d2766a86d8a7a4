#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "clock/citygrid.h"
#include "clock/timeentry.h"
#include "config/configpanel.h"
#include "data/settings.h"
#include "support/mainfixture.h"
#include "support/mouse.h"
#include "ui/controls.h"

// Every command at the keyboard: Tab through the buttons, the menu of commands, the clocks' city by city
// with Up and Down, the panel's keys and its question's Escape; nothing described stays stale; the window
// comes back where the user left it. The fake clock gives every instant.
class TestKeyboard : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
    void cleanup() { QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty()); }

    void tabGoesThroughTheButtons();
    void keysOfTheClocks_data();
    void keysOfTheClocks();
    void theMenuListsEveryCommand_data();
    void theMenuListsEveryCommand();
    void panelKeys_data();
    void panelKeys();
    void nothingStaysStale();
    void theShiftLineStaysTrue();
    void theWindowComesBackWhereItWas_data();
    void theWindowComesBackWhereItWas();
    void thePlaceIsKeptWithoutQuitting();
};

namespace {

const QDateTime kMonday10(QDate(2024, 12, 9), QTime(10, 0), Qt::UTC);

QByteArray threeCities()
{
    return cityFile({"Paris,2,1", "Tokyo,9,9", "Honolulu,-10,-10"});
}

Main& startActive(ClockFixture& f)
{
    Main& w = f.start();
    w.activateWindow();
    if (!QTest::qWaitForWindowActive(&w))
        qWarning("the window did not become active");
    return w;
}

QString focusName()
{
    QWidget* focus = QApplication::focusWidget();
    return focus ? focus->objectName() : QString();
}

// Keys written "Tab", "Shift+Tab", "Down", "Return", "Ctrl+S"..., sent to whatever has the focus in the
// window.
void press(QWidget& window, const QStringList& keys)
{
    for (const QString& written : keys) {
        const QKeySequence sequence(written);
        const QKeyCombination key = sequence[0];
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus && window.isAncestorOf(focus) ? focus : &window, key.key(), key.keyboardModifiers());
    }
}

} // namespace

void TestKeyboard::tabGoesThroughTheButtons()
{
    ClockFixture f(threeCities(), kMonday10, 1);
    Main& w = startActive(f);
    QCOMPARE(focusName(), QStringLiteral("Main"));
    QStringList seen;
    for (int i = 0; i < 5; ++i) {
        press(w, {QStringLiteral("Tab")});
        seen << focusName();
    }
    // Left to right: the clocks (the window), "Quitter", then "Configuration", "Aide", "A Propos".
    QCOMPARE(seen, QStringList({"btn_0", "btn_1", "btn_2", "btn_3", "Main"}));
    press(w, {QStringLiteral("Shift+Tab")});
    QCOMPARE(focusName(), QStringLiteral("btn_3"));
    QVERIFY(f.isLit(3)); // the keys' button is lit as the pointer's
    // Tab held down: the focus keeps going round, never out of the window.
    for (int i = 0; i < 23; ++i)
        press(w, {QStringLiteral("Tab")});
    QVERIFY(w.isAncestorOf(QApplication::focusWidget()) || QApplication::focusWidget() == &w);
    // Enter and Space press the focused button: "Configuration" opens the panel.
    while (focusName() != QLatin1String("btn_1"))
        press(w, {QStringLiteral("Tab")});
    press(w, {QStringLiteral("Space")});
    QVERIFY(f.panel().isVisible());
    f.pressOk();
}

void TestKeyboard::keysOfTheClocks_data()
{
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("sentence"); // the hover line's start
    QTest::addColumn<bool>("typing");      // the box to type a time is open
    // clang-format off
    QTest::newRow("Down: the first city")       << QStringList{"Down"}                  << "Paris"    << false;
    QTest::newRow("Down twice: the second")     << QStringList{"Down", "Down"}          << "Tokyo"    << false;
    QTest::newRow("Up from none: the last")     << QStringList{"Up"}                    << "Honolulu" << false;
    QTest::newRow("Down, Up: back")             << QStringList{"Down", "Down", "Up"}    << "Paris"    << false;
    QTest::newRow("past the last: the first")   << QStringList{"Up", "Down"}            << "Paris"    << false;
    QTest::newRow("Enter: a time for the city") << QStringList{"Down", "Down", "Return"} << "Tokyo"   << true;
    QTest::newRow("Enter with no city: nothing") << QStringList{"Return"}               << ""         << false;
    // clang-format on
}

void TestKeyboard::keysOfTheClocks()
{
    QFETCH(QStringList, keys);
    QFETCH(QString, sentence);
    QFETCH(bool, typing);
    ClockFixture f(threeCities(), kMonday10, 1);
    Main& w = startActive(f);
    press(w, keys);
    const QString line = f.label("Label8")->caption();
    QVERIFY2(sentence.isEmpty() ? line.isEmpty() : line.startsWith(sentence), qPrintable(line));
    auto* entry = w.findChild<TimeEntry*>(QStringLiteral("SaisieHeure"));
    QCOMPARE(entry && entry->isVisible(), typing);
}

void TestKeyboard::theMenuListsEveryCommand_data()
{
    QTest::addColumn<QString>("opening");
    QTest::newRow("Shift+F10") << "Shift+F10";
    QTest::newRow("the Menu key") << "Menu";
    QTest::newRow("the right button") << "";
}

void TestKeyboard::theMenuListsEveryCommand()
{
    QFETCH(QString, opening);
    ClockFixture f(threeCities(), kMonday10, 1);
    Main& w = startActive(f);
    QStringList listed;
    QTimer::singleShot(0, [&listed] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (QAction* action : menu->actions())
            listed << action->text();
        menu->close();
    });
    if (opening.isEmpty()) {
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), w.mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(&w, &click);
    } else if (opening == QLatin1String("Menu")) {
        QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(), QPoint());
        QApplication::sendEvent(&w, &key);
    } else {
        press(w, {opening});
    }
    for (const char* command : {"Configuration", "Aide", "A propos", "Revenir à maintenant", "Créneau commun suivant",
                                "Créneau commun précédent", "Heures de bureau…", "Copier l'instant",
                                "Exporter l'invitation…", "Toujours au premier plan", "Quitter"})
        QVERIFY2(listed.contains(QString::fromUtf8(command)), qPrintable(listed.join(u',')));
    // Each command by its keys too.
    press(w, {QStringLiteral("Ctrl+,")});
    QVERIFY(f.panel().isVisible());
    f.pressOk();
    QFile page(QDir(f.env.programDirectory()).filePath(QStringLiteral("HLN.html")));
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.close();
    press(w, {QStringLiteral("F1")});
    QCOMPARE(f.platform.desktop.openedHelp.size(), 1);
}

void TestKeyboard::panelKeys_data()
{
    QTest::addColumn<bool>("edit");        // a city renamed in the panel first
    QTest::addColumn<QStringList>("keys"); // then these
    QTest::addColumn<int>("escapes");      // questions left with Escape
    QTest::addColumn<QList<bool>>("answers");
    QTest::addColumn<bool>("open");  // the panel is still open
    QTest::addColumn<bool>("saved"); // the rename reached the file
    // clang-format off
    QTest::newRow("Enter, nothing changed")        << false << QStringList{"Return"} << 0 << QList<bool>{}      << false << false;
    QTest::newRow("Escape, nothing changed")       << false << QStringList{"Esc"}    << 0 << QList<bool>{}      << false << false;
    QTest::newRow("Ctrl+S, saved")                 << true  << QStringList{"Ctrl+S"} << 0 << QList<bool>{true}  << false << true;
    QTest::newRow("Enter, saved")                  << true  << QStringList{"Return"} << 0 << QList<bool>{true}  << false << true;
    QTest::newRow("Escape, then Non")              << true  << QStringList{"Esc"}    << 0 << QList<bool>{false} << false << false;
    QTest::newRow("Escape, Escape: edits kept")    << true  << QStringList{"Esc"}    << 1 << QList<bool>{}      << true  << false;
    QTest::newRow("kept, then saved")              << true  << QStringList{"Esc", "Ctrl+S"} << 1 << QList<bool>{true} << false << true;
    // clang-format on
}

void TestKeyboard::panelKeys()
{
    QFETCH(bool, edit);
    QFETCH(QStringList, keys);
    QFETCH(int, escapes);
    QFETCH(QList<bool>, answers);
    QFETCH(bool, open);
    QFETCH(bool, saved);
    ClockFixture f(threeCities(), kMonday10, 1);
    Main& w = startActive(f);
    press(w, {QStringLiteral("Ctrl+,")});
    QVERIFY(f.panel().isVisible());
    QCOMPARE(focusName(), QStringLiteral("Tvil_1")); // the first line's name has the keys, typing replaces it
    QCOMPARE(f.box(QStringLiteral("Tvil_1"))->selectedText(), QStringLiteral("Paris"));
    if (edit)
        f.box(QStringLiteral("Tvil_1"))->setText(QStringLiteral("Lutèce"));
    f.platform.dialogs.escapes = escapes;
    f.platform.dialogs.answers = answers;
    press(w, keys);
    QCOMPARE(f.panel().isVisible(), open);
    if (open)
        QCOMPARE(f.box(QStringLiteral("Tvil_1"))->text(), QStringLiteral("Lutèce"));
    const QList<CityFileRow> rows = readCityFile(f.env.cityFile()).rows;
    const bool written = std::any_of(
        rows.begin(), rows.end(), [](const CityFileRow& row) { return row.record.name == QStringLiteral("Lutèce"); });
    QCOMPARE(written, saved);
    if (f.panel().isVisible()) {
        f.platform.dialogs.answers = {false};
        f.pressOk();
    }
}

void TestKeyboard::nothingStaysStale()
{
    ClockFixture f(threeCities(), kMonday10, 1);
    Main& w = startActive(f);
    // The pointer leaves the window.
    moveOver(f.face(1));
    QVERIFY(!f.label("Label8")->caption().isEmpty());
    QEvent leave(QEvent::Leave);
    QCursor::setPos(w.mapToGlobal(QPoint(-50, -50)));
    QApplication::sendEvent(&w, &leave);
    QVERIFY(f.label("Label8")->caption().isEmpty());
    QVERIFY(f.label("Label10")->caption().isEmpty());
    // The panel closes, or saves.
    for (const bool save : {false, true}) {
        press(w, {QStringLiteral("Down")});
        QVERIFY(!f.label("Label8")->caption().isEmpty());
        f.openPanel();
        if (save) {
            f.box(QStringLiteral("Tvil_2"))->setText(QStringLiteral("Edo"));
            f.platform.dialogs.answers = {true};
        }
        f.pressOk();
        QVERIFY(!f.panel().isVisible());
        QVERIFY(f.label("Label8")->caption().isEmpty());
    }
}

void TestKeyboard::theShiftLineStaysTrue()
{
    ClockFixture f(threeCities(), kMonday10, 1);
    Main& w = startActive(f);
    press(w, {QStringLiteral("PgUp"), QStringLiteral("PgUp")});
    auto line = [&f] { return f.label("HeureVisee")->caption(); };
    QVERIFY2(line().startsWith(QStringLiteral("Dans 2 h —")), qPrintable(line()));
    f.platform.clock.advanceSeconds(61);
    w.Timer1_Timer();
    QVERIFY2(line().startsWith(QStringLiteral("Dans 1 h 59 —")), qPrintable(line()));
    // The last ten seconds before the clocks go back by themselves say so.
    f.platform.clock.advanceSeconds(50);
    w.Timer1_Timer();
    QCOMPARE(line(), QStringLiteral("Retour à l'heure actuelle dans 9 s"));
    f.platform.clock.advanceSeconds(9);
    w.Timer1_Timer();
    QVERIFY(!f.grid().isShifted());
    QVERIFY(line().isEmpty());
}

void TestKeyboard::theWindowComesBackWhereItWas_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("there"); // the window is where the settings say
    // clang-format off
    QTest::newRow("a place on the screen")  << "40,30"        << true;
    QTest::newRow("off every screen")       << "-5000,-5000"  << false;
    QTest::newRow("a billion")              << "1000000000,0" << false;
    QTest::newRow("text")                   << "ici,là"       << false;
    QTest::newRow("one number")             << "40"           << false;
    QTest::newRow("nothing")                << ""             << false;
    // clang-format on
}

void TestKeyboard::theWindowComesBackWhereItWas()
{
    QFETCH(QString, stored);
    QFETCH(bool, there);
    ClockFixture f(threeCities(), kMonday10, 1);
    f.env.writeSetting(QStringLiteral("Fenetre"), stored);
    f.env.writeSetting(QStringLiteral("PremierPlan"), QStringLiteral("T"));
    Main& w = f.start();
    if (there)
        QCOMPARE(w.pos(), QPoint(40, 30));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY(screen.contains(w.geometry().center()));
    QVERIFY(w.windowFlags() & Qt::WindowStaysOnTopHint);
    // Moved and put back under the others, it is remembered so at the end.
    w.move(60, 50);
    const QList<QAction*> commands = w.actions();
    const auto onTop = std::find_if(commands.begin(), commands.end(), [](QAction* action) {
        return action->text() == QLatin1String("Toujours au premier plan");
    });
    QVERIFY(onTop != commands.end());
    (*onTop)->trigger();
    QVERIFY(!(w.windowFlags() & Qt::WindowStaysOnTopHint));
    w.close();
    QCOMPARE(f.env.readSetting(QStringLiteral("Fenetre")), QStringLiteral("60,50"));
    QCOMPARE(f.env.readSetting(QStringLiteral("PremierPlan")), QStringLiteral("F"));
}

void TestKeyboard::thePlaceIsKeptWithoutQuitting()
{
    // A clock is often left open until the session ends, and never closed: the place is kept once moved.
    ClockFixture f(threeCities(), kMonday10, 1);
    Main& w = f.start();
    w.move(70, 40);
    QTRY_COMPARE_WITH_TIMEOUT(f.env.readSetting(QStringLiteral("Fenetre")), QStringLiteral("70,40"), 10000);
    f.window.reset(); // ended without a close, as at the end of a session
    QCOMPARE(f.start().pos(), QPoint(70, 40));
    f.window->close();
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
