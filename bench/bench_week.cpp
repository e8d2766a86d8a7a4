// Costs of the week at a glance, measured with QBENCHMARK (not part of the test pass/fail):
//   QT_QPA_PLATFORM=offscreen ./bench_week   (wall time per iteration)
// The shipped list, all 59 cities marked, on the fake clock; the view on its own in a window of the clock's
// size.
#include <QKeyEvent>
#include <QTest>
#include <memory>

#include "data/cityfile.h"
#include "platform/clock.h"
#include "support/fakeplatform.h"
#include "time/zones.h"
#include "ui/look.h"
#include "week/weekview.h"

class BenchWeek : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        look::applyDesignLook();
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        const CityFileContents list = readCityFile(QStringLiteral(HORLUNE_SOURCE_DIR "/resources/horlune.ini"));
        m_rows.resize(kCityRows + 1);
        loadCityRows(m_rows, list.rows, cityZones(list.rows, {}, 2026), false);
        for (ClockRow& row : m_rows)
            row.marked = true;
        m_clock.set(QDateTime(QDate(2026, 12, 10), QTime(10, 7), Qt::UTC), 3600);
        m_window = std::make_unique<QWidget>();
        m_window->resize(981, 529);
        m_view = new WeekView(m_window.get());
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    // What "La semaine…" asks of the rows: each marked city's offsets along the week, the computer's read
    // from its clock at each quarter hour.
    void request()
    {
        QBENCHMARK
        {
            QCOMPARE(makeRequest().cities.size(), kCityRows);
        }
    }

    // The same with the computer's real clock, which asks the system's zone at each quarter hour.
    void requestOnTheSystemClock()
    {
        const SystemClock system;
        QBENCHMARK
        {
            const WeekRequest request = weekRequest(
                m_rows, m_clock.now().universal, 1, WorkHours(), DayHours{7, 20},
                [&system](const QDateTime& universal) { return system.localAt(universal); },
                workingDays(QLocale::France));
            QCOMPARE(request.cities.size(), kCityRows);
        }
    }

    // The week from the request: 60 strips of about 670 quarters, the common slots, the changes.
    void planTheWeek()
    {
        const WeekRequest request = makeRequest();
        QBENCHMARK
        {
            QCOMPARE(planWeek(request).strips.size(), kCityRows + 1);
        }
    }

    // Drawing the open view, the strips in sight and their scroll bar, into the window's backing store, as the
    // screen gets it.
    void drawTheWeek()
    {
        m_view->open(makeRequest());
        QCoreApplication::processEvents();
        QBENCHMARK
        {
            m_view->repaint();
        }
        m_view->dismiss();
    }

    // A key that moves the quarter, and the repaint it causes.
    void stepAQuarter()
    {
        m_view->open(makeRequest());
        QCoreApplication::processEvents();
        int key = Qt::Key_Right;
        QBENCHMARK
        {
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
            QCoreApplication::sendEvent(m_view, &press);
            m_view->repaint();
            key = key == Qt::Key_Right ? Qt::Key_Left : Qt::Key_Right;
        }
        m_view->dismiss();
    }

    // Ctrl+Right: the common-hour search over what is left of the week, for 59 cities.
    void stepASlot()
    {
        m_view->open(makeRequest());
        QBENCHMARK
        {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Right, Qt::ControlModifier);
            QCoreApplication::sendEvent(m_view, &press);
        }
        m_view->dismiss();
    }

    // "La semaine…" opened and closed: the request, the week, its first paint.
    void openAndClose()
    {
        QBENCHMARK
        {
            m_view->open(makeRequest());
            m_view->repaint();
            m_view->dismiss();
        }
    }

private:
    WeekRequest makeRequest() const
    {
        const Instant now = m_clock.now();
        WeekRequest request = weekRequest(
            m_rows, now.universal, 1, WorkHours(), DayHours{7, 20},
            [this](const QDateTime& universal) { return m_clock.localAt(universal); }, workingDays(QLocale::France));
        request.earliest = now.universal.addDays(-7);
        request.latest = now.universal.addDays(7);
        return request;
    }

    FakeClock m_clock;
    QList<ClockRow> m_rows;
    std::unique_ptr<QWidget> m_window;
    WeekView* m_view = nullptr;
};

QTEST_MAIN(BenchWeek)
#include "bench_week.moc"
