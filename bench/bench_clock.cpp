// Costs of the clock's work, measured with QBENCHMARK (not part of the test pass/fail):
//   ./bench_clock -tickcounter   or   ./bench_clock   (wall time per iteration)
#include <QLocale>
#include <QTest>
#include <memory>

#include <QAction>
#include <QLineEdit>

#include "app/mainwindow.h"
#include "chrome/buttonbar.h"
#include "clock/clockgrid.h"
#include "config/configpanel.h"
#include "support/fakeplatform.h"
#include "support/mainfixture.h"
#include "support/mouse.h"
#include "support/testenv.h"
#include "ui/look.h"
#include "ui/windowshape.h"

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
        m_window->start();
        timer().stop();
        QCoreApplication::processEvents();
    }

    // A tick within the same second: nothing changes, nothing is repainted.
    void tick()
    {
        QBENCHMARK
        {
            m_window->tick();
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
            m_window->tick();
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
            m_window->tick();
            QCoreApplication::processEvents();
        }
    }

    // One notch of the wheel while planning: the 60 rows drawn at the shifted instant, the date line, the
    // shift line, and the repaint. Turned back and forth between a quarter and half an hour ahead.
    void scrubStep()
    {
        ClockGrid& grid = *control<ClockGrid>(*m_window, QStringLiteral("ClockGrid"));
        turnWheelOver(&grid, 120);
        QCoreApplication::processEvents();
        int direction = 1;
        QBENCHMARK
        {
            turnWheelOver(&grid, direction * 120);
            direction = -direction;
            QCoreApplication::processEvents();
        }
        QTest::keyClick(&grid, Qt::Key_Home);
    }

    // The pointer from one city to the next: the two rows drawn again, the hover line written.
    void hover()
    {
        ClockGrid& grid = *control<ClockGrid>(*m_window, QStringLiteral("ClockGrid"));
        int row = 0;
        QBENCHMARK
        {
            moveOver(&grid, grid.faceRect(1 + row++ % 59).center());
            QCoreApplication::processEvents();
        }
    }

    // The start on the live window: the configuration read, the clocks drawn.
    void start()
    {
        QBENCHMARK
        {
            m_window->start();
            QCoreApplication::processEvents();
        }
        timer().stop();
    }

    // "Configuration" then "OK" without a change: the 59 editor lines built from the file, then destroyed.
    void openAndClosePanel()
    {
        QBENCHMARK
        {
            buttons().press(ButtonBar::Configuration);
            QCoreApplication::processEvents();
            emit m_window->panel().okButton().picture->clicked();
            QCoreApplication::processEvents();
        }
    }

    // Opening the panel, a change, "OK" and "Oui": sort, write, store, and the clocks follow what was written.
    void saveAndReload()
    {
        int edit = 0;
        QBENCHMARK
        {
            buttons().press(ButtonBar::Configuration);
            control<QLineEdit>(*m_window, QStringLiteral("Text1"))->setText(QString::number(20 + edit++ % 3));
            m_platform.dialogs.answers = {true};
            emit m_window->panel().okButton().picture->clicked();
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
        m_window->start();
        timer().stop();
        ClockGrid& grid = *control<ClockGrid>(*m_window, QStringLiteral("ClockGrid"));
        turnWheelOver(&grid, 120);
        QCoreApplication::processEvents();
        int direction = 1;
        QBENCHMARK
        {
            turnWheelOver(&grid, direction * 120);
            direction = -direction;
            QCoreApplication::processEvents();
        }
        QTest::keyClick(&grid, Qt::Key_Home);
    }

    // The window's outline read from its background, and what a desktop without a compositor shows, or one
    // with: at each start and each showing. Both scales.
    void windowShape_data()
    {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<int>("ratio");
        QTest::addRow("scale 1") << "background.bmp" << 1;
        QTest::addRow("scale 2") << "background@2x.bmp" << 2;
    }
    void windowShape()
    {
        QFETCH(QString, picture);
        QFETCH(int, ratio);
        const QImage image = QImage(QStringLiteral(":/pictures/") + picture).convertToFormat(QImage::Format_RGB32);
        QBENCHMARK
        {
            // As the window does it: the outline, the shape, the corners drawn over the picture either way.
            const shape::Outline outline = shape::readOutline(image, ratio);
            const QRegion region = shape::insideRegion(outline);
            const QList<shape::Patch> shaped = shape::cornerPatches(image, outline, false);
            const QList<shape::Patch> composed = shape::cornerPatches(image, outline, true);
            Q_UNUSED(region);
            Q_UNUSED(shaped);
            Q_UNUSED(composed);
        }
    }

    // "Contraste élevé" and back: every row, line, button and the background drawn again.
    void switchContrast()
    {
        QAction* command = nullptr;
        for (QAction* action : m_window->actions()) {
            if (action->text() == QStringLiteral("Contraste élevé"))
                command = action;
        }
        QBENCHMARK
        {
            command->trigger();
            m_window->repaint();
            command->trigger();
            m_window->repaint();
        }
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
