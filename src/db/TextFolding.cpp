#include "TextFolding.h"

#include <vector>

namespace TextFolding {

static bool isAscii(QStringView s)
{
    for (QChar c : s)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

static char16_t asciiLower(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
}

// The primary sort key: case folded, accents removed.
static QString baseLetters(QStringView s)
{
    const QString decomposed = s.toString().toCaseFolded().normalized(QString::NormalizationForm_D);
    QString base;
    base.reserve(decomposed.size());
    for (QChar c : decomposed)
        if (c.category() != QChar::Mark_NonSpacing)
            base.append(c);
    return base;
}

int compare(QStringView a, QStringView b)
{
    if (isAscii(a) && isAscii(b)) {
        const qsizetype n = std::min(a.size(), b.size());
        for (qsizetype i = 0; i < n; ++i) {
            const char16_t x = asciiLower(a[i].unicode());
            const char16_t y = asciiLower(b[i].unicode());
            if (x != y)
                return x < y ? -1 : 1;
        }
        return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
    }
    const int primary = baseLetters(a).compare(baseLetters(b));
    if (primary != 0)
        return primary;
    return a.toString().toCaseFolded().compare(b.toString().toCaseFolded());
}

static bool likeFolded(QStringView p, QStringView s, QChar escape)
{
    // Iterative matching with one backtracking point for the last '%'.
    qsizetype pi = 0, si = 0;
    qsizetype starP = -1, starS = 0;
    while (si < s.size()) {
        if (pi < p.size()) {
            const QChar pc = p[pi];
            if (pc == QLatin1Char('%')) {
                starP = ++pi;
                starS = si;
                continue;
            }
            if (!escape.isNull() && pc == escape && pi + 1 < p.size()) {
                if (p[pi + 1] == s[si]) {
                    pi += 2;
                    ++si;
                    continue;
                }
            } else if (pc == QLatin1Char('_') || pc == s[si]) {
                ++pi;
                ++si;
                continue;
            }
        }
        if (starP < 0)
            return false;
        pi = starP;
        si = ++starS;
    }
    while (pi < p.size() && p[pi] == QLatin1Char('%'))
        ++pi;
    return pi == p.size();
}

bool like(QStringView pattern, QStringView text, QChar escape)
{
    if (isAscii(pattern) && isAscii(text)) {
        QString p = pattern.toString(), s = text.toString();
        for (QChar& c : p)
            c = QChar(asciiLower(c.unicode()));
        for (QChar& c : s)
            c = QChar(asciiLower(c.unicode()));
        return likeFolded(p, s, escape.isNull() ? escape : QChar(asciiLower(escape.unicode())));
    }
    return likeFolded(pattern.toString().toCaseFolded(), text.toString().toCaseFolded(),
                      escape.isNull() ? escape : escape.toCaseFolded());
}

QString lower(const QString& text)
{
    return text.toLower();
}

QString upper(const QString& text)
{
    return text.toUpper();
}

} // namespace TextFolding
