// Costs of the clock's work, measured with QBENCHMARK (not part of the test pass/fail):
//   ./bench_clock -tickcounter   or   ./bench_clock   (wall time per iteration)
#include <QLocale>
#include <QTest>
#include <memory>

#include <QLineEdit>

#include "app/mainwindow.h"
#include "chrome/buttonbar.h"
#include "clock/citygrid.h"
#include "config/configpanel.h"
#include "support/fakeplatform.h"
#include "support/mainfixture.h"
#include "support/testenv.h"

class BenchClock : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QFile file(QStringLiteral(HORLUNE_SOURCE_DIR "/resources/horlune.ini"));
        file.open(QIODevice::ReadOnly);
        m_env.writeCityFile(file.readAll());
        m_platform.clock.set(QDateTime(QDate(2026, 12, 10), QTime(18, 42, 0), Qt::UTC), 3600);
        m_window = std::make_unique<Main>(m_platform.services(), m_env.programDirectory(), m_env.programDirectory(),
                                          m_env.settingsFile());
        m_window->Form_Load();
        timer().stop();
        QCoreApplication::processEvents();
    }

    // A tick within the same second: nothing changes, nothing is repainted.
    void tick()
    {
        QBENCHMARK
        {
            m_window->Timer1_Timer();
            QCoreApplication::processEvents();
        }
    }

    // A tick in a new second of the same minute: the digital clock is rewritten and repainted.
    void tickWithChangedSecond()
    {
        int second = 0;
        QBENCHMARK
        {
            m_platform.clock.set(QDateTime(QDate(2026, 12, 10), QTime(18, 42, second++ % 60), Qt::UTC), 3600);
            m_window->Timer1_Timer();
            QCoreApplication::processEvents();
        }
    }

    // A full redraw of the 60 rows, and the repaint it causes.
    void fullRedraw()
    {
        int minute = 0;
        QBENCHMARK
        {
            m_platform.clock.set(QDateTime(QDate(2026, 12, 10), QTime(18, minute++ % 60, 0), Qt::UTC), 3600);
            m_window->Timer1_Timer();
            QCoreApplication::processEvents();
        }
    }

    // One notch of the wheel while planning: the 60 rows drawn at the shifted instant, the date line, the
    // shift line, and the repaint. Turned back and forth between a quarter and half an hour ahead.
    void scrubStep()
    {
        CityGrid& grid = *control<CityGrid>(*m_window, QStringLiteral("CityGrid"));
        grid.turnWheel(120);
        QCoreApplication::processEvents();
        int direction = 1;
        QBENCHMARK
        {
            grid.turnWheel(direction * 120);
            direction = -direction;
            QCoreApplication::processEvents();
        }
        grid.backToNow();
    }

    void formLoad()
    {
        QBENCHMARK
        {
            m_window->Form_Load();
            QCoreApplication::processEvents();
        }
        timer().stop();
    }

    // "Configuration" then "OK" without a change: the 59 editor lines built from the file, then destroyed.
    void openAndClosePanel()
    {
        QBENCHMARK
        {
            buttons().btn_Click(ButtonBar::Configuration);
            QCoreApplication::processEvents();
            buttons().btn_Click(ButtonBar::Ok);
            QCoreApplication::processEvents();
        }
    }

    // Opening the panel, a change, "OK" and "Oui": sort, write, store, and the clock reloaded.
    void saveAndReload()
    {
        int edit = 0;
        QBENCHMARK
        {
            buttons().btn_Click(ButtonBar::Configuration);
            control<QLineEdit>(*m_window, QStringLiteral("Text1"))->setText(QString::number(20 + edit++ % 3));
            m_platform.dialogs.answers = {true};
            buttons().btn_Click(ButtonBar::Ok);
            QCoreApplication::processEvents();
        }
        timer().stop();
    }

    // One notch of the wheel while planning with every city marked, a week before the changes of summer time
    // of October: each step tells every face whether its city is at work, and looks for the changes coming.
    void scrubStepPlanning()
    {
        for (int row = 1; row <= kCityRows; ++row)
            m_env.writeSetting(QStringLiteral("P%1").arg(row), QStringLiteral("T"));
        m_platform.clock.set(QDateTime(QDate(2026, 10, 20), QTime(18, 42, 0), Qt::UTC), 7200);
        m_window->Form_Load();
        timer().stop();
        CityGrid& grid = *control<CityGrid>(*m_window, QStringLiteral("CityGrid"));
        grid.turnWheel(120);
        QCoreApplication::processEvents();
        int direction = 1;
        QBENCHMARK
        {
            grid.turnWheel(direction * 120);
            direction = -direction;
            QCoreApplication::processEvents();
        }
        grid.backToNow();
    }

    void cleanupTestCase() { m_window.reset(); }

private:
    QTimer& timer() { return *control<QTimer>(*m_window, QStringLiteral("Timer1")); }
    ButtonBar& buttons() { return *control<ButtonBar>(*m_window, QStringLiteral("ButtonBar")); }

    TestEnvironment m_env;
    FakePlatform m_platform;
    std::unique_ptr<Main> m_window;
};

QTEST_MAIN(BenchClock)
#include "bench_clock.moc"
