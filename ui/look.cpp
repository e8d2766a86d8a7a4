#include "look.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>

#include "rows/geometry.h"

namespace {

QString sansFamily()
{
    static const QString family = [] {
        look::loadFonts();
        return QStringLiteral("Liberation Sans");
    }();
    return family;
}

QString comicFamily()
{
    static const QString family = [] {
        look::loadFonts();
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
        QPixmap large(QStringLiteral(":/pictures/") + name.left(dot) + QStringLiteral("@2x") + name.mid(dot));
        if (!large.isNull()) {
            large.setDevicePixelRatio(2.0);
            return large;
        }
    }
    return QPixmap(path);
}

} // namespace

namespace look {

void loadFonts()
{
    static const bool loaded = [] {
        for (const char* file :
             {":/fonts/LiberationSans-Regular.ttf", ":/fonts/LiberationSans-Bold.ttf", ":/fonts/ComicNeue-Regular.otf"})
            QFontDatabase::addApplicationFont(QString::fromLatin1(file));
        return true;
    }();
    Q_UNUSED(loaded);
}

QFont arial(int pixelSize, bool bold, bool underline)
{
    return makeFont(sansFamily(), pixelSize, bold, underline);
}

QFont defaultFont()
{
    return arial(11);
}

QFont comic(int pixelSize)
{
    return makeFont(comicFamily(), pixelSize, false, false);
}

QPixmap picture(const QString& name)
{
    static QHash<QString, QPixmap> cache;
    auto it = cache.find(name);
    if (it == cache.end())
        it = cache.insert(name, loadPicture(name));
    return *it;
}

QRect twipsRect(int left, int top, int width, int height)
{
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

} // namespace look
