#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCompleter>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QTest>

#include "clock/clockgrid.h"
#include "support/mainfixture.h"
#include "support/mouse.h"
#include "ui/controls.h"

// Any city of the world from the main window: the search box opened by a letter or Ctrl+F, driven by the
// keys alone under the fake clock; the sentence it leaves on the hover line; nothing written.
class TestSearch : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
    void cleanup() { QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty()); }

    void keysAlone_data();
    void keysAlone();
    void theSentenceStaysUntilAnotherCity_data();
    void theSentenceStaysUntilAnotherCity();
    void theBoxAndItsListAreNamed();
    void notBehindThePanel();
    void nothingFoundIsSaid();
    void manyKeysQuickly();
};

namespace {

// Paris, Tokyo and New York; the computer in Paris on Thursday 10 December 2026 at 10.00 (9.00 in
// Universal Time).
QByteArray threeCities()
{
    return cityFile({"Paris,2,1", "Tokyo,9,9", "New York,-4,-5"});
}
const QDateTime kThursday10(QDate(2026, 12, 10), QTime(10, 0), Qt::UTC);

QLineEdit* searchBox(const ClockFixture& f)
{
    return control<QLineEdit>(*f.window, QStringLiteral("RechercheVille"));
}

// The lines the box's list offers.
QStringList offered(const ClockFixture& f)
{
    QStringList lines;
    const QAbstractItemModel* cities = searchBox(f)->completer()->completionModel();
    for (int row = 0; row < cities->rowCount(); ++row)
        lines << cities->index(row, 0).data().toString();
    return lines;
}

// Text typed, one character at a time, whatever its script.
void type(QWidget* widget, const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, text.mid(i, length), Qt::NoModifier);
        i += length - 1;
    }
}

// Keys as a keyboard gives them, to the open list when there is one, else to the widget with the keys: a
// key by its name ("Down", "Ctrl+F"), anything else as text typed.
void press(Main& w, const QStringList& keys)
{
    static const QStringList named = {"Return", "Escape", "Down", "Up", "PgUp", "Ctrl+F"};
    for (const QString& text : keys) {
        QWidget* target = QApplication::activePopupWidget();
        if (!target)
            target = QApplication::focusWidget() ? QApplication::focusWidget() : &w;
        if (named.contains(text)) {
            const QKeyCombination key = QKeySequence(text)[0];
            QTest::keyClick(target, key.key(), key.keyboardModifiers());
        } else
            type(target, text);
    }
}

QByteArray contentsOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void closeWindow(ClockFixture& f)
{
    f.window->close();
}

} // namespace

void TestSearch::keysAlone_data()
{
    QTest::addColumn<QStringList>("keys"); // a key's name ("Down"), or text typed
    QTest::addColumn<QString>("sentence"); // on the hover line afterwards
    QTest::addColumn<bool>("open");        // the box, afterwards
    // clang-format off
    QTest::addRow("a letter opens it, Enter takes the first")    << QStringList{"o", "uaga", "Return"}              << "Ouagadougou (Tu +0) le 10 décembre, il est 09.00." << true;
    QTest::addRow("Ctrl+F opens it")                             << QStringList{"Ctrl+F", "fès", "Return"}          << "Fès (Tu +1) le 10 décembre, il est 10.00." << true;
    QTest::addRow("Down chooses in the list")                    << QStringList{"m", "aroc", "Down", "Down", "Return"} << "Rabat (Tu +1) le 10 décembre, il est 10.00." << true;
    QTest::addRow("another name")                                << QStringList{"b", "eijing", "Return"}            << "Pékin (Tu +8) le 10 décembre, il est 17.00." << true;
    QTest::addRow("another day")                                 << QStringList{"a", "uckland", "Return"}           << "Auckland (Tu +13) le 10 décembre, il est 22.00." << true;
    QTest::addRow("a half hour")                                 << QStringList{"b", "ombay", "Return"}             << "Bombay (Tu +5,5) le 10 décembre, il est 14.30." << true;
    QTest::addRow("the clocks moved: il sera")                   << QStringList{"PgUp", "PgUp", "Ctrl+F", "lima", "Return"} << "Lima (Tu -5) le 10 décembre, il sera 06.00." << true;
    QTest::addRow("Escape closes the list and the box")          << QStringList{"o", "uaga", "Escape"}              << "" << false;
    QTest::addRow("Escape after Enter: the sentence stays")      << QStringList{"o", "uaga", "Return", "Escape"}    << "Ouagadougou (Tu +0) le 10 décembre, il est 09.00." << false;
    QTest::addRow("Enter again: the city whose name was taken")   << QStringList{"m", "aroc", "Down", "Down", "Return", "Return"} << "Rabat (Tu +1) le 10 décembre, il est 10.00." << true;
    QTest::addRow("nothing found: Enter does nothing")           << QStringList{"z", "zzq", "Return"}               << "" << true;
    QTest::addRow("a letter of its own typed plain")             << QStringList{"t", "romso", "Return"}             << "Tromsø (Tu +1) le 10 décembre, il est 10.00." << true;
    QTest::addRow("a typing error")                              << QStringList{"t", "okio", "Return"}              << "Tokyo (Tu +9) le 10 décembre, il est 18.00." << true;
    QTest::addRow("a name people type")                          << QStringList{"k", "iev", "Return"}               << "Kyiv (Tu +2) le 10 décembre, il est 11.00." << true;
    QTest::addRow("a digit opens nothing")                       << QStringList{"7"}                                << "" << false;
    // clang-format on
}

void TestSearch::keysAlone()
{
    QFETCH(QStringList, keys);
    QFETCH(QString, sentence);
    QFETCH(bool, open);
    ClockFixture f(threeCities(), kThursday10, 1);
    const QByteArray listBefore = contentsOf(f.env.cityFile());
    Main& w = f.startActive();
    press(w, keys);
    QCOMPARE(f.label("Label8")->caption(), sentence);
    QCOMPARE(searchBox(f)->isVisible(), open);
    if (!open) // the keys are back on the window
        QVERIFY(!searchBox(f)->hasFocus());
    // Nothing of the list changes, on screen or on disk.
    QCOMPARE(f.board().row(1).name, QStringLiteral("Paris"));
    QCOMPARE(f.board().row(3).name, QStringLiteral("New York"));
    QCOMPARE(contentsOf(f.env.cityFile()), listBefore);
    QVERIFY(!contentsOf(f.env.settingsFile()).contains("Ouagadougou"));
    closeWindow(f);
}

void TestSearch::theSentenceStaysUntilAnotherCity_data()
{
    QTest::addColumn<QString>("then");
    QTest::addColumn<QString>("sentence");
    // clang-format off
    QTest::addRow("a minute later: the time follows") << "minute"  << "Ouagadougou (Tu +0) le 10 décembre, il est 09.01.";
    QTest::addRow("the wheel: il sera")               << "wheel"   << "Ouagadougou (Tu +0) le 10 décembre, il sera 09.15.";
    QTest::addRow("the pointer over a city")          << "pointer" << "Tokyo (Tu +9) le 10 décembre, il est 18.00.";
    QTest::addRow("the keys to a city")               << "keys"    << "Paris (Tu +1) le 10 décembre, il est 10.00.";
    // clang-format on
}

void TestSearch::theSentenceStaysUntilAnotherCity()
{
    QFETCH(QString, then);
    QFETCH(QString, sentence);
    ClockFixture f(threeCities(), kThursday10, 1);
    Main& w = f.startActive();
    press(w, {"o", "uaga", "Return", "Escape"});
    QCOMPARE(f.label("Label8")->caption(), QStringLiteral("Ouagadougou (Tu +0) le 10 décembre, il est 09.00."));
    if (then == QLatin1String("minute")) {
        f.platform.clock.set(kThursday10.addSecs(60), 3600);
        f.window->tick();
    } else if (then == QLatin1String("wheel"))
        f.run([](Board& board, const Instant& now) { return board.turnWheel(120, now); });
    else if (then == QLatin1String("pointer"))
        moveOver(f.face(2));
    else
        press(w, {"Down"});
    QCOMPARE(f.label("Label8")->caption(), sentence);
    closeWindow(f);
}

void TestSearch::theBoxAndItsListAreNamed()
{
    ClockFixture f(threeCities(), kThursday10, 1);
    Main& w = f.startActive();
    press(w, {"Ctrl+F"});
    QLineEdit* box = searchBox(f);
    QVERIFY(box->hasFocus());
    QCOMPARE(box->accessibleName(), QStringLiteral("Rechercher une ville"));
    press(w, {"fès"});
    QCOMPARE(offered(f).value(0), QStringLiteral("Fès — Maroc, UTC+1"));
    QCOMPARE(box->completer()->popup()->accessibleName(), QStringLiteral("Villes trouvées"));
    press(w, {"Return"});
    // Screen readers read the sentence with the box, which keeps the keys for another city.
    QCOMPARE(box->accessibleDescription(), QStringLiteral("Fès (Tu +1) le 10 décembre, il est 10.00."));
    QVERIFY(box->hasFocus());
    // Among the window's commands.
    const QList<QAction*> commands = w.actions();
    QVERIFY(std::any_of(commands.begin(), commands.end(), [](const QAction* action) {
        return action->text() == QStringLiteral("Rechercher une ville…") && action->shortcut() == QKeySequence::Find;
    }));
    closeWindow(f);
}

void TestSearch::notBehindThePanel()
{
    ClockFixture f(threeCities(), kThursday10, 1);
    Main& w = f.startActive();
    press(w, {"Ctrl+F", "par"});
    QVERIFY(searchBox(f)->isVisible());
    // The panel closes the box; its boxes take letters as text, and Ctrl+F opens nothing behind it.
    f.openPanel();
    QVERIFY(!searchBox(f)->isVisible());
    press(w, {"Ctrl+F"});
    QVERIFY(!searchBox(f)->isVisible());
    f.platform.dialogs.answers = {false};
    f.pressOk();
    closeWindow(f);
}

void TestSearch::nothingFoundIsSaid()
{
    ClockFixture f(threeCities(), kThursday10, 1);
    Main& w = f.startActive();
    press(w, {"Ctrl+F", "zzzq"});
    QLineEdit* box = searchBox(f);
    auto* saying = control<QLabel>(*f.window, QStringLiteral("AucuneVille"));
    QVERIFY(saying->isVisible());
    QCOMPARE(saying->text(), QStringLiteral("Aucune ville pour « zzzq »"));
    QCOMPARE(saying->textFormat(), Qt::PlainText);
    QCOMPARE(box->accessibleDescription(), QStringLiteral("Aucune ville pour « zzzq »"));
    QVERIFY(!box->completer()->popup()->isVisible());
    // Under the box, where the list opens, and within the window.
    QCOMPARE(saying->geometry().top(), box->geometry().bottom() + 1);
    QVERIFY(f.window->rect().contains(saying->geometry()));
    // A text too long for the line: shortened there, whole for screen readers.
    const QString longText = QString(60, u'q');
    box->setText(longText);
    press(w, {"q"});
    QVERIFY(saying->text().contains(u'…'));
    QVERIFY(saying->fontMetrics().horizontalAdvance(saying->text()) <= saying->contentsRect().width());
    QCOMPARE(box->accessibleDescription(), QStringLiteral("Aucune ville pour « %1 »").arg(longText + u'q'));
    // A text that finds a city: the saying goes, and the list comes.
    box->clear();
    press(w, {"pari"});
    QVERIFY(!saying->isVisible());
    QCOMPARE(box->accessibleDescription(), QString());
    QVERIFY(box->completer()->popup()->isVisible());
    // Closed, the box leaves nothing behind.
    press(w, {"Escape", "Ctrl+F", "zzzq", "Escape"});
    QVERIFY(!saying->isVisible());
    closeWindow(f);
}

void TestSearch::manyKeysQuickly()
{
    // 200 keys as fast as they come, of every kind a keyboard or a paste can give: the box keeps up and
    // offers what the last text finds.
    ClockFixture f(threeCities(), kThursday10, 1);
    Main& w = f.startActive();
    press(w, {"Ctrl+F"});
    QLineEdit* box = searchBox(f);
    const QStringList texts = {"a", "é", "\u202Eشار", "🌍", "\x01", "-", "'", " ", "Z", "北"};
    for (int i = 0; i < 200; ++i) {
        type(box, texts[i % texts.size()]);
        if (i % 7 == 0)
            QTest::keyClick(box, Qt::Key_Backspace);
    }
    QVERIFY(box->text().size() <= 200);
    box->setText(QString());
    type(box, QStringLiteral("tok"));
    QCOMPARE(offered(f).value(0), QStringLiteral("Tokyo — Japon, UTC+9"));
    closeWindow(f);
}

QTEST_MAIN(TestSearch)
#include "tst_search.moc"
