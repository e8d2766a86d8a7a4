#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

#include "clock/clockgrid.h"
#include "config/configpanel.h"
#include "support/mainfixture.h"
#include "support/mouse.h"
#include "ui/controls.h"
#include "week/weekview.h"

// The hour that suits everyone, in the window: Ctrl+Right and Ctrl+Left, the rings of the marked cities
// while the clocks are moved, the signs of changes coming, the instant copied and exported, the working
// hours asked. The fake clock gives every instant.
class TestCommonHour : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
    void cleanup() { QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty()); }

    void commonHourAtTheKeyboard_data();
    void commonHourAtTheKeyboard();
    void aLongNameFitsTheLine();
    void notBehindThePanel();
    void ringsOnlyWhileMoved();
    void changesComingAreSigned();
    void signsStayUnderThePanel();
    void theInstantCopied_data();
    void theInstantCopied();
    void theInvitationExported_data();
    void theInvitationExported();
    void officeHoursAsked_data();
    void officeHoursAsked();
    void theWeekFromTheWindow();
    void theWeekCoversTheClocks();
};

namespace {

// Paris, Tokyo and New York; the computer in Paris on Thursday 10 December 2026 at 10.00.
QByteArray threeCities()
{
    return cityFile({"Paris,2,1", "Tokyo,9,9", "New York,-4,-5"});
}
const QDateTime kThursday10(QDate(2026, 12, 10), QTime(10, 0), Qt::UTC);

// The window with the rows written marked ("P1"...).
Main& startMarked(ClockFixture& f, const QList<int>& marked)
{
    for (int row : marked)
        f.env.writeSetting(QStringLiteral("P%1").arg(row), QStringLiteral("T"));
    return f.startActive();
}

QAction* command(Main& w, const QString& text)
{
    const QList<QAction*> actions = w.actions();
    for (QAction* action : actions) {
        if (action->text() == text)
            return action;
    }
    qFatal("no command %s", qPrintable(text));
}

} // namespace

void TestCommonHour::commonHourAtTheKeyboard_data()
{
    QTest::addColumn<QList<int>>("marked");
    QTest::addColumn<QString>("office");  // the working hours kept in the settings; empty: none kept
    QTest::addColumn<QDateTime>("local"); // the computer's clock, in Paris
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("whole"); // the whole sentence, in the tooltip and for screen readers
    QTest::addColumn<QString>("shown"); // what the line shows, in its room
    QTest::addColumn<QString>("paris"); // Paris's time then
    const QDateTime fridayEvening(QDate(2026, 12, 11), QTime(19, 0), Qt::UTC);
    const QDateTime atNine(QDate(2026, 12, 10), QTime(9, 30), Qt::UTC);
    const QDateTime inTheSlot(QDate(2026, 12, 10), QTime(15, 40), Qt::UTC);
    // clang-format off
    QTest::newRow("Paris and New York")      << QList<int>{1, 3}    << "" << kThursday10 << QStringList{"Ctrl+Right"} << "Créneau commun : jeudi 10 décembre, 15.00 – 18.00 ici (3 h)" << "Créneau commun : jeu. 10 déc., 15.00 – 18.00 ici (3 h)" << "15.00";
    QTest::newRow("the one after")           << QList<int>{1, 3}    << "" << kThursday10 << QStringList{"Ctrl+Right", "Ctrl+Right"} << "Créneau commun : vendredi 11 décembre, 15.00 – 18.00 ici (3 h)" << "Créneau commun : ven. 11 déc., 15.00 – 18.00 ici (3 h)" << "15.00";
    QTest::newRow("and back")                << QList<int>{1, 3}    << "" << kThursday10 << QStringList{"Ctrl+Right", "Ctrl+Right", "Ctrl+Left"} << "Créneau commun : jeudi 10 décembre, 15.00 – 18.00 ici (3 h)" << "Créneau commun : jeu. 10 déc., 15.00 – 18.00 ici (3 h)" << "15.00";
    QTest::newRow("Friday evening: Monday, said") << QList<int>{1, 3} << "" << fridayEvening << QStringList{"Ctrl+Right"} << "Créneau commun : lundi 14 décembre, 15.00 – 18.00 ici (3 h)" << "Créneau commun : lun. 14 déc., 15.00 – 18.00 ici (3 h)" << "15.00";
    QTest::newRow("hours of the user's")     << QList<int>{1, 3}    << "8.30 – 16.00" << kThursday10 << QStringList{"Ctrl+Right"} << "Créneau commun : jeudi 10 décembre, 14.30 – 16.00 ici (1 h 30)" << "Créneau : jeu. 10 déc., 14.30 – 16.00 ici (1 h 30)" << "14.30";
    QTest::newRow("equal hours kept: 9 to 18") << QList<int>{1, 3}  << "9 - 9" << kThursday10 << QStringList{"Ctrl+Right"} << "Créneau commun : jeudi 10 décembre, 15.00 – 18.00 ici (3 h)" << "Créneau commun : jeu. 10 déc., 15.00 – 18.00 ici (3 h)" << "15.00";
    QTest::newRow("Tokyo never with them")   << QList<int>{1, 2, 3} << "" << kThursday10 << QStringList{"Ctrl+Right"} << "Aucun créneau commun dans la semaine : Tokyo n'est jamais au bureau avec les autres ; au mieux 2 villes sur 3, jeudi 10 décembre à 15.00 ici" << "Aucun créneau : Tokyo jamais avec les autres" << "15.00";
    QTest::newRow("Tokyo never with them, though New York is away at nine") << QList<int>{1, 2, 3} << "" << atNine << QStringList{"Ctrl+Right"} << "Aucun créneau commun dans la semaine : Tokyo n'est jamais au bureau avec les autres ; au mieux 2 villes sur 3, jeudi 10 décembre à 15.00 ici" << "Aucun créneau : Tokyo jamais avec les autres" << "15.00";
    QTest::newRow("inside the slot: the next one") << QList<int>{1, 3} << "" << inTheSlot << QStringList{"Ctrl+Right"} << "Créneau commun : vendredi 11 décembre, 15.00 – 18.00 ici (3 h)" << "Créneau commun : ven. 11 déc., 15.00 – 18.00 ici (3 h)" << "15.00";
    QTest::newRow("inside the slot, back: its start") << QList<int>{1, 3} << "" << inTheSlot << QStringList{"Ctrl+Left"} << "Créneau commun : jeudi 10 décembre, 15.00 – 18.00 ici (3 h)" << "Créneau commun : jeu. 10 déc., 15.00 – 18.00 ici (3 h)" << "15.00";
    QTest::newRow("at the week's end: the clocks stay") << QList<int>{1, 3} << "" << kThursday10 << (QStringList(7 * 24, "PgUp") << "Ctrl+Right") << "Les horloges ne vont pas à plus d'une semaine de maintenant" << "Une semaine au plus" << "10.00";
    QTest::newRow("one city marked: a hint") << QList<int>{1}       << "" << kThursday10 << QStringList{"Ctrl+Right"} << "Cochez au moins deux villes dans le panneau de configuration pour chercher un créneau commun" << "Cochez au moins deux villes dans le panneau" << "10.00";
    // clang-format on
}

void TestCommonHour::commonHourAtTheKeyboard()
{
    QFETCH(QList<int>, marked);
    QFETCH(QString, office);
    QFETCH(QDateTime, local);
    QFETCH(QStringList, keys);
    QFETCH(QString, whole);
    QFETCH(QString, shown);
    QFETCH(QString, paris);
    ClockFixture f(threeCities(), local, 1);
    if (!office.isEmpty())
        f.env.writeSetting(QStringLiteral("Bureau"), office);
    Main& w = startMarked(f, marked);
    for (const QString& key : keys) {
        const QKeyCombination pressed = QKeySequence(key)[0];
        QTest::keyClick(&w, pressed.key(), pressed.keyboardModifiers());
    }
    Label* shiftLine = f.label("HeureVisee");
    QVERIFY(shiftLine->isVisible());
    QCOMPARE(shiftLine->accessibleDescription(), whole);
    QVERIFY(shiftLine->toolTip().contains(whole.toHtmlEscaped().left(30)));
    QCOMPARE(shiftLine->caption(), shown);
    QVERIFY(shiftLine->fontMetrics().horizontalAdvance(shown) <= shiftLine->contentsRect().width());
    QCOMPARE(f.digit(1)->caption(), paris);
}

void TestCommonHour::aLongNameFitsTheLine()
{
    // The city that never meets the others has a name longer than the line: it is shortened there, and
    // whole in the tooltip.
    const QString name = QStringLiteral("Saint-Pierre-et-Miquelon-sur-la-Mer-du-Japon");
    ClockFixture f(cityFile({"Paris,2,1", name.toUtf8() + ",9,9", "New York,-4,-5"}), kThursday10, 1);
    Main& w = startMarked(f, {1, 2, 3});
    QTest::keyClick(&w, Qt::Key_Right, Qt::ControlModifier);
    Label* line = f.label("HeureVisee");
    QVERIFY(line->accessibleDescription().contains(name));
    QVERIFY2(line->caption().startsWith(QStringLiteral("Aucun créneau : Saint-Pier")) &&
                 line->caption().endsWith(QStringLiteral("… jamais avec les autres")),
             qPrintable(line->caption()));
    QVERIFY(line->fontMetrics().horizontalAdvance(line->caption()) <= line->contentsRect().width());
}

void TestCommonHour::notBehindThePanel()
{
    // The panel covers the clocks: Ctrl+Right in one of its boxes moves nothing behind it.
    ClockFixture f(threeCities(), kThursday10, 1);
    Main& w = startMarked(f, {1, 3});
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    f.openPanel();
    QCheckBox* mark = f.mark(QStringLiteral("Pref_2"));
    mark->setFocus();
    QCOMPARE(QApplication::focusWidget(), mark);
    for (Qt::Key key : {Qt::Key_Right, Qt::Key_Left})
        QTest::keyClick(mark, key, Qt::ControlModifier);
    QVERIFY(!f.board().isShifted());
    QVERIFY(!f.label("HeureVisee")->isVisible());
    f.pressOk();
    QCOMPARE(f.digit(1)->caption(), QStringLiteral("10.00"));
}

void TestCommonHour::ringsOnlyWhileMoved()
{
    ClockFixture f(cityFile({"Paris,2,1", "Tokyo,9,9", "New York,-4,-5", "Rome,2,1"}), kThursday10, 1);
    Main& w = startMarked(f, {1, 2, 3});
    // At rest, the design's look: no ring.
    for (int row = 1; row <= 4; ++row)
        QCOMPARE(f.face(row)->rim(), Rim::None);
    // No common hour: to the best quarter, Paris and New York at work, Tokyo not.
    command(w, QStringLiteral("Créneau commun suivant"))->trigger();
    QCOMPARE(f.face(1)->rim(), Rim::Solid);
    QCOMPARE(f.face(2)->rim(), Rim::Dotted);
    QCOMPARE(f.face(3)->rim(), Rim::Solid);
    QCOMPARE(f.face(4)->rim(), Rim::None); // not marked
    QVERIFY(f.face(1)->accessibleName().endsWith(QStringLiteral(", au bureau")));
    QVERIFY(f.face(2)->accessibleName().endsWith(QStringLiteral(", hors des heures de bureau")));
    // Other hours, asked while the clocks are moved: the rings follow them at once.
    f.platform.dialogs.typed = QStringLiteral("16-18");
    command(w, QStringLiteral("Heures de bureau…"))->trigger();
    QCOMPARE(f.face(1)->rim(), Rim::Dotted);
    QVERIFY(f.face(1)->accessibleName().endsWith(QStringLiteral(", hors des heures de bureau")));
    QVERIFY(f.board().isShifted());
    f.run([](Board& board, const Instant& now) { return board.backToNow(now); });
    QCOMPARE(f.face(1)->rim(), Rim::None);
    QVERIFY(!f.face(1)->accessibleName().contains(QStringLiteral("bureau")));
}

void TestCommonHour::changesComingAreSigned()
{
    // Fifteen days before Paris changes to winter time: nothing yet.
    ClockFixture f(threeCities(), QDateTime(QDate(2026, 10, 10), QTime(10, 0), Qt::UTC), 2);
    Main& w = f.start();
    QVERIFY(!f.sign(1)->isVisible());
    // Moved a week on, the clocks see it coming; New York's, on 1 November, is still too far.
    for (int i = 0; i < 7 * 24; ++i)
        QTest::keyClick(&w, Qt::Key_PageUp);
    const RowPart paris = f.sign(1);
    QVERIFY(paris->isVisible());
    QCOMPARE(paris->toolTip(), QStringLiteral("Passe à l'heure d'hiver dimanche 25 octobre à 03.00 : −1 h"));
    QCOMPARE(paris->caption(), QStringLiteral("▼"));
    QVERIFY(f.face(1)->accessibleName().endsWith(paris->toolTip()));
    QVERIFY(!f.sign(3)->isVisible());
    // Back to now, the sign goes.
    f.run([](Board& board, const Instant& now) { return board.backToNow(now); });
    QVERIFY(!paris->isVisible());
}

void TestCommonHour::signsStayUnderThePanel()
{
    // Five days before Paris changes to winter time, its sign shows at rest; the panel opens over it.
    ClockFixture f(threeCities(), QDateTime(QDate(2026, 10, 20), QTime(10, 0), Qt::UTC), 2);
    Main& w = f.start();
    const RowPart paris = f.sign(1);
    QVERIFY(paris->isVisible());
    QCOMPARE(w.childAt(paris->geometry().center()), &f.grid());
    f.openPanel();
    QWidget* seen = w.childAt(paris->geometry().center());
    QVERIFY(seen != &f.grid());
    QVERIFY(f.panel().isAncestorOf(seen));
}

void TestCommonHour::theInstantCopied_data()
{
    QTest::addColumn<QList<int>>("marked");
    QTest::addColumn<QString>("shown"); // "hover": the pointer on New York; "keys": the keys on the first city
    QTest::addColumn<bool>("taken");    // the clipboard takes the text
    QTest::addColumn<QString>("copied");
    QTest::addColumn<QString>("told"); // the start of the message, if any
    // clang-format off
    QTest::newRow("the marked cities")       << QList<int>{1, 2} << ""      << true  << "jeudi 10 décembre 2026 — 10.00 Paris · 18.00 Tokyo" << "";
    QTest::newRow("none marked: the city hovered, and here") << QList<int>{} << "hover" << true << "jeudi 10 décembre 2026 — 10.00 ici · 04.00 New York" << "";
    QTest::newRow("none marked: the city of the keys, and here") << QList<int>{} << "keys" << true << "jeudi 10 décembre 2026 — 10.00 ici · 10.00 Paris" << "";
    QTest::newRow("none marked, none shown") << QList<int>{}     << ""      << true  << "" << "Cochez des villes";
    QTest::newRow("a clipboard that refuses") << QList<int>{1, 2} << ""     << false << "" << "Le presse-papiers n'a pas pris le texte :\n\njeudi 10 décembre 2026 — 10.00 Paris · 18.00 Tokyo";
    // clang-format on
}

void TestCommonHour::theInstantCopied()
{
    QFETCH(QList<int>, marked);
    QFETCH(QString, shown);
    QFETCH(bool, taken);
    QFETCH(QString, copied);
    QFETCH(QString, told);
    ClockFixture f(threeCities(), kThursday10, 1);
    Main& w = startMarked(f, marked);
    f.platform.desktop.clipboardTakes = taken;
    if (shown == QLatin1String("hover"))
        moveOver(f.face(3));
    else if (shown == QLatin1String("keys"))
        QTest::keyClick(&w, Qt::Key_Down);
    QTest::keyClick(&w, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(f.platform.desktop.copied, copied.isEmpty() ? QStringList() : QStringList{copied});
    QCOMPARE(f.platform.dialogs.shown.size(), told.isEmpty() ? 0 : 1);
    if (!told.isEmpty())
        QVERIFY2(f.platform.dialogs.shown[0].text.startsWith(told), qPrintable(f.platform.dialogs.shown[0].text));
    // Nothing else changes: the clocks stay where they were.
    QVERIFY(!f.board().isShifted());
}

void TestCommonHour::theInvitationExported_data()
{
    QTest::addColumn<QString>("where"); // "file", "cancel", "folder" (a folder of that name), "fifo", "link"
    QTest::newRow("written") << "file";
    QTest::newRow("cancelled") << "cancel";
    QTest::newRow("a folder in the way") << "folder";
    QTest::newRow("a pipe in the way") << "fifo";
    QTest::newRow("a link to another file") << "link";
}

void TestCommonHour::theInvitationExported()
{
    QFETCH(QString, where);
    ClockFixture f(threeCities(), kThursday10, 1);
    Main& w = startMarked(f, {1, 3});
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("rendez-vous.ics"));
    QString written = path;
    if (where == QLatin1String("folder"))
        QVERIFY(QDir().mkpath(path));
    if (where == QLatin1String("fifo"))
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    if (where == QLatin1String("link")) {
        written = folder.filePath(QStringLiteral("agenda.ics"));
        QVERIFY(QFile::link(written, path));
        QFile(written).open(QIODevice::WriteOnly);
        f.platform.dialogs.answers = {true};
    }
    if (where != QLatin1String("cancel"))
        f.platform.dialogs.savePath = path;
    command(w, QStringLiteral("Créneau commun suivant"))->trigger();
    command(w, QStringLiteral("Exporter l'invitation…"))->trigger();
    QFile file(written);
    if (where == QLatin1String("file") || where == QLatin1String("link")) {
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY(text.contains("DTSTART:20261210T140000Z\r\n"));
        QVERIFY(text.contains("DESCRIPTION:jeudi 10 décembre 2026 — 15.00 Paris · 09.00 New York\r\n"));
        // The dialog, and for a link the question that names the file replaced.
        QCOMPARE(f.platform.dialogs.shown.size(), where == QLatin1String("link") ? 2 : 1);
        if (where == QLatin1String("link"))
            QVERIFY(f.platform.dialogs.shown[1].text.contains(written));
    } else {
        QVERIFY(!QFileInfo(path).isFile());
        const bool told = f.platform.dialogs.shown.size() == 2 &&
                          f.platform.dialogs.shown[1].text.startsWith(QStringLiteral("L'invitation n'a pas"));
        QCOMPARE(told, where != QLatin1String("cancel"));
        // What stood in the way is still there.
        QCOMPARE(QFileInfo(path).isDir(), where == QLatin1String("folder"));
        QCOMPARE(QFileInfo(path).exists() && !QFileInfo(path).isDir(), where == QLatin1String("fifo"));
    }
}

void TestCommonHour::officeHoursAsked_data()
{
    QTest::addColumn<QString>("typed"); // empty: cancelled
    QTest::addColumn<QString>("kept");  // in the settings afterwards
    QTest::addColumn<bool>("told");
    // clang-format off
    QTest::newRow("new hours")      << "8h30-17h"   << "8.30 – 17.00" << false;
    QTest::newRow("overnight")      << "22-6"       << "22.00 – 6.00" << false;
    QTest::newRow("equal: refused") << "9-9"        << ""             << true;
    QTest::newRow("nonsense")       << "toute la journée" << ""       << true;
    QTest::newRow("cancelled")      << ""           << ""             << false;
    // clang-format on
}

void TestCommonHour::officeHoursAsked()
{
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    QFETCH(bool, told);
    ClockFixture f(threeCities(), kThursday10, 1);
    Main& w = f.start();
    if (!typed.isEmpty())
        f.platform.dialogs.typed = typed;
    command(w, QStringLiteral("Heures de bureau…"))->trigger();
    QCOMPARE(f.env.readSetting(QStringLiteral("Bureau")), kept);
    QCOMPARE(f.platform.dialogs.shown.size(), told ? 2 : 1);
}

QTEST_MAIN(TestCommonHour)
#include "tst_commonhour.moc"

void TestCommonHour::theWeekFromTheWindow()
{
    // Paris and New York marked, Thursday 10.00 in Paris: Ctrl+Maj+S opens the week with the keys, whose
    // Ctrl+Right goes to the next common slot (15.00 here) as the clocks' own step would; Enter shows it on
    // every clock and closes the week; Escape leaves the clocks where they were.
    ClockFixture f(threeCities(), kThursday10, 1);
    Main& w = startMarked(f, {1, 3});
    QVERIFY(!w.findChild<WeekView*>()); // made at its first opening
    QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    auto* week = f.find<WeekView>(QStringLiteral("Semaine"));
    QVERIFY(week->isOpen());
    QCOMPARE(QApplication::focusWidget(), week);
    QTest::keyClick(week, Qt::Key_Right, Qt::ControlModifier);
    QVERIFY(!f.board().isShifted()); // the week's key, not the window's
    QCOMPARE(week->currentInstant(), QDateTime(QDate(2026, 12, 10), QTime(14, 0), Qt::UTC));
    QTest::keyClick(week, Qt::Key_Return);
    QVERIFY(!week->isOpen());
    QCOMPARE(f.grid().hasFocus(), true);
    QVERIFY(f.board().isShifted());
    QCOMPARE(f.label("HeureVisee")->caption(), QStringLiteral("Dans 5 h — jeudi 10 décembre, 15.00 ici"));
    QCOMPARE(f.digit(1)->caption(), QStringLiteral("15.00"));

    // Opened again from the instant shown; moved, then Escape: the clocks stay at 15.00.
    QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(week->isOpen());
    QCOMPARE(week->currentInstant(), QDateTime(QDate(2026, 12, 10), QTime(14, 0), Qt::UTC));
    QTest::keyClick(week, Qt::Key_Right);
    QTest::keyClick(week, Qt::Key_Escape);
    QVERIFY(!week->isOpen());
    QCOMPARE(f.digit(1)->caption(), QStringLiteral("15.00"));
}

void TestCommonHour::theWeekCoversTheClocks()
{
    // While the week is open, the clocks' keys and the common-hour steps act on nothing beneath it; the panel
    // and the search close it.
    ClockFixture f(threeCities(), kThursday10, 1);
    Main& w = startMarked(f, {1, 3});
    command(w, QStringLiteral("La semaine…"))->trigger();
    auto* week = f.find<WeekView>(QStringLiteral("Semaine"));
    QVERIFY(week->isOpen());
    for (QAction* key : f.grid().actions())
        QVERIFY(!key->isEnabled());
    command(w, QStringLiteral("Créneau commun suivant"))->trigger();
    QVERIFY(!f.board().isShifted());
    f.openPanel();
    QVERIFY(!week->isOpen());
    QVERIFY(f.panel().isVisible());
    f.pressOk();
    command(w, QStringLiteral("La semaine…"))->trigger();
    QVERIFY(week->isOpen());
    QTest::keyClick(week, Qt::Key_Escape);
    for (QAction* key : f.grid().actions())
        QVERIFY(key->isEnabled());
}
