// Writes Horlune's bitmap resources into the folder given on the command line.
// Every picture except the PNG application icons is written at 1x and, drawn
// again at double size, at 2x ("name@2x.ext"). The output is deterministic.
#include "encoders.h"
#include "palette.h"
#include "pictures.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <vector>

using namespace gen;

namespace {

constexpr QRgb kSilver = 0xFFC0C0C0;  // the panel behind the faces and buttons
constexpr QRgb kMidGrey = 0xFF808080; // neutral matte for icons and pointers

bool report(const QString& path, bool ok)
{
    const QFileInfo info(path);
    std::printf("%-8s %-22s %8lld bytes\n", ok ? "wrote" : "FAILED", qPrintable(info.fileName()),
                ok ? static_cast<long long>(info.size()) : 0LL);
    return ok;
}

// GIF: up to 255 colours from the picture, plus one transparent entry that
// carries the matte colour for viewers that ignore transparency.
bool saveGif(const QString& path, const QImage& drawing, QRgb matte)
{
    const Flattened flat = flattenOver(drawing, matte);
    std::vector<QRgb> palette = medianCut(flat, 255);
    const int transparentIndex = int(palette.size());
    std::vector<std::uint8_t> indices = mapToPalette(flat, palette, 0, transparentIndex);
    palette.push_back(matte);
    return report(path, writeGif(path, flat.width, flat.height, palette, indices, transparentIndex));
}

// 8-bit ICO: entry 0 is black, used under the AND mask; 255 picture colours.
bool saveIco8(const QString& path, const QImage& drawing, QRgb matte)
{
    const Flattened flat = flattenOver(drawing, matte);
    std::vector<QRgb> palette{qRgb(0, 0, 0)};
    const std::vector<QRgb> colours = medianCut(flat, 255);
    palette.insert(palette.end(), colours.begin(), colours.end());
    const std::vector<std::uint8_t> indices = mapToPalette(flat, palette, 1, 0);
    return report(path, writeIco(path, flat.width, flat.height, 8, palette, indices, flat.clear));
}

// 4-bit ICO with a fixed palette chosen for the gloved hand: black (also under
// the mask), whites and greys for the glove, blues for the sleeve.
bool saveHandIco(const QString& path, const QImage& drawing, QRgb matte)
{
    static const std::vector<QRgb> palette{
        qRgb(0x00, 0x00, 0x00), qRgb(0xFF, 0xFF, 0xFF), qRgb(0xEC, 0xEC, 0xF2), qRgb(0xD6, 0xD6, 0xE0),
        qRgb(0xB4, 0xB4, 0xC0), qRgb(0x80, 0x80, 0x80), qRgb(0x5C, 0x5C, 0x68), qRgb(0x2C, 0x2C, 0x38),
        qRgb(0x0C, 0x1F, 0x55), qRgb(0x1B, 0x3C, 0x8F), qRgb(0x26, 0x50, 0xB0), qRgb(0x34, 0x66, 0xCC),
        qRgb(0x6A, 0x92, 0xE2), qRgb(0x9E, 0xA8, 0xC8), qRgb(0x46, 0x50, 0x78), qRgb(0x96, 0x96, 0xA2),
    };
    const Flattened flat = flattenOver(drawing, matte);
    const std::vector<std::uint8_t> indices = mapToPalette(flat, palette, 0, 0);
    return report(path, writeIco(path, flat.width, flat.height, 4, palette, indices, flat.clear));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv); // lets QImageWriter find its plugins
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT-FOLDER\n", argv[0]);
        return 2;
    }
    QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }

    bool ok = true;
    for (int scale : {1, 2}) {
        const QString suffix = scale == 2 ? QStringLiteral("@2x") : QString();
        auto file = [&](const char* stem, const char* ext) {
            return out.filePath(QString::fromLatin1(stem) + suffix + QLatin1Char('.') + QString::fromLatin1(ext));
        };
        const QString background = file("background", "bmp");
        ok &= report(background, writeBmp24(background, drawBackground(scale)));
        ok &= saveGif(file("jour", "gif"), drawFace(true, scale), kSilver);
        ok &= saveGif(file("nuit", "gif"), drawFace(false, scale), kSilver);
        ok &= saveGif(file("btnoff", "gif"), drawButton(false, scale), kSilver);
        ok &= saveGif(file("btnon", "gif"), drawButton(true, scale), kSilver);
        const QString about = file("about", "jpg");
        ok &= report(about, writeJpeg(about, drawWorldMap(scale), 90));
        ok &= saveIco8(file("horlune", "ico"), drawMantelClock(32 * scale), kMidGrey);
        ok &= saveHandIco(file("hand", "ico"), drawPointingHand(32 * scale), kMidGrey);
        ok &= saveIco8(file("globe", "ico"), drawGlobe(32 * scale), kMidGrey);
    }
    // The menu's icon at the sizes desktops ask for, and scalable.
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256, 512}) {
        const QString path = out.filePath(QStringLiteral("horlune-%1.png").arg(size));
        ok &= report(path, writePng(path, drawMantelClock(size)));
    }
    const QString scalable = out.filePath(QStringLiteral("horlune.svg"));
    ok &= report(scalable, writeMantelClockSvg(scalable));
    return ok ? 0 : 1;
}
