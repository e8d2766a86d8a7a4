#include "encoders.h"

#include <QFile>
#include <QImageWriter>

#include <cstdio>
#include <unordered_map>

namespace gen {

namespace {

void put16(std::vector<std::uint8_t>& out, unsigned v)
{
    out.push_back(std::uint8_t(v & 0xff));
    out.push_back(std::uint8_t((v >> 8) & 0xff));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}

bool saveBytes(const QString& path, const std::vector<std::uint8_t>& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    const auto size = qint64(bytes.size());
    return file.write(reinterpret_cast<const char*>(bytes.data()), size) == size;
}

// Packs variable-length codes least significant bit first, as GIF requires.
class CodeWriter
{
public:
    explicit CodeWriter(std::vector<std::uint8_t>& out) : m_out(out) {}
    void put(unsigned code, int bits)
    {
        m_acc |= std::uint32_t(code) << m_bits;
        m_bits += bits;
        while (m_bits >= 8) {
            m_out.push_back(std::uint8_t(m_acc & 0xff));
            m_acc >>= 8;
            m_bits -= 8;
        }
    }
    void finish()
    {
        if (m_bits > 0)
            m_out.push_back(std::uint8_t(m_acc & 0xff));
        m_acc = 0;
        m_bits = 0;
    }

private:
    std::vector<std::uint8_t>& m_out;
    std::uint32_t m_acc = 0;
    int m_bits = 0;
};

std::vector<std::uint8_t> lzwCompress(const std::vector<std::uint8_t>& indices, int minCodeSize)
{
    const unsigned clearCode = 1u << minCodeSize;
    const unsigned endCode = clearCode + 1;
    std::vector<std::uint8_t> out;
    CodeWriter writer(out);
    std::unordered_map<std::uint32_t, unsigned> table;

    int codeSize = minCodeSize + 1;
    unsigned nextCode = endCode + 1;
    int codesSinceClear = 0;
    auto reset = [&] {
        table.clear();
        codeSize = minCodeSize + 1;
        nextCode = endCode + 1;
        codesSinceClear = 0;
    };

    writer.put(clearCode, codeSize);
    long current = -1;
    for (std::uint8_t pixel : indices) {
        if (current < 0) {
            current = pixel;
            continue;
        }
        const std::uint32_t key = (std::uint32_t(current) << 8) | pixel;
        if (auto it = table.find(key); it != table.end()) {
            current = it->second;
            continue;
        }
        writer.put(unsigned(current), codeSize);
        ++codesSinceClear;
        table.emplace(key, nextCode++);
        // The decoder adds each entry one code later than we do, and widens its
        // codes once the next free code no longer fits; this keeps us in step.
        if (nextCode > (1u << codeSize) && codeSize < 12)
            ++codeSize;
        if (nextCode == 4096) {
            writer.put(clearCode, codeSize);
            reset();
        }
        current = pixel;
    }
    if (current >= 0) {
        writer.put(unsigned(current), codeSize);
        ++codesSinceClear;
        // Reading this last code makes the decoder add one more entry, which may
        // widen the code that carries the end marker.
        if (codesSinceClear >= 2 && nextCode == (1u << codeSize) && codeSize < 12)
            ++codeSize;
    }
    writer.put(endCode, codeSize);
    writer.finish();
    return out;
}

} // namespace

bool writeGif(const QString& path, int width, int height, const std::vector<QRgb>& palette,
              const std::vector<std::uint8_t>& indices, int transparentIndex)
{
    if (palette.empty() || palette.size() > 256 || indices.size() != size_t(width) * size_t(height))
        return false;
    int tableBits = 1;
    while ((1u << tableBits) < palette.size())
        ++tableBits;

    std::vector<std::uint8_t> out;
    for (char c : {'G', 'I', 'F', '8', '9', 'a'})
        out.push_back(std::uint8_t(c));
    // Logical screen descriptor: global table present, 8-bit colour resolution.
    put16(out, unsigned(width));
    put16(out, unsigned(height));
    out.push_back(std::uint8_t(0x80 | (7 << 4) | (tableBits - 1)));
    out.push_back(std::uint8_t(transparentIndex)); // background colour index
    out.push_back(0);                              // pixel aspect ratio: unspecified
    for (unsigned i = 0; i < (1u << tableBits); ++i) {
        const QRgb c = i < palette.size() ? palette[i] : qRgb(0, 0, 0);
        out.push_back(std::uint8_t(qRed(c)));
        out.push_back(std::uint8_t(qGreen(c)));
        out.push_back(std::uint8_t(qBlue(c)));
    }
    // Graphic control extension: no disposal, no delay, transparency on.
    for (std::uint8_t b : {0x21, 0xF9, 0x04, 0x01, 0x00, 0x00})
        out.push_back(b);
    out.push_back(std::uint8_t(transparentIndex));
    out.push_back(0);
    // Image descriptor covering the whole screen, no local table, not interlaced.
    out.push_back(0x2C);
    put16(out, 0);
    put16(out, 0);
    put16(out, unsigned(width));
    put16(out, unsigned(height));
    out.push_back(0);

    const int minCodeSize = std::max(2, tableBits);
    out.push_back(std::uint8_t(minCodeSize));
    const std::vector<std::uint8_t> data = lzwCompress(indices, minCodeSize);
    for (size_t pos = 0; pos < data.size(); pos += 255) {
        const size_t n = std::min<size_t>(255, data.size() - pos);
        out.push_back(std::uint8_t(n));
        out.insert(out.end(), data.begin() + long(pos), data.begin() + long(pos + n));
    }
    out.push_back(0);    // end of image data
    out.push_back(0x3B); // trailer
    return saveBytes(path, out);
}

bool writeIco(const QString& path, int width, int height, int bitsPerPixel, const std::vector<QRgb>& palette,
              const std::vector<std::uint8_t>& indices, const std::vector<std::uint8_t>& transparent)
{
    if ((bitsPerPixel != 4 && bitsPerPixel != 8) || width > 256 || height > 256)
        return false;
    const size_t entries = size_t(1) << bitsPerPixel;
    if (palette.size() > entries || indices.size() != size_t(width) * size_t(height) ||
        transparent.size() != indices.size())
        return false;

    const size_t xorStride = ((size_t(width) * size_t(bitsPerPixel) + 31) / 32) * 4;
    const size_t andStride = ((size_t(width) + 31) / 32) * 4;
    const size_t imageBytes = (xorStride + andStride) * size_t(height);
    const size_t resourceBytes = 40 + entries * 4 + imageBytes;

    std::vector<std::uint8_t> out;
    // ICONDIR
    put16(out, 0);
    put16(out, 1); // icon
    put16(out, 1); // one image
    // ICONDIRENTRY
    out.push_back(std::uint8_t(width & 0xff));
    out.push_back(std::uint8_t(height & 0xff));
    out.push_back(std::uint8_t(bitsPerPixel == 4 ? 16 : 0)); // colour count (0 means 256)
    out.push_back(0);
    put16(out, 1);
    put16(out, unsigned(bitsPerPixel));
    put32(out, std::uint32_t(resourceBytes));
    put32(out, 6 + 16);
    // BITMAPINFOHEADER; the height counts the colour bitmap and the mask.
    put32(out, 40);
    put32(out, std::uint32_t(width));
    put32(out, std::uint32_t(height * 2));
    put16(out, 1);
    put16(out, unsigned(bitsPerPixel));
    put32(out, 0); // BI_RGB
    put32(out, std::uint32_t(imageBytes));
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    for (size_t i = 0; i < entries; ++i) {
        const QRgb c = i < palette.size() ? palette[i] : qRgb(0, 0, 0);
        out.push_back(std::uint8_t(qBlue(c)));
        out.push_back(std::uint8_t(qGreen(c)));
        out.push_back(std::uint8_t(qRed(c)));
        out.push_back(0);
    }
    // Colour bitmap, bottom row first.
    for (int y = height - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(xorStride, 0);
        for (int x = 0; x < width; ++x) {
            const std::uint8_t v = indices[size_t(y) * size_t(width) + size_t(x)];
            if (bitsPerPixel == 8)
                row[size_t(x)] = v;
            else
                row[size_t(x) / 2] |= std::uint8_t((x % 2 == 0) ? (v & 0x0f) << 4 : (v & 0x0f));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    // AND mask, bottom row first; a set bit lets the screen show through.
    for (int y = height - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(andStride, 0);
        for (int x = 0; x < width; ++x) {
            if (transparent[size_t(y) * size_t(width) + size_t(x)])
                row[size_t(x) / 8] |= std::uint8_t(0x80 >> (x % 8));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return saveBytes(path, out);
}

bool writeBmp24(const QString& path, const QImage& image)
{
    const QImage src = image.convertToFormat(QImage::Format_RGB32);
    const size_t stride = ((size_t(src.width()) * 3 + 3) / 4) * 4;
    const size_t pixelBytes = stride * size_t(src.height());
    std::vector<std::uint8_t> out;
    // BITMAPFILEHEADER
    out.push_back('B');
    out.push_back('M');
    put32(out, std::uint32_t(14 + 40 + pixelBytes));
    put16(out, 0);
    put16(out, 0);
    put32(out, 14 + 40);
    // BITMAPINFOHEADER; a positive height means bottom-up rows.
    put32(out, 40);
    put32(out, std::uint32_t(src.width()));
    put32(out, std::uint32_t(src.height()));
    put16(out, 1);
    put16(out, 24);
    put32(out, 0); // BI_RGB
    put32(out, std::uint32_t(pixelBytes));
    put32(out, 2835); // 72 dpi
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
    for (int y = src.height() - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        std::vector<std::uint8_t> row(stride, 0);
        for (int x = 0; x < src.width(); ++x) {
            row[size_t(x) * 3 + 0] = std::uint8_t(qBlue(line[x]));
            row[size_t(x) * 3 + 1] = std::uint8_t(qGreen(line[x]));
            row[size_t(x) * 3 + 2] = std::uint8_t(qRed(line[x]));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return saveBytes(path, out);
}

bool writeJpeg(const QString& path, const QImage& image, int quality)
{
    QImageWriter writer(path, "jpg");
    writer.setQuality(quality);
    writer.setProgressiveScanWrite(false);
    writer.setOptimizedWrite(false);
    if (!writer.write(image.convertToFormat(QImage::Format_RGB32))) {
        std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path), qPrintable(writer.errorString()));
        return false;
    }
    return true;
}

bool writePng(const QString& path, const QImage& image)
{
    QImageWriter writer(path, "png");
    if (!writer.write(image.convertToFormat(QImage::Format_ARGB32))) {
        std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path), qPrintable(writer.errorString()));
        return false;
    }
    return true;
}

} // namespace gen
