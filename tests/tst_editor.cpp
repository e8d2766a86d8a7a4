#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QTest>

#include "app/controls.h"
#include "app/look.h"
#include "config/cityeditor.h"
#include "config/configpanel.h"
#include "data/cityfile.h"
#include "support/mainfixture.h"
#include "support/mouse.h"

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
    void hoursStoredOnlyWhenValid_data();
    void hoursStoredOnlyWhenValid();
    void anyTextSurvivesASave();
    void unwritableFileKeepsTheEdits();
    void twoSavesInARow();
    void saveWithoutLinesWritesNothing();
    void closingTheWindowOffersToSave();
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

const QByteArray kWorld = cityFile({"Paris,2,1", "New York,-4,-5", "Tokyo,9,9", "Londres,1,0", "Sydney,10,11",
                                    "Le Caire,3,2"});

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
    w.buttons().btn_Click(1);
    return w;
}

} // namespace

void TestEditor::fillsFiftyNineLines()
{
    ClockFixture f(fullFile());
    f.env.writeSetting(QStringLiteral("P2"), QStringLiteral("T"));
    f.env.writeSetting(QStringLiteral("P59"), QStringLiteral("T"));
    Main& w = openPanel(f);
    ConfigPanel& panel = *w.panel();
    QCOMPARE(panel.lineCount(), 59);
    QVERIFY(!w.state().Modif);
    for (int i = 1; i <= 59; ++i) {
        QCOMPARE(panel.tvil(i)->text(), QStringLiteral("Ville%1").arg(i));
        QCOMPARE(panel.tete(i)->text(), QString::number(i % 24 - 11));
        QCOMPARE(panel.pref(i)->isChecked(), i == 2 || i == 59);
        QVERIFY(panel.tvil(i)->isVisible() && panel.pref(i)->isVisible());
    }
    for (QWidget* model : {static_cast<QWidget*>(panel.tvil0), static_cast<QWidget*>(panel.tete0),
                           static_cast<QWidget*>(panel.thiver0), static_cast<QWidget*>(panel.pref0)})
        QVERIFY(!model->isVisible());
    QVERIFY(panel.tvil0->text().isEmpty());

    // Three column groups of twenty lines; the first line of the first group is left empty.
    const auto at = [](int x, int y) { return QPoint(twipsToPixels(x), twipsToPixels(y)); };
    QCOMPARE(panel.tvil(1)->pos(), at(315, 1095));
    QCOMPARE(panel.tvil(19)->pos(), at(315, 6495));
    QCOMPARE(panel.tvil(20)->pos(), at(3315, 795));
    QCOMPARE(panel.tete(40)->pos(), at(7800, 795));
    QCOMPARE(panel.thiver(59)->pos(), at(8340, 6495));
    QCOMPARE(panel.pref(25)->pos(), at(3065, 2295));
    QCOMPARE(panel.tvil(7)->size(), QSize(98, 19));

    QCOMPARE(panel.tvil(5)->palette().color(QPalette::Text), QColor(0, 0, 255));
    QCOMPARE(panel.tete(5)->palette().color(QPalette::Text), QColor(0, 0, 0));
    QCOMPARE(panel.thiver(5)->palette().color(QPalette::Text), QColor(255, 0, 0));
    QCOMPARE(panel.tete(5)->toolTip(), QStringLiteral("Décalage en été (de mars à octobre)"));
    QCOMPARE(panel.thiver(5)->toolTip(), QStringLiteral("Décalage en hiver (de novembre à mars)"));
    QCOMPARE(panel.pref(5)->toolTip(), QStringLiteral("Cochez pour repérer plus facilement cette ville."));
    w.buttons().btn_Click(4);
    QVERIFY(f.platform.dialogs.shown.isEmpty());
}

void TestEditor::shortFileRepeatsTheLastCity()
{
    QList<QByteArray> ten;
    for (int i = 1; i <= 10; ++i)
        ten << "C" + QByteArray::number(i) + "," + QByteArray::number(i) + ",-" + QByteArray::number(i);
    ClockFixture f(cityFile(ten));
    Main& w = openPanel(f);
    QCOMPARE(w.panel()->lineCount(), 59);
    for (int i : {11, 30, 59}) {
        QCOMPARE(w.panel()->tvil(i)->text(), QStringLiteral("C10"));
        QCOMPARE(w.panel()->thiver(i)->text(), QStringLiteral("-10"));
    }
    QVERIFY(!w.state().Modif);
    w.buttons().btn_Click(4);
}

void TestEditor::missingFileShowsTheBoxAndNoLine()
{
    ClockFixture f(fullFile());
    Main& w = f.start();
    QFile::remove(f.env.cityFile());
    w.buttons().btn_Click(1);
    QCOMPARE(f.platform.dialogs.shown.size(), 1);
    QCOMPARE(f.platform.dialogs.shown[0].title, missingCityFileTitle());
    QVERIFY(w.panel()->isVisible());
    QCOMPARE(w.panel()->lineCount(), 0);
    QVERIFY(w.panel()->findChildren<QLineEdit*>(QRegularExpression("^Tvil_[1-9]")).isEmpty());
    QVERIFY(w.state().Modif); // left as the hour boxes' filling set it
}

void TestEditor::offsetBoxesTurnCommasIntoPoints()
{
    ClockFixture f(fullFile());
    Main& w = openPanel(f);
    ConfigPanel& panel = *w.panel();
    panel.tete(3)->clear();
    w.state().Modif = false;
    QTest::keyClicks(panel.tete(3), QStringLiteral("5,5"));
    QCOMPARE(panel.tete(3)->text(), QStringLiteral("5.5"));
    QVERIFY(w.state().Modif);

    panel.thiver(44)->setText(QStringLiteral("1,2,3")); // as a paste does
    QCOMPARE(panel.thiver(44)->text(), QStringLiteral("1.2.3"));

    // Typing in the middle keeps the cursor where it was.
    panel.tete(8)->setText(QStringLiteral("12"));
    panel.tete(8)->setCursorPosition(1);
    QTest::keyClick(panel.tete(8), Qt::Key_Comma);
    QCOMPARE(panel.tete(8)->text(), QStringLiteral("1.2"));
    QCOMPARE(panel.tete(8)->cursorPosition(), 2);

    // Names and hours keep their commas.
    panel.tvil(3)->setText(QStringLiteral("Paris, France"));
    QTest::keyClicks(panel.text1, QStringLiteral(",5"));
    QCOMPARE(panel.tvil(3)->text(), QStringLiteral("Paris, France"));
    QCOMPARE(panel.text1->text(), QStringLiteral("20,5"));
    f.platform.dialogs.answers = {false};
    w.buttons().btn_Click(4);
}

void TestEditor::everyChangeCounts_data()
{
    QTest::addColumn<QString>("control");
    for (const char* name : {"Tvil_4", "TEte_20", "THiver_59", "Pref_33", "Text1", "Text2"})
        QTest::addRow("%s", name) << QString::fromLatin1(name);
}

void TestEditor::everyChangeCounts()
{
    QFETCH(QString, control);
    ClockFixture f(fullFile());
    Main& w = openPanel(f);
    QVERIFY(!w.state().Modif);
    QWidget* widget = w.panel()->findChild<QWidget*>(control);
    if (auto* box = qobject_cast<QCheckBox*>(widget))
        QTest::mouseClick(box, Qt::LeftButton);
    else
        QTest::keyClicks(widget, QStringLiteral("x"));
    QVERIFY(w.state().Modif);
    f.platform.dialogs.answers = {false};
    w.buttons().btn_Click(4);
    QVERIFY(w.state().Modif); // the closing leaves it
}

void TestEditor::headerFollowsTheColumnGroup_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("leftTwips");
    QTest::addRow("line 25") << "Tvil_25" << 3315;
    QTest::addRow("line 45") << "TEte_45" << 6315;
    QTest::addRow("line 3") << "THiver_3" << 315;
    QTest::addRow("line 20") << "THiver_20" << 3315;
}

void TestEditor::headerFollowsTheColumnGroup()
{
    QFETCH(QString, control);
    QFETCH(int, leftTwips);
    ClockFixture f(fullFile());
    Main& w = openPanel(f);
    ConfigPanel& panel = *w.panel();
    panel.Tvil_MouseMove(50); // somewhere else first
    QWidget* widget = panel.findChild<QWidget*>(control);
    moveOver(widget, QPoint(3, 3));
    QCOMPARE(panel.frame3->x(), twipsToPixels(leftTwips));
    QCOMPARE(panel.frame3->y(), twipsToPixels(30));
    // The boxes leave it where it is, and so does the next opening.
    moveOver(panel.findChild<QWidget*>(QStringLiteral("Pref_50")), QPoint(3, 3));
    QCOMPARE(panel.frame3->x(), twipsToPixels(leftTwips));
    w.buttons().btn_Click(4);
    w.buttons().btn_Click(1);
    QCOMPARE(panel.frame3->x(), twipsToPixels(leftTwips));
    w.buttons().btn_Click(4);
}

void TestEditor::tabRunsDownTheColumns()
{
    ClockFixture f(fullFile());
    Main& w = openPanel(f);
    ConfigPanel& panel = *w.panel();
    QWidget* expected[] = {panel.tvil(19), panel.tete(19), panel.thiver(19), panel.pref(19), panel.tvil(20),
                           panel.tete(20)};
    for (int k = 0; k + 1 < 6; ++k)
        QCOMPARE(expected[k]->nextInFocusChain(), expected[k + 1]);
    w.buttons().btn_Click(4);
}

void TestEditor::closingWithoutChangeAsksNothing()
{
    ClockFixture f(kWorld);
    Main& w = openPanel(f);
    const QByteArray before = readFile(f.env.cityFile());
    w.buttons().btn_Click(4);
    QVERIFY(f.platform.dialogs.shown.isEmpty());
    QVERIFY(!w.panel()->isVisible());
    QCOMPARE(w.panel()->lineCount(), 0);
    QCOMPARE(readFile(f.env.cityFile()), before);
    QCOMPARE(f.env.readSetting(QStringLiteral("P1")), QString());
}

void TestEditor::answeringNoKeepsEverything()
{
    ClockFixture f(kWorld);
    Main& w = openPanel(f);
    const QByteArray before = readFile(f.env.cityFile());
    w.panel()->tvil(1)->setText(QStringLiteral("Lutèce"));
    w.panel()->text1->setText(QStringLiteral("22"));
    f.platform.dialogs.answers = {false};
    w.buttons().btn_Click(4);
    QCOMPARE(f.platform.dialogs.shown.size(), 1);
    const auto& question = f.platform.dialogs.shown[0];
    QCOMPARE(question.title, QStringLiteral("Horlune"));
    QCOMPARE(question.text, QStringLiteral("Enregistrer les modifications"));
    QCOMPARE(question.icon, DialogIcon::Question);
    QVERIFY(question.question);
    QVERIFY(!w.panel()->isVisible());
    QCOMPARE(readFile(f.env.cityFile()), before);
    QCOMPARE(f.env.readSetting(QStringLiteral("HN")), QString());
    QCOMPARE(w.state().HN, qint16(20));
    w.buttons().btn_Click(1);
    QCOMPARE(w.panel()->tvil(1)->text(), QStringLiteral("Paris"));
    w.buttons().btn_Click(4);
}

void TestEditor::savingSortsWritesAndReloads_data()
{
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<int>("offsetHours");
    QTest::addColumn<QStringList>("lines");
    QTest::addRow("summer: by summer offset")
        << summerDay() << 2
        << QStringList{"New York,-4,-5", "Londres,1,0", "Paris,2,1", "Le Caire,3,2", "Tokyo,9,9", "Sydney,10,11"};
    // The summer offset is not the key in winter: it is written as typed.
    QTest::addRow("winter: by winter offset")
        << winterDay() << 1
        << QStringList{"New York,-4,-5", "Londres,+1,0", "Paris,2,1", "Le Caire,3,2", "Tokyo,9,9", "Sydney,10,11"};
}

void TestEditor::savingSortsWritesAndReloads()
{
    QFETCH(QDateTime, now);
    QFETCH(int, offsetHours);
    QFETCH(QStringList, lines);
    // Only six cities: the lines after them repeat Le Caire.
    ClockFixture f(kWorld, now, offsetHours);
    Main& w = openPanel(f);
    w.panel()->tete(4)->setText(QStringLiteral("+1")); // Londres
    f.platform.dialogs.answers = {true};
    f.grid().setHeureDigitaleTag(QStringLiteral("9999"));
    w.buttons().btn_Click(4);
    QVERIFY(!w.panel()->isVisible());
    QCOMPARE(w.panel()->lineCount(), 0);

    const QStringList written = firstLines(f.env.cityFile(), 60);
    QCOMPARE(written.mid(0, 2), lines.mid(0, 2));
    QCOMPARE(written.mid(2, 1), lines.mid(2, 1));
    for (int i = 3; i < 57; ++i)
        QCOMPARE(written[i], QStringLiteral("Le Caire,3,2"));
    QCOMPARE(written.mid(57, 2), lines.mid(4, 2));
    QCOMPARE(written[59], QString()); // 59 lines, each ended by CR LF

    // The clock shows the new list at once.
    QCOMPARE(f.grid().ville(1)->caption(), QStringLiteral("New York"));
    QCOMPARE(f.grid().ville(59)->caption(), QStringLiteral("Sydney"));
    QVERIFY(f.grid().heureDigitaleTag() != QStringLiteral("9999")); // every row redrawn
    QCOMPARE(f.env.readSetting(QStringLiteral("P1")), QStringLiteral("F"));
    QCOMPARE(f.env.readSetting(QStringLiteral("P59")), QStringLiteral("F"));
}

void TestEditor::marksFollowTheirCity()
{
    ClockFixture f(fullFile(), summerDay(), 2);
    f.env.writeSetting(QStringLiteral("P2"), QStringLiteral("T"));
    Main& w = openPanel(f);
    // Line 2 becomes Tokyo, +9: it sorts among the other +9 cities.
    w.panel()->setLine(2, {QStringLiteral("Tokyo"), QStringLiteral("9"), QStringLiteral("9"), true});
    f.platform.dialogs.answers = {true};
    w.buttons().btn_Click(4);
    const QStringList written = firstLines(f.env.cityFile(), 59);
    const int line = written.indexOf(QStringLiteral("Tokyo,9,9")) + 1;
    QVERIFY(line > 2);
    QCOMPARE(f.env.readSetting(QStringLiteral("P%1").arg(line)), QStringLiteral("T"));
    for (int i = 1; i <= 59; ++i)
        if (i != line)
            QCOMPARE(f.env.readSetting(QStringLiteral("P%1").arg(i)), QStringLiteral("F"));
    QVERIFY(w.state().VillePref[line]);
    QCOMPARE(f.grid().ville(line)->caption(), QStringLiteral("Tokyo"));
    w.buttons().btn_Click(1);
    QVERIFY(w.panel()->pref(line)->isChecked());
    w.buttons().btn_Click(4);
}

void TestEditor::hoursStoredOnlyWhenValid_data()
{
    QTest::addColumn<QString>("night");
    QTest::addColumn<QString>("day");
    QTest::addColumn<QString>("storedNight");
    QTest::addColumn<QString>("storedDay");
    QTest::addRow("22 and 8") << "22" << "8" << "22" << "8";
    QTest::addRow("24 and 0") << "24" << "0" << "24" << "0";
    QTest::addRow("8.4 and 8.2") << "8.4" << "8.2" << "8" << "8";
    QTest::addRow("night 25") << "25" << "8" << "" << "";
    QTest::addRow("day -1") << "20" << "-1" << "" << "";
    QTest::addRow("night 8, day 20") << "8" << "20" << "" << "";
}

void TestEditor::hoursStoredOnlyWhenValid()
{
    QFETCH(QString, night);
    QFETCH(QString, day);
    QFETCH(QString, storedNight);
    QFETCH(QString, storedDay);
    ClockFixture f(kWorld);
    Main& w = openPanel(f);
    w.panel()->text1->setText(night);
    w.panel()->text2->setText(day);
    f.platform.dialogs.answers = {true};
    w.buttons().btn_Click(4);
    QCOMPARE(f.platform.dialogs.shown.size(), 1); // the question, never a message about the hours
    QCOMPARE(f.env.readSetting(QStringLiteral("HN")), storedNight);
    QCOMPARE(f.env.readSetting(QStringLiteral("HJ")), storedDay);
    QCOMPARE(w.state().HN, qint16(storedNight.isEmpty() ? 20 : storedNight.toInt()));
    QCOMPARE(w.state().HJ, qint16(storedDay.isEmpty() ? 8 : storedDay.toInt()));
    // The cities and marks are saved either way.
    QCOMPARE(firstLines(f.env.cityFile(), 1), QStringList{"New York,-4,-5"});
    QCOMPARE(f.env.readSetting(QStringLiteral("P1")), QStringLiteral("F"));
}

void TestEditor::anyTextSurvivesASave()
{
    ClockFixture f(fullFile(), summerDay(), 2); // the summer offset is the key
    Main& w = openPanel(f);
    const QList<EditorLine> odd = {
        {QStringLiteral("A|B|1"), QStringLiteral("-11"), QStringLiteral("-11"), true},
        {QStringLiteral("Paris, \"France\""), QStringLiteral("-11"), QStringLiteral("x|y"), false},
        {QStringLiteral(" Saint-Denis "), QStringLiteral("-11"), QStringLiteral("|"), false},
        {QStringLiteral("Åre"), QStringLiteral("-11"), QStringLiteral(""), false},
    };
    for (int k = 0; k < odd.size(); ++k)
        w.panel()->setLine(k + 1, odd[k]);
    f.platform.dialogs.answers = {true, true};
    w.buttons().btn_Click(4);
    QVERIFY(!w.panel()->isVisible());
    QCOMPARE(f.platform.dialogs.shown.size(), 1);

    w.buttons().btn_Click(1);
    QList<EditorLine> reread;
    for (int i = 1; i <= 59; ++i)
        reread.append(w.panel()->editorLines()[i - 1]);
    for (const EditorLine& line : odd) {
        EditorLine expected = line;
        if (expected.name.contains(QLatin1Char('"'))) // a quote inside a quoted text becomes a typographic one
            expected.name = QStringLiteral("Paris, “France”");
        QVERIFY2(reread.contains(expected), qPrintable(expected.name));
    }
    w.buttons().btn_Click(4);
}

void TestEditor::unwritableFileKeepsTheEdits()
{
    ClockFixture f(kWorld);
    f.env.writeSetting(QStringLiteral("P1"), QStringLiteral("T"));
    Main& w = openPanel(f);
    // Something the city file cannot replace, even for the administrator.
    QVERIFY(QFile::remove(f.env.cityFile()));
    QVERIFY(QDir(f.env.programDirectory()).mkdir(QStringLiteral("horlune.ini")));
    w.panel()->tvil(2)->setText(QStringLiteral("Nouvelle-York"));
    w.panel()->text1->setText(QStringLiteral("22"));
    f.platform.dialogs.answers = {true};
    w.buttons().btn_Click(4);

    QCOMPARE(f.platform.dialogs.shown.size(), 2);
    const auto& message = f.platform.dialogs.shown[1];
    QCOMPARE(message.icon, DialogIcon::Critical);
    QVERIFY(message.text.contains(f.env.cityFile()));
    QVERIFY(!message.question);
    QVERIFY(w.panel()->isVisible());
    QCOMPARE(w.panel()->lineCount(), 59);
    QVERIFY(w.panel()->editorLines().contains(EditorLine{"Nouvelle-York", "-4", "-5", false}));
    QCOMPARE(w.panel()->text1->text(), QStringLiteral("22"));
    QCOMPARE(f.env.readSetting(QStringLiteral("P1")), QStringLiteral("T")); // no flag stored
    QCOMPARE(f.env.readSetting(QStringLiteral("P2")), QString());
    QCOMPARE(f.env.readSetting(QStringLiteral("HN")), QString());
    QCOMPARE(f.grid().ville(2)->caption(), QStringLiteral("New York"));

    // Once the file can be written again, the same edits are saved.
    QVERIFY(QDir(f.env.programDirectory()).rmdir(QStringLiteral("horlune.ini")));
    f.platform.dialogs.answers = {true};
    w.buttons().btn_Click(4);
    QVERIFY(!w.panel()->isVisible());
    QCOMPARE(firstLines(f.env.cityFile(), 1), QStringList{"Nouvelle-York,-4,-5"});
    QCOMPARE(f.env.readSetting(QStringLiteral("HN")), QStringLiteral("22"));
}

void TestEditor::twoSavesInARow()
{
    ClockFixture f(fullFile());
    Main& w = f.start();
    for (int save = 0; save < 2; ++save) {
        w.buttons().btn_Click(1);
        int line = 10;
        for (int i = 1; i <= 59; ++i)
            if (w.panel()->tvil(i)->text() == QStringLiteral("Changée0"))
                line = i;
        w.panel()->tvil(line)->setText(QStringLiteral("Changée%1").arg(save));
        f.platform.dialogs.answers = {true};
        w.buttons().btn_Click(4);
    }
    QCOMPARE(f.grid().rowCount(), 60);
    for (const char* name : {"^Ville_\\d+$", "^Digit_\\d+$", "^Image1_\\d+$"})
        QCOMPARE(w.findChildren<QWidget*>(QRegularExpression(name)).size(), 60);
    QStringList shown;
    for (int i = 1; i < 60; ++i)
        shown << f.grid().ville(i)->caption();
    QCOMPARE(shown.count(QStringLiteral("Changée1")), 1);
    QCOMPARE(shown.count(QStringLiteral("Ville11")), 1);
    QVERIFY(!shown.contains(QStringLiteral("Changée0")));
    QCOMPARE(w.panel()->findChildren<QLineEdit*>(QRegularExpression("^Tvil_[1-9]")).size(), 0);
}

void TestEditor::saveWithoutLinesWritesNothing()
{
    ClockFixture f(fullFile());
    Main& w = f.start();
    QFile::remove(f.env.cityFile());
    w.buttons().btn_Click(1);
    f.platform.dialogs.answers = {true};
    w.buttons().btn_Click(4);
    QCOMPARE(f.platform.dialogs.shown.size(), 2); // the missing file, then the question
    QVERIFY(!QFile::exists(f.env.cityFile()));
    QCOMPARE(f.env.readSetting(QStringLiteral("P1")), QString());
    QVERIFY(!w.panel()->isVisible());
}

void TestEditor::closingTheWindowOffersToSave()
{
    // The window system closes the clock while the panel holds edits: they are offered for saving.
    ClockFixture f(kWorld);
    Main& w = openPanel(f);
    w.panel()->tvil(1)->setText(QStringLiteral("Lutèce"));
    f.platform.dialogs.answers = {true};
    QVERIFY(w.close());
    QCOMPARE(f.platform.dialogs.shown.size(), 1);
    QVERIFY(firstLines(f.env.cityFile(), 6).contains(QStringLiteral("Lutèce,2,1")));

    // When the file cannot be written, the window stays open with the edits.
    ClockFixture g(kWorld);
    Main& v = openPanel(g);
    v.panel()->tvil(1)->setText(QStringLiteral("Lutèce"));
    QVERIFY(QFile::remove(g.env.cityFile()));
    QVERIFY(QDir(g.env.programDirectory()).mkdir(QStringLiteral("horlune.ini")));
    g.platform.dialogs.answers = {true};
    QVERIFY(!v.close());
    QVERIFY(v.isVisible());
    QVERIFY(v.panel()->editorLines().contains(EditorLine{"Lutèce", "2", "1", false}));

    // Without the panel, or with nothing changed, the window closes without a word.
    ClockFixture h(kWorld);
    Main& u = openPanel(h);
    QVERIFY(u.close());
    QVERIFY(h.platform.dialogs.shown.isEmpty());
    g.platform.dialogs.answers = {false};
    QVERIFY(v.close());
}

QTEST_MAIN(TestEditor)
#include "tst_editor.moc"
