#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTest>

#include "app/mainwindow.h"
#include "clock/clockgrid.h"
#include "support/fakeplatform.h"
#include "support/testenv.h"
#include "ui/controls.h"
#include "ui/look.h"
#include "ui/windowshape.h"

// Runs at a scale of 2 (QT_SCALE_FACTOR=2 in this test's environment): every picture comes from its
// double-size file and lands on the screen pixel for pixel, at the logical size of the single one.
class TestHighDpi : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void pictures_data();
    void pictures();
    void backgroundIsDrawnPixelForPixel_data();
    void backgroundIsDrawnPixelForPixel();
    void faceIsDrawnPixelForPixel();
};

static QImage premultiplied(const QImage& image)
{
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

static QImage doubleSizeFile(const QString& name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    return QImage(QStringLiteral(":/pictures/") + name.left(dot) + QStringLiteral("@2x") + name.mid(dot));
}

void TestHighDpi::initTestCase()
{
    QCOMPARE(qApp->devicePixelRatio(), 2.0);
}

void TestHighDpi::pictures_data()
{
    QTest::addColumn<QString>("name");
    for (const char* name : {"background.bmp", "horlune.ico", "jour.gif", "nuit.gif", "btnoff.gif", "btnon.gif",
                             "about.jpg", "hand.ico", "globe.ico"})
        QTest::addRow("%s", name) << QString::fromLatin1(name);
}

void TestHighDpi::pictures()
{
    QFETCH(QString, name);
    const QPixmap picture = look::picture(name);
    const QImage single(QStringLiteral(":/pictures/") + name);
    const QImage large = doubleSizeFile(name);
    QVERIFY(!large.isNull());
    QCOMPARE(picture.devicePixelRatio(), 2.0);
    QCOMPARE(picture.size(), large.size());
    QCOMPARE(picture.deviceIndependentSize(), QSizeF(single.size()));
    QCOMPARE(premultiplied(picture.toImage()), premultiplied(large));
}

void TestHighDpi::backgroundIsDrawnPixelForPixel_data()
{
    // Corners of the window where no control stands, in logical pixels.
    QTest::addColumn<QRect>("area");
    QTest::addRow("top left") << QRect(0, 0, 14, 12);
    QTest::addRow("bottom right") << QRect(965, 515, 16, 14);
}

void TestHighDpi::backgroundIsDrawnPixelForPixel()
{
    QFETCH(QRect, area);
    TestEnvironment env;
    FakePlatform platform;
    Main window(platform.services(), env.programDirectory(), env.programDirectory(), env.settingsFile());
    QCOMPARE(window.grab().size(), QSize(1962, 1058));
    const QImage shown = window.grab(area).toImage();
    // The double-size file as the window's shape shows it (no compositor here): its own pixels, but those along
    // the rounded outline, which lose the white they blend in (tst_resources checks that they alone change).
    QImage background = doubleSizeFile(QStringLiteral("background.bmp"));
    background.setDevicePixelRatio(1);
    QImage shaped = shape::shaped(background.convertToFormat(QImage::Format_RGB32), 2).picture;
    shaped.setDevicePixelRatio(2);
    const QRect pixels(area.topLeft() * 2, area.size() * 2);
    QCOMPARE(premultiplied(shown), premultiplied(shaped.copy(pixels)));
}

void TestHighDpi::faceIsDrawnPixelForPixel()
{
    // Paris at noon: a day face whose two hands point up, so its lower half is the picture alone.
    TestEnvironment env;
    env.writeCityFile("Paris,1,1\r\n");
    FakePlatform platform;
    platform.clock.set(QDateTime(QDate(2024, 12, 9), QTime(12, 0), Qt::UTC), 3600);
    Main window(platform.services(), env.programDirectory(), env.programDirectory(), env.settingsFile());
    window.start();
    const auto* grid = window.findChild<ClockGrid*>(QStringLiteral("ClockGrid"));
    QVERIFY(grid);
    QCOMPARE(grid->board().picture().rows[1].look.face, Face::Day);
    const QRect face = grid->faceRect(1);

    // The face's corners let the background through.
    const QRect pixels(face.topLeft() * 2, face.size() * 2);
    QImage expected = premultiplied(doubleSizeFile(QStringLiteral("background.bmp")).copy(pixels));
    QPainter(&expected).drawImage(0, 0, doubleSizeFile(QStringLiteral("jour.gif")));
    const QImage shown = premultiplied(window.grab(face).toImage());
    const QRect lowerHalf(0, pixels.height() / 2 + 8, pixels.width(), pixels.height() / 2 - 8);
    QCOMPARE(shown.copy(lowerHalf), expected.copy(lowerHalf));
}

QTEST_MAIN(TestHighDpi)
#include "tst_hidpi.moc"
