#pragma once

#include <QString>
#include <QStringView>

// Case-insensitive text comparison as users expect it from the database:
// "müller", "Müller" and "MÜLLER" are the same name, and umlauts sort beside
// their base letters.
namespace TextFolding {

// Compares like a case-insensitive collation: < 0, 0 or > 0.
int compare(QStringView a, QStringView b);

// LIKE with % (any run) and _ (one character), case-insensitive; escape is
// the character that makes the next pattern character literal (none when null).
bool like(QStringView pattern, QStringView text, QChar escape = QChar());

// Case folding as like() applies it.
QString fold(QStringView text);
// like() for a pattern (and escape) already folded, so that a pattern used on
// many rows is folded once.
bool likeFoldedPattern(QStringView foldedPattern, QStringView text, QChar foldedEscape = QChar());

QString lower(const QString& text);
QString upper(const QString& text);

} // namespace TextFolding
