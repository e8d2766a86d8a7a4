#include "cp1252.h"

#include <array>

namespace {

// Bytes 0x80 to 0x9F; the others are the Latin-1 characters of the same number.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

int byteFor(char16_t u)
{
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (int i = 0; i < int(kHighControls.size()); ++i) {
        if (kHighControls[i] == u)
            return 0x80 + i;
    }
    return -1;
}

} // namespace

QString decodeCp1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char b : bytes) {
        const auto byte = static_cast<unsigned char>(b);
        *out++ = QChar(byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : char16_t(byte));
    }
    return text;
}

QByteArray encodeCp1252(QStringView input)
{
    // Composed first: "a" followed by a combining acute accent is "á", which the code page holds.
    const QString composed = input.toString().normalized(QString::NormalizationForm_C);
    const QStringView text(composed);
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        int byte = byteFor(c.unicode());
        if (byte < 0 && c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i; // one character outside the basic plane: one "?"
        else if (byte < 0) {
            // The canonical decomposition keeps the base letter of an accented character ("ł" has none).
            const QString decomposed = QString(c).normalized(QString::NormalizationForm_KD);
            QByteArray plain;
            for (const QChar d : decomposed) {
                const int b = byteFor(d.unicode());
                if (b >= 0 && !d.isMark())
                    plain.append(char(b));
            }
            if (!plain.isEmpty()) {
                bytes.append(plain);
                continue;
            }
        }
        bytes.append(byte >= 0 ? char(byte) : '?');
    }
    return bytes;
}
