#include <QGuiApplication>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

#include "about/aboutwindow.h"
#include "chrome/buttonbar.h"
#include "support/mainfixture.h"
#include "ui/controls.h"

// The program on a Wayland compositor of its own (tests/wayland.sh starts a headless Weston): the
// borderless window opens with its caption, asks the compositor to move it, shows the About window and
// ends with "Quitter".
class TestWayland : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QCOMPARE(QGuiApplication::platformName(), QStringLiteral("wayland")); }
    void cleanup() { QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty()); }
    void startMoveAboutAndQuit();
};

void TestWayland::startMoveAboutAndQuit()
{
    ClockFixture f(fullFile());
    Main& w = f.start();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.windowHandle()->title(), QStringLiteral("Horlune (TU + 1 )"));
    QVERIFY(w.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(w.size(), QSize(981, 529));

    // A press on the clock asks the compositor for its own move (Wayland lets no window place itself).
    SystemDesktop desktop;
    desktop.startSystemMove(&w);
    QTest::mousePress(f.label(QStringLiteral("HeureDigitale")), Qt::LeftButton, {}, QPoint(3, 3));
    QCOMPARE(f.platform.desktop.moves, 1);
    QTest::mouseRelease(f.label(QStringLiteral("HeureDigitale")), Qt::LeftButton, {}, QPoint(3, 3));
    QVERIFY(w.windowHandle()->isExposed());

    f.buttons().press(ButtonBar::About);
    QPointer<HorluneAbout> about = f.about();
    QVERIFY(about);
    QVERIFY(QTest::qWaitForWindowExposed(about));
    QCOMPARE(about->windowHandle()->title(), QStringLiteral("Form1"));
    QVERIFY(!w.isVisible());
    QTest::mouseClick(control(*about, QStringLiteral("Image1")), Qt::LeftButton);
    QTRY_VERIFY(!about);
    QVERIFY(QTest::qWaitForWindowExposed(&w));

    f.buttons().press(ButtonBar::Quit);
    QVERIFY(!w.isVisible());
}

QTEST_MAIN(TestWayland)
#include "tst_wayland.moc"
