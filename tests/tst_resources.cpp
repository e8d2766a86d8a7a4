#include <QFile>
#include <QFontDatabase>
#include <QImage>
#include <QImageReader>
#include <QTest>
#include <QtEndian>

#include "ui/look.h"

// The pictures are part of the program's look: their sizes and formats are fixed, and the faces and
// buttons must let the background show through their corners.
class TestResources : public QObject
{
    Q_OBJECT

private slots:
    void pictures_data();
    void pictures();
    void cornersAreTransparent_data();
    void cornersAreTransparent();
    void bitmapIs24Bit();
    void iconsHaveTheirDepths_data();
    void iconsHaveTheirDepths();
    void aboutPictureIsBaselineJpeg();
    void fontsAreBundled();
};

void TestResources::pictures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<QSize>("size");
    QTest::addRow("background") << "background.bmp" << QByteArray("bmp") << QSize(981, 529);
    QTest::addRow("icon") << "horlune.ico" << QByteArray("ico") << QSize(32, 32);
    QTest::addRow("day face") << "jour.gif" << QByteArray("gif") << QSize(48, 48);
    QTest::addRow("night face") << "nuit.gif" << QByteArray("gif") << QSize(48, 48);
    QTest::addRow("idle button") << "btnoff.gif" << QByteArray("gif") << QSize(104, 24);
    QTest::addRow("pressed button") << "btnon.gif" << QByteArray("gif") << QSize(104, 24);
    QTest::addRow("about picture") << "about.jpg" << QByteArray("jpeg") << QSize(387, 300);
    QTest::addRow("hand pointer") << "hand.ico" << QByteArray("ico") << QSize(32, 32);
    QTest::addRow("globe pointer") << "globe.ico" << QByteArray("ico") << QSize(32, 32);
}

void TestResources::pictures()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, format);
    QFETCH(QSize, size);
    QImageReader reader(QStringLiteral(":/pictures/") + name);
    QCOMPARE(reader.format(), format);
    const QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(image.size(), size);

    const int dot = name.lastIndexOf(u'.');
    QImageReader twice(QStringLiteral(":/pictures/") + name.left(dot) + QStringLiteral("@2x") + name.mid(dot));
    const QImage large = twice.read();
    QVERIFY2(!large.isNull(), "the double-size picture is missing");
    QCOMPARE(large.size(), size * 2);
}

void TestResources::cornersAreTransparent_data()
{
    QTest::addColumn<QString>("name");
    for (const char* name : {"jour.gif", "nuit.gif", "btnoff.gif", "btnon.gif", "horlune.ico", "globe.ico"})
        QTest::addRow("%s", name) << QString::fromLatin1(name);
}

void TestResources::cornersAreTransparent()
{
    QFETCH(QString, name);
    const QImage image = QImage(QStringLiteral(":/pictures/") + name).convertToFormat(QImage::Format_ARGB32);
    const int right = image.width() - 1, bottom = image.height() - 1;
    for (const QPoint corner : {QPoint(0, 0), QPoint(right, 0), QPoint(0, bottom), QPoint(right, bottom)})
        QCOMPARE(qAlpha(image.pixel(corner)), 0);
    QCOMPARE(qAlpha(image.pixel(image.width() / 2, image.height() / 2)), 255);
}

void TestResources::bitmapIs24Bit()
{
    QFile file(QStringLiteral(":/pictures/background.bmp"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray header = file.read(54);
    QCOMPARE(header.left(2), QByteArray("BM"));
    QCOMPARE(int(uchar(header[28])), 24); // bits per pixel
    QCOMPARE(int(uchar(header[30])), 0);  // no compression
    const QImage image(QStringLiteral(":/pictures/background.bmp"));
    QCOMPARE(image.pixelColor(490, 264), QColor(0xC0, 0xC0, 0xC0));
    QCOMPARE(image.pixelColor(0, 0), QColor(Qt::white));
    // The program reads it on its own, faster: pixel for pixel what Qt's reader gives.
    QCOMPARE(look::picture(QStringLiteral("background.bmp")).toImage().convertToFormat(QImage::Format_RGB32),
             image.convertToFormat(QImage::Format_RGB32));
}

void TestResources::iconsHaveTheirDepths_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("bits");
    QTest::addRow("window icon, 256 colours") << "horlune.ico" << 8;
    QTest::addRow("hand, 16 colours") << "hand.ico" << 4;
    QTest::addRow("globe, 256 colours") << "globe.ico" << 8;
}

void TestResources::iconsHaveTheirDepths()
{
    QFETCH(QString, name);
    QFETCH(int, bits);
    QFile file(QStringLiteral(":/pictures/") + name);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(bytes.left(4), QByteArray("\0\0\1\0", 4)); // an icon, not a cursor
    const quint32 offset = qFromLittleEndian<quint32>(bytes.constData() + 6 + 12);
    const quint16 bitCount = qFromLittleEndian<quint16>(bytes.constData() + offset + 14);
    QCOMPARE(int(bitCount), bits);
}

void TestResources::aboutPictureIsBaselineJpeg()
{
    QFile file(QStringLiteral(":/pictures/about.jpg"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.contains(QByteArray("\xFF\xC0", 2)));
    QVERIFY(!bytes.contains(QByteArray("\xFF\xC2", 2)));
}

void TestResources::fontsAreBundled()
{
    look::loadFonts();
    QVERIFY(QFontDatabase::families().contains(QStringLiteral("Liberation Sans")));
    // Comic Neue comes with the About window, its only user.
    QCOMPARE(QFontInfo(look::comic(16)).family(), QStringLiteral("Comic Neue"));
    QCOMPARE(QFontInfo(look::sans(16, true)).family(), QStringLiteral("Liberation Sans"));
    QCOMPARE(QFontInfo(look::sans(16, true)).pixelSize(), 16);
}

QTEST_MAIN(TestResources)
#include "tst_resources.moc"
