#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

#include "clock/citygrid.h"
#include "support/mainfixture.h"
#include "support/mouse.h"
#include "ui/controls.h"

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
    void ringsOnlyWhileMoved();
    void changesComingAreSigned();
    void theInstantCopied();
    void theInvitationExported_data();
    void theInvitationExported();
    void officeHoursAsked_data();
    void officeHoursAsked();
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
    return f.start();
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
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("line");  // the shift line's tooltip: the whole sentence
    QTest::addColumn<QString>("paris"); // Paris's time then
    // clang-format off
    QTest::newRow("Paris and New York")      << QList<int>{1, 3}    << QStringList{"Ctrl+Right"} << "Créneau commun : jeudi 10 décembre, 15.00 – 18.00 ici (3 h)" << "15.00";
    QTest::newRow("the one after")           << QList<int>{1, 3}    << QStringList{"Ctrl+Right", "Ctrl+Right"} << "Créneau commun : vendredi 11 décembre, 15.00 – 18.00 ici (3 h)" << "15.00";
    QTest::newRow("and back")                << QList<int>{1, 3}    << QStringList{"Ctrl+Right", "Ctrl+Right", "Ctrl+Left"} << "Créneau commun : jeudi 10 décembre, 15.00 – 18.00 ici (3 h)" << "15.00";
    QTest::newRow("Tokyo never with them")   << QList<int>{1, 2, 3} << QStringList{"Ctrl+Right"} << "Aucun créneau commun dans la semaine : Tokyo n'est jamais au bureau avec les autres ; ici 15.00, 2 villes sur 3 au bureau" << "15.00";
    QTest::newRow("one city marked: a hint") << QList<int>{1}       << QStringList{"Ctrl+Right"} << "Cochez au moins deux villes dans le panneau de configuration pour chercher un créneau commun" << "10.00";
    // clang-format on
}

void TestCommonHour::commonHourAtTheKeyboard()
{
    QFETCH(QList<int>, marked);
    QFETCH(QStringList, keys);
    QFETCH(QString, line);
    QFETCH(QString, paris);
    ClockFixture f(threeCities(), kThursday10, 1);
    Main& w = startMarked(f, marked);
    for (const QString& key : keys) {
        const QKeyCombination pressed = QKeySequence(key)[0];
        QTest::keyClick(&w, pressed.key(), pressed.keyboardModifiers());
    }
    Label* shiftLine = f.label("HeureVisee");
    QVERIFY(shiftLine->isVisible());
    QCOMPARE(shiftLine->toolTip(), line);
    QCOMPARE(f.digit(1)->caption(), paris);
    // What shows is that sentence, or a shorter one where it cannot fit.
    QVERIFY(shiftLine->fontMetrics().horizontalAdvance(shiftLine->caption()) <= shiftLine->contentsRect().width());
}

void TestCommonHour::ringsOnlyWhileMoved()
{
    ClockFixture f(cityFile({"Paris,2,1", "Tokyo,9,9", "New York,-4,-5", "Rome,2,1"}), kThursday10, 1);
    Main& w = startMarked(f, {1, 2, 3});
    // At rest, the design's look: no ring.
    for (int row = 1; row <= 4; ++row)
        QCOMPARE(f.face(row)->rim(), Picture::Rim::None);
    // No common hour: to the best quarter, Paris and New York at work, Tokyo not.
    command(w, QStringLiteral("Créneau commun suivant"))->trigger();
    QCOMPARE(f.face(1)->rim(), Picture::Rim::AtWork);
    QCOMPARE(f.face(2)->rim(), Picture::Rim::Away);
    QCOMPARE(f.face(3)->rim(), Picture::Rim::AtWork);
    QCOMPARE(f.face(4)->rim(), Picture::Rim::None); // not marked
    QVERIFY(f.face(1)->accessibleName().endsWith(QStringLiteral(", au bureau")));
    QVERIFY(f.face(2)->accessibleName().endsWith(QStringLiteral(", hors des heures de bureau")));
    f.grid().backToNow();
    QCOMPARE(f.face(1)->rim(), Picture::Rim::None);
    QVERIFY(!f.face(1)->accessibleName().contains(QStringLiteral("bureau")));
}

void TestCommonHour::changesComingAreSigned()
{
    // Fifteen days before Paris changes to winter time: nothing yet.
    ClockFixture f(threeCities(), QDateTime(QDate(2026, 10, 10), QTime(10, 0), Qt::UTC), 2);
    Main& w = f.start();
    QVERIFY(!w.findChild<Label*>(QStringLiteral("Changement_1")));
    // Moved a week on, the clocks see it coming; New York's, on 1 November, is still too far.
    for (int i = 0; i < 7 * 24; ++i)
        QTest::keyClick(&w, Qt::Key_PageUp);
    auto* paris = w.findChild<Label*>(QStringLiteral("Changement_1"));
    QVERIFY(paris && paris->isVisible());
    QCOMPARE(paris->toolTip(), QStringLiteral("Passe à l'heure d'hiver dimanche 25 octobre à 03.00 : −1 h"));
    QCOMPARE(paris->caption(), QStringLiteral("▼"));
    QVERIFY(f.face(1)->accessibleName().endsWith(paris->toolTip()));
    QVERIFY(!w.findChild<Label*>(QStringLiteral("Changement_3")));
    // Back to now, the sign goes.
    f.grid().backToNow();
    QVERIFY(!paris->isVisible());
}

void TestCommonHour::theInstantCopied()
{
    ClockFixture f(threeCities(), kThursday10, 1);
    Main& w = startMarked(f, {1, 2});
    QTest::keyClick(&w, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(),
             QStringLiteral("jeudi 10 décembre 2026 — 10.00 Paris · 18.00 Tokyo"));
    // None marked: the city shown, and here.
    ClockFixture g(threeCities(), kThursday10, 1);
    Main& v = g.start();
    QTest::keyClick(&v, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(g.platform.dialogs.shown.size(), 1); // nothing to copy: said so
    moveOver(g.face(3));
    QTest::keyClick(&v, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(),
             QStringLiteral("jeudi 10 décembre 2026 — 10.00 ici · 04.00 New York"));
}

void TestCommonHour::theInvitationExported_data()
{
    QTest::addColumn<QString>("where"); // "file", "cancel", "folder" (a folder of that name)
    QTest::newRow("written") << "file";
    QTest::newRow("cancelled") << "cancel";
    QTest::newRow("a folder in the way") << "folder";
}

void TestCommonHour::theInvitationExported()
{
    QFETCH(QString, where);
    ClockFixture f(threeCities(), kThursday10, 1);
    Main& w = startMarked(f, {1, 3});
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("rendez-vous.ics"));
    if (where == QLatin1String("folder"))
        QVERIFY(QDir().mkpath(path));
    if (where != QLatin1String("cancel"))
        f.platform.dialogs.savePath = path;
    command(w, QStringLiteral("Créneau commun suivant"))->trigger();
    command(w, QStringLiteral("Exporter l'invitation…"))->trigger();
    QFile file(path);
    if (where == QLatin1String("file")) {
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY(text.contains("DTSTART:20261210T140000Z\r\n"));
        QVERIFY(text.contains("DESCRIPTION:jeudi 10 décembre 2026 — 15.00 Paris · 09.00 New York\r\n"));
        QCOMPARE(f.platform.dialogs.shown.size(), 1); // the dialog, no message
    } else {
        QVERIFY(!QFileInfo(path).isFile());
        const bool told = f.platform.dialogs.shown.size() == 2 &&
                          f.platform.dialogs.shown[1].text.startsWith(QStringLiteral("L'invitation n'a pas pu"));
        QCOMPARE(told, where == QLatin1String("folder"));
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
