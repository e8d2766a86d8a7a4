#include <QAction>
#include <QApplication>
#include <QLocale>
#include <QTest>

#include "clock/clockgrid.h"
#include "platform/process.h"
#include "support/mainfixture.h"
#include "support/mouse.h"
#include "ui/controls.h"

// Every date the program writes, in French under the system's own locale: this test runs twice, under
// LANG=C.UTF-8 and under LANG=en_US.UTF-8 (tests/CMakeLists.txt), and sets no locale itself but through
// the program's own start-up preparation.
class TestLocale : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup() { QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty()); }
    void everyDateIsFrench_data();
    void everyDateIsFrench();
};

namespace {

// Paris, Tokyo and New York; the computer in Paris on Thursday 10 December 2026 at 20.00, Tokyo already on
// Friday.
QByteArray threeCities()
{
    return cityFile({"Paris,2,1", "Tokyo,9,9", "New York,-4,-5"});
}
const QDateTime kThursday20(QDate(2026, 12, 10), QTime(20, 0), Qt::UTC);

void pressKeys(QWidget& window, const QString& keys, int times = 1)
{
    const QKeyCombination key = QKeySequence(keys)[0];
    for (int i = 0; i < times; ++i)
        QTest::keyClick(&window, key.key(), key.keyboardModifiers());
}

// The text the window shows, says or copies along one of its paths that write a date.
QString textOf(ClockFixture& f, Main& w, const QString& path)
{
    if (path == QLatin1String("face"))
        return f.face(2)->accessibleName();
    if (path == QLatin1String("hover")) {
        moveOver(f.face(2));
        return f.label("Label8")->caption();
    }
    if (path == QLatin1String("shift line")) {
        pressKeys(w, QStringLiteral("PgUp"));
        return f.label("HeureVisee")->caption();
    }
    if (path == QLatin1String("common hour")) {
        pressKeys(w, QStringLiteral("Ctrl+Right"));
        return f.label("HeureVisee")->accessibleDescription(); // the whole sentence
    }
    if (path == QLatin1String("change coming")) {
        pressKeys(w, QStringLiteral("PgUp"), 7 * 24); // a week on, Paris's change to winter time is near
        return f.sign(1)->toolTip();
    }
    if (path == QLatin1String("copied")) {
        pressKeys(w, QStringLiteral("Ctrl+C"));
        return f.platform.desktop.copied.value(0);
    }
    if (path == QLatin1String("caption"))
        return w.windowTitle();
    if (path == QLatin1String("Qt's own buttons"))
        return QCoreApplication::translate("QPlatformTheme", "&Yes");
    // The panel's boxes.
    f.openPanel();
    const QString text = f.label(path)->caption();
    f.pressOk();
    return text;
}

} // namespace

void TestLocale::initTestCase()
{
    // The system speaks English here (the C locale's names are English): the test would see it.
    QCOMPARE(QLocale::system().toString(QDate(2026, 12, 10), QStringLiteral("dddd d MMMM")),
             QStringLiteral("Thursday 10 December"));
    prepareProcess(*QCoreApplication::instance());
}

void TestLocale::everyDateIsFrench_data()
{
    QTest::addColumn<QDateTime>("local");
    QTest::addColumn<int>("offsetMinutes"); // the computer's
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("text");
    const QDateTime autumn(QDate(2026, 10, 10), QTime(10, 0), Qt::UTC);
    // clang-format off
    QTest::newRow("a face, as a screen reader says it") << kThursday20 << 60  << "face"             << "Tokyo, 04 h 00, vendredi 11 décembre, nuit";
    QTest::newRow("the hover sentence")                 << kThursday20 << 60  << "hover"            << "Tokyo (Tu +9) le 11 décembre, il est 04.00.";
    QTest::newRow("the shift line")                     << kThursday20 << 60  << "shift line"       << "Dans 1 h — jeudi 10 décembre, 21.00 ici";
    QTest::newRow("the common hour")                    << kThursday20 << 60  << "common hour"      << "Créneau commun : vendredi 11 décembre, 09.00 – 10.00 ici (1 h)";
    QTest::newRow("a change coming")                    << autumn      << 120 << "change coming"    << "Passe à l'heure d'hiver dimanche 25 octobre à 03.00 : −1 h";
    QTest::newRow("the instant copied")                 << kThursday20 << 60  << "copied"           << "jeudi 10 décembre 2026 — 20.00 Paris · 04.00 Tokyo (vendredi)";
    QTest::newRow("the panel: today")                   << kThursday20 << 60  << "Label5"           << "jeudi 10 déc. 2026";
    QTest::newRow("the panel: summer time from")        << kThursday20 << 60  << "Label2"           << "dimanche 29 mars 2026";
    QTest::newRow("the panel: winter time from")        << kThursday20 << 60  << "Label4"           << "dimanche 25 oct. 2026";
    QTest::newRow("the panel: a half-hour offset")      << kThursday20 << 330 << "Label"            << "L'ordinateur est en Heure d'hiver.\r\nDécalage avec TU = 5,5 heure(s).";
    QTest::newRow("the caption: a half-hour offset")    << kThursday20 << 330 << "caption"          << "Horlune (TU + 5,5 )";
    QTest::newRow("Qt's own buttons")                   << kThursday20 << 60  << "Qt's own buttons" << "&Oui";
    // clang-format on
}

void TestLocale::everyDateIsFrench()
{
    QFETCH(QDateTime, local);
    QFETCH(int, offsetMinutes);
    QFETCH(QString, path);
    QFETCH(QString, text);
    ClockFixture f(threeCities(), local, 0);
    f.platform.clock.set(local, offsetMinutes * 60);
    // Paris and Tokyo marked: the instant copied and the common hour name them.
    for (const char* row : {"P1", "P2"})
        f.env.writeSetting(QString::fromLatin1(row), QStringLiteral("T"));
    Main& w = f.start();
    QCOMPARE(textOf(f, w, path), text);
    w.close();
}

QTEST_MAIN(TestLocale)
#include "tst_locale.moc"
