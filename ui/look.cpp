#include "look.h"

#include <QApplication>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QResource>
#include <QStyle>
#include <QStyleFactory>
#include <QWidget>
#include <QtEndian>

#include "rows/geometry.h"

namespace {

// Registers a bundled font from the program's own bytes: neither the font database nor FreeType copies
// them then.
void addFont(const QString& path)
{
    const QResource resource(path);
    QFontDatabase::addApplicationFontFromData(
        QByteArray::fromRawData(reinterpret_cast<const char*>(resource.data()), resource.size()));
}

QString sansFamily()
{
    static const QString family = [] {
        look::loadFonts();
        return QStringLiteral("Liberation Sans");
    }();
    return family;
}

// Only the About window writes in it: registered when it first opens.
QString comicFamily()
{
    static const QString family = [] {
        addFont(QStringLiteral(":/fonts/ComicNeue-Regular.otf"));
        return QStringLiteral("Comic Neue");
    }();
    return family;
}

QFont makeFont(const QString& family, int pixelSize, bool bold, bool underline)
{
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setUnderline(underline);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

// A 24-bit bitmap without compression, as the window's background is, read straight from its bytes: Qt's
// reader takes about four times as long, and the background is the largest picture read at start-up. Any
// other bitmap (or a damaged one) gives a null image, and Qt's reader then does what it can.
QImage plainBitmap(const QByteArray& bytes)
{
    const auto read32 = [&bytes](qsizetype at) { return qFromLittleEndian<qint32>(bytes.constData() + at); };
    if (bytes.size() < 54 || !bytes.startsWith("BM") || qFromLittleEndian<quint16>(bytes.constData() + 28) != 24 ||
        read32(30) != 0)
        return {};
    const qint64 offset = read32(10), width = read32(18), rows = read32(22);
    const qint64 stride = (width * 3 + 3) / 4 * 4;
    if (width <= 0 || width > 16384 || rows == 0 || qAbs(rows) > 16384 || offset < 54 ||
        offset + stride * qAbs(rows) > bytes.size())
        return {};
    const int height = int(qAbs(rows));
    QImage image(int(width), height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        // Rows are stored from the bottom up unless the height is negative.
        const auto* source =
            reinterpret_cast<const uchar*>(bytes.constData()) + offset + stride * (rows > 0 ? height - 1 - y : y);
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (qint64 x = 0; x < width; ++x, source += 3)
            line[x] = 0xff000000u | uint(source[2]) << 16 | uint(source[1]) << 8 | source[0];
    }
    return image;
}

QPixmap readPicture(const QString& path)
{
    if (path.endsWith(QLatin1String(".bmp"))) {
        if (QImage image = plainBitmap(QResource(path).uncompressedData()); !image.isNull())
            return QPixmap::fromImage(std::move(image));
    }
    return QPixmap(path);
}

// On a screen denser than one device pixel per logical pixel, the double-size picture: its device pixel
// ratio of 2 keeps its logical size, so the layout does not move, and Qt draws it pixel for pixel at a
// scale of 2 (scaled down, still sharp, between 1 and 2). The choice is made once, for the application's
// highest ratio: Horlune has one fixed window, and on a desktop mixing screens a double-size picture
// scaled down reads better than a single one scaled up.
QPixmap loadPicture(const QString& name)
{
    const QString path = QStringLiteral(":/pictures/") + name;
    if (qGuiApp->devicePixelRatio() > 1.0) {
        const qsizetype dot = name.lastIndexOf(u'.');
        QPixmap large =
            readPicture(QStringLiteral(":/pictures/") + name.left(dot) + QStringLiteral("@2x") + name.mid(dot));
        if (!large.isNull()) {
            large.setDevicePixelRatio(2.0);
            return large;
        }
    }
    return readPicture(path);
}

} // namespace

namespace look {

void loadFonts()
{
    static const bool loaded = [] {
        addFont(QStringLiteral(":/fonts/LiberationSans-Regular.ttf"));
        addFont(QStringLiteral(":/fonts/LiberationSans-Bold.ttf"));
        return true;
    }();
    Q_UNUSED(loaded);
}

namespace {

// A platform theme also gives palettes and fonts of its own to classes of widgets (the boxes, the labels,
// the menus): each is set back to the design's, or a dark theme would still darken the panel's boxes.
const char* const kThemedClasses[] = {"QAbstractButton",
                                      "QToolButton",
                                      "QCheckBox",
                                      "QRadioButton",
                                      "QHeaderView",
                                      "QAbstractItemView",
                                      "QMessageBoxLabel",
                                      "QTabBar",
                                      "QLabel",
                                      "QGroupBox",
                                      "QMenu",
                                      "QMenuBar",
                                      "QTextEdit",
                                      "QTextControl",
                                      "QLineEdit",
                                      "QPushButton",
                                      "QComboBox",
                                      "QComboLineEdit",
                                      "QMessageBox",
                                      "QTipLabel",
                                      "QListView",
                                      "QMenuItem",
                                      "QAbstractSpinBox",
                                      "QToolTip"};

// The selection's blue behind white text: the design's, and in high contrast one dark enough for 4.5 to 1
// (the design's reads at 3.7).
QColor selectionColour(Contrast contrast)
{
    return contrast == Contrast::High ? QColor(0x00, 0x5a, 0x9e) : QColor(0x30, 0x8c, 0xc6);
}

} // namespace

void applyDesignLook()
{
    loadFonts();

    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // Made from the light grey of the design's buttons, not asked of the style, which would hand back the
    // theme's: black text on white boxes, light grey around.
    QPalette palette(QColor(0xef, 0xef, 0xef));
    palette.setColor(QPalette::ToolTipBase, QColor(0xff, 0xff, 0xdc));
    palette.setColor(QPalette::ToolTipText, Qt::black);
    palette.setColor(QPalette::Highlight, selectionColour(contrast()));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    QApplication::setPalette(palette);
    for (const char* name : kThemedClasses)
        QApplication::setPalette(palette, name);
    const QFont font = defaultFont();
    QApplication::setFont(font);
    for (const char* name : kThemedClasses)
        QApplication::setFont(font, name);
}

QFont sans(int pixelSize, bool bold, bool underline)
{
    return makeFont(sansFamily(), pixelSize, bold, underline);
}

QFont defaultFont()
{
    return sans(11);
}

QFont comic(int pixelSize)
{
    return makeFont(comicFamily(), pixelSize, false, false);
}

QPixmap pictureOnce(const QString& name)
{
    return loadPicture(name);
}

QPixmap picture(const QString& name)
{
    static QHash<QString, QPixmap> cache;
    auto it = cache.find(name);
    if (it == cache.end())
        it = cache.insert(name, loadPicture(name));
    return *it;
}

namespace {

// Tells whatever follows the look that it changed.
class ContrastNotice : public QObject
{
    Q_OBJECT
public:
    static ContrastNotice& instance()
    {
        static ContrastNotice notice;
        return notice;
    }
    Contrast contrast = Contrast::Design;
signals:
    void changed();
};

// A picture drawn for the look at the application's density, as the shipped pictures are chosen.
QPixmap drawnPicture(const QSize& size, const std::function<void(QPainter&)>& draw)
{
    const int ratio = qGuiApp->devicePixelRatio() > 1.0 ? 2 : 1;
    QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setDevicePixelRatio(ratio);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    painter.end();
    return QPixmap::fromImage(image);
}

} // namespace

Contrast contrast()
{
    return ContrastNotice::instance().contrast;
}

void setContrast(Contrast contrast)
{
    ContrastNotice& notice = ContrastNotice::instance();
    if (notice.contrast == contrast)
        return;
    // The selection's colour, in the application's palette and in every control that holds one of its own.
    const QColor before = selectionColour(notice.contrast), after = selectionColour(contrast);
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Highlight, after);
    QApplication::setPalette(palette);
    for (const char* name : kThemedClasses)
        QApplication::setPalette(palette, name);
    for (QWidget* widget : QApplication::allWidgets()) {
        if (widget->testAttribute(Qt::WA_SetPalette) && widget->palette().color(QPalette::Highlight) == before) {
            QPalette own = widget->palette();
            own.setColor(QPalette::Highlight, after);
            widget->setPalette(own);
        }
    }
    notice.contrast = contrast;
    emit notice.changed();
}

void followContrast(QObject* context, std::function<void()> apply)
{
    apply();
    QObject::connect(&ContrastNotice::instance(), &ContrastNotice::changed, context, std::move(apply));
}

QPixmap facePicture(Face face)
{
    if (!highContrast())
        return picture(face == Face::Day ? QStringLiteral("jour.gif") : QStringLiteral("nuit.gif"));
    static const QPixmap day = drawnPicture(QSize(48, 48), [](QPainter& painter) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        painter.drawEllipse(QRectF(0, 0, 48, 48));
    });
    // The grey ring lies beyond the hands' reach (22 pixels from the centre with the round end).
    static const QPixmap night = drawnPicture(QSize(48, 48), [](QPainter& painter) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0xA0, 0xA0, 0xA0));
        painter.drawEllipse(QRectF(0, 0, 48, 48));
        painter.setBrush(Qt::black);
        painter.drawEllipse(QRectF(1.5, 1.5, 45, 45));
    });
    return face == Face::Day ? day : night;
}

QPixmap buttonPicture(bool lit)
{
    const QPixmap shipped = picture(lit ? QStringLiteral("btnon.gif") : QStringLiteral("btnoff.gif"));
    if (!highContrast() || !lit)
        return shipped;
    // The pressed pill, its greys turned to yellows of the same light.
    static const QPixmap yellow = [shipped] {
        QImage image = shipped.toImage().convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const int light = qGray(line[x]);
                const int warm = std::min(255, light * 5 / 4 + 16);
                line[x] = qRgba(warm, warm, light / 8, qAlpha(line[x]));
            }
        }
        QPixmap pixmap = QPixmap::fromImage(image);
        pixmap.setDevicePixelRatio(shipped.devicePixelRatio());
        return pixmap;
    }();
    return yellow;
}

QColor litCaption()
{
    return highContrast() ? kBlack : kRed;
}

QColor noteColour()
{
    return highContrast() ? QColor(0x80, 0xC0, 0xFF) : kDarkBlue;
}

QColor winterColour()
{
    return highContrast() ? QColor(0xC0, 0x00, 0x00) : kRed;
}

QRect twipsRect(int left, int top, int width, int height)
{
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

} // namespace look

#include "look.moc"
