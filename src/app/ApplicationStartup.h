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

    // [Database] of Mensoly.ini: which engine holds the program's database.
    struct DatabaseSettings
    {
        enum class Backend { Sqlite, PostgreSql };
        Backend backend = Backend::Sqlite;
        // The libpq conninfo of a PostgreSQL database.
        QString conninfo;
        // Why the settings cannot be used, in the language of code; empty when they can.
        QString error;
    };

    // Runs the start in dataDirectory; false when the program must end.
    static bool run(AppContext& context, const QString& dataDirectory, Prompt& prompt);

    // Tells the user through prompt, in the language of the moment, each time
    // the connection to a database server is lost. The window keeps what it
    // shows; the next statement connects again.
    static void reportLostConnections(AppContext& context, Prompt& prompt);
    // Why a server database of another schema version (found) is not opened,
    // and what to do, in the language of code.
    static QString schemaVersionMessage(const QString& code, int found);

    // Why a database without the program's tables (an empty one, another
    // program's) is not opened, and how to create them, in the language of code.
    static QString noProgramTablesMessage(const QString& code, bool server, const QString& place);
    // Why a server database of another encoding than UTF-8 is not opened.
    static QString encodingMessage(const QString& code, const QString& encoding);

    // "DE" or "US": on a server the workstation's own from Mensoly.ini,
    // else (and always for a file) the settings row's; "DE" when it cannot
    // be read.
    static QString readLanguageCode(AppContext& context);
    // [Installation] Language= of Mensoly.ini: "DE", "US" or empty.
    static QString readWorkstationLanguage(const QString& dataDirectory);
    // Sets Language= in Mensoly.ini, leaving the rest of the file as it is.
    static bool storeWorkstationLanguage(const QString& dataDirectory, const QString& code);
    // "U" or "M" from [Installation] Owner= of Mensoly.ini; "U" when missing.
    static QString readOwnerCode(const QString& dataDirectory);
    // Backend=sqlite|postgresql (sqlite when missing) and Connection=, a
    // libpq conninfo without a password; messages in the language of code.
    static DatabaseSettings readDatabaseSettings(const QString& dataDirectory, const QString& code);
    // The connection string that opens the database the settings name.
    static QString connectionString(const DatabaseSettings& settings, const QString& dataDirectory);
    // Where the database is, as the user reads it: the path of the file, or
    // server and database ("dbserver/mensoly") for a PostgreSQL database.
    static QString databasePlace(const QString& dataDirectory, const QString& connectionString);
    // "Mensoly - " and the place of the database.
    static QString mainWindowTitle(const QString& dataDirectory, const QString& connectionString);
};
