// Any text through the number-reading rule, and any single through formatting: the rule's promises hold
// and a value written by formatHours reads back as that value, wherever the written form allows.
#include <QLocale>
#include <QString>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "data/numbers.h"
#include "fuzzcheck.h"

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

struct Prefix
{
    std::string text;    // sign, digits and point: what the rule reads, blanks left out
    int significant = 0; // digits from the first to the last that is not zero
};

// The part of the text the rule reads, found the plain way: blanks out, then an optional sign, digits,
// one point, digits.
Prefix numberPrefix(QStringView text)
{
    QString bare;
    for (const QChar c : text) {
        if (!isBlank(c))
            bare.append(c);
    }
    Prefix prefix;
    qsizetype i = 0;
    if (i < bare.size() && (bare[i] == u'-' || bare[i] == u'+'))
        prefix.text.push_back(char(bare[i++].unicode()));
    bool point = false;
    std::string digits;
    for (; i < bare.size(); ++i) {
        const char16_t u = bare[i].unicode();
        if (u >= u'0' && u <= u'9')
            digits.push_back(char(u));
        else if (u == u'.' && !point)
            point = true;
        else
            break;
        prefix.text.push_back(char(u));
    }
    const auto first = digits.find_first_not_of('0');
    if (first != std::string::npos)
        prefix.significant = int(digits.find_last_not_of('0') - first + 1);
    if (digits.empty())
        prefix.text.clear();
    return prefix;
}

void checkReading(QStringView text)
{
    const double value = readNumber(text);
    fuzzCheck(!std::isnan(value), "a number is never NaN");

    // The same value from the C library, which gives an infinity on overflow and reports underflow.
    const Prefix prefix = numberPrefix(text);
    double expected = 0.0;
    if (!prefix.text.empty()) {
        errno = 0;
        expected = std::strtod(prefix.text.c_str(), nullptr);
        const bool underflow = errno == ERANGE && std::fabs(expected) < 1.0;
        fuzzCheck(value == expected || (underflow && value == 0.0), "the value is the text's, correctly rounded");
    } else {
        fuzzCheck(value == 0.0, "no digit reads as 0");
    }

    // Blanks count for nothing wherever they stand, and nothing after the number counts.
    QString bare = text.toString();
    bare.removeIf(isBlank);
    fuzzCheck(readNumber(bare) == value, "blanks are ignored");
    fuzzCheck(readNumber(text.toString() + u'x') == value, "reading stops at the first other character");
}

void checkFloat(double value)
{
    const std::optional<float> single = toFloat(value);
    const bool fits = std::isfinite(value) && std::fabs(value) <= double(std::numeric_limits<float>::max());
    fuzzCheck(single.has_value() == fits, "a single exactly when the value fits");
    if (single)
        fuzzCheck(*single == static_cast<float>(value), "the single is the value rounded");
}

void checkFormatting(float value, int significant)
{
    static const QLocale c = QLocale::c();
    static const QLocale french(QLocale::French, QLocale::France);
    const QString text = formatHours(value, c);
    if (!std::isfinite(value))
        return;
    QString frenchText = text;
    frenchText.replace(u'.', u',').replace(u'e', u'E');
    fuzzCheck(formatHours(value, french) == frenchText,
              "the locale changes the decimal separator and the exponent's letter only");
    fuzzCheck(text != QStringLiteral("-0"), "never minus zero");
    if (text.contains(u'e'))
        return; // an exponent the rule does not read

    // Seven significant digits: within half a unit of the seventh digit, and written again the same way.
    const double read = readNumber(text);
    fuzzCheck(std::fabs(read - double(value)) <= 5.000001e-7 * std::fabs(double(value)), "seven digits are kept");
    const std::optional<float> again = toFloat(read);
    fuzzCheck(again && formatHours(*again, c) == text, "a written value is written again the same way");
    // A single is exact to six significant digits: a value read from six digits or fewer comes back whole.
    if (significant > 0 && significant <= 6)
        fuzzCheck(*again == value, "a value of six digits reads back exactly");
}

void checkStoredHour(const QString& text, quint16 raw)
{
    static const QLocale c = QLocale::c();
    const std::optional<qint16> whole = readStoredHour(text, c);
    if (whole)
        fuzzCheck(readStoredHour(QString::number(*whole), c) == whole, "a whole number reads back");

    // n + 0.5 rounds to the even one of n and n + 1, or does not fit.
    const int n = raw % 32769;
    const int even = n % 2 == 0 ? n : n + 1;
    const QString half = QString::number(n) + QStringLiteral(".5");
    const std::optional<qint16> up = even <= 32767 ? std::optional<qint16>(qint16(even)) : std::nullopt;
    fuzzCheck(readStoredHour(half, c) == up, "halves go to the even neighbour");
    fuzzCheck(readStoredHour(QLatin1Char('-') + half, c) == std::optional<qint16>(qint16(-even)),
              "negative halves go to the even neighbour");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    checkReading(text);
    const double value = readNumber(text);
    checkFloat(value);
    if (const std::optional<float> single = toFloat(value))
        checkFormatting(*single, numberPrefix(text).significant);

    // The first bytes taken as the bits of a double and of a single: every value, infinities and NaNs.
    if (size >= sizeof(double)) {
        double bits;
        std::memcpy(&bits, data, sizeof bits);
        checkFloat(bits);
    }
    if (size >= sizeof(float)) {
        float bits;
        std::memcpy(&bits, data, sizeof bits);
        checkFormatting(bits, 0);
    }
    quint16 raw = 0;
    std::memcpy(&raw, data, std::min(size, sizeof raw));
    checkStoredHour(text, raw);
    return 0;
}
