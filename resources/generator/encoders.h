// File writers. GIF, ICO and BMP are encoded here byte by byte so that their
// layout is exactly as Horlune expects; JPEG and PNG go through Qt.
#pragma once

#include <QImage>
#include <QString>

#include <cstdint>
#include <vector>

namespace gen {

// GIF89a with one global colour table (padded to a power of two, at most 256
// entries), a Graphic Control Extension marking transparentIndex as
// transparent, and one LZW-compressed, non-interlaced image.
bool writeGif(const QString& path, int width, int height, const std::vector<QRgb>& palette,
              const std::vector<std::uint8_t>& indices, int transparentIndex);

// ICO holding one image of 4 or 8 bits per pixel (16 or 256 palette entries,
// BITMAPINFOHEADER with doubled height), followed by a 1-bit AND mask in which
// set bits are transparent. Transparent pixels should use a black palette entry.
bool writeIco(const QString& path, int width, int height, int bitsPerPixel, const std::vector<QRgb>& palette,
              const std::vector<std::uint8_t>& indices, const std::vector<std::uint8_t>& transparent);

// Uncompressed 24-bit BMP (BITMAPFILEHEADER + BITMAPINFOHEADER, BI_RGB,
// bottom-up rows padded to four bytes).
bool writeBmp24(const QString& path, const QImage& image);

// Baseline JPEG through Qt's writer (no progressive scan, no optimised tables).
bool writeJpeg(const QString& path, const QImage& image, int quality);

bool writePng(const QString& path, const QImage& image);

} // namespace gen
