#include <QAccessible>
#include <QApplication>
#include <QLocale>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

#include "data/citycount.h"
#include "support/fakeplatform.h"
#include "support/mouse.h"
#include "time/zones.h"
#include "ui/look.h"
#include "week/weekview.h"

// The week at a glance as a widget, on its own in a window of the clock's size, driven by the keys alone
// under the fake clock: the moves, Enter and a click that choose an instant, Escape that chooses none, what
// the quarter under the keys says, the view with too few cities, and the strips that scroll under the lit
// slots.
class TestWeekView : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { look::applyDesignLook(); }
    void init();
    void cleanup();

    void keysAlone_data();
    void keysAlone();
    void enterChoosesEscapeDoesNot_data();
    void enterChoosesEscapeDoesNot();
    void aClickChooses();
    void whatTheQuarterSays();
    void underThePointer();
    void tooFewCities();
    void manyCitiesScrollUnderTheLitSlots();
    void notBeyondTheClocksReach();

private:
    // Opens the view on the cities written, marked, at the instant the fake clock reads.
    WeekView& open(const QStringList& cities);

    // The main window as the view sees it: its parent, which counts the rounds of Tab it is asked for.
    class Window : public QWidget
    {
    public:
        int tabs = 0;

    protected:
        bool focusNextPrevChild(bool next) override
        {
            ++tabs;
            return QWidget::focusNextPrevChild(next);
        }
    };

    FakeClock m_clock;
    std::unique_ptr<Window> m_window;
    WeekView* m_view = nullptr;
};

namespace {

QDateTime utc(int year, int month, int day, int hour, int minute = 0, int second = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second), Qt::UTC);
}

ClockRow cityRow(const QString& name)
{
    static const QMap<QString, QString> zones = {{"Paris", "Europe/Paris"},
                                                 {"New York", "America/New_York"},
                                                 {"Tokyo", "Asia/Tokyo"},
                                                 {"Riyad", "Asia/Riyadh"},
                                                 {"Londres", "Europe/London"}};
    ClockRow row;
    row.name = name;
    row.zone = zoneOf(zones.value(name, QStringLiteral("Europe/Paris")));
    row.marked = true;
    return row;
}

// Keys as a keyboard gives them to the widget with the keys: "Right", "Ctrl+Left", "Return"...
void press(const QStringList& keys)
{
    for (const QString& text : keys) {
        const QKeyCombination key = QKeySequence(text)[0];
        QWidget* target = QApplication::focusWidget();
        QVERIFY2(target, qPrintable(text));
        QTest::keyClick(target, key.key(), key.keyboardModifiers());
    }
}

// The tooltip the view shows with the pointer at a point of it.
QString toolTipAt(QWidget& view, const QPoint& point)
{
    QHelpEvent help(QEvent::ToolTip, point, view.mapToGlobal(point));
    QApplication::sendEvent(&view, &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

} // namespace

void TestWeekView::init()
{
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    // The computer in Paris on Thursday 10 December 2026 at 10.07.30 (9.07.30 in Universal Time).
    m_clock.set(QDateTime(QDate(2026, 12, 10), QTime(10, 7, 30), Qt::UTC), 3600);
    m_window = std::make_unique<Window>();
    m_window->resize(981, 529);
    m_view = new WeekView(m_window.get());
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void TestWeekView::cleanup()
{
    QToolTip::hideText();
    m_window.reset();
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
}

WeekView& TestWeekView::open(const QStringList& cities)
{
    QList<ClockRow> rows{ClockRow()};
    for (const QString& city : cities)
        rows.append(cityRow(city));
    const Instant now = m_clock.now();
    WeekRequest request = weekRequest(
        rows, now.universal, 1, WorkHours(), DayHours{7, 20},
        [this](const QDateTime& universal) { return m_clock.localAt(universal); }, workingDays(QLocale::France));
    request.earliest = now.universal.addDays(-7);
    request.latest = now.universal.addDays(7);
    m_view->open(request);
    return *m_view;
}

void TestWeekView::keysAlone_data()
{
    QTest::addColumn<QStringList>("cities");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QDateTime>("instant"); // UTC
    QTest::addColumn<QString>("heading");   // the first line of what the quarter says
    const QStringList three{"Paris", "New York", "Riyad"};
    const QStringList four{"Paris", "New York", "Tokyo", "Riyad"};
    // clang-format off
    QTest::newRow("none: the instant shown")        << four  << QStringList{} << utc(2026, 12, 10, 9, 7, 30) << "jeudi 10 décembre, 10.00 ici — 2 villes sur 4 au bureau";
    QTest::newRow("Right: its quarter's end")       << four  << QStringList{"Right"} << utc(2026, 12, 10, 9, 15) << "jeudi 10 décembre, 10.15 ici — 2 villes sur 4 au bureau";
    QTest::newRow("Left: the quarter before")       << four  << QStringList{"Left"} << utc(2026, 12, 10, 8, 45) << "jeudi 10 décembre, 09.45 ici — 3 villes sur 4 au bureau";
    QTest::newRow("Right, Right, Left")             << four  << QStringList{"Right", "Right", "Left"} << utc(2026, 12, 10, 9, 15) << "jeudi 10 décembre, 10.15 ici — 2 villes sur 4 au bureau";
    QTest::newRow("Down: the next day")             << four  << QStringList{"Down"} << utc(2026, 12, 11, 9) << "vendredi 11 décembre, 10.00 ici — 1 ville sur 4 au bureau";
    QTest::newRow("Down twice, Up")                 << four  << QStringList{"Down", "Down", "Up"} << utc(2026, 12, 11, 9) << "vendredi 11 décembre, 10.00 ici — 1 ville sur 4 au bureau";
    QTest::newRow("Up on the first day: no move")   << four  << QStringList{"Up"} << utc(2026, 12, 10, 9, 7, 30) << "jeudi 10 décembre, 10.00 ici — 2 villes sur 4 au bureau";
    QTest::newRow("Ctrl+Right: the common slot")    << three << QStringList{"Ctrl+Right"} << utc(2026, 12, 10, 14) << "jeudi 10 décembre, 15.00 ici — créneau commun";
    QTest::newRow("Ctrl+Right twice: past Riyadh's weekend") << three << QStringList{"Ctrl+Right", "Ctrl+Right"} << utc(2026, 12, 14, 14) << "lundi 14 décembre, 15.00 ici — créneau commun";
    QTest::newRow("and back")                       << three << QStringList{"Ctrl+Right", "Ctrl+Right", "Ctrl+Left"} << utc(2026, 12, 10, 14) << "jeudi 10 décembre, 15.00 ici — créneau commun";
    QTest::newRow("inside a slot, Ctrl+Left: its start") << three << QStringList{"Ctrl+Right", "Right", "Right", "Ctrl+Left"} << utc(2026, 12, 10, 14) << "jeudi 10 décembre, 15.00 ici — créneau commun";
    QTest::newRow("Tokyo never meets New York: the keys stay") << four << QStringList{"Ctrl+Right"} << utc(2026, 12, 10, 9, 7, 30)
        << "Aucun créneau commun d'ici mercredi 16 décembre : Tokyo n'est jamais au bureau avec les autres ; au mieux 3 villes sur 4, jeudi 10 décembre à 15.00 ici";
    QTest::newRow("Ctrl+Left on the first slot: none before") << three << QStringList{"Ctrl+Right", "Ctrl+Left"} << utc(2026, 12, 10, 14)
        << "Aucun créneau commun depuis jeudi 10 décembre : New York n'est jamais au bureau avec les autres ; au mieux 2 villes sur 3, jeudi 10 décembre à 09.00 ici";
    QTest::newRow("a note lasts until the next move") << three << QStringList{"Ctrl+Right", "Ctrl+Left", "Right"} << utc(2026, 12, 10, 14, 15)
        << "jeudi 10 décembre, 15.15 ici — créneau commun";
    // clang-format on
}

void TestWeekView::keysAlone()
{
    QFETCH(QStringList, cities);
    QFETCH(QStringList, keys);
    QFETCH(QDateTime, instant);
    QFETCH(QString, heading);
    WeekView& view = open(cities);
    QCOMPARE(QApplication::focusWidget(), &view);
    QSignalSpy chosen(&view, &WeekView::instantChosen);
    press(keys);
    QCOMPARE(view.currentInstant(), instant);
    QCOMPARE(view.currentText().section(u'\n', 0, 0), heading);
    QVERIFY(view.isOpen());
    QCOMPARE(chosen.size(), 0);
}

void TestWeekView::enterChoosesEscapeDoesNot_data()
{
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QDateTime>("chosen"); // none for Escape
    // clang-format off
    QTest::newRow("Enter at once: the instant shown") << QStringList{"Return"} << utc(2026, 12, 10, 9, 7, 30);
    QTest::newRow("Enter of the keypad")             << QStringList{"Enter"} << utc(2026, 12, 10, 9, 7, 30);
    QTest::newRow("a day on, a quarter back")         << QStringList{"Down", "Left", "Return"} << utc(2026, 12, 11, 8, 45);
    QTest::newRow("Escape")                           << QStringList{"Escape"} << QDateTime();
    QTest::newRow("moved, then Escape")               << QStringList{"Down", "Right", "Escape"} << QDateTime();
    // clang-format on
}

void TestWeekView::enterChoosesEscapeDoesNot()
{
    QFETCH(QStringList, keys);
    QFETCH(QDateTime, chosen);
    m_window->setFocus();
    WeekView& view = open({"Paris", "Tokyo"});
    QSignalSpy instants(&view, &WeekView::instantChosen);
    QSignalSpy closed(&view, &WeekView::closed);
    press(keys);
    QCOMPARE(closed.size(), 1);
    QCOMPARE(instants.size(), chosen.isValid() ? 1 : 0);
    if (chosen.isValid())
        QCOMPARE(instants.first().first().toDateTime(), chosen);
    QVERIFY(!view.isOpen());
    QVERIFY(view.isHidden());
    // The week is let go with the view, and the keys go back where they were.
    QVERIFY(!view.week());
    QCOMPARE(QApplication::focusWidget(), m_window.get());
}

void TestWeekView::aClickChooses()
{
    WeekView& view = open({"Paris", "New York"});
    QSignalSpy instants(&view, &WeekView::instantChosen);
    // New York's strip, Monday 14 December at 16.00 in Paris (15.00 UTC).
    const int k = view.week()->quarterAt(utc(2026, 12, 14, 15).toSecsSinceEpoch());
    const QRect quarter = view.quarterRect(2, k);
    QVERIFY(!quarter.isEmpty());
    QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, quarter.center());
    QCOMPARE(instants.size(), 1);
    QCOMPARE(instants.first().first().toDateTime(), utc(2026, 12, 14, 15));
    QVERIFY(!view.isOpen());
    // Beside the days (on a name), nothing is chosen.
    open({"Paris", "New York"});
    QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, QPoint(40, view.quarterRect(2, k).center().y()));
    QCOMPARE(instants.size(), 1);
    QVERIFY(view.isOpen());
}

void TestWeekView::whatTheQuarterSays()
{
    WeekView& view = open({"Paris", "New York", "Tokyo", "Riyad"});
    QVERIFY(view.hasFocus());
    // Tab stays in the view: the window's own round of its controls, which lie under it, is not asked.
    press({"Tab", "Right", "Shift+Tab", "Right"}); // 10.30 in Paris
    QVERIFY(view.hasFocus());
    QCOMPARE(m_window->tabs, 0);
    const QString text = view.currentText();
    QCOMPARE(text, QStringLiteral("jeudi 10 décembre, 10.30 ici — 2 villes sur 4 au bureau\n"
                                  "ici : 10.30, au bureau\n"
                                  "Paris : 10.30, au bureau\n"
                                  "New York : 04.30, hors des heures de bureau, nuit\n"
                                  "Tokyo : 18.30, hors des heures de bureau\n"
                                  "Riyad : 12.30, au bureau"));
    // What screen readers read of the view: its name, and the quarter under the keys as its description.
    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(&view);
    QVERIFY(reader);
    QCOMPARE(reader->text(QAccessible::Name),
             QStringLiteral("La semaine : Semaine du jeudi 10 décembre au mercredi 16 décembre, aucun créneau commun : "
                            "au mieux 3 villes sur 4 au bureau ensemble"));
    QCOMPARE(reader->text(QAccessible::Description), text);
    QVERIFY(reader->state().focused);
    // The tooltip off the days holds the same lines.
    const QString tip = toolTipAt(view, QPoint(20, view.height() / 2));
    QVERIFY(tip.contains(QStringLiteral("jeudi 10 décembre, 10.30 ici — 2 villes sur 4 au bureau")));
    QVERIFY(tip.contains(QStringLiteral("Tokyo : 18.30, hors des heures de bureau")));
    // Riyadh's Friday.
    press({"Down"});
    QVERIFY(view.currentText().endsWith(QStringLiteral("Riyad : 12.30, week-end")));
}

void TestWeekView::underThePointer()
{
    // The week of Sunday 25 October 2026, when Paris goes back an hour (the computer keeps its offset).
    m_clock.set(QDateTime(QDate(2026, 10, 22), QTime(14, 0), Qt::UTC), 7200);
    WeekView& view = open({"Paris", "New York"});
    const Week& week = *view.week();
    QCOMPARE(week.changes.size(), 1);
    const WeekChange& change = week.changes.first();
    QCOMPARE(change.strip, 1);
    const auto tipAt = [&view](const QPoint& point) { return toolTipAt(view, point); };
    // Over the label of the day, what changes on it.
    const QRect onParis = view.quarterRect(1, change.quarter);
    QVERIFY(tipAt(QPoint(onParis.center().x(), view.commonLine().top() - 25))
                .contains(QStringLiteral("Paris : passe à l'heure d'hiver dimanche 25 octobre à 03.00 : −1 h")));
    // Over a quarter, that quarter for every place: Monday 26 at 16.00 here, 15.00 in Paris.
    const int monday = week.quarterAt(utc(2026, 10, 26, 14).toSecsSinceEpoch());
    const QString tip = tipAt(view.quarterRect(2, monday).center());
    QVERIFY(tip.contains(QStringLiteral("lundi 26 octobre, 16.00 ici — créneau commun")));
    QVERIFY(tip.contains(QStringLiteral("Paris : 15.00, au bureau")));
    QVERIFY(tip.contains(QStringLiteral("New York : 10.00, au bureau")));
    // The change is drawn where it falls on Paris's strip, and not on New York's.
    const QImage picture = view.grab().toImage();
    QCOMPARE(picture.pixelColor(onParis.left(), onParis.center().y()), look::kMaroon);
    const QRect onNewYork = view.quarterRect(2, change.quarter);
    QVERIFY(picture.pixelColor(onNewYork.left(), onNewYork.center().y()) != look::kMaroon);
    QToolTip::hideText();
}

void TestWeekView::tooFewCities()
{
    WeekView& view = open({"Paris"});
    QSignalSpy instants(&view, &WeekView::instantChosen);
    QSignalSpy closed(&view, &WeekView::closed);
    const QString text = view.currentText();
    QVERIFY(text.startsWith(QStringLiteral("Il faut au moins deux villes cochées")));
    QVERIFY(text.contains(QStringLiteral("la case à gauche du nom de chaque ville")));
    QCOMPARE(QAccessible::queryAccessibleInterface(&view)->text(QAccessible::Description), text);
    QVERIFY(toolTipAt(view, view.rect().center()).contains(QStringLiteral("Il faut au moins deux villes cochées")));
    press({"Right", "Ctrl+Right", "Down"});
    QCOMPARE(view.currentText(), text);
    press({"Return"});
    QCOMPARE(instants.size(), 0);
    QCOMPARE(closed.size(), 1);
    // No city at all.
    open({});
    QVERIFY(view.currentText().startsWith(QStringLiteral("Il faut au moins deux villes cochées")));
    press({"Escape"});
    QVERIFY(!view.isOpen());
}

void TestWeekView::manyCitiesScrollUnderTheLitSlots()
{
    // 59 cities: the strips scroll, the common slots stay lit on their own line and over every strip in sight.
    QStringList cities;
    for (int i = 0; i < kCityRows; ++i)
        cities << (i % 2 ? QStringLiteral("Paris") : QStringLiteral("Londres"));
    WeekView& view = open(cities);
    const QScrollBar* scroll = view.findChild<QScrollBar*>(QStringLiteral("SemaineDefilement"));
    QVERIFY(scroll && scroll->isVisible());
    QVERIFY(scroll->maximum() > 0);
    const Week& week = *view.week();
    const int lit = week.quarterAt(utc(2026, 12, 10, 10).toSecsSinceEpoch());   // 11.00 in Paris, 10.00 in London
    const int unlit = week.quarterAt(utc(2026, 12, 10, 17).toSecsSinceEpoch()); // Paris has left
    QVERIFY(week.common[lit] && !week.common[unlit]);
    const auto colourAt = [&view](const QPoint& point) { return view.grab().toImage().pixelColor(point); };
    const QRect line = view.commonLine();
    const auto onLine = [&](int k) { return QPoint(view.quarterRect(0, k).center().x(), line.center().y()); };
    // The last city is out of sight until the strips scroll.
    QVERIFY(view.quarterRect(kCityRows, lit).isEmpty());
    for (int round = 0; round < 2; ++round) {
        QCOMPARE(colourAt(onLine(lit)), look::kYellow);
        QVERIFY(colourAt(onLine(unlit)) != look::kYellow);
        // Between two strips in sight, the lit slot shows through.
        const QRect first = view.quarterRect(1 + scroll->value(), lit);
        QCOMPARE(colourAt(QPoint(first.center().x(), first.bottom() + 2)), look::kYellow);
        // On a strip, the quarter is at work.
        QCOMPARE(colourAt(first.center()), look::kDarkBlue);
        press({"PgDown", "PgDown", "PgDown", "PgDown"});
    }
    QCOMPARE(scroll->value(), scroll->maximum());
    QVERIFY(!view.quarterRect(kCityRows, lit).isEmpty());
    QVERIFY(view.quarterRect(1, lit).isEmpty());
    // The wheel scrolls back.
    const QPoint over = view.quarterRect(kCityRows, lit).center();
    for (int notch = 0; notch < 20; ++notch)
        turnWheelOver(&view, 120, false, over);
    QCOMPARE(scroll->value(), 0);
}

void TestWeekView::notBeyondTheClocksReach()
{
    // Shown from six days ahead, the week ends a day past the clocks' reach: the keys stop at their limit.
    m_clock.set(QDateTime(QDate(2026, 12, 4), QTime(10, 7, 30), Qt::UTC), 3600);
    QList<ClockRow> rows{ClockRow(), cityRow("Paris"), cityRow("Tokyo")};
    const Instant now = m_clock.now();
    WeekRequest request = weekRequest(
        rows, now.universal.addDays(6), 1, WorkHours(), DayHours{7, 20},
        [this](const QDateTime& universal) { return m_clock.localAt(universal); }, workingDays(QLocale::France));
    request.earliest = now.universal.addDays(-7);
    request.latest = now.universal.addDays(7);
    m_view->open(request);
    press({"Down", "Down", "Right", "Right", "Right", "Right"});
    // The last quarter to begin by Friday 11 December 9.07.30 UTC is 9.00.
    QCOMPARE(m_view->currentInstant(), utc(2026, 12, 11, 9));
    press({"Down"});
    QCOMPARE(m_view->currentInstant(), utc(2026, 12, 11, 9));
}

QTEST_MAIN(TestWeekView)
#include "tst_weekview.moc"
