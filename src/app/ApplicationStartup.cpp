#include "app/ApplicationStartup.h"

#include "app/StartupTexts.h"
#include "core/Codes.h"
#include "core/Lang.h"
#include "core/Prompt.h"
#include "db/AppContext.h"
#include "db/ConnectionString.h"
#include "db/DatabaseCreator.h"
#include "db/PostgresBackend.h"
#include "db/PostgresConninfo.h"
#include "db/RecordSet.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>

#include <functional>

bool ApplicationStartup::run(AppContext& context, const QString& dataDirectory, Prompt& prompt)
{
    // Until the language is known (set before, or the workstation's own in
    // Mensoly.ini), a refusal comes in both languages, German first.
    QString known = context.languageCode();
    if (known != Lang::German && known != Lang::English)
        known = readWorkstationLanguage(dataDirectory);
    const auto refuse = [&](const std::function<QString(const QString&)>& message) {
        prompt.message(known.isEmpty()
                           ? message(Lang::German) + QStringLiteral("\n\n") + message(Lang::English)
                           : message(known),
                       Prompt::Icon::Error);
        context.db().closeConnection();
        return false;
    };
    const DatabaseSettings settings = readDatabaseSettings(dataDirectory, Lang::German);
    if (!settings.error.isEmpty())
        return refuse([&](const QString& code) { return readDatabaseSettings(dataDirectory, code).error; });
    context.setDataDirectory(dataDirectory);
    context.setShareMode(ShareMode);
    context.setConnectionString(connectionString(settings, dataDirectory));
    context.setUserName(QString());
    context.setPassword(QString());
    context.setOwnerCode(readOwnerCode(dataDirectory));

    if (!context.db().createConnection()) {
        prompt.message(QStringLiteral("CAdo::CAdo(void): CreateInstance(__uuidof(Connection))"));
        return refuse([](const QString& code) { return StartupTexts::ConnectionNotInitialised.in(code); });
    }
    const bool server = settings.backend == DatabaseSettings::Backend::PostgreSql;
    if (!context.db().openConnection(context.connectionString(), context.userName(), context.password())) {
        // On a server, libpq's reason (refused, unknown database, no
        // password in .pgpass) is what the user can act on; it never holds
        // the password.
        const int other = context.db().otherSchemaVersion();
        if (server && other >= 0)
            return refuse([other](const QString& code) { return schemaVersionMessage(code, other); });
        const QString place = databasePlace(dataDirectory, context.connectionString());
        const QString reason = context.db().lastError();
        return refuse([&](const QString& code) {
            return server ? StartupTexts::DbOpenFailedWithReason.in(code).arg(place, reason)
                          : StartupTexts::DbOpenFailed.in(code) + place;
        });
    }
    // Only a database of the program's tables, of its version, is worked on:
    // another one would show empty lists and fail at every save.
    const DbBackend* backend = context.db().backend();
    if (const auto* postgres = dynamic_cast<const PostgresBackend*>(backend)) {
        const QString encoding = postgres->serverEncoding();
        if (encoding.compare(QLatin1String("UTF8"), Qt::CaseInsensitive) != 0)
            return refuse([&](const QString& code) { return encodingMessage(code, encoding); });
    }
    const int version = backend ? backend->storedSchemaVersion() : 0;
    if (version == 0) {
        const QString place = databasePlace(dataDirectory, context.connectionString());
        return refuse([&](const QString& code) { return noProgramTablesMessage(code, server, place); });
    }
    if (version > DatabaseCreator::SchemaVersion) {
        return refuse([&](const QString& code) {
            return server ? schemaVersionMessage(code, version)
                          : StartupTexts::FileSchemaNewer.in(code)
                                .arg(databasePlace(dataDirectory, context.connectionString()))
                                .arg(version)
                                .arg(DatabaseCreator::SchemaVersion);
        });
    }
    reportLostConnections(context, prompt);
    context.setLanguageCode(readLanguageCode(context));
    // An older file was brought up to date as it opened: said once, since
    // the next opening finds it current.
    const ShippedFeedReport& upgrade = backend->upgradeReport();
    if (!upgrade.failure.isEmpty())
        prompt.message(upgrade.failureMessage(context.languageCode()), Prompt::Icon::Warning);
    else if (upgrade.changed())
        prompt.message(upgrade.message(context.languageCode()), Prompt::Icon::Information);
    return true;
}

QString ApplicationStartup::noProgramTablesMessage(const QString& code, bool server, const QString& place)
{
    if (server)
        return StartupTexts::ServerHasNoTables.in(code).arg(place);
    return StartupTexts::FileNotMensolyDatabase.in(code).arg(place);
}

QString ApplicationStartup::encodingMessage(const QString& code, const QString& encoding)
{
    return StartupTexts::ServerEncodingNotUtf8.in(code).arg(encoding);
}

QString ApplicationStartup::schemaVersionMessage(const QString& code, int found)
{
    if (found > DatabaseCreator::SchemaVersion)
        return StartupTexts::ServerSchemaNewer.in(code).arg(found).arg(DatabaseCreator::SchemaVersion);
    return StartupTexts::ServerSchemaOlder.in(code).arg(found).arg(DatabaseCreator::SchemaVersion);
}

void ApplicationStartup::reportLostConnections(AppContext& context, Prompt& prompt)
{
    context.db().setLostConnectionHandler([&context, &prompt] {
        prompt.message(StartupTexts::ServerConnectionLost.in(context.languageCode()), Prompt::Icon::Warning);
    });
}

QString ApplicationStartup::readLanguageCode(AppContext& context)
{
    // On a server every workstation keeps its own language, so that one
    // switching to English leaves the others (and their scripts) in theirs;
    // the settings row is the default of a workstation without one, and the
    // only store of a database file.
    if (ConnectionString::isPostgreSql(ConnectionString::parse(context.connectionString()))) {
        const QString own = readWorkstationLanguage(context.dataDirectory());
        if (!own.isEmpty())
            return own;
    }
    RecordSet rs;
    QString code;
    if (rs.openRecordset(context.db(), QStringLiteral("SELECT Sprache FROM T_MSYV3SEC WHERE ID = 1")))
        rs.getFieldText(QStringLiteral("Sprache"), code);
    code = code.trimmed().toUpper();
    // An unreadable or unknown code would leave every language column unnamed;
    // such a database starts in German.
    return code == Lang::English ? Lang::English : Lang::German;
}

namespace {

// The lines of Mensoly.ini and where the key Language= of [Installation] is:
// its line, else the line to insert it at (-1: a new section at the end).
struct IniLanguageLine
{
    QList<QByteArray> lines;
    int line = -1;
    bool found = false;
};

IniLanguageLine findLanguageLine(const QByteArray& text)
{
    IniLanguageLine result;
    result.lines = text.split('\n');
    bool inSection = false;
    for (int i = 0; i < result.lines.size(); ++i) {
        QByteArray line = result.lines[i].trimmed();
        if (line.startsWith('[')) {
            inSection = line.compare("[Installation]", Qt::CaseInsensitive) == 0;
            if (inSection)
                result.line = i + 1;
            continue;
        }
        if (!inSection)
            continue;
        const qsizetype equals = line.indexOf('=');
        if (equals > 0 && line.left(equals).trimmed().compare("Language", Qt::CaseInsensitive) == 0) {
            result.line = i;
            result.found = true;
            return result;
        }
        if (!line.isEmpty())
            result.line = i + 1;
    }
    return result;
}

} // namespace

QString ApplicationStartup::readWorkstationLanguage(const QString& dataDirectory)
{
    QFile file(QDir(dataDirectory).filePath(IniFileName));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const IniLanguageLine at = findLanguageLine(file.readAll());
    if (!at.found)
        return QString();
    QByteArray value = at.lines[at.line].mid(at.lines[at.line].indexOf('=') + 1);
    if (const qsizetype comment = value.indexOf(';'); comment >= 0)
        value.truncate(comment);
    value = value.trimmed().toUpper();
    if (value == Lang::German.toLatin1() || value == Lang::English.toLatin1())
        return QString::fromLatin1(value);
    return QString();
}

bool ApplicationStartup::storeWorkstationLanguage(const QString& dataDirectory, const QString& code)
{
    // Written as a text edit of the one line, so that the rest of the file
    // (comments, the quoted conninfo) stays as the administrator wrote it.
    const QString path = QDir(dataDirectory).filePath(IniFileName);
    QByteArray text;
    QFile existing(path);
    if (existing.exists()) {
        if (!existing.open(QIODevice::ReadOnly))
            return false;
        text = existing.readAll();
    }
    const bool crlf = text.contains("\r\n");
    const QByteArray entry = "Language=" + code.toLatin1() + (crlf ? "\r" : "");
    IniLanguageLine at = findLanguageLine(text);
    if (at.found) {
        at.lines[at.line] = entry;
    } else if (at.line >= 0) {
        at.lines.insert(at.line, entry);
    } else {
        if (!at.lines.isEmpty() && at.lines.last().trimmed().isEmpty())
            at.lines.removeLast();
        at.lines << QByteArray("[Installation]") + (crlf ? "\r" : "") << entry << QByteArray();
    }
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(at.lines.join('\n')) >= 0 && file.commit();
}

QString ApplicationStartup::readOwnerCode(const QString& dataDirectory)
{
    const QSettings ini(QDir(dataDirectory).filePath(IniFileName), QSettings::IniFormat);
    const QString owner = ini.value(QStringLiteral("Installation/Owner")).toString().trimmed().toUpper();
    return owner == Codes::SystemOwner ? owner : QString(Codes::PracticeOwner);
}

ApplicationStartup::DatabaseSettings ApplicationStartup::readDatabaseSettings(const QString& dataDirectory,
                                                                              const QString& code)
{
    const QString path = QDir(dataDirectory).filePath(IniFileName);
    const QSettings ini(path, QSettings::IniFormat);
    DatabaseSettings settings;
    // A file that is there but cannot be read would otherwise read as none,
    // and the program would open another database than the one it names.
    const QFileInfo file(path);
    if (file.exists() && (!file.isFile() || !QFile(path).open(QIODevice::ReadOnly))) {
        settings.error = StartupTexts::SettingsUnreadable.in(code).arg(QDir::toNativeSeparators(path));
        return settings;
    }
    const QString backend = ini.value(QStringLiteral("Database/Backend")).toString().trimmed();
    if (backend.isEmpty() || backend.compare(QLatin1String("sqlite"), Qt::CaseInsensitive) == 0)
        return settings;
    if (backend.compare(QLatin1String("postgresql"), Qt::CaseInsensitive) != 0) {
        settings.error = StartupTexts::UnknownBackend.in(code).arg(IniFileName, backend);
        return settings;
    }
    settings.backend = DatabaseSettings::Backend::PostgreSql;
    // QSettings splits an unquoted value at its commas; a conninfo keeps them.
    settings.conninfo =
        ini.value(QStringLiteral("Database/Connection")).toStringList().join(QLatin1Char(','));
    PostgresConninfo conninfo;
    QString reason;
    if (settings.conninfo.trimmed().isEmpty() || !conninfo.parse(settings.conninfo, &reason)) {
        settings.error = StartupTexts::ServerConnectionUnreadable.in(code).arg(
            IniFileName, reason.isEmpty() ? StartupTexts::ConnectionEmpty.in(code) : reason);
    } else if (conninfo.hasPassword) {
        settings.error = StartupTexts::PasswordInSettings.in(code).arg(IniFileName);
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
