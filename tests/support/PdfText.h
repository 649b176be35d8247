#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The text of a PDF as pdftotext -layout gives it, one entry per page;
// nothing when pdftotext is not installed.
std::optional<QStringList> pdfPages(const QString& fileName);

// pdftotext drops or merges blanks between words and keeps ligatures;
// compare without blanks and with ligatures spelled out.
bool containsIgnoringSpaces(const QString& text, const QString& part);
