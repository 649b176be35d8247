#include "app/ApplicationStartup.h"

#include "core/Lang.h"
#include "core/Prompt.h"
#include "db/AppContext.h"
#include "db/ConnectionString.h"
#include "db/RecordSet.h"

#include <QDir>
#include <QSettings>

bool ApplicationStartup::run(AppContext& context, const QString& dataDirectory, Prompt& prompt)
{
    context.setDataDirectory(dataDirectory);
    context.setShareMode(ShareMode);
    context.setConnectionString(ConnectionString::build(dataDirectory, ShareMode));
    context.setUserName(QString());
    context.setPassword(QString());
    context.setOwnerCode(readOwnerCode(dataDirectory));

    // The language is not known yet, so these messages come in German unless
    // a code was set before.
    const QString code = context.languageCode();
    if (!context.db().createConnection()) {
        prompt.message(QStringLiteral("CAdo::CAdo(void): CreateInstance(__uuidof(Connection))"));
        prompt.message(
            Lang::deOr(code == Lang::English ? code : Lang::German,
                       QStringLiteral("ADO konnte nicht initialisiert werden. Mensoly wird beendet!"),
                       QStringLiteral("ADO initialise failed!")),
            Prompt::Icon::Error);
        return false;
    }
    if (!context.db().openConnection(context.connectionString(), context.userName(), context.password())) {
        prompt.message(Lang::deOr(code == Lang::English ? code : Lang::German,
                                  QStringLiteral("Datenbank konnte nicht geöffnet werden."),
                                  QStringLiteral("DB open failed.")) +
                           ConnectionString::databasePath(dataDirectory),
                       Prompt::Icon::Error);
        return false;
    }
    reportLostConnections(context, prompt);
    context.setLanguageCode(readLanguageCode(context));
    return true;
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

QString ApplicationStartup::mainWindowTitle(const QString& dataDirectory)
{
    return QStringLiteral("Mensoly - ") + ConnectionString::databasePath(dataDirectory);
}
