#include "look.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>

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

} // namespace

namespace look {

void loadFonts()
{
    static const bool loaded = [] {
        for (const char* file : {":/fonts/LiberationSans-Regular.ttf", ":/fonts/LiberationSans-Bold.ttf",
                                 ":/fonts/ComicNeue-Regular.otf"})
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
        it = cache.insert(name, QPixmap(QStringLiteral(":/pictures/") + name));
    return *it;
}

} // namespace look
