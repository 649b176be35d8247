#pragma once

#include <QString>

// The help documents and manuals in the data directory, chosen by command
// and language code.
namespace HelpDocuments {

enum Command {
    HelpTopics = 57667,     // help document of the current language
    HelpManual = 57670,     // manual of the current language
    GermanManual = 32789,
    EnglishManual = 32790
};

// The file the command opens; empty for a command that opens none.
QString fileName(int command, const QString& languageCode);
// The full path in dataDirectory, or empty when the file does not exist.
QString existingPath(int command, const QString& languageCode, const QString& dataDirectory);

} // namespace HelpDocuments
