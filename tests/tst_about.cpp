#include <QLocale>
#include <QMouseEvent>
#include <QTest>
#include <QUrlQuery>

#include "about/aboutwindow.h"
#include "support/fakeplatform.h"
#include "support/mouse.h"
#include "ui/controls.h"
#include "ui/look.h"

namespace {

const QColor kBlue(0, 0, 255);

Label* label(const QWidget& window, const QString& name)
{
    auto* found = window.findChild<Label*>(name);
    if (!found)
        qFatal("no label %s", qPrintable(name));
    return found;
}

// An About window as "A Propos" opens it, with a recording desktop.
struct AboutFixture
{
    RecordingDesktop desktop;
    QPointer<HorluneAbout> window = new HorluneAbout(desktop);
    int closings = 0;

    AboutFixture()
    {
        QObject::connect(window, &HorluneAbout::closed, [this] { ++closings; });
        window->open();
    }
    ~AboutFixture() { delete window; }
};

} // namespace

class TestAbout : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty()); }

    void windowAndTexts();
    void versionAndMail_data();
    void versionAndMail();
    void clicks_data();
    void clicks();
    void keys_data();
    void keys();
    void linkColours();
    void reopeningStartsAfresh();
};

void TestAbout::windowAndTexts()
{
    AboutFixture f;
    HorluneAbout& w = *f.window;
    QVERIFY(w.isVisible());
    QCOMPARE(w.size(), QSize(400, 573));
    QVERIFY(w.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(w.windowTitle(), QStringLiteral("Form1"));
    QCOMPARE(w.palette().color(QPalette::Window), look::kBlack);
    QCOMPARE(w.geometry().center(), w.screen()->availableGeometry().center());

    const QString paragraph = label(w, "Label1_0")->caption();
    for (const char* part : {"Vladivostock", "Saint petersbourg...", "Shangaï...", "dernier dimanche de mars",
                             "dernier dimanche d'octobre"})
        QVERIFY2(paragraph.contains(QString::fromUtf8(part)), part);
    QVERIFY(paragraph.endsWith(QStringLiteral(
        " Les villes de la liste suivent les dates de changement d'heure de leur propre pays ; une ville "
        "dont les décalages sont tapés à la main suit la règle ci-dessus.")));
    QVERIFY(!paragraph.contains(QLatin1Char('\n')));
    QCOMPARE(label(w, "Label1_0")->textColor(), look::kWhite);
    QVERIFY(label(w, "Label1_0")->wordWrap());

    QVERIFY(label(w, "Label1_1")->caption().contains(QStringLiteral("librement et gratuitement")));
    QCOMPARE(label(w, "Label1_1")->font().family(), QStringLiteral("Comic Neue"));
    QCOMPARE(label(w, "Label1_1")->textColor(), QColor(0xE0, 0xE0, 0xE0));

    QCOMPARE(label(w, "Label1_2")->caption(), QStringLiteral("https:\\\\horlune.example.org/"));
    QCOMPARE(label(w, "Label3")->caption(), QStringLiteral("Contacter l'auteur..."));
    QCOMPARE(label(w, "Label2")->caption(), QStringLiteral("Version... 3.0.0"));
    QCOMPARE(w.findChild<Picture*>("Image1")->picture().size(), QSize(387, 300));
    QCOMPARE(w.findChild<Picture*>("Image1")->pos(), QPoint(6, 41));

    // The two links have pointers of their own, drawn from the icons.
    QCOMPARE(label(w, "Label3")->cursor().shape(), Qt::BitmapCursor);
    QCOMPARE(label(w, "Label1_2")->cursor().shape(), Qt::BitmapCursor);
    QCOMPARE(label(w, "Label3")->cursor().pixmap().size(), QSize(32, 32));
    QCOMPARE(label(w, "Label1_0")->cursor().shape(), Qt::ArrowCursor);
}

void TestAbout::versionAndMail_data()
{
    QTest::addColumn<QList<int>>("version");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("subject");
    // clang-format off
    QTest::addRow("this release") << QList<int>{3, 0, 0} << "Version... 3.0.0" << "Horlune V3.0.0";
    QTest::addRow("2.1.0") << QList<int>{2, 1, 0} << "Version... 2.1.0" << "Horlune V2.1.0";
    QTest::addRow("1.0.12") << QList<int>{1, 0, 12} << "Version... 1.0.12" << "Horlune V1.0.12";
    // clang-format on
}

void TestAbout::versionAndMail()
{
    QFETCH(QList<int>, version);
    QFETCH(QString, line);
    QFETCH(QString, subject);
    QCOMPARE(about::versionLine(version[0], version[1], version[2]), line);
    const QUrl mail = about::mailToAuthor(version[0], version[1], version[2]);
    QCOMPARE(mail.scheme(), QStringLiteral("mailto"));
    QCOMPARE(mail.path(), QStringLiteral("auteur@horlune.example.org"));
    QCOMPARE(QUrlQuery(mail).queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded), subject);
    QCOMPARE(mail.toString(), QStringLiteral("mailto:auteur@horlune.example.org?subject=") + subject);
}

void TestAbout::clicks_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<QString>("opens");
    const QString web = QStringLiteral("https://horlune.example.org/");
    QTest::addRow("bare window") << "window" << true << "";
    QTest::addRow("picture") << "Image1" << true << "";
    QTest::addRow("paragraph") << "Label1_0" << true << "";
    QTest::addRow("notice") << "Label1_1" << false << web;
    QTest::addRow("web link") << "Label1_2" << false << web;
    QTest::addRow("contact") << "Label3" << false << "mailto:auteur@horlune.example.org?subject=Horlune V3.0.0";
    QTest::addRow("version line") << "Label2" << false << "";
}

void TestAbout::clicks()
{
    QFETCH(QString, target);
    QFETCH(bool, closes);
    QFETCH(QString, opens);
    AboutFixture f;
    QWidget* widget = target == QLatin1String("window") ? f.window.data() : f.window->findChild<QWidget*>(target);
    QVERIFY(widget);
    const QPoint point = target == QLatin1String("window") ? QPoint(3, 570) : QPoint(3, 3);
    QTest::mouseClick(widget, Qt::LeftButton, {}, point);
    if (closes) {
        QTRY_VERIFY(!f.window);
        QCOMPARE(f.closings, 1);
    } else {
        QVERIFY(f.window->isVisible());
        QCOMPARE(f.closings, 0);
    }
    QCOMPARE(f.desktop.openedUrls.size(), opens.isEmpty() ? 0 : 1);
    if (!opens.isEmpty())
        QCOMPARE(f.desktop.openedUrls[0].toString(), opens);
}

void TestAbout::keys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("held"); // a press the keyboard repeats
    QTest::addColumn<bool>("closes");
    // clang-format off
    QTest::addRow("Escape") << int(Qt::Key_Escape) << false << true;
    QTest::addRow("Enter") << int(Qt::Key_Return) << false << true;
    QTest::addRow("Space") << int(Qt::Key_Space) << false << true;
    QTest::addRow("a letter") << int(Qt::Key_A) << false << false;
    QTest::addRow("Enter held down since it opened the window") << int(Qt::Key_Return) << true << false;
    // clang-format on
}

void TestAbout::keys()
{
    QFETCH(int, key);
    QFETCH(bool, held);
    QFETCH(bool, closes);
    AboutFixture f;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(), held);
    QApplication::sendEvent(f.window, &press);
    if (closes) {
        QTRY_VERIFY(!f.window);
        QCOMPARE(f.closings, 1);
    } else {
        QVERIFY(f.window->isVisible());
        QCOMPARE(f.closings, 0);
    }
    QVERIFY(f.desktop.openedUrls.isEmpty());
}

void TestAbout::linkColours()
{
    AboutFixture f;
    HorluneAbout& w = *f.window;
    Label* web = label(w, "Label1_2");
    Label* contact = label(w, "Label3");
    QCOMPARE(web->textColor(), look::kRed);
    QCOMPARE(contact->textColor(), kBlue);

    moveOver(contact);
    QCOMPARE(contact->textColor(), look::kRed);
    moveOver(w.findChild<Picture*>("Image1")); // the picture, the version line and the bare window change nothing
    moveOver(label(w, "Label2"));
    moveOver(&w);
    QCOMPARE(contact->textColor(), look::kRed);
    QCOMPARE(web->textColor(), look::kRed);

    moveOver(label(w, "Label1_0"));
    QCOMPARE(web->textColor(), kBlue);
    QCOMPARE(contact->textColor(), kBlue);
    moveOver(label(w, "Label1_1"));
    QCOMPARE(web->textColor(), kBlue);
    moveOver(web);
    QCOMPARE(web->textColor(), look::kRed);
    QCOMPARE(contact->textColor(), kBlue);
}

void TestAbout::reopeningStartsAfresh()
{
    {
        AboutFixture f;
        moveOver(label(*f.window, "Label1_0"));
        moveOver(label(*f.window, "Label3"));
        f.window->closeAndReturn();
    }
    AboutFixture f;
    QCOMPARE(label(*f.window, "Label1_2")->textColor(), look::kRed);
    QCOMPARE(label(*f.window, "Label3")->textColor(), kBlue);
}

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
