#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <QWindow>

#include "about/aboutwindow.h"
#include "chrome/buttonbar.h"
#include "clock/clockgrid.h"
#include "clock/timeentry.h"
#include "config/cityeditor.h"
#include "config/configpanel.h"
#include "data/settings.h"
#include "rows/geometry.h"
#include "support/mainfixture.h"
#include "support/mouse.h"
#include "ui/announcer.h"
#include "ui/controls.h"

// Every command at the keyboard: Tab through the buttons and the clocks, the menu of commands, the clocks
// city by city with Up and Down, the panel's keys and its question's Escape; keys held down; nothing done
// beneath a question; a screen reader's press that returns at once; nothing described stays stale; the
// window comes back where the user left it. The fake clock gives every instant.
class TestKeyboard : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
    void cleanup() { QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty()); }

    void tabOrder_data();
    void tabOrder();
    void keysOfTheClocks_data();
    void keysOfTheClocks();
    void screenReadersFollowTheKeys();
    void buttonsByKeys_data();
    void buttonsByKeys();
    void theMenuListsEveryCommand_data();
    void theMenuListsEveryCommand();
    void theMenuRunsACommand_data();
    void theMenuRunsACommand();
    void panelKeys_data();
    void panelKeys();
    void escapeInTheQuestionKeepsEveryEdit();
    void aClickOnThePanelLeavesItTheKeys_data();
    void aClickOnThePanelLeavesItTheKeys();
    void heldKeys_data();
    void heldKeys();
    void nothingRunsBeneathTheQuestion_data();
    void nothingRunsBeneathTheQuestion();
    void accessiblePressReturnsAtOnce();
    void nothingStaysStale_data();
    void nothingStaysStale();
    void theMenuKeepsTheCityDescribed();
    void theSentenceFollowsTheMinute();
    void theShiftLineStaysTrue_data();
    void theShiftLineStaysTrue();
    void theWindowComesBackWhereItWas_data();
    void theWindowComesBackWhereItWas();
    void thePlaceIsKeptWithoutQuitting();
    void quittingAsksForThePanelsEdits_data();
    void quittingAsksForThePanelsEdits();
    void upAndDownGoThroughTheLines_data();
    void upAndDownGoThroughTheLines();
    void goingToACity_data();
    void goingToACity();
    void aMarkShowsTheKeysByAFrame();
    void theHeadingsAreLabels();
    void screenReadersAreToldThePanelOpens();
    void theKeysPlaceShowsAfterTheKeyboard_data();
    void theKeysPlaceShowsAfterTheKeyboard();
    void escapeInTheSearchGivesTheKeysBack_data();
    void escapeInTheSearchGivesTheKeysBack();
    void theWindowAndItsMenuAsScreenReadersSeeThem();
    void theDigitalClockIsToldOnceAMinute();
    void alwaysOnTopKeepsItsWindow();
    void screenReadersHearEachThingOnce();
};

namespace {

// Monday 9 December 2024, 10:00 in Paris (09:00 Universal Time): Paris reads 10.00 (the computer's own
// time), Tokyo 18.00, Honolulu 23.00 on the 8th. Rows 4 to 59 have no record: no time, and the last
// record's name, as the file is read.
const QDateTime kMonday10(QDate(2024, 12, 9), QTime(10, 0), Qt::UTC);

QByteArray threeCities()
{
    return cityFile({"Paris,2,1", "Tokyo,9,9", "Honolulu,-10,-10"});
}

// What has the keys: a control's name; among the clocks, the face they are on ("Image1_2"), or "Main" when
// they are on none, as on the window itself.
QString focusName()
{
    QWidget* focus = QApplication::focusWidget();
    if (const auto* grid = qobject_cast<ClockGrid*>(focus))
        return grid->focusedFace() >= 0 ? QStringLiteral("Image1_%1").arg(grid->focusedFace()) : QStringLiteral("Main");
    return focus ? focus->objectName() : QString();
}

QMenu* menu(const ClockFixture& f)
{
    return control<QMenu>(*f.window, QStringLiteral("MenuCommandes"));
}

// Where a key goes: the open menu, else whatever has the focus in the window, else the window.
QWidget* keyTarget(QWidget& window)
{
    if (QWidget* popup = QApplication::activePopupWidget())
        return popup;
    QWidget* focus = QApplication::focusWidget();
    return focus && (focus == &window || window.isAncestorOf(focus)) ? focus : &window;
}

// Keys written "Tab", "Shift+Tab", "Down", "Return", "Ctrl+S", "Esc", "Menu", "2"..., one after the other.
void press(QWidget& window, const QStringList& keys)
{
    for (const QString& written : keys) {
        const QKeyCombination key = QKeySequence(written)[0];
        QTest::keyClick(keyTarget(window), key.key(), key.keyboardModifiers());
    }
}

// A key held down: its press, `repeats` presses that the keyboard repeats, and its release.
void hold(QWidget& window, const QString& written, int repeats)
{
    const QKeyCombination key = QKeySequence(written)[0];
    const char ascii = QTest::keyToAscii(key.key());
    const QString text =
        ascii && !(key.keyboardModifiers() & Qt::ControlModifier) ? QString(QLatin1Char(ascii)) : QString();
    for (int i = 0; i <= repeats; ++i) {
        QKeyEvent down(QEvent::KeyPress, key.key(), key.keyboardModifiers(), text, i > 0);
        QApplication::sendEvent(keyTarget(window), &down);
    }
    QKeyEvent up(QEvent::KeyRelease, key.key(), key.keyboardModifiers(), text, false);
    QApplication::sendEvent(keyTarget(window), &up);
}

// The right button at a point of a control, as the window system delivers it (its press brings the request
// for a menu).
void rightClick(QWidget* control, const QPoint& point)
{
    QWidget* window = control->window();
    QTest::mouseClick(window->windowHandle(), Qt::RightButton, {}, control->mapTo(window, point));
}

void rightClick(const RowPart& part, const QPoint& point)
{
    QWidget* window = part.grid->window();
    QTest::mouseClick(window->windowHandle(), Qt::RightButton, {}, part.grid->mapTo(window, part.pos() + point));
}

// What the keys opened: "panel", "about", "help", "closed" (the clock is gone), "typing" (a time for a
// city), or "clocks".
QString whatIsOpen(const ClockFixture& f)
{
    if (f.about())
        return QStringLiteral("about");
    if (!f.window->isVisible())
        return QStringLiteral("closed");
    if (f.panel().isVisible())
        return QStringLiteral("panel");
    if (!f.platform.desktop.openedHelp.isEmpty())
        return QStringLiteral("help");
    if (auto* entry = f.window->findChild<TimeEntry*>(QStringLiteral("SaisieHeure")); entry && entry->isVisible())
        return QStringLiteral("typing");
    return QStringLiteral("clocks");
}

void writeHelpPage(const ClockFixture& f)
{
    QFile page(QDir(f.env.programDirectory()).filePath(QStringLiteral("HLN.html")));
    if (!page.open(QIODevice::WriteOnly))
        qFatal("no help page");
}

// The rows whose name is red: the highlighted ones.
QList<int> redRows(const ClockFixture& f)
{
    QList<int> red;
    for (int i = 0; i < kRows; ++i) {
        if (f.ville(i)->textColor() == QColor(Qt::red))
            red << i;
    }
    return red;
}

QAccessibleInterface* accessible(QObject* object)
{
    QAccessibleInterface* interface = QAccessible::queryAccessibleInterface(object);
    if (!interface)
        qFatal("no accessible interface");
    return interface;
}

// Whether the city file holds a city of that name.
bool hasCity(const ClockFixture& f, const QString& name)
{
    const QList<CityFileRow> rows = readCityFile(f.env.cityFile()).rows;
    return std::any_of(rows.begin(), rows.end(), [&name](const CityFileRow& row) { return row.record.name == name; });
}

void closeWindow(ClockFixture& f)
{
    if (f.panel().isVisible()) {
        f.platform.dialogs.answers = {false};
        f.platform.dialogs.escapes = 0;
        f.pressOk();
    }
    if (HorluneAbout* about = f.about())
        about->close();
    f.window->close();
}

} // namespace

void TestKeyboard::tabOrder_data()
{
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QStringList>("focus"); // what has the keys after each
    // clang-format off
    QTest::addRow("Tab from the clocks: Configuration first, Quitter last") << QStringList{"Tab", "Tab", "Tab", "Tab", "Tab", "Tab"} << QStringList{"btn_1", "btn_2", "btn_3", "btn_0", "Image1_1", "btn_1"};
    QTest::addRow("Shift+Tab from the clocks") << QStringList{"Shift+Tab", "Shift+Tab", "Shift+Tab", "Shift+Tab", "Shift+Tab"} << QStringList{"btn_0", "btn_3", "btn_2", "btn_1", "Image1_1"};
    QTest::addRow("back to the city the keys left") << QStringList{"Down", "Down", "Tab", "Shift+Tab"} << QStringList{"Image1_1", "Image1_2", "btn_1", "Image1_2"};
    QTest::addRow("the panel: its lines") << QStringList{"Ctrl+,", "Tab", "Tab", "Tab", "Tab"} << QStringList{"Tvil_1", "TEte_1", "THiver_1", "Pref_1", "Tvil_2"};
    QTest::addRow("the panel: back to OK, the hours, the last line") << QStringList{"Ctrl+,", "Shift+Tab", "Shift+Tab", "Shift+Tab", "Shift+Tab"} << QStringList{"Tvil_1", "btn_4", "Text2", "Text1", "Pref_59"};
    QTest::addRow("the panel: from OK round to the first line") << QStringList{"Ctrl+,", "Shift+Tab", "Tab"} << QStringList{"Tvil_1", "btn_4", "Tvil_1"};
    QTest::addRow("the panel closed: the keys where they were") << QStringList{"Tab", "Tab", "Ctrl+,", "Esc"} << QStringList{"btn_1", "btn_2", "Tvil_1", "btn_2"};
    QTest::addRow("opened by its button, closed by OK") << QStringList{"Tab", "Space", "Shift+Tab", "Return"} << QStringList{"btn_1", "Tvil_1", "btn_4", "btn_1"};
    QTest::addRow("opened from a city: back to the clocks") << QStringList{"Down", "Ctrl+,", "Esc", "Down"} << QStringList{"Image1_1", "Tvil_1", "Main", "Image1_2"};
    // clang-format on
}

void TestKeyboard::tabOrder()
{
    QFETCH(QStringList, keys);
    QFETCH(QStringList, focus);
    ClockFixture f(threeCities(), kMonday10, 1);
    Main& w = f.startActive();
    QCOMPARE(focusName(), QStringLiteral("Main"));
    QStringList seen;
    for (const QString& key : keys) {
        press(w, {key});
        seen << focusName();
        // Never a control the open panel covers.
        QVERIFY(!f.panel().isVisible() || f.panel().isAncestorOf(QApplication::focusWidget()));
    }
    QCOMPARE(seen, focus);
    closeWindow(f);
}

void TestKeyboard::keysOfTheClocks_data()
{
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("sentence"); // the hover line
    QTest::addColumn<QList<int>>("red");   // the highlighted rows
    QTest::addColumn<QString>("opened");
    // clang-format off
    QTest::addRow("Down: the first city") << QStringList{"Down"} << "Image1_1" << "Paris (Tu +1) le 09 décembre, il est 10.00." << QList<int>{1} << "clocks";
    QTest::addRow("Down twice: the second") << QStringList{"Down", "Down"} << "Image1_2" << "Tokyo (Tu +9) le 09 décembre, il est 18.00." << QList<int>{2} << "clocks";
    QTest::addRow("Up from none: the last city") << QStringList{"Up"} << "Image1_3" << "Honolulu (Tu -10) le 08 décembre, il est 23.00." << QList<int>{3} << "clocks";
    QTest::addRow("past the last: it stays") << QStringList{"Up", "Down", "Down"} << "Image1_3" << "Honolulu (Tu -10) le 08 décembre, il est 23.00." << QList<int>{3} << "clocks";
    QTest::addRow("Up to Universal Time: no sentence") << QStringList{"Down", "Up"} << "Image1_0" << "" << QList<int>{} << "clocks";
    QTest::addRow("above Universal Time: it stays") << QStringList{"Down", "Up", "Up"} << "Image1_0" << "" << QList<int>{} << "clocks";
    QTest::addRow("Tab into the clocks: the first city") << QStringList{"Shift+Tab", "Shift+Tab", "Shift+Tab", "Shift+Tab", "Shift+Tab"} << "Image1_1" << "Paris (Tu +1) le 09 décembre, il est 10.00." << QList<int>{1} << "clocks";
    QTest::addRow("Tab out: the sentence stays, as a hover's") << QStringList{"Down", "Tab"} << "btn_1" << "Paris (Tu +1) le 09 décembre, il est 10.00." << QList<int>{1} << "clocks";
    QTest::addRow("Enter: a time for the city") << QStringList{"Down", "Down", "Return"} << "SaisieHeure" << "Tokyo (Tu +9) le 09 décembre, il est 18.00." << QList<int>{2} << "typing";
    QTest::addRow("Enter on Universal Time: its time") << QStringList{"Down", "Up", "Return"} << "SaisieHeure" << "" << QList<int>{} << "typing";
    QTest::addRow("Enter with no city: nothing") << QStringList{"Return"} << "Main" << "" << QList<int>{} << "clocks";
    QTest::addRow("Escape in the box: back to the city") << QStringList{"Down", "Down", "Return", "Esc"} << "Image1_2" << "Tokyo (Tu +9) le 09 décembre, il est 18.00." << QList<int>{2} << "clocks";
    QTest::addRow("a time typed: every clock moves") << QStringList{"Down", "Down", "Return", "2", "1", "Return"} << "Image1_2" << "Tokyo (Tu +9) le 09 décembre, il sera 21.00." << QList<int>{2} << "clocks";
    QTest::addRow("Home on a city: back to now") << QStringList{"Down", "PgUp", "Home"} << "Image1_1" << "Paris (Tu +1) le 09 décembre, il est 10.00." << QList<int>{1} << "clocks";
    QTest::addRow("Right moves the clocks, the city stays") << QStringList{"Down", "Down", "Right"} << "Image1_2" << "Tokyo (Tu +9) le 09 décembre, il sera 18.15." << QList<int>{2} << "clocks";
    // clang-format on
}

void TestKeyboard::keysOfTheClocks()
{
    QFETCH(QStringList, keys);
    QFETCH(QString, focus);
    QFETCH(QString, sentence);
    QFETCH(QList<int>, red);
    QFETCH(QString, opened);
    ClockFixture f(threeCities(), kMonday10, 1);
    Main& w = f.startActive();
    press(w, keys);
    QCOMPARE(focusName(), focus);
    QCOMPARE(f.label("Label8")->caption(), sentence);
    QCOMPARE(redRows(f), red);
    QCOMPARE(whatIsOpen(f), opened);
    closeWindow(f);
}

void TestKeyboard::screenReadersFollowTheKeys()
{
    // The face that has the keys has the focus, so that Qt tells screen readers of it; it says the row (its
    // name) and the sentence (its description), both kept true at each minute. (Qt's own events need a
    // platform bridge, which the offscreen platform has not.)
    ClockFixture f(threeCities(), kMonday10.addSecs(50), 1);
    Main& w = f.startActive();
    press(w, {QStringLiteral("Down")});
    QAccessibleInterface* paris = f.face(1)->accessible();
    QVERIFY(paris->state().focusable);
    QVERIFY(paris->state().focused);
    QCOMPARE(paris->text(QAccessible::Name), QStringLiteral("Paris, 10 h 00, lundi 9 décembre, jour"));
    QCOMPARE(paris->text(QAccessible::Description), QStringLiteral("Paris (Tu +1) le 09 décembre, il est 10.00."));

    press(w, {QStringLiteral("Down")});
    QAccessibleInterface* tokyo = f.face(2)->accessible();
    QVERIFY(tokyo->state().focused);
    QVERIFY(!paris->state().focused);
    QVERIFY(paris->text(QAccessible::Description).isEmpty());
    QCOMPARE(tokyo->text(QAccessible::Description), QStringLiteral("Tokyo (Tu +9) le 09 décembre, il est 18.00."));

    f.platform.clock.advanceSeconds(10);
    w.tick();
    QCOMPARE(tokyo->text(QAccessible::Name), QStringLiteral("Tokyo, 18 h 01, lundi 9 décembre, jour"));
    QCOMPARE(tokyo->text(QAccessible::Description), QStringLiteral("Tokyo (Tu +9) le 09 décembre, il est 18.01."));
    // Still highlighted after the full redraw, which colours the other rows by the time alone.
    QCOMPARE(redRows(f), QList<int>{2});
    // Universal Time: its name only.
    press(w, {QStringLiteral("Up"), QStringLiteral("Up")});
    QVERIFY(f.face(0)->accessible()->state().focused);
    QVERIFY(f.face(0)->accessible()->text(QAccessible::Description).isEmpty());
    closeWindow(f);
}

void TestKeyboard::buttonsByKeys_data()
{
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("opened");
    // clang-format off
    QTest::addRow("Space on Configuration") << QStringList{"Tab", "Space"} << "panel";
    QTest::addRow("Enter on Configuration") << QStringList{"Tab", "Return"} << "panel";
    QTest::addRow("Enter on Aide") << QStringList{"Tab", "Tab", "Return"} << "help";
    QTest::addRow("Space on A Propos") << QStringList{"Shift+Tab", "Shift+Tab", "Space"} << "about";
    QTest::addRow("Enter on Quitter") << QStringList{"Shift+Tab", "Return"} << "closed";
    QTest::addRow("Enter on OK") << QStringList{"Ctrl+,", "Shift+Tab", "Return"} << "clocks";
    QTest::addRow("a letter on a button: nothing") << QStringList{"Tab", "Tab", "A"} << "clocks";
    // clang-format on
}

void TestKeyboard::buttonsByKeys()
{
    QFETCH(QStringList, keys);
    QFETCH(QString, opened);
    ClockFixture f(threeCities(), kMonday10, 1);
    writeHelpPage(f);
    Main& w = f.startActive();
    // The button with the keys is lit as the pointer's is, and framed with black dots inside its pill.
    press(w, {QStringLiteral("Tab")});
    QVERIFY(f.isLit(1));
    auto dots = [&f] {
        const QImage pill = f.find<Picture>(QStringLiteral("btn_1"))->grab().toImage();
        int black = 0;
        for (int x = 0; x < pill.width(); ++x)
            black += pill.pixelColor(x, 3) == QColor(Qt::black) ? 1 : 0;
        return black;
    };
    const int framed = dots();
    press(w, {QStringLiteral("Tab")});
    QVERIFY(!f.isLit(1));
    QVERIFY2(framed - dots() > 30, qPrintable(QStringLiteral("%1 against %2").arg(framed).arg(dots())));
    f.grid().setFocus(Qt::MouseFocusReason); // a click on the window: the keys are for the clocks

    press(w, keys);
    QCOMPARE(whatIsOpen(f), opened);
    QVERIFY(f.platform.dialogs.shown.isEmpty());
    closeWindow(f);
}

void TestKeyboard::theMenuListsEveryCommand_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("over"); // the control the right button is pressed over
    QTest::addColumn<bool>("panel");   // the panel open beneath
    // clang-format off
    QTest::addRow("Shift+F10") << "Shift+F10" << "" << false;
    QTest::addRow("the Menu key") << "Menu" << "" << false;
    QTest::addRow("the Menu key on a city") << "Down,Menu" << "" << false;
    QTest::addRow("the right button on a face") << "" << "Image1_2" << false;
    QTest::addRow("the right button on a name") << "" << "Ville_1" << false;
    QTest::addRow("the right button on a time") << "" << "Digit_3" << false;
    QTest::addRow("the right button on a button") << "" << "btn_1" << false;
    QTest::addRow("the right button on a caption") << "" << "LabBTN_0" << false;
    QTest::addRow("the right button on the hover line") << "" << "Label8" << false;
    QTest::addRow("the right button on the bare window") << "" << "Main" << false;
    QTest::addRow("the right button on the panel") << "" << "Frame1" << true;
    QTest::addRow("the right button on the hours' frame") << "" << "Frame4" << true;
    QTest::addRow("Shift+F10 in a box of the panel") << "Shift+F10" << "" << true;
    // clang-format on
}

void TestKeyboard::theMenuListsEveryCommand()
{
    QFETCH(QString, how);
    QFETCH(QString, over);
    QFETCH(bool, panel);
    ClockFixture f(threeCities(), kMonday10, 1);
    Main& w = f.startActive();
    // A command given to the window later, as another part of the program would add its own.
    w.addAction(new QAction(QStringLiteral("Une commande de plus"), &w));
    if (panel)
        press(w, {QStringLiteral("Ctrl+,")});
    const QStringList keys = how.split(u',');
    if (over.isEmpty())
        press(w, keys.mid(0, keys.size() - 1));
    const QString before = focusName();
    if (over.isEmpty()) {
        press(w, {keys.last()});
    } else {
        const int row = over.section(u'_', 1).toInt();
        if (over.startsWith(QLatin1String("Image1_")))
            rightClick(f.face(row), QPoint(5, 5));
        else if (over.startsWith(QLatin1String("Ville_")))
            rightClick(f.ville(row), QPoint(2, 2));
        else if (over.startsWith(QLatin1String("Digit_")))
            rightClick(f.digit(row), QPoint(5, 5));
        else {
            QWidget* target = over == QLatin1String("Main") ? &f.grid() : f.find(over);
            // A point no control covers, on the bare window and frames.
            const QPoint point = over == QLatin1String("Main")     ? QPoint(700, 522)
                                 : over == QLatin1String("Frame1") ? QPoint(5, 5)
                                                                   : QPoint(2, 2);
            QVERIFY(target->childAt(point) == nullptr);
            rightClick(target, point);
        }
    }
    QMenu* commands = menu(f);
    QVERIFY(commands->isVisible());
    // Every command of the window, in its order, with the clocks' keys after its first three; the required
    // ones among them.
    QStringList listed, expected;
    for (QAction* action : commands->actions())
        listed << action->text();
    for (QAction* action : w.actions().mid(0, 3) + f.grid().actions() + w.actions().mid(3))
        expected << action->text();
    QCOMPARE(listed, expected);
    for (const char* command : {"Configuration",
                                "Aide",
                                "A propos",
                                "Ville suivante",
                                "Ville précédente",
                                "Taper une heure pour la ville…",
                                "Un quart d'heure plus tard",
                                "Un quart d'heure plus tôt",
                                "Une heure plus tard",
                                "Une heure plus tôt",
                                "Revenir à maintenant",
                                "Créneau commun suivant",
                                "Créneau commun précédent",
                                "Heures de bureau…",
                                "Copier l'instant",
                                "Exporter l'invitation…",
                                "Rechercher une ville…",
                                "Toujours au premier plan",
                                "Contraste élevé",
                                "Quitter",
                                "Une commande de plus"})
        QVERIFY2(listed.contains(QString::fromUtf8(command)), command);
    // From the keyboard the first command is selected, to be chosen with Enter.
    if (over.isEmpty())
        QCOMPARE(commands->activeAction()->text(), QStringLiteral("Configuration"));
    // The right button neither moved the window nor ran a button's command.
    QCOMPARE(f.platform.desktop.moves, 0);
    QCOMPARE(f.panel().isVisible(), panel);
    // Escape closes it, and the keys are where they were.
    press(w, {QStringLiteral("Esc")});
    QVERIFY(!commands->isVisible());
    QCOMPARE(f.panel().isVisible(), panel);
    QCOMPARE(focusName(), before);
    closeWindow(f);
}

void TestKeyboard::theMenuRunsACommand_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("opened");
    QTest::addColumn<bool>("shifted");
    // clang-format off
    QTest::addRow("Configuration") << QStringList{} << "Configuration" << "panel" << false;
    QTest::addRow("Configuration, with the panel open: closed") << QStringList{"Ctrl+,"} << "Configuration" << "clocks" << false;
    QTest::addRow("Aide") << QStringList{} << "Aide" << "help" << false;
    QTest::addRow("A propos") << QStringList{"Down"} << "A propos" << "about" << false;
    QTest::addRow("Revenir à maintenant") << QStringList{"PgUp"} << "Revenir à maintenant" << "clocks" << false;
    QTest::addRow("Quitter") << QStringList{} << "Quitter" << "closed" << false;
    QTest::addRow("Quitter, with the panel open") << QStringList{"Ctrl+,"} << "Quitter" << "closed" << false;
    // clang-format on
}

void TestKeyboard::theMenuRunsACommand()
{
    QFETCH(QStringList, before);
    QFETCH(QString, command);
    QFETCH(QString, opened);
    QFETCH(bool, shifted);
    ClockFixture f(threeCities(), kMonday10, 1);
    writeHelpPage(f);
    Main& w = f.startActive();
    press(w, before);
    press(w, {QStringLiteral("Shift+F10")});
    QMenu* commands = menu(f);
    QVERIFY(commands->isVisible());
    // Down to the command, then Enter.
    for (int i = 0; i < commands->actions().size() && commands->activeAction()->text() != command; ++i)
        press(w, {QStringLiteral("Down")});
    QCOMPARE(commands->activeAction()->text(), command);
    press(w, {QStringLiteral("Return")});
    QVERIFY(!commands->isVisible());
    QCOMPARE(whatIsOpen(f), opened);
    QCOMPARE(f.board().isShifted(), shifted);
    QVERIFY(f.platform.dialogs.shown.isEmpty());
    closeWindow(f);
}

void TestKeyboard::panelKeys_data()
{
    QTest::addColumn<bool>("edit");        // a city renamed in the panel first
    QTest::addColumn<QStringList>("keys"); // then these
    QTest::addColumn<int>("escapes");      // questions left with Escape
    QTest::addColumn<QList<bool>>("answers");
    QTest::addColumn<int>("questions"); // asked
    QTest::addColumn<bool>("open");     // the panel is still open
    QTest::addColumn<bool>("saved");    // the rename reached the file
    // clang-format off
    QTest::addRow("Enter, nothing changed") << false << QStringList{"Return"} << 0 << QList<bool>{} << 0 << false << false;
    QTest::addRow("Escape, nothing changed") << false << QStringList{"Esc"} << 0 << QList<bool>{} << 0 << false << false;
    QTest::addRow("Ctrl+S, nothing changed") << false << QStringList{"Ctrl+S"} << 0 << QList<bool>{} << 0 << false << false;
    QTest::addRow("Ctrl+S, saved") << true << QStringList{"Ctrl+S"} << 0 << QList<bool>{true} << 1 << false << true;
    QTest::addRow("Enter, saved") << true << QStringList{"Return"} << 0 << QList<bool>{true} << 1 << false << true;
    QTest::addRow("Escape, then Oui") << true << QStringList{"Esc"} << 0 << QList<bool>{true} << 1 << false << true;
    QTest::addRow("Escape, then Non") << true << QStringList{"Esc"} << 0 << QList<bool>{false} << 1 << false << false;
    QTest::addRow("Escape, Escape: edits kept") << true << QStringList{"Esc"} << 1 << QList<bool>{} << 1 << true << false;
    QTest::addRow("kept, then saved") << true << QStringList{"Esc", "Ctrl+S"} << 1 << QList<bool>{true} << 2 << false << true;
    QTest::addRow("Enter in an hour box") << true << QStringList{"Shift+Tab", "Shift+Tab", "Return"} << 0 << QList<bool>{true} << 1 << false << true;
    QTest::addRow("Enter on a mark") << true << QStringList{"Tab", "Tab", "Tab", "Return"} << 0 << QList<bool>{true} << 1 << false << true;
    QTest::addRow("Tab to OK, Enter") << true << QStringList{"Shift+Tab", "Return"} << 0 << QList<bool>{true} << 1 << false << true;
    QTest::addRow("Tab to OK, Space, Non") << true << QStringList{"Shift+Tab", "Space"} << 0 << QList<bool>{false} << 1 << false << false;
    QTest::addRow("Escape on OK, Escape") << true << QStringList{"Shift+Tab", "Esc"} << 1 << QList<bool>{} << 1 << true << false;
    QTest::addRow("Configuration's keys again, Escape") << true << QStringList{"Ctrl+,"} << 1 << QList<bool>{} << 1 << true << false;
    // clang-format on
}

void TestKeyboard::panelKeys()
{
    QFETCH(bool, edit);
    QFETCH(QStringList, keys);
    QFETCH(int, escapes);
    QFETCH(QList<bool>, answers);
    QFETCH(int, questions);
    QFETCH(bool, open);
    QFETCH(bool, saved);
    ClockFixture f(threeCities(), kMonday10, 1);
    Main& w = f.startActive();
    press(w, {QStringLiteral("Ctrl+,")});
    QVERIFY(f.panel().isVisible());
    QCOMPARE(focusName(), QStringLiteral("Tvil_1")); // the first line's name has the keys, typing replaces it
    QCOMPARE(f.box(QStringLiteral("Tvil_1"))->selectedText(), QStringLiteral("Paris"));
    if (edit)
        QTest::keyClicks(f.box(QStringLiteral("Tvil_1")), QStringLiteral("Lutetia"));
    f.platform.dialogs.escapes = escapes;
    f.platform.dialogs.answers = answers;
    press(w, keys);
    QCOMPARE(f.platform.dialogs.shown.size(), qsizetype(questions));
    QCOMPARE(f.panel().isVisible(), open);
    if (open) {
        QCOMPARE(f.box(QStringLiteral("Tvil_1"))->text(), QStringLiteral("Lutetia"));
        QVERIFY(f.panel().isModified());
        QVERIFY(f.panel().isAncestorOf(QApplication::focusWidget()));
    }
    QCOMPARE(hasCity(f, QStringLiteral("Lutetia")), saved);
    closeWindow(f);
}

void TestKeyboard::escapeInTheQuestionKeepsEveryEdit()
{
    // Every kind of edit, typed; Escape in the question is back to the panel with all of them and the keys
    // where they were; the next "Oui" saves them all.
    ClockFixture f(threeCities(), kMonday10, 1);
    Main& w = f.startActive();
    press(w, {QStringLiteral("Ctrl+,")});
    QTest::keyClicks(f.box(QStringLiteral("Tvil_1")), QStringLiteral("Lyon"));
    press(w, {QStringLiteral("Tab"), QStringLiteral("3"), QStringLiteral("Tab")});
    QTest::keyClicks(f.box(QStringLiteral("THiver_1")), QStringLiteral("4,5"));
    press(w, {QStringLiteral("Tab"), QStringLiteral("Space")});
    for (int i = 0; i < 3 + 3; ++i) // back to the first line's name, "OK", the day hour, the night hour
        press(w, {QStringLiteral("Shift+Tab")});
    QCOMPARE(focusName(), QStringLiteral("Text1"));
    QTest::keyClicks(f.box(QStringLiteral("Text1")), QStringLiteral("22"));

    f.platform.dialogs.escapes = 1;
    press(w, {QStringLiteral("Esc")});
    QCOMPARE(f.platform.dialogs.shown.size(), 1);
    QCOMPARE(f.platform.dialogs.shown[0].text, QStringLiteral("Enregistrer les modifications"));
    QVERIFY(f.panel().isVisible());
    QCOMPARE(focusName(), QStringLiteral("Text1"));
    QCOMPARE(f.box(QStringLiteral("Tvil_1"))->text(), QStringLiteral("Lyon"));
    QCOMPARE(f.box(QStringLiteral("TEte_1"))->text(), QStringLiteral("3"));
    QCOMPARE(f.box(QStringLiteral("THiver_1"))->text(), QStringLiteral("4.5"));
    QVERIFY(f.mark(QStringLiteral("Pref_1"))->isChecked());
    QCOMPARE(f.box(QStringLiteral("Text1"))->text(), QStringLiteral("22"));
    QVERIFY(f.panel().isModified());
    QCOMPARE(readCityFile(f.env.cityFile()).rows.first().record.name, QStringLiteral("Paris")); // nothing written

    f.platform.dialogs.answers = {true};
    press(w, {QStringLiteral("Ctrl+S")});
    QVERIFY(!f.panel().isVisible());
    const QList<CityFileRow> rows = readCityFile(f.env.cityFile()).rows;
    const auto lyon = std::find_if(rows.begin(), rows.end(),
                                   [](const CityFileRow& row) { return row.record.name == QStringLiteral("Lyon"); });
    QVERIFY(lyon != rows.end());
    QCOMPARE(lyon->record.summer, QStringLiteral("3"));
    QCOMPARE(lyon->record.winter, QStringLiteral("4.5"));
    QCOMPARE(f.env.readSetting(QStringLiteral("P%1").arg(lyon - rows.begin() + 1)), QStringLiteral("T"));
    QCOMPARE(f.env.readSetting(QStringLiteral("HN")), QStringLiteral("22"));
    closeWindow(f);
}

void TestKeyboard::aClickOnThePanelLeavesItTheKeys_data()
{
    QTest::addColumn<QString>("over"); // the bare frame clicked
    QTest::addRow("the panel") << "Frame1";
    QTest::addRow("the hours' frame") << "Frame4";
    QTest::addRow("the city editor") << "Frame2";
    QTest::addRow("a label of the panel") << "Label11";
}

void TestKeyboard::aClickOnThePanelLeavesItTheKeys()
{
    // A click there moves the window, as designed, and the keys stay in the box that had them, so that Enter
    // still acts as "OK".
    QFETCH(QString, over);
    ClockFixture f(threeCities(), kMonday10, 1);
    Main& w = f.startActive();
    press(w, {QStringLiteral("Ctrl+,"), QStringLiteral("Tab"), QStringLiteral("Tab")});
    QCOMPARE(focusName(), QStringLiteral("THiver_1"));
    QWidget* frame = f.find(over);
    const QPoint point = over == QLatin1String("Frame2") ? QPoint(5, twipsToPixels(560)) : QPoint(2, 2);
    QVERIFY(frame->childAt(point) == nullptr);
    QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {}, frame->mapTo(&w, point));
    QCOMPARE(focusName(), QStringLiteral("THiver_1"));
    press(w, {QStringLiteral("Return")});
    QVERIFY(!f.panel().isVisible());
    closeWindow(f);
}

void TestKeyboard::heldKeys_data()
{
    QTest::addColumn<QStringList>("before"); // keys pressed once
    QTest::addColumn<QString>("held");
    QTest::addColumn<int>("repeats");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("opened");
    QTest::addColumn<int>("questions");
    // clang-format off
    QTest::addRow("Tab: round the buttons and the clocks") << QStringList{} << "Tab" << 50 << "btn_1" << "clocks" << 0;
    QTest::addRow("Shift+Tab") << QStringList{} << "Shift+Tab" << 50 << "btn_0" << "clocks" << 0;
    QTest::addRow("Tab in the panel: round its lines") << QStringList{"Ctrl+,"} << "Tab" << 300 << "THiver_16" << "panel" << 0;
    QTest::addRow("Down: to the last city, no further") << QStringList{} << "Down" << 100 << "Image1_3" << "clocks" << 0;
    QTest::addRow("Up: to Universal Time, no further") << QStringList{"Down"} << "Up" << 30 << "Image1_0" << "clocks" << 0;
    QTest::addRow("Enter on a city: the box stays open") << QStringList{"Down", "Down"} << "Return" << 20 << "SaisieHeure" << "typing" << 0;
    QTest::addRow("Enter on Configuration: opened once") << QStringList{"Tab"} << "Return" << 20 << "Tvil_1" << "panel" << 0;
    QTest::addRow("Space on Configuration: opened once released") << QStringList{"Tab"} << "Space" << 20 << "Tvil_1" << "panel" << 0;
    QTest::addRow("Ctrl+, : opened once") << QStringList{} << "Ctrl+," << 20 << "Tvil_1" << "panel" << 0;
    QTest::addRow("Enter in the changed panel: one question") << QStringList{"Ctrl+,", "Tab", "5"} << "Return" << 20 << "Main" << "clocks" << 1;
    QTest::addRow("Escape in the changed panel: one question") << QStringList{"Ctrl+,", "Tab", "5"} << "Esc" << 20 << "Main" << "clocks" << 1;
    QTest::addRow("Ctrl+S in the changed panel: one question") << QStringList{"Ctrl+,", "Tab", "5"} << "Ctrl+S" << 20 << "Main" << "clocks" << 1;
    QTest::addRow("Shift+F10: one menu") << QStringList{} << "Shift+F10" << 20 << "MenuCommandes" << "clocks" << 0;
    // clang-format on
}

void TestKeyboard::heldKeys()
{
    QFETCH(QStringList, before);
    QFETCH(QString, held);
    QFETCH(int, repeats);
    QFETCH(QString, focus);
    QFETCH(QString, opened);
    QFETCH(int, questions);
    ClockFixture f(threeCities(), kMonday10, 1);
    Main& w = f.startActive();
    press(w, before);
    hold(w, held, repeats);
    QCOMPARE(QApplication::activePopupWidget() ? QApplication::activePopupWidget()->objectName() : focusName(), focus);
    QCOMPARE(whatIsOpen(f), opened);
    QCOMPARE(f.platform.dialogs.shown.size(), qsizetype(questions));
    // Nothing the held key did not mean: no shift of the clocks, no text typed over a name.
    QVERIFY(!f.board().isShifted());
    if (f.panel().isVisible())
        QVERIFY(!f.panel().isModified());
    closeWindow(f);
}

void TestKeyboard::nothingRunsBeneathTheQuestion_data()
{
    QTest::addColumn<QString>("meanwhile"); // what the user tries while the save question waits
    // clang-format off
    QTest::addRow("the right button") << "right button";
    QTest::addRow("the Menu key") << "Menu";
    QTest::addRow("Shift+F10") << "Shift+F10";
    QTest::addRow("Ctrl+Q") << "Ctrl+Q";
    QTest::addRow("Ctrl+, again") << "Ctrl+,";
    QTest::addRow("Escape again") << "Esc";
    QTest::addRow("a screen reader presses Quitter") << "press btn_0";
    QTest::addRow("a screen reader presses Configuration") << "press btn_1";
    QTest::addRow("a screen reader presses OK again") << "press btn_4";
    QTest::addRow("the window system closes the window") << "close";
    // clang-format on
}

void TestKeyboard::nothingRunsBeneathTheQuestion()
{
    // A modal box keeps the mouse and the keys from the window, but not a screen reader's press, and the
    // fake question keeps nothing: whatever comes, nothing runs beneath the question, no menu opens, and
    // Escape is still back to the panel with the edit.
    QFETCH(QString, meanwhile);
    ClockFixture f(threeCities(), kMonday10, 1);
    Main& w = f.startActive();
    press(w, {QStringLiteral("Ctrl+,")});
    f.box(QStringLiteral("Tvil_2"))->setText(QStringLiteral("Edo"));
    bool menuShown = false, windowShown = false, tried = false;
    f.platform.dialogs.whileAsking = [&] {
        if (std::exchange(tried, true))
            return; // at the first question only
        if (meanwhile == QLatin1String("right button"))
            rightClick(f.face(2), QPoint(5, 5));
        else if (meanwhile.startsWith(QLatin1String("press ")))
            accessible(f.find<Picture>(meanwhile.mid(6)))
                ->actionInterface()
                ->doAction(QAccessibleActionInterface::pressAction());
        else if (meanwhile == QLatin1String("close"))
            w.close();
        else
            press(w, {meanwhile});
        QCoreApplication::processEvents(); // what the question's own loop would run
        menuShown = menu(f)->isVisible();
        windowShown = w.isVisible();
    };
    f.platform.dialogs.escapes = 1;
    press(w, {QStringLiteral("Esc")});
    QVERIFY(!menuShown);
    QVERIFY(windowShown);
    QCOMPARE(f.platform.dialogs.shown.size(), 1);
    QVERIFY(f.panel().isVisible());
    QCOMPARE(f.box(QStringLiteral("Tvil_2"))->text(), QStringLiteral("Edo"));
    QVERIFY(!f.about());
    QCoreApplication::processEvents();
    QVERIFY(w.isVisible());
    // The commands come back with the panel: its menu, then "Oui" saves the edit.
    press(w, {QStringLiteral("Shift+F10")});
    QVERIFY(menu(f)->isVisible());
    const QList<QAction*> commands = w.actions();
    QVERIFY(std::all_of(commands.begin(), commands.end(), [](const QAction* action) { return action->isEnabled(); }));
    press(w, {QStringLiteral("Esc")});
    f.platform.dialogs.answers = {true};
    f.pressOk();
    QVERIFY(!f.panel().isVisible());
    QVERIFY(hasCity(f, QStringLiteral("Edo")));
    closeWindow(f);
}

void TestKeyboard::accessiblePressReturnsAtOnce()
{
    // A screen reader presses OK of a changed panel: its call returns before the question is asked, and the
    // question comes next, from the program's own loop.
    ClockFixture f(threeCities(), kMonday10, 1);
    Main& w = f.startActive();
    press(w, {QStringLiteral("Ctrl+,")});
    QTest::keyClicks(f.box(QStringLiteral("Tvil_1")), QStringLiteral("Lutetia"));
    bool returned = false, askedAfterReturn = false;
    f.platform.dialogs.whileAsking = [&] { askedAfterReturn = returned; };
    f.platform.dialogs.answers = {true};
    accessible(f.find<Picture>(QStringLiteral("btn_4")))
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    returned = true;
    QVERIFY(f.platform.dialogs.shown.isEmpty());
    QVERIFY(f.panel().isVisible());
    QTRY_COMPARE(f.platform.dialogs.shown.size(), 1);
    QVERIFY(askedAfterReturn);
    QVERIFY(!f.panel().isVisible());
    QVERIFY(hasCity(f, QStringLiteral("Lutetia")));
    closeWindow(f);
}

void TestKeyboard::nothingStaysStale_data()
{
    QTest::addColumn<QString>("describe"); // "mouse" over Tokyo, or its face given the "keys"
    QTest::addColumn<QString>("then");
    // clang-format off
    QTest::addRow("the pointer leaves the window") << "mouse" << "leave";
    QTest::addRow("the panel closes") << "mouse" << "panel";
    QTest::addRow("the panel closes, keys") << "keys" << "panel";
    QTest::addRow("a save") << "mouse" << "save";
    QTest::addRow("a save, keys") << "keys" << "save";
    QTest::addRow("Non to the question") << "mouse" << "Non";
    QTest::addRow("the About window, and back") << "mouse" << "about";
    // clang-format on
}

void TestKeyboard::nothingStaysStale()
{
    QFETCH(QString, describe);
    QFETCH(QString, then);
    ClockFixture f(threeCities(), kMonday10, 1);
    Main& w = f.startActive();
    if (describe == QLatin1String("mouse"))
        moveOver(f.face(2));
    else
        press(w, {QStringLiteral("Down"), QStringLiteral("Down")});
    QCOMPARE(f.label("Label8")->caption(), QStringLiteral("Tokyo (Tu +9) le 09 décembre, il est 18.00."));
    QCOMPARE(f.label("Label10")->caption(), QStringLiteral("00"));
    if (then == QLatin1String("leave")) {
        QCursor::setPos(w.mapToGlobal(QPoint(-50, -50)));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&w, &leave);
    } else if (then == QLatin1String("about")) {
        f.buttons().press(ButtonBar::About);
        f.about()->close();
        QTRY_VERIFY(w.isVisible());
    } else {
        f.openPanel();
        if (then != QLatin1String("panel")) {
            f.box(QStringLiteral("Tvil_3"))->setText(QStringLiteral("Hilo"));
            f.platform.dialogs.answers = {then == QLatin1String("save")};
        }
        f.pressOk();
        QVERIFY(!f.panel().isVisible());
    }
    QVERIFY(f.label("Label8")->caption().isEmpty());
    QVERIFY(f.label("Label10")->caption().isEmpty());
    QVERIFY(redRows(f).isEmpty());
    // Nor at the next tick.
    f.platform.clock.advanceSeconds(1);
    w.tick();
    QVERIFY(f.label("Label8")->caption().isEmpty());
    QVERIFY(f.label("Label10")->caption().isEmpty());
    closeWindow(f);
}

void TestKeyboard::theMenuKeepsTheCityDescribed()
{
    // The menu opened over a city takes the pointer from the window: the city stays described, and
    // "Copier l'instant" speaks of it.
    ClockFixture f(threeCities(), kMonday10, 1);
    Main& w = f.startActive();
    moveOver(f.face(2));
    rightClick(f.face(2), QPoint(5, 5));
    QVERIFY(menu(f)->isVisible());
    QEvent leave(QEvent::Leave); // as the menu's opening sends it
    QApplication::sendEvent(&w, &leave);
    QCOMPARE(f.label("Label8")->caption(), QStringLiteral("Tokyo (Tu +9) le 09 décembre, il est 18.00."));
    const QList<QAction*> commands = menu(f)->actions();
    const auto copy = std::find_if(commands.begin(), commands.end(), [](const QAction* action) {
        return action->text() == QStringLiteral("Copier l'instant");
    });
    QVERIFY(copy != commands.end());
    (*copy)->trigger();
    QCOMPARE(f.platform.desktop.copied.size(), 1);
    QVERIFY2(f.platform.desktop.copied[0].contains(QStringLiteral("Tokyo")), qPrintable(f.platform.desktop.copied[0]));
    closeWindow(f);
}

void TestKeyboard::theSentenceFollowsTheMinute()
{
    // The line says the minute it was written at until the next full redraw writes it again.
    ClockFixture f(threeCities(), kMonday10.addSecs(58), 1);
    Main& w = f.startActive();
    moveOver(f.face(2));
    QCOMPARE(f.label("Label8")->caption(), QStringLiteral("Tokyo (Tu +9) le 09 décembre, il est 18.00."));
    QCOMPARE(f.label("Label10")->caption(), QStringLiteral("58"));
    f.platform.clock.advanceSeconds(2);
    w.tick();
    QCOMPARE(f.label("Label8")->caption(), QStringLiteral("Tokyo (Tu +9) le 09 décembre, il est 18.01."));
    QCOMPARE(f.label("Label10")->caption(), QStringLiteral("00"));
    closeWindow(f);
}

void TestKeyboard::theShiftLineStaysTrue_data()
{
    QTest::addColumn<QStringList>("keys"); // at 10:00:07
    QTest::addColumn<int>("seconds");      // that later, ticking each second
    QTest::addColumn<QString>("line");
    // clang-format off
    QTest::addRow("two hours ahead") << QStringList{"PgUp", "PgUp"} << 0 << "Dans 2 h — lundi 9 décembre, 12.00 ici";
    QTest::addRow("at the next minute: 1 h 59") << QStringList{"PgUp", "PgUp"} << 53 << "Dans 1 h 59 — lundi 9 décembre, 12.00 ici";
    QTest::addRow("1 h 30, a minute later: 1 h 29") << QStringList{"PgUp", "Right", "Right"} << 60 << "Dans 1 h 29 — lundi 9 décembre, 11.30 ici";
    QTest::addRow("an hour back, a minute later: 1 h 01") << QStringList{"PgDown"} << 60 << "Il y a 1 h 01 — lundi 9 décembre, 09.00 ici";
    QTest::addRow("eleven seconds before the return") << QStringList{"PgUp", "PgUp"} << 109 << "Dans 1 h 59 — lundi 9 décembre, 12.00 ici";
    QTest::addRow("ten seconds before the return") << QStringList{"PgUp", "PgUp"} << 110 << "Retour à l'heure actuelle dans 10 s";
    QTest::addRow("one second before the return") << QStringList{"PgUp", "PgUp"} << 119 << "Retour à l'heure actuelle dans 1 s";
    QTest::addRow("the return") << QStringList{"PgUp", "PgUp"} << 120 << "";
    // clang-format on
}

void TestKeyboard::theShiftLineStaysTrue()
{
    QFETCH(QStringList, keys);
    QFETCH(int, seconds);
    QFETCH(QString, line);
    ClockFixture f(threeCities(), kMonday10.addSecs(7), 1);
    Main& w = f.startActive();
    press(w, keys);
    for (int second = 0; second < seconds; ++second) {
        f.platform.clock.advanceSeconds(1);
        w.tick();
    }
    QCOMPARE(f.label("HeureVisee")->caption(), line);
    QCOMPARE(f.label("HeureVisee")->isVisible(), !line.isEmpty());
    QCOMPARE(f.board().isShifted(), !line.isEmpty());
    closeWindow(f);
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

void TestKeyboard::quittingAsksForThePanelsEdits_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<QString>("answer"); // "Oui", "Oui, refused" (the save fails), "Non", "Escape"
    for (const char* way : {"Ctrl+Q", "the Quitter command", "the Quitter button", "the window system"}) {
        for (const char* answer : {"Oui", "Oui, refused", "Non", "Escape"})
            QTest::addRow("%s, %s", way, answer) << QString::fromLatin1(way) << QString::fromUtf8(answer);
    }
}

void TestKeyboard::quittingAsksForThePanelsEdits()
{
    // However the program is left, edits in the panel are the panel's question first: "Oui" saves and quits,
    // a save that fails stays, "Non" quits without them, Escape stays with them.
    QFETCH(QString, way);
    QFETCH(QString, answer);
    ClockFixture f(threeCities(), kMonday10, 1);
    Main& w = f.startActive();
    press(w, {QStringLiteral("Ctrl+,")});
    QTest::keyClicks(f.box(QStringLiteral("Tvil_1")), QStringLiteral("Lutetia"));
    if (answer == QLatin1String("Oui, refused"))
        f.box(QStringLiteral("TEte_2"))->setText(QStringLiteral("dix"));
    f.platform.dialogs.escapes = answer == QLatin1String("Escape") ? 1 : 0;
    f.platform.dialogs.answers = {answer != QLatin1String("Non")};

    if (way == QLatin1String("Ctrl+Q")) {
        press(w, {QStringLiteral("Ctrl+Q")});
    } else if (way == QLatin1String("the Quitter command")) {
        press(w, {QStringLiteral("Shift+F10")});
        QMenu* commands = menu(f);
        for (int i = 0; i < commands->actions().size() && commands->activeAction()->text() != QLatin1String("Quitter");
             ++i)
            press(w, {QStringLiteral("Down")});
        press(w, {QStringLiteral("Return")});
    } else if (way == QLatin1String("the Quitter button")) {
        // The panel covers it: a screen reader presses it, and its press is queued.
        accessible(f.find<Picture>(QStringLiteral("btn_0")))
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::pressAction());
        QTRY_VERIFY(!f.platform.dialogs.shown.isEmpty());
    } else {
        w.close();
    }

    QCOMPARE(f.platform.dialogs.shown.value(0).text, QStringLiteral("Enregistrer les modifications"));
    const bool quits = answer == QLatin1String("Oui") || answer == QLatin1String("Non");
    QCOMPARE(w.isVisible(), !quits);
    QCOMPARE(hasCity(f, QStringLiteral("Lutetia")), answer == QLatin1String("Oui"));
    if (answer == QLatin1String("Oui, refused"))
        QVERIFY(f.platform.dialogs.shown.value(1).text.contains(QStringLiteral("« dix »")));
    QCOMPARE(f.platform.dialogs.shown.size(), answer == QLatin1String("Oui, refused") ? 2 : 1);
    if (!quits) {
        QVERIFY(f.panel().isVisible());
        QCOMPARE(f.box(QStringLiteral("Tvil_1"))->text(), QStringLiteral("Lutetia"));
        QVERIFY(f.panel().isAncestorOf(QApplication::focusWidget()));
    }
    closeWindow(f);
}

void TestKeyboard::upAndDownGoThroughTheLines_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QStringList>("focus"); // what has the keys after each
    // clang-format off
    QTest::addRow("Down, Down, Up: the names") << "Tvil_1" << QStringList{"Down", "Down", "Up"} << QStringList{"Tvil_2", "Tvil_3", "Tvil_2"};
    QTest::addRow("Down: the summer offsets") << "TEte_5" << QStringList{"Down"} << QStringList{"TEte_6"};
    QTest::addRow("Up: the marks") << "Pref_5" << QStringList{"Up"} << QStringList{"Pref_4"};
    QTest::addRow("Down into the next column group") << "THiver_19" << QStringList{"Down"} << QStringList{"THiver_20"};
    QTest::addRow("Up at the first line stays") << "Tvil_1" << QStringList{"Up"} << QStringList{"Tvil_1"};
    QTest::addRow("Down at the last line stays") << "Pref_59" << QStringList{"Down"} << QStringList{"Pref_59"};
    QTest::addRow("Page Down, ten lines") << "THiver_5" << QStringList{"PgDown", "PgDown"} << QStringList{"THiver_15", "THiver_25"};
    QTest::addRow("Page Down to the last line") << "TEte_55" << QStringList{"PgDown"} << QStringList{"TEte_59"};
    QTest::addRow("Page Up, ten lines, to the first") << "Tvil_30" << QStringList{"PgUp", "PgUp", "PgUp"} << QStringList{"Tvil_20", "Tvil_10", "Tvil_1"};
    QTest::addRow("Ctrl+End, Ctrl+Home") << "Pref_40" << QStringList{"Ctrl+End", "Ctrl+Home"} << QStringList{"Pref_59", "Pref_1"};
    QTest::addRow("Tab keeps its order") << "Tvil_7" << QStringList{"Down", "Tab", "Tab", "Tab", "Tab"} << QStringList{"Tvil_8", "TEte_8", "THiver_8", "Pref_8", "Tvil_9"};
    QTest::addRow("Home and End stay in the text") << "Tvil_3" << QStringList{"End", "Home"} << QStringList{"Tvil_3", "Tvil_3"};
    // clang-format on
}

void TestKeyboard::upAndDownGoThroughTheLines()
{
    QFETCH(QString, from);
    QFETCH(QStringList, keys);
    QFETCH(QStringList, focus);
    ClockFixture f(threeCities(), kMonday10, 1);
    Main& w = f.startActive();
    press(w, {QStringLiteral("Ctrl+,")});
    f.find(from)->setFocus(Qt::TabFocusReason);
    for (qsizetype k = 0; k < keys.size(); ++k) {
        press(w, {keys[k]});
        QCOMPARE(focusName(), focus[k]);
        // In a text box that the keys came to, the whole text is selected, as after a Tab: typing replaces it.
        auto* box = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        if (box && keys[k] != QLatin1String("Home") && keys[k] != QLatin1String("End"))
            QCOMPARE(box->selectedText(), box->text());
    }
    QVERIFY(f.panel().isVisible());
    QVERIFY(!f.panel().isModified());
    QVERIFY(f.platform.dialogs.shown.isEmpty());
    QVERIFY(!f.board().isShifted()); // the clocks' own keys do nothing beneath the panel
    closeWindow(f);
}

void TestKeyboard::goingToACity_data()
{
    QTest::addColumn<QString>("from");     // where the keys are
    QTest::addColumn<QStringList>("keys"); // then these; "t" types a letter
    QTest::addColumn<int>("found");        // the line shown as found before the last key (0: none)
    QTest::addColumn<QString>("focus");    // what has the keys at the end
    // clang-format off
    QTest::addRow("Ctrl+F, tok, Enter: the same column") << "TEte_1" << QStringList{"Ctrl+F", "t", "o", "k", "Return"} << 2 << "TEte_2";
    QTest::addRow("letter case and accents aside") << "Tvil_1" << QStringList{"Ctrl+F", "H", "O", "N", "Return"} << 3 << "Tvil_3";
    QTest::addRow("the first line that begins so") << "Tvil_10" << QStringList{"Ctrl+F", "p", "Return"} << 1 << "Tvil_1";
    QTest::addRow("Tab goes there too") << "THiver_1" << QStringList{"Ctrl+F", "h", "Tab"} << 3 << "THiver_3";
    QTest::addRow("Escape goes back") << "TEte_20" << QStringList{"Ctrl+F", "t", "Esc"} << 2 << "TEte_20";
    QTest::addRow("a letter on a mark") << "Pref_1" << QStringList{"h", "Return"} << 3 << "Pref_3";
    QTest::addRow("nothing found: Enter stays") << "Tvil_1" << QStringList{"Ctrl+F", "z", "Return"} << 0 << "AllerVille";
    QTest::addRow("nothing typed: Enter goes back") << "TEte_4" << QStringList{"Ctrl+F", "Return"} << 0 << "TEte_4";
    QTest::addRow("from an hour: to the name") << "Text1" << QStringList{"Ctrl+F", "t", "Return"} << 2 << "Tvil_2";
    QTest::addRow("from OK: to the name") << "btn_4" << QStringList{"Ctrl+F", "t", "Return"} << 2 << "Tvil_2";
    // clang-format on
}

void TestKeyboard::goingToACity()
{
    QFETCH(QString, from);
    QFETCH(QStringList, keys);
    QFETCH(int, found);
    QFETCH(QString, focus);
    ClockFixture f(threeCities(), kMonday10, 1);
    Main& w = f.startActive();
    press(w, {QStringLiteral("Ctrl+,")});
    f.find(from)->setFocus(Qt::TabFocusReason);
    auto* finder = f.find<QLineEdit>(QStringLiteral("AllerVille"));
    for (qsizetype k = 0; k < keys.size(); ++k) {
        if (k + 1 == keys.size()) {
            QCOMPARE(f.editor().foundLine(), found);
            if (found) {
                QCOMPARE(f.box(QStringLiteral("Tvil_%1").arg(found))->styleSheet().contains(QStringLiteral("#FFFF80")),
                         true);
                QVERIFY(finder->accessibleDescription().startsWith(QStringLiteral("Ligne %1, ").arg(found)));
            } else if (!finder->text().isEmpty()) {
                QCOMPARE(finder->accessibleDescription(),
                         QStringLiteral("Aucune ville pour « %1 »").arg(finder->text()));
            }
        }
        if (keys[k].size() == 1)
            QTest::keyClicks(QApplication::focusWidget(), keys[k]);
        else
            press(w, {keys[k]});
        if (k == 0 && keys[0] == QLatin1String("Ctrl+F")) {
            QVERIFY(finder->isVisible());
            QCOMPARE(focusName(), QStringLiteral("AllerVille"));
        }
    }
    QCOMPARE(focusName(), focus);
    QCOMPARE(finder->isVisible(), focus == QLatin1String("AllerVille"));
    if (!finder->isVisible())
        QCOMPARE(f.editor().foundLine(), 0); // the line found no longer shown
    // Nothing of it reached the window or the lines: no search of the clocks, no edit, the panel open.
    QVERIFY(f.panel().isVisible());
    QVERIFY(!f.find(QStringLiteral("RechercheVille"))->isVisible());
    QVERIFY(!f.panel().isModified());
    QVERIFY(f.platform.dialogs.shown.isEmpty());
    closeWindow(f);
}

namespace {

// The pixels of `area` that differ between two pictures.
QRect changedPixels(const QImage& before, const QImage& after, const QRect& area)
{
    QRect changed;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (before.pixel(x, y) != after.pixel(x, y))
                changed |= QRect(x, y, 1, 1);
    return changed;
}

// The pixels of the band `width` pixels wide inside the rectangle's edge, and how many of them are black.
std::pair<int, int> blackInBand(const QImage& image, const QRect& rect, int width)
{
    int pixels = 0, black = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x) {
            if (x < rect.left() + width || x > rect.right() - width || y < rect.top() + width ||
                y > rect.bottom() - width) {
                ++pixels;
                black += QColor(image.pixel(x, y)) == Qt::black;
            }
        }
    return {pixels, black};
}

bool framed(const QImage& image, const QRect& rect)
{
    const auto [pixels, black] = blackInBand(image, rect, 2);
    return black == pixels;
}

bool unframed(const QImage& image, const QRect& rect)
{
    return blackInBand(image, rect, 2).second == 0;
}

} // namespace

void TestKeyboard::aMarkShowsTheKeysByAFrame()
{
    // A mark that has the keys by the keyboard is framed in black, two pixels wide, around its box; by the
    // mouse alone it is not.
    ClockFixture f(threeCities(), kMonday10, 1);
    Main& w = f.startActive();
    press(w, {QStringLiteral("Ctrl+,")});
    QWidget* editor = f.find(QStringLiteral("Frame2"));
    QCheckBox* mark = f.mark(QStringLiteral("Pref_2"));
    const QRect box = mark->geometry();
    // Around the mark, up to its name's box.
    const QRect around(box.left() - 5, box.top() - 5, f.box(QStringLiteral("Tvil_2"))->x() - box.left() + 5,
                       box.height() + 10);
    press(w, {QStringLiteral("Down"), QStringLiteral("Tab"), QStringLiteral("Tab")});
    QCOMPARE(focusName(), QStringLiteral("THiver_2"));
    const QImage unfocused = editor->grab().toImage();

    press(w, {QStringLiteral("Tab")});
    QCOMPARE(focusName(), QStringLiteral("Pref_2"));
    const QImage byKeys = editor->grab().toImage();
    const QRect frame = changedPixels(unfocused, byKeys, around);
    QVERIFY2(frame.width() >= 17 && frame.width() <= 21 && frame.height() >= 17 && frame.height() <= 21,
             qPrintable(QStringLiteral("%1×%2").arg(frame.width()).arg(frame.height())));
    QVERIFY(framed(byKeys, frame));
    QVERIFY(unframed(unfocused, frame));
    // Around the mark's box, within the line: it covers none of the name box.
    QVERIFY(frame.intersects(box));
    QVERIFY(frame.right() < f.box(QStringLiteral("Tvil_2"))->x());
    QVERIFY(qAbs(frame.center().y() - box.center().y()) <= 1);

    // Up and Down keep it on the mark that has the keys.
    press(w, {QStringLiteral("Down")});
    QCOMPARE(focusName(), QStringLiteral("Pref_3"));
    QVERIFY(unframed(editor->grab().toImage(), frame));

    // The mouse: no frame, on that mark or the one before; a key again brings it back.
    QTest::mouseClick(mark, Qt::LeftButton, {}, QPoint(5, 8));
    QTest::mouseClick(mark, Qt::LeftButton, {}, QPoint(5, 8)); // checked and unchecked again
    QCOMPARE(focusName(), QStringLiteral("Pref_2"));
    QVERIFY(unframed(editor->grab().toImage(), frame));
    QTest::keyClick(mark, Qt::Key_Space);
    QVERIFY(mark->isChecked());
    QVERIFY(framed(editor->grab().toImage(), frame));
    // Gone with the keys.
    press(w, {QStringLiteral("Tab")});
    QVERIFY(unframed(editor->grab().toImage(), frame));
    closeWindow(f);
}

void TestKeyboard::theHeadingsAreLabels()
{
    // The column headings are drawn as the design's text boxes, and are what they are to a screen reader:
    // static text, which takes no keys, no pointer and no text.
    ClockFixture f(threeCities(), kMonday10, 1);
    Main& w = f.startActive();
    press(w, {QStringLiteral("Ctrl+,")});
    const std::pair<const char*, const char*> headings[] = {{"g1_1", "Ville"}, {"g2_1", "Eté"}, {"g3_1", "Hiver"}};
    for (const auto& [name, text] : headings) {
        QWidget* heading = f.find(QString::fromLatin1(name));
        QAccessibleInterface* read = QAccessible::queryAccessibleInterface(heading);
        QVERIFY(read);
        QCOMPARE(read->role(), QAccessible::StaticText);
        QCOMPARE(read->text(QAccessible::Name), QString::fromUtf8(text));
        QVERIFY(!read->editableTextInterface());
        QVERIFY(!read->state().focusable);
        QCOMPARE(heading->focusPolicy(), Qt::NoFocus);
        QVERIFY(heading->testAttribute(Qt::WA_TransparentForMouseEvents));
    }
    closeWindow(f);
}

namespace {

QList<std::pair<QAccessible::Event, QPointer<QObject>>> g_accessibleEvents;

void recordAccessibleEvent(QAccessibleEvent* event)
{
    g_accessibleEvents.append({event->type(), event->object()});
}

} // namespace

void TestKeyboard::screenReadersAreToldThePanelOpens()
{
    // Opening the panel gives the keys to the first name once the panel shows, and screen readers are told:
    // the focus event of that box, after the panel's own. Qt sends such events only through its platform's
    // bridge, which the offscreen platform has not: tests/atspi.sh runs this on X11 with AT-SPI.
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        QSKIP("Qt tells screen readers nothing on the offscreen platform (see the test atspi_keyboard)");
    ClockFixture f(threeCities(), kMonday10, 1);
    Main& w = f.startActive();
    QVERIFY(QTest::qWaitFor([] { return QAccessible::isActive(); }, 10000));
    QTRY_VERIFY(w.isActiveWindow());
    g_accessibleEvents.clear();
    QAccessible::installUpdateHandler(recordAccessibleEvent);
    press(w, {QStringLiteral("Ctrl+,")});
    press(w, {QStringLiteral("Ctrl+F")});
    QAccessible::installUpdateHandler(nullptr);

    const auto index = [](QAccessible::Event type, const QString& name) {
        for (qsizetype i = 0; i < g_accessibleEvents.size(); ++i) {
            if (g_accessibleEvents[i].first == type && g_accessibleEvents[i].second &&
                g_accessibleEvents[i].second->objectName() == name)
                return i;
        }
        return qsizetype(-1);
    };
    const qsizetype shown = index(QAccessible::ObjectShow, QStringLiteral("Frame1"));
    const qsizetype focused = index(QAccessible::Focus, QStringLiteral("Tvil_1"));
    QVERIFY(shown >= 0);
    QVERIFY(focused > shown);
    QAccessibleInterface* first = QAccessible::queryAccessibleInterface(f.box(QStringLiteral("Tvil_1")));
    QCOMPARE(first->text(QAccessible::Name), QStringLiteral("Paris, nom"));
    // The finder too.
    QVERIFY(index(QAccessible::Focus, QStringLiteral("AllerVille")) > focused);
    closeWindow(f);
}

namespace {

// A click of the left button at the middle of a control of the window, or at a point of the bare window, as
// the window system delivers it.
void clickAt(Main& w, const QPoint& place)
{
    QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {}, place);
}

// How many points of a column of the window, from `top` down `height` points, are pure black and pure white:
// the dots of a frame that shows where the keys are.
QPair<int, int> frameDots(Main& w, int x, int top, int height)
{
    const QImage image = w.grab().toImage();
    int black = 0, white = 0;
    for (int y = top; y < top + height; ++y) {
        const QColor colour = image.pixelColor(x, y);
        black += colour == QColor(Qt::black) ? 1 : 0;
        white += colour == QColor(Qt::white) ? 1 : 0;
    }
    return {black, white};
}

// Runs the steps of a scenario: a key's name, "type:text" typed where the keys are, "click" on the bare window,
// "click btn_1"... on a control of the window.
void act(ClockFixture& f, Main& w, const QStringList& steps)
{
    for (const QString& step : steps) {
        if (step == QLatin1String("click"))
            clickAt(w, QPoint(700, 522));
        else if (step.startsWith(QLatin1String("click ")))
            clickAt(w, f.find(step.mid(6))->geometry().center() +
                           f.find(step.mid(6))->parentWidget()->mapTo(&w, QPoint()));
        else if (step.startsWith(QLatin1String("type:")))
            QTest::keyClicks(QApplication::focusWidget(), step.mid(5));
        else
            press(w, {step});
    }
}

} // namespace

void TestKeyboard::theKeysPlaceShowsAfterTheKeyboard_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<bool>("frame"); // around the clocks
    QTest::addColumn<int>("face");   // the face framed, -1 none
    QTest::addColumn<QString>("focus");
    // clang-format off
    QTest::addRow("at the start: the design's look") << QStringList{} << false << -1 << "Main";
    QTest::addRow("any key: the clocks framed") << QStringList{"Home"} << true << -1 << "Main";
    QTest::addRow("Down: the face framed too") << QStringList{"Down"} << true << 1 << "Image1_1";
    QTest::addRow("a click: nothing drawn") << QStringList{"Down", "click"} << false << -1 << "Main";
    QTest::addRow("a click, then a key") << QStringList{"Down", "click", "Right"} << true << -1 << "Main";
    QTest::addRow("the first Tab: Configuration") << QStringList{"Tab"} << false << -1 << "btn_1";
    QTest::addRow("back by Shift+Tab: the face again") << QStringList{"Down", "Down", "Tab", "Shift+Tab"} << true << 2 << "Image1_2";
    QTest::addRow("a save at the keyboard") << QStringList{"Ctrl+,", "Tab", "type:3", "Ctrl+S"} << true << -1 << "Main";
    QTest::addRow("a save with the mouse") << QStringList{"click btn_1", "Tab", "type:3", "click btn_4"} << false << -1 << "Main";
    QTest::addRow("the panel closed by Escape") << QStringList{"Ctrl+,", "Esc"} << true << -1 << "Main";
    QTest::addRow("the search closed by Escape") << QStringList{"o", "Esc"} << true << -1 << "Main";
    QTest::addRow("the search closed, from a city") << QStringList{"Down", "Down", "o", "Esc"} << true << 2 << "Image1_2";
    QTest::addRow("a time typed for a city") << QStringList{"Down", "Return", "type:15", "Return"} << true << 1 << "Image1_1";
    // clang-format on
}

void TestKeyboard::theKeysPlaceShowsAfterTheKeyboard()
{
    // Where the keys are shows once the keyboard is used, as the buttons show it, and not after the mouse alone:
    // the dotted frame around the clocks, and the face that has the keys framed the same way, in black and white
    // dots that stand out on the grey and on light and dark faces.
    QFETCH(QStringList, steps);
    QFETCH(bool, frame);
    QFETCH(int, face);
    QFETCH(QString, focus);
    ClockFixture f(threeCities(), kMonday10, 1);
    Main& w = f.startActive();
    f.platform.dialogs.answers = {true};
    act(f, w, steps);
    QCOMPARE(focusName(), focus);
    QCOMPARE(f.grid().isKeyFrameShown(), frame);
    const auto [black, white] = frameDots(w, twipsToPixels(150), 100, 300);
    QCOMPARE(black > 40 && white > 40, frame);
    QCOMPARE(black + white, frame ? 300 : 0);
    for (int row = 0; row < 4; ++row) {
        const QRect place = f.face(row)->geometry();
        const auto [faceBlack, faceWhite] = frameDots(w, place.left(), place.top(), place.height());
        QVERIFY2((faceBlack + faceWhite == place.height()) == (row == face), qPrintable(QString::number(row)));
    }
    closeWindow(f);
}

void TestKeyboard::escapeInTheSearchGivesTheKeysBack_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("sentence");
    // clang-format off
    QTest::addRow("from the clocks") << QStringList{} << "Main" << "";
    QTest::addRow("from a face") << QStringList{"Down", "Down"} << "Image1_2" << "Tokyo (Tu +9) le 09 décembre, il est 18.00.";
    QTest::addRow("from a face, a city found meanwhile") << QStringList{"Down", "Down", "o", "type:uaga", "Return"} << "Image1_2" << "Tokyo (Tu +9) le 09 décembre, il est 18.00.";
    QTest::addRow("from a button") << QStringList{"Tab", "Tab"} << "btn_2" << "";
    QTest::addRow("from the clocks, a face left by a click") << QStringList{"Down", "click"} << "Main" << "";
    // clang-format on
}

void TestKeyboard::escapeInTheSearchGivesTheKeysBack()
{
    QFETCH(QStringList, before);
    QFETCH(QString, focus);
    QFETCH(QString, sentence);
    ClockFixture f(threeCities(), kMonday10, 1);
    Main& w = f.startActive();
    const int search = int(before.indexOf(QStringLiteral("o")));
    act(f, w, search < 0 ? before : before.mid(0, search));
    const QString had = focusName();
    act(f, w, search < 0 ? QStringList{QStringLiteral("o")} : before.mid(search));
    QCOMPARE(focusName(), QStringLiteral("RechercheVille"));
    press(w, {QStringLiteral("Esc")});
    QCOMPARE(focusName(), had);
    QCOMPARE(focusName(), focus);
    QCOMPARE(f.label("Label8")->caption(), sentence);
    if (focus.startsWith(QLatin1String("Image1_")))
        QVERIFY(f.face(focus.mid(7).toInt())->accessible()->state().focused);
    closeWindow(f);
}

void TestKeyboard::theWindowAndItsMenuAsScreenReadersSeeThem()
{
    // The window is a window; its menu's commands have their shortcuts in the words the menu shows, with Qt's
    // French texts that the program loads.
    QTranslator french;
    QVERIFY(french.load(QStringLiteral("qtbase_fr"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
    QCoreApplication::installTranslator(&french);
    ClockFixture f(threeCities(), kMonday10, 1);
    Main& w = f.startActive();
    QCOMPARE(accessible(&w)->role(), QAccessible::Window);
    QCOMPARE(accessible(&w)->text(QAccessible::Name), QStringLiteral("Horlune (TU + 1 )"));
    press(w, {QStringLiteral("Shift+F10")});
    QAccessibleInterface* commands = accessible(menu(f));
    QHash<QString, QString> spoken;
    for (int i = 0; i < commands->childCount(); ++i) {
        QAccessibleInterface* command = commands->child(i);
        QCOMPARE(command->role(), QAccessible::MenuItem);
        QCOMPARE(commands->indexOfChild(command), i);
        const QAction* action = menu(f)->actions().at(i);
        // As the menu writes it, and as its only key.
        QCOMPARE(command->text(QAccessible::Accelerator), action->shortcut().toString(QKeySequence::NativeText));
        const QStringList keys =
            command->actionInterface()->keyBindingsForAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(keys.value(0), command->text(QAccessible::Accelerator));
        spoken.insert(command->text(QAccessible::Name), command->text(QAccessible::Accelerator));
    }
    QCOMPARE(spoken.value(QStringLiteral("Créneau commun suivant")), QStringLiteral("Ctrl+Droite"));
    QCOMPARE(spoken.value(QStringLiteral("Créneau commun précédent")), QStringLiteral("Ctrl+Gauche"));
    QCOMPARE(spoken.value(QStringLiteral("Revenir à maintenant")), QStringLiteral("Début"));
    QCOMPARE(spoken.value(QStringLiteral("Configuration")), QStringLiteral("Ctrl+,"));
    QCOMPARE(spoken.value(QStringLiteral("Quitter")), QStringLiteral("Ctrl+Q"));
    QCOMPARE(spoken.value(QStringLiteral("A propos")), QString());
    // The command the keys are on is the focused one; a screen reader's press runs it.
    QVERIFY(commands->child(0)->state().focused);
    QVERIFY(!commands->child(1)->state().focused);
    QAccessibleInterface* configuration = commands->child(0);
    configuration->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QTRY_VERIFY(f.panel().isVisible());
    QCoreApplication::removeTranslator(&french);
    closeWindow(f);
}

void TestKeyboard::theDigitalClockIsToldOnceAMinute()
{
    // The digital clock shows each second; screen readers hear its name change once a minute only.
    ClockFixture f(threeCities(), kMonday10.addSecs(50), 1);
    Main& w = f.startActive();
    Label* clock = f.label(QStringLiteral("HeureDigitale"));
    QCOMPARE(clock->accessibleName(), QStringLiteral("Heure locale : 10 h 00"));
    QStringList names{clock->accessibleName()};
    int captions = 0;
    for (int second = 0; second < 60; ++second) {
        const QString before = clock->caption();
        f.platform.clock.advanceSeconds(1);
        w.tick();
        captions += clock->caption() != before ? 1 : 0;
        if (clock->accessibleName() != names.last())
            names << clock->accessibleName();
    }
    QCOMPARE(captions, 60);
    QCOMPARE(names, QStringList({QStringLiteral("Heure locale : 10 h 00"), QStringLiteral("Heure locale : 10 h 01")}));
    QCOMPARE(clock->caption(), QStringLiteral("Heure locale : 10.01.50"));
    closeWindow(f);
}

void TestKeyboard::alwaysOnTopKeepsItsWindow()
{
    // "Toujours au premier plan" changes the window's flag on the window the system has: it is never hidden
    // and shown again, which screen readers would take for a window closed and another opened.
    ClockFixture f(threeCities(), kMonday10, 1);
    Main& w = f.startActive();
    QWindow* handle = w.windowHandle();
    const WId id = w.winId();
    int hidden = 0;
    QObject::connect(handle, &QWindow::visibleChanged, &w, [&hidden](bool visible) { hidden += visible ? 0 : 1; });
    const QList<QAction*> commands = w.actions();
    QAction* onTop = *std::find_if(commands.begin(), commands.end(), [](QAction* action) {
        return action->text() == QLatin1String("Toujours au premier plan");
    });
    for (bool expected : {true, false, true}) {
        onTop->trigger();
        QCOMPARE(bool(w.windowFlags() & Qt::WindowStaysOnTopHint), expected);
        QCOMPARE(bool(handle->flags() & Qt::WindowStaysOnTopHint), expected);
        QCOMPARE(w.windowHandle(), handle);
        QCOMPARE(w.winId(), id);
        QVERIFY(w.isVisible());
        QCOMPARE(f.env.readSetting(QStringLiteral("PremierPlan")), QString(expected ? "T" : "F"));
    }
    QCOMPARE(hidden, 0);
    closeWindow(f);
}

namespace {

// What Qt sends screen readers, as its bridge would get it.
QList<QPair<QAccessible::Event, QString>> g_told; // the event, and the name of the object it is about
void recordTold(QAccessibleEvent* event)
{
    QObject* object = event->object();
    g_told.append({event->type(), object ? object->objectName() : QString()});
}

} // namespace

void TestKeyboard::screenReadersHearEachThingOnce()
{
    // What the bridge sends: each thing done is told once, as a notification that shows, its name told first
    // so that readers read it again; the digital clock's name changes once a minute. Qt sends such events
    // only through its platform's bridge, which the offscreen platform has not: tests/atspi.sh runs this on X11
    // with AT-SPI.
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        QSKIP("Qt tells screen readers nothing on the offscreen platform (see the test atspi_keyboard)");
    ClockFixture f(threeCities(), kMonday10.addSecs(50), 1);
    f.env.writeSetting(QStringLiteral("P1"), QStringLiteral("T"));
    f.env.writeSetting(QStringLiteral("P2"), QStringLiteral("T"));
    Main& w = f.startActive();
    QVERIFY(QTest::qWaitFor([] { return QAccessible::isActive(); }, 10000));
    QTRY_VERIFY(w.isActiveWindow());
    g_told.clear();
    QAccessible::installUpdateHandler(recordTold);
    const auto count = [](QAccessible::Event type, const QString& name) {
        return std::count(g_told.begin(), g_told.end(), qMakePair(type, name));
    };
    auto* announcer = control<Announcer>(*f.window, QStringLiteral("Annonce"));
    press(w, {QStringLiteral("Ctrl+Right")});
    QCOMPARE(count(QAccessible::ObjectShow, QStringLiteral("Annonce")), 1);
    // The line's whole sentence.
    QVERIFY(announcer->said().startsWith(QStringLiteral("Créneau commun : mardi 10 décembre")));
    QCOMPARE(announcer->said(), f.label(QStringLiteral("HeureVisee"))->accessibleDescription());
    const qsizetype named = g_told.indexOf(qMakePair(QAccessible::NameChanged, QStringLiteral("Annonce")));
    QVERIFY(named >= 0 && named < g_told.indexOf(qMakePair(QAccessible::ObjectShow, QStringLiteral("Annonce"))));
    press(w, {QStringLiteral("Ctrl+C")});
    QCOMPARE(count(QAccessible::ObjectShow, QStringLiteral("Annonce")), 2);
    QCOMPARE(announcer->said(), QStringLiteral("Copié : ") + f.platform.desktop.copied.value(0));
    // A minute of ticks: the clock's name once.
    g_told.clear();
    for (int second = 0; second < 60; ++second) {
        f.platform.clock.advanceSeconds(1);
        w.tick();
    }
    QAccessible::installUpdateHandler(nullptr);
    QCOMPARE(count(QAccessible::NameChanged, QStringLiteral("HeureDigitale")), 1);
    QCOMPARE(count(QAccessible::ObjectShow, QStringLiteral("Annonce")), 0);
    closeWindow(f);
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
