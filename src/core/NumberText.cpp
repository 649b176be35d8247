#include "core/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace NumberText {

QString format(double value, int decimals)
{
    if (!std::isfinite(value))
        value = 0.0;
    // to_chars rounds exactly like printf's "%.Nf" (ties of the binary value
    // to even) and, unlike printf, never depends on the process locale.
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed,
                                      std::clamp(decimals, 0, 30));
    QString text = QString::fromLatin1(buffer, result.ec == std::errc() ? int(result.ptr - buffer) : 0);
    text.replace(QLatin1Char('.'), QLatin1Char(','));
    return text;
}

double round(double value, int decimals)
{
    return read(format(value, decimals));
}

QString formatShortest(double value, int minDecimals, int maxDecimals)
{
    for (int decimals = minDecimals; decimals < maxDecimals; ++decimals) {
        const QString text = format(value, decimals);
        if (std::abs(read(text) - value) <= 1e-9 * std::max(1.0, std::abs(value)))
            return text;
    }
    return format(value, maxDecimals);
}

int decimalsOf(const QString& text)
{
    return std::max(0, readWhole(text));
}

int toWhole(double value)
{
    if (std::isnan(value))
        return 0;
    return int(std::clamp(std::trunc(value), double(std::numeric_limits<int>::min()),
                          double(std::numeric_limits<int>::max())));
}

int readWhole(const QString& text)
{
    return toWhole(read(text));
}

double read(const QString& text)
{
    const QByteArray latin = withPoint(text).toLatin1();
    const char* p = latin.constData();
    const char* end = p + latin.size();
    while (p < end && (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r'))
        ++p;
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    // from_chars takes no sign of its own here and never depends on the locale.
    double value = 0.0;
    const auto result = std::from_chars(p, end, value, std::chars_format::general);
    if (result.ec != std::errc() || (p < end && *p == '-'))
        return 0.0;
    return negative ? -value : value;
}

bool readsFinite(const QString& text)
{
    return std::isfinite(read(text));
}

std::optional<double> readExactly(const QString& text)
{
    const QByteArray latin = withPoint(text.trimmed()).toLatin1();
    const char* p = latin.constData();
    const char* end = p + latin.size();
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    double value = 0.0;
    const auto result = std::from_chars(p, end, value, std::chars_format::general);
    if (p == end || *p == '+' || *p == '-' || result.ec != std::errc() || result.ptr != end ||
        !std::isfinite(value))
        return std::nullopt;
    return negative ? -value : value;
}

QString withPoint(const QString& text)
{
    QString copy = text;
    copy.replace(QLatin1Char(','), QLatin1Char('.'));
    return copy;
}

QString forFormula(double value)
{
    if (!std::isfinite(value))
        return QStringLiteral("0");
    // Fifteen significant digits: every digit a double holds for sure, none
    // of the noise of its binary fraction (0.63 stays "0.63").
    const int wholeDigits = std::fabs(value) < 1.0 ? 1 : int(std::floor(std::log10(std::fabs(value)))) + 1;
    QString text = QString::number(value, 'f', std::max(0, 15 - wholeDigits));
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
    }
    return text;
}

QString inLanguage(const QString& shown, const QString& languageCode)
{
    return languageCode == QLatin1String("DE") ? shown : withPoint(shown);
}

QString format(const std::optional<double>& value, int decimals, const QString& languageCode)
{
    return value ? inLanguage(format(*value, decimals), languageCode) : QString();
}

} // namespace NumberText
