#include "db/TextFolding.h"

#include <QCollator>
#include <QLocale>
#include <QVarLengthArray>

#include <array>

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

// The German dictionary order with case ignored, as QCollator gives it:
// umlauts beside their base letters, "ß" as "ss", punctuation before digits
// before letters. A collator is not safe to share between threads; each has
// its own.
static const QCollator& collator()
{
    thread_local const QCollator german = [] {
        QCollator c(QLocale(QLocale::German, QLocale::Germany));
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return german;
}

// Most names are printable ASCII, and the collator orders such texts letter
// by letter (no letter groups, nothing ignored). So each of these characters
// gets its rank in the collator's order, "A" and "a" the same, and two such
// texts compare by ranks without calling the collator. The ranks come from
// the collator itself, so the two ways cannot disagree.
struct AsciiRanks
{
    std::array<quint8, 128> rank{}; // 0: not printable ASCII
    AsciiRanks()
    {
        std::vector<char16_t> chars;
        for (char16_t c = 0x20; c < 0x7F; ++c)
            chars.push_back(c);
        const auto order = [](char16_t a, char16_t b) {
            return collator().compare(QStringView(&a, 1), QStringView(&b, 1));
        };
        std::stable_sort(chars.begin(), chars.end(), [&](char16_t a, char16_t b) { return order(a, b) < 0; });
        quint8 next = 0;
        for (size_t i = 0; i < chars.size(); ++i) {
            if (i == 0 || order(chars[i - 1], chars[i]) != 0)
                ++next;
            rank[chars[i]] = next;
        }
    }
};

static const AsciiRanks& asciiRanks()
{
    static const AsciiRanks ranks;
    return ranks;
}

// Compares by ranks while both texts have the same or printable ASCII
// characters. Sets decided and returns the order when they differ there or
// both end; leaves decided false when two differing characters outside the
// table come first.
template <typename Char>
static int compareRanks(const Char* a, qsizetype lengthA, const Char* b, qsizetype lengthB, bool& decided)
{
    const auto& rank = asciiRanks().rank;
    const qsizetype n = std::min(lengthA, lengthB);
    decided = false;
    qsizetype i = 0;
    for (; i < n; ++i) {
        const auto x = char16_t(a[i]);
        const auto y = char16_t(b[i]);
        // The same character in both weighs the same, umlaut or not; the
        // first plain character that differs then decides, as an accent or a
        // case before it only counts when all letters are equal.
        if (x == y)
            continue;
        if (x >= 0x80 || y >= 0x80 || !rank[x] || !rank[y])
            return 0;
        if (rank[x] != rank[y]) {
            decided = true;
            return rank[x] < rank[y] ? -1 : 1;
        }
    }
    // One text is a prefix of the other; the rest must be plain to decide.
    const Char* rest = lengthA > n ? a : b;
    for (qsizetype j = i; j < std::max(lengthA, lengthB); ++j) {
        const auto c = char16_t(rest[j]);
        if (c >= 0x80 || !rank[c])
            return 0;
    }
    decided = true;
    return lengthA == lengthB ? 0 : (lengthA < lengthB ? -1 : 1);
}

int compare(QStringView a, QStringView b)
{
    bool decided = false;
    const int order = compareRanks(a.utf16(), a.size(), b.utf16(), b.size(), decided);
    return decided ? order : collator().compare(a, b);
}

int compareUtf8(const char* a, int lengthA, const char* b, int lengthB)
{
    bool decided = false;
    const int order = compareRanks(reinterpret_cast<const unsigned char*>(a), lengthA,
                                   reinterpret_cast<const unsigned char*>(b), lengthB, decided);
    if (decided)
        return order;
    const int result = collator().compare(QString::fromUtf8(a, lengthA), QString::fromUtf8(b, lengthB));
    return (result > 0) - (result < 0);
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

// fold() of single characters of the Latin ranges that fold to one unit; 0
// for the others.
struct LatinFolding
{
    std::array<char16_t, 0x250> single{};
    LatinFolding()
    {
        for (char16_t c = 0x80; c < 0x250; ++c) {
            const QString folded = QString(QChar(c)).toCaseFolded();
            single[c] = folded.size() == 1 ? folded[0].unicode() : 0;
        }
    }
};

using FoldedUnits = QVarLengthArray<char16_t, 256>;

// fold() of UTF-8 text without making a QString of it, character by
// character, as case folding knows no context. False for a text that is not
// well-formed UTF-8, which QString decodes its own way.
static bool foldUtf8(const unsigned char* s, qsizetype n, FoldedUnits& out)
{
    static const LatinFolding latin;
    static constexpr char32_t Least[] = {0, 0, 0x80, 0x800, 0x10000};
    for (qsizetype i = 0; i < n;) {
        const unsigned c = s[i];
        if (c < 0x80) {
            out.append(asciiLower(char16_t(c)));
            ++i;
            continue;
        }
        char32_t code = 0;
        int length = 0;
        if ((c & 0xE0) == 0xC0) {
            code = c & 0x1F;
            length = 2;
        } else if ((c & 0xF0) == 0xE0) {
            code = c & 0x0F;
            length = 3;
        } else if ((c & 0xF8) == 0xF0) {
            code = c & 0x07;
            length = 4;
        } else {
            return false;
        }
        if (i + length > n)
            return false;
        for (int k = 1; k < length; ++k) {
            if ((s[i + k] & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (s[i + k] & 0x3F);
        }
        if (code < Least[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += length;
        if (code < 0x250 && latin.single[code]) {
            out.append(latin.single[code]);
            continue;
        }
        for (QChar unit : QString::fromUcs4(&code, 1).toCaseFolded())
            out.append(unit.unicode());
    }
    return true;
}

bool likeFoldedPatternUtf8(QStringView foldedPattern, const char* text, qsizetype length, QChar foldedEscape)
{
    FoldedUnits folded;
    if (!foldUtf8(reinterpret_cast<const unsigned char*>(text), length, folded))
        return likeFoldedPattern(foldedPattern, QString::fromUtf8(text, length), foldedEscape);
    return likeFolded(foldedPattern, QStringView(folded.constData(), folded.size()), foldedEscape);
}

bool like(QStringView pattern, QStringView text, QChar escape)
{
    return likeFoldedPattern(fold(pattern), text, escape.isNull() ? escape : escape.toCaseFolded());
}

QByteArray asciiInfix(QStringView foldedPattern, QChar foldedEscape)
{
    const qsizetype n = foldedPattern.size();
    if (n < 3 || foldedPattern.front() != QLatin1Char('%') || foldedPattern.back() != QLatin1Char('%'))
        return {};
    QByteArray infix;
    infix.reserve(n - 2);
    for (QChar c : foldedPattern.mid(1, n - 2)) {
        if (c.unicode() >= 0x80 || c == QLatin1Char('%') || c == QLatin1Char('_') || c == foldedEscape)
            return {};
        infix += char(c.unicode());
    }
    return infix;
}

std::optional<bool> containsAsciiInfixUtf8(const QByteArray& infix, const char* text, qsizetype length)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    const auto lowered = [](unsigned char b) { return b >= 'A' && b <= 'Z' ? b + 32 : int(b); };
    // A byte of a character outside ASCII never equals one of the infix; only
    // the Kelvin sign (E2 84 AA) and the long s (C5 BF) fold into ASCII.
    if (infix.contains('k') || infix.contains('s')) {
        for (qsizetype i = 0; i + 1 < length; ++i) {
            if ((bytes[i] == 0xC5 && bytes[i + 1] == 0xBF) ||
                (bytes[i] == 0xE2 && bytes[i + 1] == 0x84 && i + 2 < length && bytes[i + 2] == 0xAA))
                return std::nullopt;
        }
    }
    const qsizetype m = infix.size();
    const auto* wanted = reinterpret_cast<const unsigned char*>(infix.constData());
    for (qsizetype start = 0; start + m <= length; ++start) {
        qsizetype j = 0;
        while (j < m && lowered(bytes[start + j]) == wanted[j])
            ++j;
        if (j == m)
            return true;
    }
    return false;
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
