#include <QCheckBox>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QTest>

#include "about/aboutwindow.h"
#include "chrome/buttonbar.h"
#include "chrome/pointerdrag.h"
#include "clock/clockgrid.h"
#include "config/cityeditor.h"
#include "config/configpanel.h"
#include "rows/geometry.h"
#include "support/mainfixture.h"
#include "support/mouse.h"
#include "ui/controls.h"
#include "ui/look.h"

// The picture buttons, their commands, and moving the borderless window.
class TestChrome : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
    void cleanup() { QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty()); }

    void hoverLightsOneButton_data();
    void hoverLightsOneButton();
    void hoverMovesFromButtonToButton();
    void captionsActLikeTheirPictures();
    void onlyTheLeftButtonClicks_data();
    void onlyTheLeftButtonClicks();
    void bareWindowAndPanelClearTheButtons();
    void clickOutsideTheButtonsDoesNothing_data();
    void clickOutsideTheButtonsDoesNothing();
    void quitClosesEverything();
    void configurationOpensThePanel();
    void configurationClosesAnOpenPanel();
    void helpOpensThePage();
    void helpMissingOrUnopenedIsReported();
    void aboutHidesTheClockUntilClosed();
    void pressesThatMoveTheWindow_data();
    void pressesThatMoveTheWindow();
    void pressesThatDoNotMoveTheWindow_data();
    void pressesThatDoNotMoveTheWindow();
    void windowFollowsThePointerWhenTheSystemRefuses_data();
    void windowFollowsThePointerWhenTheSystemRefuses();
};

namespace {

QString helpPage(const ClockFixture& f)
{
    return QDir(f.env.programDirectory()).filePath(QStringLiteral("HLN.html"));
}

} // namespace

void TestChrome::hoverLightsOneButton_data()
{
    QTest::addColumn<int>("index");
    for (int i : {0, 1, 2, 3, 4, 10, -1, 5, 1000})
        QTest::addRow("%d", i) << i;
}

void TestChrome::hoverLightsOneButton()
{
    QFETCH(int, index);
    ClockFixture f(fullFile());
    f.start();
    f.panel(); // which makes the fifth button, its "OK"
    f.buttons().light(3);
    f.buttons().light(index);
    for (int i = 0; i < ButtonBar::kButtons; ++i) {
        const bool lit = i == index;
        QCOMPARE(f.isLit(i), lit);
        const auto* picture = f.find<Picture>(QStringLiteral("btn_%1").arg(i));
        const QPixmap expected = look::picture(lit ? QStringLiteral("btnon.gif") : QStringLiteral("btnoff.gif"));
        QCOMPARE(picture->picture().toImage(), expected.toImage());
        QCOMPARE(f.label(QStringLiteral("LabBTN_%1").arg(i))->textColor(), lit ? look::kRed : look::kBlack);
        QCOMPARE(f.label(QStringLiteral("LabBTN_%1").arg(i))->isBold(), lit);
    }
}

void TestChrome::hoverMovesFromButtonToButton()
{
    ClockFixture f(fullFile());
    f.start();
    moveOver(f.find<Picture>("btn_2"));
    QVERIFY(f.isLit(2));
    moveOver(f.find<Picture>("btn_3"));
    QVERIFY(f.isLit(3));
    QVERIFY(!f.isLit(2));
    // Other controls leave the lit button as it is.
    moveOver(f.label("HeureDigitale"));
    moveOver(f.face(4));
    QVERIFY(f.isLit(3));
}

void TestChrome::captionsActLikeTheirPictures()
{
    ClockFixture f(fullFile());
    f.start();
    QFile page(helpPage(f));
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.close();
    moveOver(f.label("LabBTN_1"));
    QVERIFY(f.isLit(1));
    QTest::mouseClick(f.label("LabBTN_2"), Qt::LeftButton);
    QCOMPARE(f.platform.desktop.openedHelp.size(), 1);
    QTest::mouseClick(f.find<Picture>("btn_2"), Qt::LeftButton);
    QCOMPARE(f.platform.desktop.openedHelp.size(), 2);
    QVERIFY(!f.panel().isVisible());
}

void TestChrome::onlyTheLeftButtonClicks_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("runs");
    for (const char* name : {"btn_2", "LabBTN_2"}) {
        QTest::addRow("%s, left", name) << QString::fromLatin1(name) << int(Qt::LeftButton) << true;
        QTest::addRow("%s, middle", name) << QString::fromLatin1(name) << int(Qt::MiddleButton) << false;
        // The right button asks for the menu of commands.
        QTest::addRow("%s, right", name) << QString::fromLatin1(name) << int(Qt::RightButton) << false;
    }
}

void TestChrome::onlyTheLeftButtonClicks()
{
    QFETCH(QString, name);
    QFETCH(int, button);
    QFETCH(bool, runs);
    ClockFixture f(fullFile());
    f.start();
    QFile page(helpPage(f));
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.close();
    QTest::mouseClick(f.find(name), Qt::MouseButton(button));
    QCOMPARE(f.platform.desktop.openedHelp.size(), runs ? 1 : 0);
}

void TestChrome::bareWindowAndPanelClearTheButtons()
{
    ClockFixture f(fullFile());
    Main& w = f.start();
    moveOver(f.find<Picture>("btn_0"));
    // The bare window: the clocks' grid, where no row lies.
    sendMouse(&f.grid(), QEvent::MouseMove, w.mapToGlobal(QPoint(700, 520)), Qt::NoButton);
    QVERIFY(!f.isLit(0));

    moveOver(f.find<Picture>("btn_1"));
    f.openPanel();
    QVERIFY(f.panel().isVisible());
    QVERIFY(f.isLit(1));        // stays lit under the panel...
    moveOver(f.find("Frame4")); // ...over controls that do not clear it...
    QVERIFY(f.isLit(1));
    moveOver(&f.panel()); // ...until the pointer is over the bare panel
    for (int i = 0; i < ButtonBar::kButtons; ++i)
        QVERIFY(!f.isLit(i));
    f.pressOk();
}

void TestChrome::clickOutsideTheButtonsDoesNothing_data()
{
    QTest::addColumn<int>("index");
    for (int i : {-1, -2147483647 - 1, 5, 10, 2147483647})
        QTest::addRow("%d", i) << i;
}

void TestChrome::clickOutsideTheButtonsDoesNothing()
{
    QFETCH(int, index);
    ClockFixture f(fullFile());
    Main& w = f.start();
    f.buttons().press(index);
    f.buttons().press(index);
    QVERIFY(w.isVisible());
    QVERIFY(!f.panel().isVisible());
    QVERIFY(!f.about());
    QVERIFY(f.platform.desktop.openedHelp.isEmpty());
    QVERIFY(f.platform.dialogs.shown.isEmpty());
}

void TestChrome::quitClosesEverything()
{
    {
        ClockFixture f(fullFile());
        Main& w = f.start();
        f.buttons().press(0); // the About window was never opened
        QVERIFY(!w.isVisible());
    }
    ClockFixture f(fullFile());
    Main& w = f.start();
    f.buttons().press(ButtonBar::About);
    QPointer<HorluneAbout> about = f.about();
    f.buttons().press(0);
    QTRY_VERIFY(!about);
    QVERIFY(!w.isVisible()); // the About window's closing does not bring the clock back
    QVERIFY(f.platform.dialogs.shown.isEmpty());
    QCOMPARE(f.env.readSetting(QStringLiteral("P1")), QString()); // nothing saved
}

void TestChrome::configurationOpensThePanel()
{
    ClockFixture f(fullFile(), QDateTime(QDate(2025, 6, 15), QTime(12, 0), Qt::UTC), 2);
    f.env.writeSetting(QStringLiteral("HN"), QStringLiteral("20"));
    f.env.writeSetting(QStringLiteral("HJ"), QStringLiteral("8"));
    f.start();
    f.openPanel();
    QVERIFY(f.panel().isVisible());
    QCOMPARE(f.label("Label2")->caption(), QStringLiteral("dimanche 30 mars 2025"));
    QCOMPARE(f.label("Label4")->caption(), QStringLiteral("dimanche 26 oct. 2025"));
    QCOMPARE(f.box("Text1")->text(), QStringLiteral("20"));
    QCOMPARE(f.box("Text2")->text(), QStringLiteral("8"));
    QCOMPARE(f.find("Frame3")->y(), 2); // 30 twips
    QCOMPARE(f.label("Label11")->caption(),
             QStringLiteral("Vous pouvez modifier dans l'écran de droite les villes affichées, en connaissant les "
                            "décalages avec TU en été et en hiver.\r\n"
                            "Les villes sélectionnées seront colorées dans l'écran principal pour mieux les "
                            "retrouver.\r\n"
                            "A l'enregistrement les villes seront triées automatiquement."));
    QCOMPARE(f.editor().lineCount(), kCityRows);
    QVERIFY(!f.panel().isModified());

    // In winter the dates are those of the same year.
    f.platform.clock.setLocal(QDate(2025, 12, 31), QTime(23, 0));
    f.pressOk();
    f.openPanel();
    QCOMPARE(f.label("Label2")->caption(), QStringLiteral("dimanche 30 mars 2025"));
    f.pressOk();
}

void TestChrome::configurationClosesAnOpenPanel()
{
    ClockFixture f(fullFile());
    f.start();
    f.openPanel();
    f.box("Tvil_3")->setText(QStringLiteral("Ailleurs"));
    f.platform.dialogs.answers = {false};
    f.openPanel();
    QVERIFY(!f.panel().isVisible());
    QCOMPARE(f.editor().lineCount(), 0);
    QCOMPARE(f.platform.dialogs.shown.size(), 1);
    QCOMPARE(f.platform.dialogs.shown[0].text, QStringLiteral("Enregistrer les modifications"));
}

void TestChrome::helpOpensThePage()
{
    ClockFixture f(fullFile());
    Main& w = f.start();
    QFile page(QDir(f.env.programDirectory()).filePath(QStringLiteral("HLN.html")));
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.close();
    f.buttons().press(2);
    QTest::keyClick(&w, Qt::Key_F1);
    QCOMPARE(f.platform.desktop.openedHelp, QStringList({page.fileName(), page.fileName()}));
    QVERIFY(f.platform.dialogs.shown.isEmpty());
}

void TestChrome::helpMissingOrUnopenedIsReported()
{
    ClockFixture f(fullFile());
    f.start();
    f.buttons().press(2);
    QCOMPARE(f.platform.dialogs.shown.size(), 1);
    QVERIFY(f.platform.dialogs.shown[0].text.contains(QStringLiteral("introuvable")));
    QVERIFY(f.platform.dialogs.shown[0].text.contains(helpPage(f)));
    QVERIFY(f.platform.desktop.openedHelp.isEmpty());

    QFile page(helpPage(f));
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.close();
    f.platform.desktop.openSucceeds = false;
    f.buttons().press(2);
    QCOMPARE(f.platform.dialogs.shown.size(), 2);
    QVERIFY(f.platform.dialogs.shown[1].text.startsWith(QStringLiteral("Aucun programme n'a pu ouvrir")));
}

void TestChrome::aboutHidesTheClockUntilClosed()
{
    ClockFixture f(fullFile());
    Main& w = f.start();
    w.move(40, 30);
    const QPoint place = w.pos();
    for (int opening = 0; opening < 2; ++opening) {
        f.buttons().press(3);
        QVERIFY(!w.isVisible());
        QPointer<HorluneAbout> about = f.about();
        QVERIFY(about && about->isVisible());
        QCOMPARE(about->size(), QSize(400, 573));
        QVERIFY(about->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(about->geometry().center(), about->screen()->availableGeometry().center());
        QTest::mouseClick(control(*about, "Image1"), Qt::LeftButton);
        QTRY_VERIFY(!about);
        QVERIFY(w.isVisible());
        QCOMPARE(w.pos(), place);
        // The keys back on the clocks, whatever had them before.
        QCOMPARE(w.focusWidget(), &f.grid());
        f.find(QStringLiteral("btn_3"))->setFocus();
    }
}

void TestChrome::pressesThatMoveTheWindow_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("panelOpen");
    QTest::addColumn<int>("button");
    // The right button opens the menu of commands instead (tst_keyboard).
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::MiddleButton}) {
        const char* which = button == Qt::LeftButton ? "left" : "middle";
        QTest::addRow("bare window, %s", which) << "Main" << false << int(button);
        QTest::addRow("HeureDigitale, %s", which) << "HeureDigitale" << false << int(button);
        QTest::addRow("Label8, %s", which) << "Label8" << false << int(button);
        QTest::addRow("Image1 0, %s", which) << "Image1_0" << false << int(button);
        QTest::addRow("Image1 37, %s", which) << "Image1_37" << false << int(button);
        QTest::addRow("Digit 59, %s", which) << "Digit_59" << false << int(button);
        QTest::addRow("Ville 12, %s", which) << "Ville_12" << false << int(button);
        QTest::addRow("Frame1, %s", which) << "Frame1" << true << int(button);
        QTest::addRow("Frame2, %s", which) << "Frame2" << true << int(button);
    }
}

void TestChrome::pressesThatMoveTheWindow()
{
    QFETCH(QString, name);
    QFETCH(bool, panelOpen);
    QFETCH(int, button);
    ClockFixture f(fullFile());
    f.start();
    if (panelOpen)
        f.openPanel();
    // A corner of the control; for the bare window and frames, a point that no child covers.
    QPoint point(1, 1);
    if (name == QLatin1String("Main"))
        point = QPoint(700, 522);
    else if (name == QLatin1String("Frame2"))
        point = QPoint(5, twipsToPixels(560));
    const ClockFixture::Spot target = f.spot(name, point);
    QVERIFY(!target.widget->childAt(target.point));
    QTest::mousePress(target.widget, Qt::MouseButton(button), {}, target.point);
    QCOMPARE(f.platform.desktop.moves, 1);
    QTest::mouseRelease(target.widget, Qt::MouseButton(button), {}, target.point);
    if (panelOpen)
        f.pressOk();
}

void TestChrome::pressesThatDoNotMoveTheWindow_data()
{
    QTest::addColumn<QString>("name");
    for (const char* name : {"btn_0",   "btn_1",  "btn_3",  "LabBTN_2", "LabBTN_0",  "btn_4",    "LabBTN_4", "Label10",
                             "Label11", "Label5", "Frame4", "Nuit",     "Jour",      "Label9_1", "Text1",    "Frame3",
                             "g2_1",    "Label7", "Tvil_4", "TEte_30",  "THiver_59", "Pref_12"})
        QTest::addRow("%s", name) << QString::fromLatin1(name);
}

void TestChrome::pressesThatDoNotMoveTheWindow()
{
    QFETCH(QString, name);
    ClockFixture f(fullFile());
    Main& w = f.start();
    f.openPanel(); // the panel's controls exist and show
    f.platform.dialogs.answers = {false};
    QWidget* target = f.find(name);
    const bool panelControl = f.panel().isAncestorOf(target);
    if (!panelControl)
        f.pressOk();
    QTest::mousePress(target, Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseRelease(target, Qt::LeftButton, {}, QPoint(2, 2));
    QCOMPARE(f.platform.desktop.moves, 0);
    w.close();
}

void TestChrome::windowFollowsThePointerWhenTheSystemRefuses_data()
{
    QTest::addColumn<bool>("releaseSeen");
    QTest::addRow("released over the window") << true;
    // Released outside the window, where the program did not see it: the next move without a button
    // ends the drag.
    QTest::addRow("released elsewhere") << false;
}

void TestChrome::windowFollowsThePointerWhenTheSystemRefuses()
{
    QFETCH(bool, releaseSeen);
    ClockFixture f(fullFile());
    f.platform.desktop.acceptMoves = false;
    Main& w = f.start();
    w.move(100, 80);
    const QPoint start = w.pos();
    QWidget* clock = f.label("HeureDigitale");
    const QPoint pointer = QCursor::pos();
    QTest::mousePress(clock, Qt::LeftButton, {}, QPoint(3, 3));
    QVERIFY(f.find<PointerDrag>("PointerDrag")->isFollowing());

    sendMouse(clock, QEvent::MouseMove, pointer + QPoint(30, 20), Qt::LeftButton);
    QCOMPARE(w.pos(), start + QPoint(30, 20));
    sendMouse(clock, QEvent::MouseMove, pointer + QPoint(-15, 45), Qt::LeftButton);
    QCOMPARE(w.pos(), start + QPoint(-15, 45));
    if (releaseSeen)
        sendMouse(clock, QEvent::MouseButtonRelease, pointer + QPoint(-15, 45), Qt::NoButton);
    sendMouse(clock, QEvent::MouseMove, pointer + QPoint(200, 200), Qt::NoButton);
    QVERIFY(!f.find<PointerDrag>("PointerDrag")->isFollowing());
    // The window stays where it was left, whatever the pointer does next.
    QCOMPARE(w.pos(), start + QPoint(-15, 45));
    sendMouse(clock, QEvent::MouseMove, pointer + QPoint(120, 100), Qt::LeftButton);
    QCOMPARE(w.pos(), start + QPoint(-15, 45));
}

QTEST_MAIN(TestChrome)
#include "tst_chrome.moc"
