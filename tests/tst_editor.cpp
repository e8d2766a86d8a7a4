#include <QAbstractItemView>
#include <QCheckBox>
#include <QCompleter>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QTest>

#include "chrome/buttonbar.h"
#include "chrome/pointerdrag.h"
#include "clock/clockgrid.h"
#include "config/cityeditor.h"
#include "config/configpanel.h"
#include "data/cityfile.h"
#include "data/locations.h"
#include "data/messages.h"
#include "data/zonestore.h"
#include "rows/geometry.h"
#include "support/mainfixture.h"
#include "support/mouse.h"
#include "ui/controls.h"
#include "ui/look.h"

// The configuration panel's editor: filling, editing, closing and saving.
class TestEditor : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
    void cleanup() { QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty()); }

    void fillsFiftyNineLines();
    void shortFileRepeatsTheLastCity();
    void missingFileShowsTheBoxAndNoLine();
    void offsetBoxesTurnCommasIntoPoints();
    void everyChangeCounts_data();
    void everyChangeCounts();
    void headerFollowsTheColumnGroup_data();
    void headerFollowsTheColumnGroup();
    void tabRunsDownTheColumns();
    void closingWithoutChangeAsksNothing();
    void answeringNoKeepsEverything();
    void savingSortsWritesAndReloads_data();
    void savingSortsWritesAndReloads();
    void marksFollowTheirCity();
    void hoursSavedOrRefused_data();
    void hoursSavedOrRefused();
    void offsetsSavedOrRefused_data();
    void offsetsSavedOrRefused();
    void aLineTakenOffTheListIsSaved();
    void oddOffsetsOnDiskAreReadAsBefore();
    void findingALine_data();
    void findingALine();
    void anyTextSurvivesASave();
    void unwritableFileKeepsTheEdits();
    void twoSavesInARow();
    void saveWithoutLinesWritesNothing();
    void closingTheWindowOffersToSave();
    void typingANameOffersCities();
    void aChosenCityFollowsItsZone();
    void typedOffsetsAreTheCitysOwn();
    void aDamagedZoneStoreCostsOnlyItsChoices();
    void namesTheFileWouldChangeAreAskedAbout();
    void aListChangedOnDiskIsAskedAbout();
    void unwritableSettingsKeepTheEdits();
    void linesTheFileWouldConfuseAreMarked();
};

namespace {

QDateTime winterDay()
{
    return QDateTime(QDate(2024, 12, 9), QTime(10, 0), Qt::UTC);
}

QDateTime summerDay()
{
    return QDateTime(QDate(2025, 6, 15), QTime(10, 0), Qt::UTC);
}

const QByteArray kWorld =
    cityFile({"Paris,2,1", "New York,-4,-5", "Tokyo,9,9", "Londres,1,0", "Sydney,10,11", "Le Caire,3,2"});

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The file's first lines, as text.
QStringList firstLines(const QString& path, int count)
{
    return QString::fromLatin1(readFile(path)).split(QStringLiteral("\r\n")).mid(0, count);
}

// Opens the panel of a fresh clock.
Main& openPanel(ClockFixture& f)
{
    Main& w = f.start();
    f.openPanel();
    return w;
}

} // namespace

void TestEditor::fillsFiftyNineLines()
{
    ClockFixture f(fullFile());
    f.env.writeSetting(QStringLiteral("P2"), QStringLiteral("T"));
    f.env.writeSetting(QStringLiteral("P59"), QStringLiteral("T"));
    openPanel(f);
    QCOMPARE(f.editor().lineCount(), kCityRows);
    QVERIFY(!f.panel().isModified());
    for (int i = 1; i <= kCityRows; ++i) {
        QCOMPARE(f.box(QStringLiteral("Tvil_%1").arg(i))->text(), QStringLiteral("Ville%1").arg(i));
        QCOMPARE(f.box(QStringLiteral("TEte_%1").arg(i))->text(), QString::number(i % 24 - 11));
        QCOMPARE(f.mark(QStringLiteral("Pref_%1").arg(i))->isChecked(), i == 2 || i == 59);
        QVERIFY(f.box(QStringLiteral("Tvil_%1").arg(i))->isVisible() &&
                f.mark(QStringLiteral("Pref_%1").arg(i))->isVisible());
    }
    for (const char* model : {"Tvil_0", "TEte_0", "THiver_0", "Pref_0"})
        QVERIFY(!f.find(model)->isVisible());
    QVERIFY(f.box("Tvil_0")->text().isEmpty());

    // Three column groups of twenty lines; the first line of the first group is left empty.
    const auto at = [](int x, int y) { return QPoint(twipsToPixels(x), twipsToPixels(y)); };
    QCOMPARE(f.box("Tvil_1")->pos(), at(315, 1095));
    QCOMPARE(f.box("Tvil_19")->pos(), at(315, 6495));
    QCOMPARE(f.box("Tvil_20")->pos(), at(3315, 795));
    QCOMPARE(f.box("TEte_40")->pos(), at(7800, 795));
    QCOMPARE(f.box("THiver_59")->pos(), at(8340, 6495));
    QCOMPARE(f.mark("Pref_25")->pos(), at(3065, 2295));
    QCOMPARE(f.box("Tvil_7")->size(), QSize(98, 19));

    QCOMPARE(f.box("Tvil_5")->palette().color(QPalette::Text), QColor(0, 0, 255));
    QCOMPARE(f.box("TEte_5")->palette().color(QPalette::Text), QColor(0, 0, 0));
    QCOMPARE(f.box("THiver_5")->palette().color(QPalette::Text), QColor(255, 0, 0));
    QCOMPARE(f.box("TEte_5")->toolTip(), QStringLiteral("Décalage en été (de mars à octobre)"));
    QCOMPARE(f.box("THiver_5")->toolTip(), QStringLiteral("Décalage en hiver (de novembre à mars)"));
    QCOMPARE(f.mark("Pref_5")->toolTip(), QStringLiteral("Cochez pour repérer plus facilement cette ville."));
    f.pressOk();
    QVERIFY(f.platform.dialogs.shown.isEmpty());
}

void TestEditor::shortFileRepeatsTheLastCity()
{
    QList<QByteArray> ten;
    for (int i = 1; i <= 10; ++i)
        ten << "C" + QByteArray::number(i) + "," + QByteArray::number(i) + ",-" + QByteArray::number(i);
    ClockFixture f(cityFile(ten));
    openPanel(f);
    QCOMPARE(f.editor().lineCount(), kCityRows);
    for (int i : {11, 30, 59}) {
        QCOMPARE(f.box(QStringLiteral("Tvil_%1").arg(i))->text(), QStringLiteral("C10"));
        QCOMPARE(f.box(QStringLiteral("THiver_%1").arg(i))->text(), QStringLiteral("-10"));
    }
    QVERIFY(!f.panel().isModified());
    f.pressOk();
}

void TestEditor::missingFileShowsTheBoxAndNoLine()
{
    // No list at the start: the start says so, and so does the panel, with no line to edit.
    ClockFixture f(QByteArray(), QDateTime(QDate(2024, 12, 9), QTime(10, 0), Qt::UTC), 1, false);
    f.start();
    f.openPanel();
    QCOMPARE(f.platform.dialogs.shown.size(), 2);
    QCOMPARE(f.platform.dialogs.shown[1].title, unreadCityFileTitle(ReadStatus::Missing));
    QVERIFY(f.panel().isVisible());
    QCOMPARE(f.editor().lineCount(), 0);
    QVERIFY(f.panel().findChildren<QLineEdit*>(QRegularExpression("^Tvil_[1-9]")).isEmpty());
    QVERIFY(f.panel().isModified()); // left as the hour boxes' filling set it
}

void TestEditor::offsetBoxesTurnCommasIntoPoints()
{
    ClockFixture f(fullFile());
    openPanel(f);
    QVERIFY(!f.panel().isModified());
    f.box("TEte_3")->selectAll(); // typing replaces the text
    QTest::keyClicks(f.box("TEte_3"), QStringLiteral("5,5"));
    QCOMPARE(f.box("TEte_3")->text(), QStringLiteral("5.5"));
    QVERIFY(f.panel().isModified());

    f.box("THiver_44")->setText(QStringLiteral("1,2,3")); // as a paste does
    QCOMPARE(f.box("THiver_44")->text(), QStringLiteral("1.2.3"));

    // Typing in the middle keeps the cursor where it was.
    f.box("TEte_8")->setText(QStringLiteral("12"));
    f.box("TEte_8")->setCursorPosition(1);
    QTest::keyClick(f.box("TEte_8"), Qt::Key_Comma);
    QCOMPARE(f.box("TEte_8")->text(), QStringLiteral("1.2"));
    QCOMPARE(f.box("TEte_8")->cursorPosition(), 2);

    // Names and hours keep their commas.
    f.box("Tvil_3")->setText(QStringLiteral("Paris, France"));
    QTest::keyClicks(f.box("Text1"), QStringLiteral(",5"));
    QCOMPARE(f.box("Tvil_3")->text(), QStringLiteral("Paris, France"));
    QCOMPARE(f.box("Text1")->text(), QStringLiteral("20,5"));
    f.platform.dialogs.answers = {false};
    f.pressOk();
}

void TestEditor::everyChangeCounts_data()
{
    QTest::addColumn<QString>("name");
    for (const char* name : {"Tvil_4", "TEte_20", "THiver_59", "Pref_33", "Text1", "Text2"})
        QTest::addRow("%s", name) << QString::fromLatin1(name);
}

void TestEditor::everyChangeCounts()
{
    QFETCH(QString, name);
    ClockFixture f(fullFile());
    openPanel(f);
    QVERIFY(!f.panel().isModified());
    QWidget* widget = f.panel().findChild<QWidget*>(name);
    if (auto* box = qobject_cast<QCheckBox*>(widget))
        QTest::mouseClick(box, Qt::LeftButton);
    else
        QTest::keyClicks(widget, QStringLiteral("x"));
    QVERIFY(f.panel().isModified());
    f.platform.dialogs.answers = {false};
    f.pressOk();
    QVERIFY(f.panel().isModified()); // the closing leaves it
}

void TestEditor::headerFollowsTheColumnGroup_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("leftTwips");
    QTest::addRow("line 25") << "Tvil_25" << 3315;
    QTest::addRow("line 45") << "TEte_45" << 6315;
    QTest::addRow("line 3") << "THiver_3" << 315;
    QTest::addRow("line 20") << "THiver_20" << 3315;
}

void TestEditor::headerFollowsTheColumnGroup()
{
    QFETCH(QString, name);
    QFETCH(int, leftTwips);
    ClockFixture f(fullFile());
    openPanel(f);
    moveOver(f.box("Tvil_50"), QPoint(3, 3)); // somewhere else first
    QWidget* widget = f.panel().findChild<QWidget*>(name);
    moveOver(widget, QPoint(3, 3));
    QCOMPARE(f.find("Frame3")->x(), twipsToPixels(leftTwips));
    QCOMPARE(f.find("Frame3")->y(), twipsToPixels(30));
    // The boxes leave it where it is, and so does the next opening.
    moveOver(f.mark("Pref_50"), QPoint(3, 3));
    QCOMPARE(f.find("Frame3")->x(), twipsToPixels(leftTwips));
    f.pressOk();
    f.openPanel();
    QCOMPARE(f.find("Frame3")->x(), twipsToPixels(leftTwips));
    f.pressOk();
}

void TestEditor::tabRunsDownTheColumns()
{
    ClockFixture f(fullFile());
    openPanel(f);
    QWidget* expected[] = {f.box("Tvil_19"),  f.box("TEte_19"), f.box("THiver_19"),
                           f.mark("Pref_19"), f.box("Tvil_20"), f.box("TEte_20")};
    for (int k = 0; k + 1 < 6; ++k)
        QCOMPARE(expected[k]->nextInFocusChain(), expected[k + 1]);
    f.pressOk();
}

void TestEditor::closingWithoutChangeAsksNothing()
{
    ClockFixture f(kWorld);
    openPanel(f);
    const QByteArray before = readFile(f.env.cityFile());
    f.pressOk();
    QVERIFY(f.platform.dialogs.shown.isEmpty());
    QVERIFY(!f.panel().isVisible());
    QCOMPARE(f.editor().lineCount(), 0);
    QCOMPARE(readFile(f.env.cityFile()), before);
    QCOMPARE(f.env.readSetting(QStringLiteral("P1")), QString());
}

void TestEditor::answeringNoKeepsEverything()
{
    ClockFixture f(kWorld);
    openPanel(f);
    const QByteArray before = readFile(f.env.cityFile());
    f.box("Tvil_1")->setText(QStringLiteral("Lutèce"));
    f.box("Text1")->setText(QStringLiteral("22"));
    f.platform.dialogs.answers = {false};
    f.pressOk();
    QCOMPARE(f.platform.dialogs.shown.size(), 1);
    const auto& question = f.platform.dialogs.shown[0];
    QCOMPARE(question.title, QStringLiteral("Horlune"));
    QCOMPARE(question.text, QStringLiteral("Enregistrer les modifications"));
    QCOMPARE(question.icon, DialogIcon::Question);
    QVERIFY(question.question);
    QVERIFY(!f.panel().isVisible());
    QCOMPARE(readFile(f.env.cityFile()), before);
    QCOMPARE(f.env.readSetting(QStringLiteral("HN")), QString());
    f.openPanel();
    QCOMPARE(f.box("Text1")->text(), QStringLiteral("20"));
    f.pressOk();
    f.openPanel();
    QCOMPARE(f.box("Tvil_1")->text(), QStringLiteral("Paris"));
    f.pressOk();
}

void TestEditor::savingSortsWritesAndReloads_data()
{
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<int>("offsetHours");
    QTest::addColumn<QStringList>("lines");
    // clang-format off
    QTest::addRow("summer: by summer offset") << summerDay() << 2 << QStringList{"New York,-4,-5", "Londres,1,0", "Paris,2,1", "Le Caire,3,2", "Tokyo,9,9", "Sydney,10,11"};
    // The summer offset is not the key in winter: it is written as typed.
    QTest::addRow("winter: by winter offset") << winterDay() << 1 << QStringList{"New York,-4,-5", "Londres,+1,0", "Paris,2,1", "Le Caire,3,2", "Tokyo,9,9", "Sydney,10,11"};
    // clang-format on
}

void TestEditor::savingSortsWritesAndReloads()
{
    QFETCH(QDateTime, now);
    QFETCH(int, offsetHours);
    QFETCH(QStringList, lines);
    // Only six cities: the lines after them repeat Le Caire.
    ClockFixture f(kWorld, now, offsetHours);
    openPanel(f);
    f.box("TEte_4")->setText(QStringLiteral("+1")); // Londres
    f.platform.dialogs.answers = {true};
    f.pressOk();
    QVERIFY(!f.panel().isVisible());
    QCOMPARE(f.editor().lineCount(), 0);

    const QStringList written = firstLines(f.env.cityFile(), 60);
    QCOMPARE(written.mid(0, 2), lines.mid(0, 2));
    QCOMPARE(written.mid(2, 1), lines.mid(2, 1));
    for (int i = 3; i < 57; ++i)
        QCOMPARE(written[i], QStringLiteral("Le Caire,3,2"));
    QCOMPARE(written.mid(57, 2), lines.mid(4, 2));
    QCOMPARE(written[59], QString()); // 59 lines, each ended by CR LF

    // The clock shows the new list at once.
    QCOMPARE(f.ville(1)->caption(), QStringLiteral("New York"));
    QCOMPARE(f.ville(59)->caption(), QStringLiteral("Sydney"));
    QCOMPARE(f.env.readSetting(QStringLiteral("P1")), QStringLiteral("F"));
    QCOMPARE(f.env.readSetting(QStringLiteral("P59")), QStringLiteral("F"));
}

void TestEditor::marksFollowTheirCity()
{
    ClockFixture f(fullFile(), summerDay(), 2);
    f.env.writeSetting(QStringLiteral("P2"), QStringLiteral("T"));
    openPanel(f);
    // Line 2 becomes Tokyo, +9: it sorts among the other +9 cities.
    f.setLine(2, {QStringLiteral("Tokyo"), QStringLiteral("9"), QStringLiteral("9"), true});
    f.platform.dialogs.answers = {true};
    f.pressOk();
    const QStringList written = firstLines(f.env.cityFile(), 59);
    const int line = written.indexOf(QStringLiteral("Tokyo,9,9")) + 1;
    QVERIFY(line > 2);
    QCOMPARE(f.env.readSetting(QStringLiteral("P%1").arg(line)), QStringLiteral("T"));
    for (int i = 1; i <= kCityRows; ++i)
        if (i != line)
            QCOMPARE(f.env.readSetting(QStringLiteral("P%1").arg(i)), QStringLiteral("F"));
    QVERIFY(f.board().row(line).marked);
    QCOMPARE(f.ville(line)->caption(), QStringLiteral("Tokyo"));
    f.openPanel();
    QVERIFY(f.mark(QStringLiteral("Pref_%1").arg(line))->isChecked());
    f.pressOk();
}

void TestEditor::hoursSavedOrRefused_data()
{
    QTest::addColumn<QString>("night");
    QTest::addColumn<QString>("day");
    QTest::addColumn<QString>("storedNight"); // empty: refused
    QTest::addColumn<QString>("storedDay");
    QTest::addColumn<QString>("marked"); // the boxes marked, when refused
    // clang-format off
    QTest::addRow("22 and 8") << "22" << "8" << "22" << "8" << "";
    QTest::addRow("24 and 0: night from midnight") << "24" << "0" << "24" << "0" << "";
    QTest::addRow("written otherwise") << " +21 " << "07.0" << "21" << "7" << "";
    // Hours the design stored rounded or dropped without a word are refused, and said.
    QTest::addRow("8.4 and 8.2") << "8.4" << "8.2" << "" << "" << "Text1 Text2";
    QTest::addRow("night 25") << "25" << "8" << "" << "" << "Text1";
    QTest::addRow("day -1") << "20" << "-1" << "" << "" << "Text2";
    QTest::addRow("day 30") << "20" << "30" << "" << "" << "Text2";
    QTest::addRow("night 8, day 20") << "8" << "20" << "" << "" << "Text1";
    QTest::addRow("a word") << "vingt" << "8" << "" << "" << "Text1";
    // clang-format on
}

void TestEditor::hoursSavedOrRefused()
{
    QFETCH(QString, night);
    QFETCH(QString, day);
    QFETCH(QString, storedNight);
    QFETCH(QString, storedDay);
    QFETCH(QString, marked);
    ClockFixture f(kWorld);
    openPanel(f);
    const QByteArray before = readFile(f.env.cityFile());
    f.box("Text1")->setText(night);
    f.box("Text2")->setText(day);
    f.platform.dialogs.answers = {true};
    f.pressOk();
    if (marked.isEmpty()) {
        QCOMPARE(f.platform.dialogs.shown.size(), 1); // the question alone
        QCOMPARE(f.env.readSetting(QStringLiteral("HN")), storedNight);
        QCOMPARE(f.env.readSetting(QStringLiteral("HJ")), storedDay);
        f.openPanel();
        QCOMPARE(f.box("Text1")->text(), storedNight);
        QCOMPARE(f.box("Text2")->text(), storedDay);
        f.pressOk();
        QCOMPARE(firstLines(f.env.cityFile(), 1), QStringList{"New York,-4,-5"});
        return;
    }
    // Refused: said, the boxes marked, the panel open with the hours as typed, nothing written.
    QCOMPARE(f.platform.dialogs.shown.size(), 2);
    const auto& message = f.platform.dialogs.shown[1];
    QCOMPARE(message.icon, DialogIcon::Warning);
    QVERIFY(!message.question);
    QVERIFY2(message.text.contains(QStringLiteral("heure de ")), qPrintable(message.text));
    QVERIFY(f.panel().isVisible());
    QCOMPARE(isBoxMarked(f.box("Text1")), marked.contains(QStringLiteral("Text1")));
    QCOMPARE(isBoxMarked(f.box("Text2")), marked.contains(QStringLiteral("Text2")));
    QCOMPARE(f.box("Text1")->text(), night);
    QCOMPARE(readFile(f.env.cityFile()), before);
    QCOMPARE(f.env.readSetting(QStringLiteral("HN")), QString());
    QCOMPARE(f.env.readSetting(QStringLiteral("P1")), QString());
    // Corrected, the box is no longer marked, and the save goes through.
    f.box("Text1")->setText(QStringLiteral("21"));
    f.box("Text2")->setText(QStringLiteral("7"));
    QVERIFY(!isBoxMarked(f.box("Text1")) && !isBoxMarked(f.box("Text2")));
    f.platform.dialogs.answers = {true};
    f.pressOk();
    QVERIFY(!f.panel().isVisible());
    QCOMPARE(f.env.readSetting(QStringLiteral("HN")), QStringLiteral("21"));
}

void TestEditor::offsetsSavedOrRefused_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("said");  // the message, empty when the save goes through
    QTest::addColumn<QString>("saved"); // the city's line in the file, when saved
    // clang-format off
    QTest::addRow("dix") << "TEte_5" << "dix" << "ligne 5, Sydney : décalage été « dix »" << "";
    QTest::addRow("15") << "THiver_3" << "15" << "ligne 3, Tokyo : décalage hiver « 15 »" << "";
    QTest::addRow("14.3") << "TEte_1" << "14.3" << "ligne 1, Paris : décalage été « 14.3 »" << "";
    QTest::addRow("-13") << "THiver_4" << "-13" << "ligne 4, Londres : décalage hiver « -13 »" << "";
    QTest::addRow("emptied") << "THiver_2" << "" << "ligne 2, New York : décalage hiver (vide)" << "";
    QTest::addRow("5.75") << "TEte_1" << "5.75" << "" << "Paris,5.75,1";
    QTest::addRow("-3.5") << "THiver_1" << "-3.5" << "" << "Paris,2,-3.5";
    QTest::addRow("+14") << "TEte_2" << "+14" << "" << "New York,+14,-5";
    QTest::addRow("-12") << "THiver_2" << "-12" << "" << "New York,-4,-12";
    QTest::addRow("a decimal comma, typed") << "TEte_3" << "9,5" << "" << "Tokyo,9.5,9";
    // clang-format on
}

void TestEditor::offsetsSavedOrRefused()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, said);
    QFETCH(QString, saved);
    ClockFixture f(kWorld);
    f.env.writeSetting(QStringLiteral("P1"), QStringLiteral("T"));
    openPanel(f);
    const QByteArray before = readFile(f.env.cityFile());
    f.box(box)->selectAll();
    QTest::keyClicks(f.box(box), typed);
    if (typed.isEmpty())
        QTest::keyClick(f.box(box), Qt::Key_Delete);
    f.platform.dialogs.answers = {true};
    f.pressOk();
    if (said.isEmpty()) {
        QCOMPARE(f.platform.dialogs.shown.size(), 1);
        QVERIFY(!f.panel().isVisible());
        QVERIFY2(firstLines(f.env.cityFile(), 59).contains(saved), qPrintable(saved));
        return;
    }
    // The question, then the refusal; the box marked with the keys in it, the panel open, nothing written.
    QCOMPARE(f.platform.dialogs.shown.size(), 2);
    const auto& message = f.platform.dialogs.shown[1];
    QVERIFY2(message.text.contains(said), qPrintable(message.text));
    QCOMPARE(message.icon, DialogIcon::Warning);
    QVERIFY(f.panel().isVisible());
    QVERIFY(isBoxMarked(f.box(box)));
    QCOMPARE(QApplication::focusWidget(), f.box(box));
    QCOMPARE(f.box(box)->text(), typed);
    QCOMPARE(f.editor().lineCount(), kCityRows);
    QCOMPARE(readFile(f.env.cityFile()), before);
    QCOMPARE(f.env.readSetting(QStringLiteral("P1")), QStringLiteral("T"));
    QCOMPARE(f.env.readSetting(QStringLiteral("P2")), QString());
    QVERIFY(!QFile::exists(zoneStorePath(f.env.programDirectory())));
    // Only that box: the other boxes of its line are not marked.
    const QString line = box.mid(box.indexOf(u'_'));
    for (const QString& other : {QStringLiteral("Tvil"), QStringLiteral("TEte"), QStringLiteral("THiver")}) {
        if (other + line != box)
            QVERIFY(!isBoxMarked(f.box(other + line)));
    }
    f.platform.dialogs.answers = {false};
    f.pressOk();
}

void TestEditor::aLineTakenOffTheListIsSaved()
{
    // A city taken off the list is a line wholly emptied: saved as the design saves it, never refused.
    ClockFixture f(kWorld);
    openPanel(f);
    f.setLine(4, {});
    f.platform.dialogs.answers = {true};
    f.pressOk();
    QCOMPARE(f.platform.dialogs.shown.size(), 1);
    QVERIFY(!f.panel().isVisible());
    const QStringList written = firstLines(f.env.cityFile(), 59);
    QVERIFY(written.contains(QStringLiteral(",,0"))); // winter: the key offset read as 0
    QVERIFY(!written.contains(QStringLiteral("Londres,1,0")));
}

void TestEditor::oddOffsetsOnDiskAreReadAsBefore()
{
    // A list written by hand keeps being read as it always was ("dix" is 0); only its save asks for a number.
    const QByteArray list = cityFile({"Paris,2,1", "Honolulu,dix,-10"});
    ClockFixture f(list, summerDay(), 2);
    openPanel(f);
    QCOMPARE(f.board().row(2).summer.hours, 0.0f);
    QVERIFY(f.board().row(2).summer.shown);
    QCOMPARE(f.box("TEte_2")->text(), QStringLiteral("dix"));
    QVERIFY(!isBoxMarked(f.box("TEte_2")));
    f.box("Tvil_1")->setText(QStringLiteral("Lutèce"));
    f.platform.dialogs.answers = {true};
    f.pressOk();
    QCOMPARE(f.platform.dialogs.shown.size(), 2);
    QVERIFY(f.platform.dialogs.shown[1].text.contains(QStringLiteral("ligne 2, Honolulu : décalage été « dix »")));
    QVERIFY(isBoxMarked(f.box("TEte_2")));
    QCOMPARE(readFile(f.env.cityFile()), list);
    f.platform.dialogs.answers = {false};
    f.pressOk();
}

void TestEditor::findingALine_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("line");
    // clang-format off
    QTest::addRow("the name's start") << "Lon" << 4;
    QTest::addRow("letter case aside") << "SYD" << 5;
    QTest::addRow("accents aside") << "lé caïre" << 6;
    QTest::addRow("a word of a name") << "york" << 2;
    QTest::addRow("a name's start before a word") << "le" << 6;
    QTest::addRow("blanks around") << "  paris " << 1;
    QTest::addRow("the first of the lines that repeat") << "le caire" << 6;
    QTest::addRow("nothing") << "Lima" << 0;
    QTest::addRow("not inside a word") << "ork" << 0;
    QTest::addRow("empty") << "" << 0;
    // clang-format on
}

void TestEditor::findingALine()
{
    QFETCH(QString, typed);
    QFETCH(int, line);
    ClockFixture f(kWorld);
    openPanel(f);
    QCOMPARE(f.editor().findLine(typed), line);
    f.pressOk();
}

void TestEditor::anyTextSurvivesASave()
{
    ClockFixture f(fullFile(), summerDay(), 2); // the summer offset is the key
    openPanel(f);
    // Any name; the offset that is not the key as typed, so long as it is an offset.
    const QList<EditorLine> odd = {
        {QStringLiteral("A|B|1"), QStringLiteral("-11"), QStringLiteral("-11"), true},
        {QStringLiteral("Paris, \"France\""), QStringLiteral("-11"), QStringLiteral("+03.50"), false},
        {QStringLiteral(" Saint-Denis "), QStringLiteral("-11"), QStringLiteral(" 4 "), false},
        {QStringLiteral("Åre"), QStringLiteral("-11"), QStringLiteral("12.750"), false},
    };
    for (int k = 0; k < odd.size(); ++k)
        f.setLine(k + 1, odd[k]);
    f.platform.dialogs.answers = {true, true};
    f.pressOk();
    QVERIFY(!f.panel().isVisible());
    // The straight quotes inside a quoted name cannot stay: the save says so before writing.
    QCOMPARE(f.platform.dialogs.shown.size(), 2);
    QVERIFY(f.platform.dialogs.shown[1].text.contains(QStringLiteral("Paris, \"France\" → Paris, “France”")));

    f.openPanel();
    QList<EditorLine> reread;
    for (int i = 1; i <= kCityRows; ++i)
        reread.append(f.editor().lines()[i - 1]);
    for (const EditorLine& line : odd) {
        EditorLine expected = line;
        if (expected.name.contains(QLatin1Char('"'))) // a quote inside a quoted text becomes a typographic one
            expected.name = QStringLiteral("Paris, “France”");
        QVERIFY2(reread.contains(expected), qPrintable(expected.name));
    }
    f.pressOk();
}

void TestEditor::unwritableFileKeepsTheEdits()
{
    ClockFixture f(kWorld);
    f.env.writeSetting(QStringLiteral("P1"), QStringLiteral("T"));
    openPanel(f);
    // Something the city file cannot replace, even for the administrator.
    QVERIFY(QFile::remove(f.env.cityFile()));
    QVERIFY(QDir(f.env.programDirectory()).mkdir(QStringLiteral("horlune.ini")));
    f.box("Tvil_2")->setText(QStringLiteral("Nouvelle-York"));
    f.box("Text1")->setText(QStringLiteral("22"));
    f.platform.dialogs.answers = {true, true}; // save; and replace the file, which has changed since
    f.pressOk();

    QCOMPARE(f.platform.dialogs.shown.size(), 3);
    QVERIFY(f.platform.dialogs.shown[1].text.contains(QStringLiteral("a été modifié depuis l'ouverture")));
    const auto& message = f.platform.dialogs.shown[2];
    QCOMPARE(message.icon, DialogIcon::Critical);
    QVERIFY(message.text.contains(f.env.cityFile()));
    QVERIFY(!message.question);
    QVERIFY(f.panel().isVisible());
    QCOMPARE(f.editor().lineCount(), kCityRows);
    QVERIFY(f.editor().lines().contains(EditorLine{"Nouvelle-York", "-4", "-5", false, "America/New_York"}));
    QCOMPARE(f.box("Text1")->text(), QStringLiteral("22"));
    QCOMPARE(f.env.readSetting(QStringLiteral("P1")), QStringLiteral("T")); // no flag stored
    QCOMPARE(f.env.readSetting(QStringLiteral("P2")), QString());
    QCOMPARE(f.env.readSetting(QStringLiteral("HN")), QString());
    QCOMPARE(f.ville(2)->caption(), QStringLiteral("New York"));

    // Once the file can be written again, the same edits are saved.
    QVERIFY(QDir(f.env.programDirectory()).rmdir(QStringLiteral("horlune.ini")));
    f.platform.dialogs.answers = {true, true};
    f.pressOk();
    QVERIFY(!f.panel().isVisible());
    QCOMPARE(firstLines(f.env.cityFile(), 1), QStringList{"Nouvelle-York,-4,-5"});
    QCOMPARE(f.env.readSetting(QStringLiteral("HN")), QStringLiteral("22"));
}

void TestEditor::twoSavesInARow()
{
    ClockFixture f(fullFile());
    f.start();
    for (int save = 0; save < 2; ++save) {
        f.openPanel();
        int line = 10;
        for (int i = 1; i <= kCityRows; ++i)
            if (f.box(QStringLiteral("Tvil_%1").arg(i))->text() == QStringLiteral("Changée0"))
                line = i;
        f.box(QStringLiteral("Tvil_%1").arg(line))->setText(QStringLiteral("Changée%1").arg(save));
        f.platform.dialogs.answers = {true};
        f.pressOk();
    }
    QStringList shown;
    for (int i = 1; i < kRows; ++i)
        shown << f.ville(i)->caption();
    QCOMPARE(shown.count(QStringLiteral("Changée1")), 1);
    QCOMPARE(shown.count(QStringLiteral("Ville11")), 1);
    QVERIFY(!shown.contains(QStringLiteral("Changée0")));
    QCOMPARE(f.panel().findChildren<QLineEdit*>(QRegularExpression("^Tvil_[1-9]")).size(), 0);
}

void TestEditor::saveWithoutLinesWritesNothing()
{
    ClockFixture f(QByteArray(), QDateTime(QDate(2024, 12, 9), QTime(10, 0), Qt::UTC), 1, false);
    f.start();
    f.openPanel();
    f.platform.dialogs.answers = {true};
    f.pressOk();
    QCOMPARE(f.platform.dialogs.shown.size(), 3); // the missing file at the start and at the opening, the question
    QVERIFY(!QFile::exists(f.env.cityFile()));
    QCOMPARE(f.env.readSetting(QStringLiteral("P1")), QString());
    QVERIFY(!f.panel().isVisible());
}

void TestEditor::closingTheWindowOffersToSave()
{
    // The window system closes the clock while the panel holds edits: they are offered for saving.
    ClockFixture f(kWorld);
    Main& w = openPanel(f);
    f.box("Tvil_1")->setText(QStringLiteral("Lutèce"));
    f.platform.dialogs.answers = {true};
    QVERIFY(w.close());
    QCOMPARE(f.platform.dialogs.shown.size(), 1);
    QVERIFY(firstLines(f.env.cityFile(), 6).contains(QStringLiteral("Lutèce,2,1")));

    // When the file cannot be written, the window stays open with the edits.
    ClockFixture g(kWorld);
    Main& v = openPanel(g);
    g.box("Tvil_1")->setText(QStringLiteral("Lutèce"));
    QVERIFY(QFile::remove(g.env.cityFile()));
    QVERIFY(QDir(g.env.programDirectory()).mkdir(QStringLiteral("horlune.ini")));
    g.platform.dialogs.answers = {true};
    QVERIFY(!v.close());
    QVERIFY(v.isVisible());
    QVERIFY(g.editor().lines().contains(EditorLine{"Lutèce", "2", "1", false, "Europe/Paris"}));

    // Without the panel, or with nothing changed, the window closes without a word.
    ClockFixture h(kWorld);
    Main& u = openPanel(h);
    QVERIFY(u.close());
    QVERIFY(h.platform.dialogs.shown.isEmpty());
    g.platform.dialogs.answers = {false};
    QVERIFY(v.close());
}

namespace {

// The cities offered under a name box, as the list shows them.
QStringList offered(QLineEdit* box)
{
    QStringList shown;
    if (QCompleter* completer = box->completer()) {
        for (int row = 0; row < completer->completionModel()->rowCount(); ++row)
            shown << completer->completionModel()->index(row, 0).data().toString();
    }
    return shown;
}

// Types a name and chooses the offered city shown as `shown`.
void chooseCity(QLineEdit* box, const QString& typed, const QString& shown)
{
    box->selectAll();
    QTest::keyClicks(box, typed);
    QCompleter* completer = box->completer();
    QVERIFY(completer);
    const int row = offered(box).indexOf(shown);
    QVERIFY2(row >= 0, qPrintable(offered(box).join(" | ")));
    emit completer->activated(completer->completionModel()->index(row, 0));
}

// The shipped city list on 15 March 2026 at noon, Universal Time, with the computer in Paris: North America
// has moved to summer time, Europe has not.
ClockFixture shippedListOnMarch15()
{
    QFile shipped(QStringLiteral(HORLUNE_SOURCE_DIR "/resources/horlune.ini"));
    shipped.open(QIODevice::ReadOnly);
    return ClockFixture(shipped.readAll(), QDateTime(QDate(2026, 3, 15), QTime(13, 0), Qt::UTC), 1);
}

int rowNamed(const ClockFixture& f, const QString& name)
{
    for (int i = 1; i < kRows; ++i)
        if (f.ville(i)->caption() == name)
            return i;
    return -1;
}

} // namespace

void TestEditor::typingANameOffersCities()
{
    ClockFixture f(kWorld);
    openPanel(f);
    QLineEdit* box = f.box("Tvil_5");
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("pek"));
    QVERIFY(offered(box).contains(QStringLiteral("Pékin — Chine, UTC+8")));
    QVERIFY(box->completer()->popup()->isVisible());
    // Accents and letter case aside, other names too.
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("NEW"));
    QVERIFY(offered(box).contains(QStringLiteral("New York — États-Unis, UTC-5")));
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("new orl"));
    QCOMPARE(offered(box).value(0), QStringLiteral("La Nouvelle-Orléans — États-Unis, UTC-6"));
    // A country: its largest cities.
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("maroc"));
    QCOMPARE(offered(box).value(0), QStringLiteral("Casablanca — Maroc, UTC+1"));
    // Nothing to offer: the list goes.
    QTest::keyClicks(box, QString(1000, u'x'));
    QVERIFY(offered(box).isEmpty());
    QVERIFY(!box->completer()->popup()->isVisible());
    f.platform.dialogs.answers = {false};
    f.pressOk();
}

void TestEditor::aChosenCityFollowsItsZone()
{
    ClockFixture f = shippedListOnMarch15();
    f.start();
    f.openPanel();
    // A city chosen in the list: its name and offsets from the tz database.
    chooseCity(f.box("Tvil_3"), QStringLiteral("new y"), QStringLiteral("New York — États-Unis, UTC-4"));
    QCOMPARE(f.box("Tvil_3")->text(), QStringLiteral("New York"));
    QCOMPARE(f.box("TEte_3")->text(), QStringLiteral("-4"));
    QCOMPARE(f.box("THiver_3")->text(), QStringLiteral("-5"));
    // A city chosen, then renamed to a name of one's own: it keeps its zone.
    chooseCity(f.box("Tvil_4"), QStringLiteral("kaliningr"), QStringLiteral("Kaliningrad — Russie, UTC+2"));
    f.box("Tvil_4")->setText(QStringLiteral("Königsberg"));
    f.platform.dialogs.answers = {true};
    f.pressOk();
    QVERIFY(!f.panel().isVisible());

    // The renamed city is kept beside the list; the others are told by their names.
    const QList<ZoneChoice> choices = readZoneStore(zoneStorePath(f.env.programDirectory())).choices;
    QCOMPARE(choices.size(), 1);
    QCOMPARE(choices[0].city.name, QStringLiteral("Königsberg"));
    QCOMPARE(choices[0].zone, QStringLiteral("Europe/Kaliningrad"));
    // On the clock: 08.00 in New York (summer time already), 14.00 in Königsberg.
    QCOMPARE(f.digit(rowNamed(f, QStringLiteral("Königsberg")))->caption(), QStringLiteral("14.00"));
    const int newYork = rowNamed(f, QStringLiteral("New York"));
    QCOMPARE(f.digit(newYork)->caption(), QStringLiteral("08.00"));
    moveOver(f.face(newYork), QPoint(5, 5));
    QCOMPARE(f.label("Label8")->caption(), QStringLiteral("New York (Tu -4) le 15 mars, il est 08.00."));
    // The next opening shows the same zones.
    f.openPanel();
    const QList<EditorLine> lines = f.editor().lines();
    const auto renamed = std::find_if(lines.begin(), lines.end(),
                                      [](const EditorLine& line) { return line.name == QStringLiteral("Königsberg"); });
    QVERIFY(renamed != lines.end());
    QCOMPARE(renamed->zone, QStringLiteral("Europe/Kaliningrad"));
    f.pressOk();
}

void TestEditor::typedOffsetsAreTheCitysOwn()
{
    ClockFixture f = shippedListOnMarch15();
    f.start();
    const int newYork = rowNamed(f, QStringLiteral("New York"));
    QCOMPARE(f.digit(newYork)->caption(), QStringLiteral("08.00"));
    f.openPanel();
    QLineEdit* winter = f.box(QStringLiteral("THiver_%1").arg(newYork));
    winter->selectAll();
    QTest::keyClicks(winter, QStringLiteral("-5")); // the same number, typed: the user's own
    f.platform.dialogs.answers = {true};
    f.pressOk();
    // In winter by the program's rule, New York now shows its winter offset.
    QCOMPARE(f.digit(rowNamed(f, QStringLiteral("New York")))->caption(), QStringLiteral("07.00"));
    const QList<ZoneChoice> choices = readZoneStore(zoneStorePath(f.env.programDirectory())).choices;
    QCOMPARE(choices, (QList<ZoneChoice>{{{"New York", "-4", "-5"}, ""}}));
}

void TestEditor::aDamagedZoneStoreCostsOnlyItsChoices()
{
    ClockFixture f = shippedListOnMarch15();
    QFile store(zoneStorePath(f.env.programDirectory()));
    QVERIFY(store.open(QIODevice::WriteOnly));
    store.write(
        "{\"zones\": [{\"name\": \"New York\", \"summer\": \"-4\", \"winter\": \"-5\", \"zone\": \"Nulle/Part\"}");
    store.close();
    f.start();
    QVERIFY(f.platform.dialogs.shown.isEmpty());
    QCOMPARE(f.digit(rowNamed(f, QStringLiteral("New York")))->caption(), QStringLiteral("08.00"));
}

void TestEditor::namesTheFileWouldChangeAreAskedAbout()
{
    ClockFixture f(kWorld);
    openPanel(f);
    f.box("Tvil_3")->setText(QStringLiteral("Tōkyō"));
    f.box("Tvil_1")->setText(QString::fromUtf8("Pari\u0301s")); // an accent typed apart: it has a composed form
    // "Oui" to saving, "Non" to the changes: back to the panel, nothing written.
    const QByteArray before = readFile(f.env.cityFile());
    f.platform.dialogs.answers = {true, false};
    f.pressOk();
    QCOMPARE(f.platform.dialogs.shown.size(), 2);
    QCOMPARE(f.platform.dialogs.shown[1].text,
             QStringLiteral("Le fichier des villes ne peut pas garder ces textes tels quels :\n\nTōkyō → Tokyo\n\n"
                            "Enregistrer quand même ? (Non : retour au panneau, pour les modifier.)"));
    QVERIFY(f.panel().isVisible());
    QCOMPARE(f.box("Tvil_3")->text(), QStringLiteral("Tōkyō"));
    QCOMPARE(readFile(f.env.cityFile()), before);
    // "Oui" to both: written as the file can hold it.
    f.platform.dialogs.answers = {true, true};
    f.pressOk();
    QVERIFY(!f.panel().isVisible());
    QVERIFY(firstLines(f.env.cityFile(), kCityRows).contains(QStringLiteral("Tokyo,9,9")));
    QVERIFY(QString::fromLatin1(readFile(f.env.cityFile())).contains(QStringLiteral("París,2,1")));
}

void TestEditor::aListChangedOnDiskIsAskedAbout()
{
    ClockFixture f(kWorld);
    openPanel(f);
    f.env.writeCityFile(cityFile({"Ecrit ailleurs,1,1"}));
    f.box("Tvil_1")->setText(QStringLiteral("Lutèce"));
    f.platform.dialogs.answers = {true, false};
    f.pressOk();
    QCOMPARE(f.platform.dialogs.shown.size(), 2);
    QVERIFY(f.platform.dialogs.shown[1].text.startsWith(QStringLiteral("Le fichier des villes ")));
    QVERIFY(f.platform.dialogs.shown[1].text.contains(QStringLiteral("a été modifié depuis l'ouverture du panneau")));
    QVERIFY(f.panel().isVisible());
    QCOMPARE(firstLines(f.env.cityFile(), 1), QStringList{"Ecrit ailleurs,1,1"});
    f.platform.dialogs.answers = {true, true};
    f.pressOk();
    QVERIFY(firstLines(f.env.cityFile(), 6).contains(QStringLiteral("Lutèce,2,1")));
}

void TestEditor::unwritableSettingsKeepTheEdits()
{
    // The settings folder cannot be made (a file has its name): the cities are saved, the marks and hours
    // cannot be, and the panel stays open with them.
    ClockFixture f(kWorld);
    const QString folder = QFileInfo(f.env.settingsFile()).absolutePath();
    QVERIFY(QDir().mkpath(QFileInfo(folder).absolutePath()));
    QFile blocker(folder);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    openPanel(f);
    f.mark("Pref_3")->setChecked(true);
    f.box("Text1")->setText(QStringLiteral("22"));
    f.platform.dialogs.answers = {true};
    f.pressOk(); // a lock that never frees would hold the test until its time limit
    // Told at start-up that the settings could not be read, then asked, then told they were not stored.
    QCOMPARE(f.platform.dialogs.shown.size(), 3);
    QVERIFY(f.platform.dialogs.shown[0].text.contains(QStringLiteral("n'a pas pu être lu")));
    QCOMPARE(f.platform.dialogs.shown[2].icon, DialogIcon::Warning);
    QVERIFY(f.platform.dialogs.shown[2].text.contains(QStringLiteral("n'ont pas pu être enregistrées")));
    QVERIFY(f.panel().isVisible());
    const QList<EditorLine> lines = f.editor().lines();
    QVERIFY(std::any_of(lines.begin(), lines.end(),
                        [](const EditorLine& line) { return line.name == QStringLiteral("Tokyo") && line.marked; }));
    QCOMPARE(f.box("Text1")->text(), QStringLiteral("22"));
    // The clock shows what is stored: the new list, without the mark that could not be kept.
    QVERIFY(!f.board().row(3).marked);
    QCOMPARE(f.ville(1)->caption(), QStringLiteral("New York"));
    f.platform.dialogs.answers = {false};
    f.pressOk();
}

void TestEditor::linesTheFileWouldConfuseAreMarked()
{
    // Alger and Casablanca renamed in Cyrillic: the file would give back "?????,1,1" for both, and keep only
    // Alger's zone. The save is refused, the two lines marked until changed.
    ClockFixture f(cityFile({"Alger,1,1", "Casablanca,1,1", "Paris,2,1"}));
    openPanel(f);
    const QByteArray before = readFile(f.env.cityFile());
    f.box("Tvil_1")->setText(QStringLiteral("Алжир"));
    f.box("Tvil_2")->setText(QStringLiteral("Касаб"));
    f.platform.dialogs.answers = {true};
    f.pressOk();
    QCOMPARE(f.platform.dialogs.shown.size(), 2);
    const auto& refusal = f.platform.dialogs.shown[1];
    QCOMPARE(refusal.icon, DialogIcon::Warning);
    QVERIFY2(refusal.text.contains(QStringLiteral("« ????? », 1, 1")), qPrintable(refusal.text));
    QVERIFY(refusal.text.contains(QStringLiteral("ligne 1, Алжир : fuseau Africa/Algiers")));
    QVERIFY(refusal.text.contains(QStringLiteral("ligne 2, Касаб : fuseau Africa/Casablanca")));
    QVERIFY(f.panel().isVisible());
    QCOMPARE(readFile(f.env.cityFile()), before);
    QVERIFY(f.editor().isLineMarked(1) && f.editor().isLineMarked(2) && !f.editor().isLineMarked(3));
    QCOMPARE(f.box("Tvil_1")->accessibleDescription(), QStringLiteral("À renommer avant d'enregistrer"));
    QCOMPARE(f.window->focusWidget(), f.box("Tvil_1"));

    // Renamed in letters the file keeps: the mark goes, the save goes through, each city with its own zone.
    f.box("Tvil_2")->setText(QStringLiteral("Kasab"));
    QVERIFY(!f.editor().isLineMarked(2) && f.editor().isLineMarked(1));
    f.platform.dialogs.answers = {true, true}; // saving, then "Алжир → ?????"
    f.pressOk();
    QVERIFY(!f.panel().isVisible());
    const QList<ZoneChoice> choices = readZoneStore(zoneStorePath(f.env.programDirectory())).choices;
    QCOMPARE(choices.size(), 2);
    QVERIFY(choices.contains(ZoneChoice{{"?????", "1", "1"}, "Africa/Algiers"}));
    QVERIFY(choices.contains(ZoneChoice{{"Kasab", "1", "1"}, "Africa/Casablanca"}));
}

QTEST_MAIN(TestEditor)
#include "tst_editor.moc"
