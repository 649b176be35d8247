#include "core/DateText.h"

#include "core/Lang.h"

#include <QRegularExpression>

namespace DateText {

static int fullYear(int year, int digits)
{
    if (digits > 2)
        return year;
    // Two-digit years as the desktop reads them: 00-29 this century, 30-99 the last.
    return year < 30 ? 2000 + year : 1900 + year;
}

std::optional<QDateTime> parse(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral(
        R"(^\s*(\d{1,4})([./-])(\d{1,2})\2(\d{1,4})(?:[ T]+(\d{1,2}):(\d{2})(?::(\d{2})(?:\.\d+)?)?)?\s*$)"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const QString separator = m.captured(2);
    int year = 0, month = 0, day = 0;
    if (separator == QLatin1String("-")) {
        if (m.captured(1).size() != 4)
            return std::nullopt;
        year = m.captured(1).toInt();
        month = m.captured(3).toInt();
        day = m.captured(4).toInt();
        if (m.captured(4).size() > 2)
            return std::nullopt;
    } else {
        if (m.captured(1).size() > 2)
            return std::nullopt;
        const int first = m.captured(1).toInt();
        const int second = m.captured(3).toInt();
        year = fullYear(m.captured(4).toInt(), m.captured(4).size());
        day = separator == QLatin1String(".") ? first : second;
        month = separator == QLatin1String(".") ? second : first;
    }
    const QDate date(year, month, day);
    if (!date.isValid())
        return std::nullopt;
    QTime time(0, 0, 0);
    if (!m.captured(5).isEmpty()) {
        time = QTime(m.captured(5).toInt(), m.captured(6).toInt(),
                     m.captured(7).isEmpty() ? 0 : m.captured(7).toInt());
        if (!time.isValid())
            return std::nullopt;
    }
    return QDateTime(date, time);
}

QString toIso(const QDateTime& value)
{
    if (value.time() == QTime(0, 0, 0))
        return value.date().toString(QStringLiteral("yyyy-MM-dd"));
    return value.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QDateTime fromIso(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.size() < 10 || trimmed[4] != QLatin1Char('-'))
        return QDateTime();
    const std::optional<QDateTime> parsed = parse(trimmed);
    return parsed ? *parsed : QDateTime();
}

QDate isoDate(QStringView text)
{
    // "yyyy-MM-dd", optionally followed by a blank or "T" and a time.
    auto digits = [&](int from, int count) {
        int value = 0;
        for (int i = from; i < from + count; ++i) {
            const char16_t c = text[i].unicode();
            if (c < u'0' || c > u'9')
                return -1;
            value = value * 10 + (c - u'0');
        }
        return value;
    };
    if (text.size() < 10 || text[4] != QLatin1Char('-') || text[7] != QLatin1Char('-') ||
        (text.size() > 10 && text[10] != QLatin1Char(' ') && text[10] != QLatin1Char('T')))
        return fromIso(text.toString()).date();
    const int year = digits(0, 4), month = digits(5, 2), day = digits(8, 2);
    if (year < 0 || month < 0 || day < 0)
        return QDate();
    return QDate(year, month, day);
}

QString inputFormat(const QString& languageCode)
{
    return languageCode == Lang::English ? EnglishFormat : GermanFormat;
}

QString forLanguage(const QDate& date, const QString& languageCode)
{
    const bool german = languageCode == Lang::German;
    if (!german && languageCode != Lang::English)
        return QString();
    int year = 0, month = 0, day = 0;
    date.getDate(&year, &month, &day);
    if (!date.isValid() || year < 1 || year > 9999)
        return date.toString(german ? GermanFormat : EnglishFormat);
    // Lists show thousands of dates: the digits directly, not through the
    // general format parser.
    const int first = german ? day : month;
    const int second = german ? month : day;
    const char16_t separator = german ? u'.' : u'/';
    const char16_t text[10] = {
        char16_t(u'0' + first / 10),  char16_t(u'0' + first % 10),      separator,
        char16_t(u'0' + second / 10), char16_t(u'0' + second % 10),     separator,
        char16_t(u'0' + year / 1000), char16_t(u'0' + year / 100 % 10), char16_t(u'0' + year / 10 % 10),
        char16_t(u'0' + year % 10)};
    return QString(reinterpret_cast<const QChar*>(text), 10);
}

} // namespace DateText
