#pragma once

#include <QString>
#include <QUrl>

// The help documents and manuals in the data directory, chosen by document
// and language code, and the manuals shipped inside the program, which a
// help command shows when the data directory holds no document of its own.
namespace HelpDocuments {

enum Document {
    HelpTopics, // help document of the current language
    HelpManual, // manual of the current language
    GermanManual,
    EnglishManual
};

// The document's file name.
QString fileName(Document document, const QString& languageCode);
// The full path in dataDirectory, or empty when the file does not exist.
QString existingPath(Document document, const QString& languageCode, const QString& dataDirectory);

// The shipped user manual and administrator's guide of a language (German
// for "DE", English for every other code), as resource URLs.
QUrl shippedManual(const QString& languageCode);
QUrl shippedAdminGuide(const QString& languageCode);

// What a help command opens: the practice's own document when the data
// directory holds it (localFile), otherwise the shipped manual of the
// document's language (manual).
struct Target
{
    QString localFile;
    QUrl manual;
};
Target target(Document document, const QString& languageCode, const QString& dataDirectory);

// The anchor a Markdown link names a heading by: the heading's text in lower
// case, letters, digits, hyphens and underscores kept, spaces made hyphens,
// everything else dropped ("3. Backup & restore" gives "3-backup--restore").
QString headingAnchor(const QString& headingText);

} // namespace HelpDocuments
