#include <QFile>
#include <QFontDatabase>
#include <QImage>
#include <QImageReader>
#include <QTest>
#include <QtEndian>

#include <QPainter>
#include <QRegion>

#include "ui/look.h"
#include "ui/windowshape.h"

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
    void theWindowsOutlineIsTheBackgroundsWhite_data();
    void theWindowsOutlineIsTheBackgroundsWhite();
    void bothScalesGiveOneShape();
    void aFramedPictureDrawsWhole_data();
    void aFramedPictureDrawsWhole();
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

namespace {

QImage shipped(const QString& name)
{
    // Pixel for pixel: Qt would give a picture named "@2x" a ratio of 2.
    QImage picture = QImage(QStringLiteral(":/pictures/") + name).convertToFormat(QImage::Format_RGB32);
    picture.setDevicePixelRatio(1);
    return picture;
}

int brightest(const QImage& picture, const QRect& area)
{
    int most = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb pixel = picture.pixel(x, y);
            most = std::max({most, qRed(pixel), qGreen(pixel), qBlue(pixel)});
        }
    }
    return most;
}

} // namespace

void TestResources::theWindowsOutlineIsTheBackgroundsWhite_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("ratio");
    QTest::addRow("scale 1") << "background.bmp" << 1;
    QTest::addRow("scale 2") << "background@2x.bmp" << 2;
}

void TestResources::theWindowsOutlineIsTheBackgroundsWhite()
{
    QFETCH(QString, name);
    QFETCH(int, ratio);
    const QImage picture = shipped(name);
    QCOMPARE(picture.size(), QSize(981, 529) * ratio);
    const QImage outside = shape::outsideOf(picture);
    // Outside: white, in the four corners alone (each a square of 16 logical pixels), as much in each.
    const int corner = 16 * ratio;
    const QList<QRect> corners{QRect(0, 0, corner, corner), QRect(picture.width() - corner, 0, corner, corner),
                               QRect(0, picture.height() - corner, corner, corner),
                               QRect(picture.width() - corner, picture.height() - corner, corner, corner)};
    QList<int> counts(4, 0);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (!outside.pixelIndex(x, y))
                continue;
            QCOMPARE(picture.pixel(x, y), qRgb(255, 255, 255));
            const auto in =
                std::find_if(corners.begin(), corners.end(), [&](const QRect& r) { return r.contains(x, y); });
            QVERIFY2(in != corners.end(), qPrintable(QStringLiteral("outside at %1, %2").arg(x).arg(y)));
            ++counts[in - corners.begin()];
        }
    }
    for (int count : counts) {
        QVERIFY(count >= 10 * ratio * ratio);
        QVERIFY(qAbs(count - counts[0]) <= counts[0] / 10);
    }
    const QList<QPoint> ends{QPoint(0, 0), QPoint(picture.width() - 1, 0), QPoint(0, picture.height() - 1),
                             QPoint(picture.width() - 1, picture.height() - 1)};
    for (const QPoint& end : ends)
        QVERIFY(outside.pixelIndex(end));
    // The window's own edge, half way along each side: no pixel of the corners may be lighter than it (but by the
    // little white left in the pixels all but covered).
    const int edge = std::max({brightest(picture, QRect(picture.width() / 2, 0, 1, 1)),
                               brightest(picture, QRect(0, picture.height() / 2, 1, 1)),
                               brightest(picture, QRect(picture.width() / 2, picture.height() - 1, 1, 1)),
                               brightest(picture, QRect(picture.width() - 1, picture.height() / 2, 1, 1))});

    // Where the desktop composes windows: over white, the picture it came from; every pixel that touches no
    // outside is the picture's own, opaque; over black, no light fringe is left in the corners.
    const QImage cut = shape::cutOut(picture, ratio);
    QImage overWhite(picture.size(), QImage::Format_RGB32), overBlack(picture.size(), QImage::Format_RGB32);
    overWhite.fill(Qt::white);
    overBlack.fill(Qt::black);
    QPainter(&overWhite).drawImage(0, 0, cut);
    QPainter(&overBlack).drawImage(0, 0, cut);
    int changed = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb own = picture.pixel(x, y), back = overWhite.pixel(x, y);
            QVERIFY2(qAbs(qRed(own) - qRed(back)) <= 2 && qAbs(qGreen(own) - qGreen(back)) <= 2 &&
                         qAbs(qBlue(own) - qBlue(back)) <= 2,
                     qPrintable(QStringLiteral("%1, %2: %3 for %4 (%5)")
                                    .arg(x)
                                    .arg(y)
                                    .arg(back, 0, 16)
                                    .arg(own, 0, 16)
                                    .arg(cut.pixel(x, y), 0, 16)));
            if (cut.pixel(x, y) != (own | 0xff000000u))
                ++changed;
        }
    }
    // Only the outside and the pixels along the outline changed.
    QVERIFY(changed <= 4 * (counts[0] + 8 * corner));
    for (const QPoint& end : ends)
        QCOMPARE(qAlpha(cut.pixel(end)), 0);
    for (const QRect& square : corners)
        QVERIFY2(
            brightest(overBlack, square) <= edge + 8,
            qPrintable(QStringLiteral("%1 over black, %2 at the edge").arg(brightest(overBlack, square)).arg(edge)));

    // Where it composes nothing: the shape leaves out every logical pixel that holds an outside pixel, and what
    // it keeps in the corners is no lighter than the picture inside them.
    const shape::Shaped shaped = shape::shaped(picture, ratio);
    QCOMPARE(shaped.region.boundingRect(), QRect(0, 0, 981, 529));
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const bool kept = shaped.region.contains(QPoint(x / ratio, y / ratio));
            if (outside.pixelIndex(x, y))
                QVERIFY2(!kept, qPrintable(QStringLiteral("%1, %2").arg(x).arg(y)));
        }
    }
    for (const QRect& square : corners) {
        int lightest = 0;
        for (int y = square.top(); y <= square.bottom(); ++y) {
            for (int x = square.left(); x <= square.right(); ++x) {
                if (shaped.region.contains(QPoint(x / ratio, y / ratio)))
                    lightest = std::max(lightest, qRed(shaped.picture.pixel(x, y)));
            }
        }
        QVERIFY2(lightest <= edge + 8, qPrintable(QStringLiteral("%1, %2 at the edge").arg(lightest).arg(edge)));
    }
    // Away from the corners, the picture is kept whole.
    const QRect middle(corner, corner, picture.width() - 2 * corner, picture.height() - 2 * corner);
    QCOMPARE(shaped.picture.copy(middle), picture.copy(middle));
    QVERIFY(shaped.region.contains(QRect(0, 16, 981, 529 - 32)));
    QVERIFY(shaped.region.contains(QRect(16, 0, 981 - 32, 529)));
}

void TestResources::bothScalesGiveOneShape()
{
    // The double-size picture's outline, in logical pixels, is the single one's within a pixel's ring.
    const QRegion single = shape::shaped(shipped(QStringLiteral("background.bmp")), 1).region;
    const QRegion twice = shape::shaped(shipped(QStringLiteral("background@2x.bmp")), 2).region;
    const QRegion differ = single.xored(twice);
    int pixels = 0;
    for (const QRect& rect : differ)
        pixels += rect.width() * rect.height();
    QVERIFY2(pixels <= 4 * 8, qPrintable(QString::number(pixels)));
    QVERIFY(!single.contains(QPoint(0, 0)) && !twice.contains(QPoint(980, 528)));
}

void TestResources::aFramedPictureDrawsWhole_data()
{
    QTest::addColumn<QString>("name"); // a shipped picture, or "gradient": one of no single colour inside
    QTest::addColumn<int>("ratio");
    QTest::addColumn<bool>("hasInside");
    QTest::addRow("background") << "background.bmp" << 1 << true;
    QTest::addRow("background at scale 2") << "background@2x.bmp" << 2 << true;
    QTest::addRow("a day face, no inside of one colour") << "jour.gif" << 1 << false;
    QTest::addRow("a gradient") << "gradient" << 1 << false;
}

void TestResources::aFramedPictureDrawsWhole()
{
    // Its colour and its strips give back every pixel of the picture, and hold far less of it.
    QFETCH(QString, name);
    QFETCH(int, ratio);
    QFETCH(bool, hasInside);
    QImage picture;
    if (name == QLatin1String("gradient")) {
        picture = QImage(40, 30, QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x)
                picture.setPixel(x, y, qRgb(x * 6, y * 8, 100));
        }
    } else {
        picture = shipped(name).convertToFormat(QImage::Format_RGB32);
    }
    const shape::Framed frame = shape::framed(picture, ratio);
    QCOMPARE(!frame.inside.isEmpty(), hasInside);
    QImage drawn(picture.size(), QImage::Format_RGB32);
    drawn.fill(Qt::magenta);
    QPainter painter(&drawn);
    painter.fillRect(frame.inside, QColor::fromRgb(frame.colour));
    qsizetype kept = 0;
    for (const shape::Patch& strip : frame.strips) {
        painter.drawImage(strip.at, strip.picture);
        kept += qsizetype(strip.picture.width()) * strip.picture.height();
    }
    painter.end();
    QCOMPARE(drawn, picture);
    QCOMPARE(frame.inside.x() % ratio, 0);
    if (hasInside)
        QVERIFY(kept < qsizetype(picture.width()) * picture.height() / 10);
}

QTEST_MAIN(TestResources)
#include "tst_resources.moc"
