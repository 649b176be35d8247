#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>

// Case-insensitive text comparison as users expect it from the database:
// "müller", "Müller" and "MÜLLER" are the same name, and umlauts sort beside
// their base letters.
namespace TextFolding {

// The German dictionary order, case ignored, as a German QCollator compares:
// < 0, 0 or > 0. The lists sort by it and the connection's NOCASE collation
// is it, so an ORDER BY gives the order of a list sorted in memory.
int compare(QStringView a, QStringView b);
// The same for UTF-8 texts, as SQLite hands them to a collation.
int compareUtf8(const char* a, int lengthA, const char* b, int lengthB);

// LIKE with % (any run) and _ (one character), case-insensitive; escape is
// the character that makes the next pattern character literal (none when null).
bool like(QStringView pattern, QStringView text, QChar escape = QChar());

// Case folding as like() applies it.
QString fold(QStringView text);
// like() for a pattern (and escape) already folded, so that a pattern used on
// many rows is folded once.
bool likeFoldedPattern(QStringView foldedPattern, QStringView text, QChar foldedEscape = QChar());
// The same for a UTF-8 text, as SQLite hands it to like().
bool likeFoldedPatternUtf8(QStringView foldedPattern, const char* text, qsizetype length,
                           QChar foldedEscape = QChar());

// The program's searches are "%text%". For such a folded pattern whose text
// is plain ASCII without wildcards: that text, else empty.
QByteArray asciiInfix(QStringView foldedPattern, QChar foldedEscape = QChar());
// Whether a UTF-8 text holds the infix, case ignored, as like() would find
// it, read from the bytes without folding the text. No answer (nullopt) for
// a text with one of the two characters outside ASCII that fold into it, the
// Kelvin sign (to k) and the long s (to s).
std::optional<bool> containsAsciiInfixUtf8(const QByteArray& infix, const char* text, qsizetype length);

QString lower(const QString& text);
QString upper(const QString& text);

} // namespace TextFolding
