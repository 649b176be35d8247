#pragma once

#include <QString>

// The help documents and manuals in the data directory, chosen by document
// and language code.
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

} // namespace HelpDocuments
