#include "db/TextFolding.h"

#include <QVarLengthArray>

#include <algorithm>
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

// Base letters of the Latin ranges, lower case and without accents, made once.
struct BaseLetterTable
{
    char16_t base[0x250];
    BaseLetterTable()
    {
        for (char16_t c = 0; c < 0x250; ++c) {
            QChar ch(c);
            const QString decomposed =
                ch.decompositionTag() == QChar::Canonical ? ch.decomposition() : QString(ch);
            base[c] = decomposed.isEmpty() ? c : decomposed[0].toCaseFolded().unicode();
        }
    }
};

// The primary sort key: case folded, accents removed, "ß" as "ss".
using Key = QVarLengthArray<char16_t, 64>;
static void baseLetters(QStringView s, Key& key)
{
    static const BaseLetterTable table;
    key.clear();
    for (QChar c : s) {
        const char16_t u = c.unicode();
        if (u == u'\u00DF') {
            key.append(u's');
            key.append(u's');
        } else {
            key.append(u < 0x250 ? table.base[u] : c.toCaseFolded().unicode());
        }
    }
}

static int compareKeys(const Key& a, const Key& b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i)
        if (a[i] != b[i])
            return a[i] < b[i] ? -1 : 1;
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
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
    Key keyA, keyB;
    baseLetters(a, keyA);
    baseLetters(b, keyB);
    if (const int primary = compareKeys(keyA, keyB))
        return primary;
    // Same letters: accents decide, case never does.
    keyA.clear();
    keyB.clear();
    for (QChar c : a)
        keyA.append(c.toCaseFolded().unicode());
    for (QChar c : b)
        keyB.append(c.toCaseFolded().unicode());
    return compareKeys(keyA, keyB);
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

QString fold(QStringView text)
{
    if (isAscii(text)) {
        QString folded(text.size(), Qt::Uninitialized);
        for (qsizetype i = 0; i < text.size(); ++i)
            folded[i] = QChar(asciiLower(text[i].unicode()));
        return folded;
    }
    return text.toString().toCaseFolded();
}

bool likeFoldedPattern(QStringView foldedPattern, QStringView text, QChar foldedEscape)
{
    return likeFolded(foldedPattern, fold(text), foldedEscape);
}

bool like(QStringView pattern, QStringView text, QChar escape)
{
    return likeFoldedPattern(fold(pattern), text, escape.isNull() ? escape : escape.toCaseFolded());
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
