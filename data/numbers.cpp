#include "numbers.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

double readNumber(QStringView text)
{
    std::string number; // sign, digits and point as read, blanks removed
    bool started = false;
    bool pointSeen = false;
    bool digitSeen = false;
    bool nonZeroBeforePoint = false;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u' ' || u == u'\t' || u == u'\n')
            continue;
        if (!started && (u == u'+' || u == u'-')) {
            if (u == u'-')
                number.push_back('-');
            started = true;
            continue;
        }
        if (u >= u'0' && u <= u'9') {
            number.push_back(static_cast<char>(u));
            digitSeen = true;
            if (!pointSeen && u != u'0')
                nonZeroBeforePoint = true;
            started = true;
            continue;
        }
        if (u == u'.' && !pointSeen) {
            number.push_back('.');
            pointSeen = true;
            started = true;
            continue;
        }
        break;
    }
    if (!digitSeen)
        return 0.0;

    const bool negative = !number.empty() && number.front() == '-';
    const char* first = number.data() + (negative ? 1 : 0);
    const char* last = number.data() + number.size();
    double value = 0.0;
    const auto result = std::from_chars(first, last, value, std::chars_format::fixed);
    if (result.ec == std::errc::result_out_of_range)
        value = nonZeroBeforePoint ? std::numeric_limits<double>::infinity() : 0.0;
    else if (result.ec != std::errc())
        value = 0.0;
    return negative ? -value : value;
}

std::optional<float> toFloat(double value)
{
    if (!std::isfinite(value) || std::fabs(value) > static_cast<double>(std::numeric_limits<float>::max()))
        return std::nullopt;
    return static_cast<float>(value);
}

QString formatHours(float value, const QLocale& locale)
{
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    const double v = value == 0.0f ? 0.0 : static_cast<double>(value); // never "-0"
    return plain.toString(v, 'g', 7);
}

std::optional<qint16> readStoredHour(const QString& text, const QLocale& locale)
{
    bool ok = false;
    const double value = locale.toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    const double rounded = std::nearbyint(value); // halves to even
    if (rounded < std::numeric_limits<qint16>::min() || rounded > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return static_cast<qint16>(rounded);
}
