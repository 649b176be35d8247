#include "app/ApplicationStartup.h"

#include "core/Lang.h"
#include "core/Prompt.h"
#include "db/AppContext.h"
#include "db/ConnectionString.h"
#include "db/DatabaseCreator.h"
#include "db/PostgresConninfo.h"
#include "db/RecordSet.h"

#include <QDir>
#include <QSettings>

bool ApplicationStartup::run(AppContext& context, const QString& dataDirectory, Prompt& prompt)
{
    // The language is not known yet, so these messages come in German unless
    // a code was set before.
    const QString code = context.languageCode() == Lang::English ? Lang::English : Lang::German;
    const DatabaseSettings settings = readDatabaseSettings(dataDirectory, code);
    if (!settings.error.isEmpty()) {
        prompt.message(settings.error, Prompt::Icon::Error);
        return false;
    }
    context.setDataDirectory(dataDirectory);
    context.setShareMode(ShareMode);
    context.setConnectionString(connectionString(settings, dataDirectory));
    context.setUserName(QString());
    context.setPassword(QString());
    context.setOwnerCode(readOwnerCode(dataDirectory));

    if (!context.db().createConnection()) {
        prompt.message(QStringLiteral("CAdo::CAdo(void): CreateInstance(__uuidof(Connection))"));
        prompt.message(
            Lang::deOr(code, QStringLiteral("ADO konnte nicht initialisiert werden. Mensoly wird beendet!"),
                       QStringLiteral("ADO initialise failed!")),
            Prompt::Icon::Error);
        return false;
    }
    if (!context.db().openConnection(context.connectionString(), context.userName(), context.password())) {
        // On a server, libpq's reason (refused, unknown database, no
        // password in .pgpass) is what the user can act on; it never holds
        // the password.
        const bool server = settings.backend == DatabaseSettings::Backend::PostgreSql;
        if (server && context.db().otherSchemaVersion() >= 0) {
            prompt.message(schemaVersionMessage(code, context.db().otherSchemaVersion()),
                           Prompt::Icon::Error);
            return false;
        }
        prompt.message(
            server
                ? Lang::deOr(code, QStringLiteral("Datenbank konnte nicht geöffnet werden: %1\n%2"),
                             QStringLiteral("DB open failed: %1\n%2"))
                      .arg(databasePlace(dataDirectory, context.connectionString()), context.db().lastError())
                : Lang::deOr(code, QStringLiteral("Datenbank konnte nicht geöffnet werden."),
                             QStringLiteral("DB open failed.")) +
                      ConnectionString::databasePath(dataDirectory),
            Prompt::Icon::Error);
        return false;
    }
    reportLostConnections(context, prompt);
    context.setLanguageCode(readLanguageCode(context));
    // An older file was brought up to date as it opened: said once, since
    // the next opening finds it current.
    if (const DbBackend* backend = context.db().backend()) {
        const ShippedFeedReport& upgrade = backend->upgradeReport();
        if (!upgrade.failure.isEmpty())
            prompt.message(upgrade.failureMessage(context.languageCode()), Prompt::Icon::Warning);
        else if (upgrade.changed())
            prompt.message(upgrade.message(context.languageCode()), Prompt::Icon::Information);
    }
    return true;
}

QString ApplicationStartup::schemaVersionMessage(const QString& code, int found)
{
    if (found > DatabaseCreator::SchemaVersion)
        return Lang::deOr(
                   code,
                   QStringLiteral("Die Datenbank auf dem Server ist von einer neueren Programmversion "
                                  "(Schemaversion %1, dieses Programm kennt %2). Bitte installieren Sie "
                                  "die neue Version von Mensoly auf diesem Arbeitsplatz."),
                   QStringLiteral("The database on the server belongs to a newer version of the program "
                                  "(schema version %1, this program knows %2). Please install the new "
                                  "version of Mensoly on this workstation."))
            .arg(found)
            .arg(DatabaseCreator::SchemaVersion);
    return Lang::deOr(
               code,
               QStringLiteral("Die Datenbank auf dem Server hat die Schemaversion %1, dieses Programm "
                              "braucht Version %2. Der Eigentümer der Tabellen aktualisiert sie einmal "
                              "mit „mensoly-cli upgrade“ im Datenverzeichnis; danach arbeiten alle "
                              "Arbeitsplätze mit der neuen Version."),
               QStringLiteral("The database on the server has schema version %1, this program needs "
                              "version %2. The owner of the tables upgrades it once with "
                              "\"mensoly-cli upgrade\" in the data directory; then every workstation "
                              "of the new version works with it."))
        .arg(found)
        .arg(DatabaseCreator::SchemaVersion);
}

void ApplicationStartup::reportLostConnections(AppContext& context, Prompt& prompt)
{
    context.db().setLostConnectionHandler([&context, &prompt] {
        prompt.message(
            Lang::deOr(context.languageCode(),
                       QStringLiteral("Die Verbindung zum Datenbankserver ist unterbrochen. Die Daten "
                                      "im Fenster bleiben erhalten; die Verbindung wird bei der "
                                      "nächsten Aktion wieder aufgenommen."),
                       QStringLiteral("The connection to the database server was lost. What the "
                                      "window shows is kept; the connection is taken up again at the "
                                      "next action.")),
            Prompt::Icon::Warning);
    });
}

QString ApplicationStartup::readLanguageCode(AppContext& context)
{
    RecordSet rs;
    QString code;
    if (rs.openRecordset(context.db(), QStringLiteral("SELECT Sprache FROM T_MSYV3SEC WHERE ID = 1")))
        rs.getFieldText(QStringLiteral("Sprache"), code);
    code = code.trimmed().toUpper();
    // An unreadable or unknown code would leave every language column unnamed;
    // such a database starts in German.
    return code == Lang::English ? Lang::English : Lang::German;
}

QString ApplicationStartup::readOwnerCode(const QString& dataDirectory)
{
    const QSettings ini(QDir(dataDirectory).filePath(IniFileName), QSettings::IniFormat);
    const QString owner = ini.value(QStringLiteral("Installation/Owner")).toString().trimmed().toUpper();
    return owner == QLatin1String("M") ? owner : QStringLiteral("U");
}

ApplicationStartup::DatabaseSettings ApplicationStartup::readDatabaseSettings(const QString& dataDirectory,
                                                                              const QString& code)
{
    const QSettings ini(QDir(dataDirectory).filePath(IniFileName), QSettings::IniFormat);
    DatabaseSettings settings;
    const QString backend = ini.value(QStringLiteral("Database/Backend")).toString().trimmed();
    if (backend.isEmpty() || backend.compare(QLatin1String("sqlite"), Qt::CaseInsensitive) == 0)
        return settings;
    if (backend.compare(QLatin1String("postgresql"), Qt::CaseInsensitive) != 0) {
        settings.error =
            Lang::deOr(code,
                       QStringLiteral("Unbekannte Datenbank in %1: Backend=%2. Erlaubt sind sqlite "
                                      "und postgresql. Mensoly wird beendet!"),
                       QStringLiteral("Unknown database in %1: Backend=%2. Allowed are sqlite and "
                                      "postgresql. Mensoly is ending!"))
                .arg(IniFileName, backend);
        return settings;
    }
    settings.backend = DatabaseSettings::Backend::PostgreSql;
    // QSettings splits an unquoted value at its commas; a conninfo keeps them.
    settings.conninfo =
        ini.value(QStringLiteral("Database/Connection")).toStringList().join(QLatin1Char(','));
    PostgresConninfo conninfo;
    QString reason;
    if (settings.conninfo.trimmed().isEmpty() || !conninfo.parse(settings.conninfo, &reason)) {
        settings.error =
            Lang::deOr(code,
                       QStringLiteral("Die Verbindung zur PostgreSQL-Datenbank (Connection= in %1) "
                                      "ist nicht lesbar: %2 Mensoly wird beendet!"),
                       QStringLiteral("The connection to the PostgreSQL database (Connection= in "
                                      "%1) cannot be read: %2 Mensoly is ending!"))
                .arg(IniFileName, reason.isEmpty() ? Lang::deOr(code, QStringLiteral("sie ist leer."),
                                                                QStringLiteral("it is empty."))
                                                   : reason);
    } else if (conninfo.hasPassword) {
        settings.error =
            Lang::deOr(
                code,
                QStringLiteral("%1 darf kein Passwort enthalten (password= in Connection=). Bitte "
                               "tragen Sie das Passwort in die Datei .pgpass ein. Mensoly wird beendet!"),
                QStringLiteral("%1 must not hold a password (password= in Connection=). Please put "
                               "the password into the .pgpass file. Mensoly is ending!"))
                .arg(IniFileName);
    }
    return settings;
}

QString ApplicationStartup::connectionString(const DatabaseSettings& settings, const QString& dataDirectory)
{
    if (settings.backend == DatabaseSettings::Backend::Sqlite)
        return ConnectionString::build(dataDirectory, ShareMode);
    return ConnectionString::buildPostgreSql(settings.conninfo);
}

QString ApplicationStartup::databasePlace(const QString& dataDirectory, const QString& connectionString)
{
    const QMap<QString, QString> settings = ConnectionString::parse(connectionString);
    if (!ConnectionString::isPostgreSql(settings))
        return ConnectionString::databasePath(dataDirectory);
    PostgresConninfo conninfo;
    conninfo.parse(settings.value(QStringLiteral("connection")));
    return conninfo.place(QStringLiteral("localhost"));
}

QString ApplicationStartup::mainWindowTitle(const QString& dataDirectory, const QString& connectionString)
{
    return QStringLiteral("Mensoly - ") + databasePlace(dataDirectory, connectionString);
}
