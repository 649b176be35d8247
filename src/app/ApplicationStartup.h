#pragma once

#include <QString>

class AppContext;
class Prompt;

// The start of the program up to the main window: data directory, connection
// settings, opening the database, language and owner code. Every failure is
// told through the prompt and ends the start.
class ApplicationStartup
{
public:
    static inline const QString ShareMode = QStringLiteral("Share Deny None");
    static inline const QString IniFileName = QStringLiteral("Mensoly.ini");

    // Runs the start in dataDirectory; false when the program must end.
    static bool run(AppContext& context, const QString& dataDirectory, Prompt& prompt);

    // Tells the user through prompt, in the language of the moment, each time
    // the connection to a database server is lost. The window keeps what it
    // shows; the next statement connects again.
    static void reportLostConnections(AppContext& context, Prompt& prompt);

    // "DE" or "US" from the settings row; "DE" when it cannot be read.
    static QString readLanguageCode(AppContext& context);
    // "U" or "M" from [Installation] Owner= of Mensoly.ini; "U" when missing.
    static QString readOwnerCode(const QString& dataDirectory);
    // "Mensoly - " and the path of the database file.
    static QString mainWindowTitle(const QString& dataDirectory);
};
