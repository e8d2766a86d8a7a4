#include <QCheckBox>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QTest>

#include "about/aboutwindow.h"
#include "app/controls.h"
#include "app/look.h"
#include "config/configpanel.h"
#include "support/mainfixture.h"
#include "support/mouse.h"

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
    void windowFollowsThePointerWhenTheSystemRefuses();
};

namespace {

QWidget* control(Main& window, const QString& name)
{
    auto* found = window.findChild<QWidget*>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
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
    Main& w = f.start();
    w.buttons().btn_MouseMove(3);
    w.buttons().btn_MouseMove(index);
    for (int i = 0; i < ButtonBar::kButtons; ++i) {
        const bool lit = i == index;
        QCOMPARE(w.buttons().isLit(i), lit);
        const Picture* picture = w.buttons().picture(i);
        const QPixmap expected = look::picture(lit ? QStringLiteral("btnon.gif") : QStringLiteral("btnoff.gif"));
        QCOMPARE(picture->picture().toImage(), expected.toImage());
        QCOMPARE(w.buttons().caption(i)->textColor(), lit ? look::kRed : look::kBlack);
        QCOMPARE(w.buttons().caption(i)->isBold(), lit);
    }
}

void TestChrome::hoverMovesFromButtonToButton()
{
    ClockFixture f(fullFile());
    Main& w = f.start();
    moveOver(w.buttons().picture(2));
    QVERIFY(w.buttons().isLit(2));
    moveOver(w.buttons().picture(3));
    QVERIFY(w.buttons().isLit(3));
    QVERIFY(!w.buttons().isLit(2));
    // Other controls leave the lit button as it is.
    moveOver(w.heureDigitale());
    moveOver(f.grid().image1(4));
    QVERIFY(w.buttons().isLit(3));
}

void TestChrome::captionsActLikeTheirPictures()
{
    ClockFixture f(fullFile());
    Main& w = f.start();
    QFile page(w.helpFilePath());
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.close();
    moveOver(w.buttons().caption(1));
    QVERIFY(w.buttons().isLit(1));
    QTest::mouseClick(w.buttons().caption(2), Qt::LeftButton);
    QCOMPARE(f.platform.desktop.openedHelp.size(), 1);
    QTest::mouseClick(w.buttons().picture(2), Qt::LeftButton);
    QCOMPARE(f.platform.desktop.openedHelp.size(), 2);
    QVERIFY(!w.panel()->isVisible());
}

void TestChrome::bareWindowAndPanelClearTheButtons()
{
    ClockFixture f(fullFile());
    Main& w = f.start();
    moveOver(w.buttons().picture(0));
    sendMouse(&w, QEvent::MouseMove, w.mapToGlobal(QPoint(700, 520)), Qt::NoButton);
    QVERIFY(!w.buttons().isLit(0));

    moveOver(w.buttons().picture(1));
    w.buttons().btn_Click(1);
    QVERIFY(w.panel()->isVisible());
    QVERIFY(w.buttons().isLit(1)); // stays lit under the panel...
    moveOver(w.panel()->frame4);    // ...over controls that do not clear it...
    QVERIFY(w.buttons().isLit(1));
    moveOver(w.panel());            // ...until the pointer is over the bare panel
    for (int i = 0; i < ButtonBar::kButtons; ++i)
        QVERIFY(!w.buttons().isLit(i));
    w.buttons().btn_Click(4);
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
    w.buttons().btn_Click(index);
    w.buttons().LabBTN_Click(index);
    QVERIFY(w.isVisible());
    QVERIFY(!w.panel()->isVisible());
    QVERIFY(!w.about());
    QVERIFY(f.platform.desktop.openedHelp.isEmpty());
    QVERIFY(f.platform.dialogs.shown.isEmpty());
}

void TestChrome::quitClosesEverything()
{
    {
        ClockFixture f(fullFile());
        Main& w = f.start();
        w.buttons().btn_Click(0); // the About window was never opened
        QVERIFY(!w.isVisible());
    }
    ClockFixture f(fullFile());
    Main& w = f.start();
    w.showAbout();
    QPointer<HorluneAbout> about = w.about();
    w.buttons().btn_Click(0);
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
    Main& w = f.start();
    ConfigPanel& panel = *w.panel();
    w.buttons().btn_Click(1);
    QVERIFY(panel.isVisible());
    QCOMPARE(panel.label2->caption(), QStringLiteral("dimanche 30 mars 2025"));
    QCOMPARE(panel.label4->caption(), QStringLiteral("dimanche 26 oct. 2025"));
    QCOMPARE(panel.text1->text(), QStringLiteral("20"));
    QCOMPARE(panel.text2->text(), QStringLiteral("8"));
    QCOMPARE(panel.frame3->y(), 2); // 30 twips
    QCOMPARE(panel.label11->caption(),
             QStringLiteral("Vous pouvez modifier dans l'écran de droite les villes affichées, en connaissant les "
                            "décalages avec TU en été et en hiver.\r\n"
                            "Les villes sélectionnées seront colorées dans l'écran principal pour mieux les "
                            "retrouver.\r\n"
                            "A l'enregistrement les villes seront triées automatiquement."));
    QCOMPARE(panel.lineCount(), 59);
    QVERIFY(!w.state().Modif);

    // In winter the dates are those of the same year.
    f.platform.clock.setLocal(QDate(2025, 12, 31), QTime(23, 0));
    w.buttons().btn_Click(4);
    w.buttons().btn_Click(1);
    QCOMPARE(panel.label2->caption(), QStringLiteral("dimanche 30 mars 2025"));
    w.buttons().btn_Click(4);
}

void TestChrome::configurationClosesAnOpenPanel()
{
    ClockFixture f(fullFile());
    Main& w = f.start();
    w.buttons().btn_Click(1);
    w.panel()->tvil(3)->setText(QStringLiteral("Ailleurs"));
    f.platform.dialogs.answers = {false};
    w.buttons().btn_Click(1);
    QVERIFY(!w.panel()->isVisible());
    QCOMPARE(w.panel()->lineCount(), 0);
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
    w.buttons().btn_Click(2);
    QTest::keyClick(&w, Qt::Key_F1);
    QCOMPARE(f.platform.desktop.openedHelp, QStringList({page.fileName(), page.fileName()}));
    QVERIFY(f.platform.dialogs.shown.isEmpty());
}

void TestChrome::helpMissingOrUnopenedIsReported()
{
    ClockFixture f(fullFile());
    Main& w = f.start();
    w.buttons().btn_Click(2);
    QCOMPARE(f.platform.dialogs.shown.size(), 1);
    QVERIFY(f.platform.dialogs.shown[0].text.contains(QStringLiteral("introuvable")));
    QVERIFY(f.platform.dialogs.shown[0].text.contains(w.helpFilePath()));
    QVERIFY(f.platform.desktop.openedHelp.isEmpty());

    QFile page(w.helpFilePath());
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.close();
    f.platform.desktop.openSucceeds = false;
    w.buttons().btn_Click(2);
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
        w.buttons().btn_Click(3);
        QVERIFY(!w.isVisible());
        QPointer<HorluneAbout> about = w.about();
        QVERIFY(about && about->isVisible());
        QCOMPARE(about->size(), QSize(400, 573));
        QVERIFY(about->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(about->geometry().center(), about->screen()->availableGeometry().center());
        QTest::mouseClick(about->image1(), Qt::LeftButton);
        QTRY_VERIFY(!about);
        QVERIFY(w.isVisible());
        QCOMPARE(w.pos(), place);
    }
}

void TestChrome::pressesThatMoveTheWindow_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("panelOpen");
    QTest::addColumn<int>("button");
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        const char* which = button == Qt::LeftButton ? "left" : button == Qt::RightButton ? "right" : "middle";
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
    Main& w = f.start();
    if (panelOpen)
        w.buttons().btn_Click(1);
    QWidget* target = name == QLatin1String("Main") ? &w : control(w, name);
    // A corner of the control; for the bare window and frames, a point that no child covers.
    QPoint point(1, 1);
    if (name == QLatin1String("Main"))
        point = QPoint(700, 522);
    else if (name == QLatin1String("Frame2"))
        point = QPoint(5, 560 / 15);
    QVERIFY(!target->childAt(point));
    QTest::mousePress(target, Qt::MouseButton(button), {}, point);
    QCOMPARE(f.platform.desktop.moves, 1);
    QTest::mouseRelease(target, Qt::MouseButton(button), {}, point);
    if (panelOpen)
        w.buttons().btn_Click(4);
}

void TestChrome::pressesThatDoNotMoveTheWindow_data()
{
    QTest::addColumn<QString>("name");
    for (const char* name : {"btn_0", "btn_1", "btn_3", "LabBTN_2", "LabBTN_0", "btn_4", "LabBTN_4", "Label10",
                             "Label11", "Label5", "Frame4", "Nuit", "Jour", "Label9_1", "Text1", "Frame3", "g2_1",
                             "Label7", "Tvil_4", "TEte_30", "THiver_59", "Pref_12"})
        QTest::addRow("%s", name) << QString::fromLatin1(name);
}

void TestChrome::pressesThatDoNotMoveTheWindow()
{
    QFETCH(QString, name);
    ClockFixture f(fullFile());
    Main& w = f.start();
    w.buttons().btn_Click(1); // the panel's controls exist and show
    f.platform.dialogs.answers = {false};
    QWidget* target = control(w, name);
    const bool panelControl = w.panel()->isAncestorOf(target);
    if (!panelControl)
        w.buttons().btn_Click(4);
    QTest::mousePress(target, Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseRelease(target, Qt::LeftButton, {}, QPoint(2, 2));
    QCOMPARE(f.platform.desktop.moves, 0);
    w.close();
}

void TestChrome::windowFollowsThePointerWhenTheSystemRefuses()
{
    ClockFixture f(fullFile());
    f.platform.desktop.acceptMoves = false;
    Main& w = f.start();
    w.move(100, 80);
    const QPoint start = w.pos();
    QWidget* clock = w.heureDigitale();
    const QPoint pointer = QCursor::pos();
    QTest::mousePress(clock, Qt::LeftButton, {}, QPoint(3, 3));
    QVERIFY(w.pointerDrag().isFollowing());

    sendMouse(clock, QEvent::MouseMove, pointer + QPoint(30, 20), Qt::LeftButton);
    QCOMPARE(w.pos(), start + QPoint(30, 20));
    sendMouse(clock, QEvent::MouseMove, pointer + QPoint(-15, 45), Qt::LeftButton);
    QCOMPARE(w.pos(), start + QPoint(-15, 45));
    sendMouse(clock, QEvent::MouseButtonRelease, pointer + QPoint(-15, 45), Qt::NoButton);
    QVERIFY(!w.pointerDrag().isFollowing());

    // Released: the window stays where it was left.
    sendMouse(clock, QEvent::MouseMove, pointer + QPoint(200, 200), Qt::NoButton);
    QCOMPARE(w.pos(), start + QPoint(-15, 45));
}

QTEST_MAIN(TestChrome)
#include "tst_chrome.moc"
