#include "db/DatabaseBackup.h"

#include "core/Lang.h"
#include "core/Prompt.h"
#include "db/AppContext.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>

namespace {

QString nativePath(const QString& path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

void removeFileAndJournal(const QString& path)
{
    QFile::remove(path);
    QFile::remove(path + QStringLiteral("-journal"));
}

} // namespace

DatabaseBackup::DatabaseBackup(AppContext& context, Prompt& prompt)
    : m_context(context)
    , m_prompt(prompt)
{
}

QString DatabaseBackup::text(const char* german, const char* english) const
{
    return Lang::deOr(m_context.languageCode(), QString::fromUtf8(german), QString::fromUtf8(english));
}

bool DatabaseBackup::isOnServer() const
{
    const DbBackend* backend = m_context.db().backend();
    return backend && backend->databaseFile().isEmpty();
}

bool DatabaseBackup::canWriteCopy()
{
    if (!isOnServer())
        return true;
    m_prompt.message(
        text("Die Datenbank liegt auf einem PostgreSQL-Server. Mensoly legt keine Sicherungskopie "
             "an; sichern Sie die Datenbank auf dem Server (z. B. mit pg_dump).",
             "The database is kept on a PostgreSQL server. Mensoly makes no backup copy of it; "
             "back it up on the server (with pg_dump, for instance)."),
        Prompt::Icon::Information);
    return false;
}

bool DatabaseBackup::copyTo(const QString& path, QString& reason)
{
    DbBackend* backend = m_context.db().backend();
    if (!backend) {
        reason = text("Keine Datenbank geöffnet.", "No database is open.");
        return false;
    }
    const QString database = backend->databaseFile();
    if (database.isEmpty()) {
        reason = text("Die Datenbank liegt auf einem Server; sie wird dort gesichert.",
                      "The database is kept on a server and is backed up there.");
        return false;
    }
    const QFileInfo target(path);
    if (target.exists() && target.canonicalFilePath() == QFileInfo(database).canonicalFilePath()) {
        reason = text("Die Sicherungskopie darf nicht die geöffnete Datenbank selbst sein.",
                      "The backup copy must not be the open database itself.");
        return false;
    }
    // Written under another name first, so that a failed copy never leaves a
    // half file, nor destroys an older copy, under the chosen name.
    const QString partial = path + QStringLiteral(".part");
    removeFileAndJournal(partial);
    if (!backend->backupTo(partial, m_progress)) {
        reason = backend->lastError();
        removeFileAndJournal(partial);
        return false;
    }
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(partial).toStdString(), QFile::encodeName(path).toStdString(),
                            error);
    if (error) {
        reason = QString::fromLocal8Bit(error.message());
        removeFileAndJournal(partial);
        return false;
    }
    m_lastCopy = nativePath(path);
    return true;
}

bool DatabaseBackup::writeTo(const QString& path)
{
    QString reason;
    if (path.trimmed().isEmpty()) {
        reason = text("Kein Dateiname angegeben.", "No file name given.");
    } else if (copyTo(path, reason)) {
        m_prompt.message(text("Die Sicherungskopie wurde angelegt:\n%1", "The backup copy has been made:\n%1")
                             .arg(m_lastCopy),
                         Prompt::Icon::Information);
        return true;
    }
    m_prompt.message(text("Die Sicherungskopie konnte nicht angelegt werden:\n%1\n%2",
                          "The backup copy could not be made:\n%1\n%2")
                         .arg(path.trimmed().isEmpty() ? path : nativePath(path), reason),
                     Prompt::Icon::Exclamation);
    return false;
}

QString DatabaseBackup::automaticCopyFolder() const
{
    DbBackend* backend = m_context.db().backend();
    const QString database = backend ? backend->databaseFile() : QString();
    return database.isEmpty() ? QString() : QDir::toNativeSeparators(QFileInfo(database).absolutePath());
}

bool DatabaseBackup::writeAutomaticCopy(Before before)
{
    // The import runs in one transaction on the server, which undoes it
    // whole when it fails; copies of a server database are the server's own.
    if (isOnServer())
        return true;
    DbBackend* backend = m_context.db().backend();
    const QString database = backend ? backend->databaseFile() : QString();

    // <name>-backup-<date>-<time>.<suffix>: the names sort as the copies were made.
    const QFileInfo file(database);
    const QString prefix = file.completeBaseName() + QStringLiteral("-backup-");
    const QString suffix = file.suffix().isEmpty() ? QString() : QLatin1Char('.') + file.suffix();
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"));
    QString path = file.absoluteDir().filePath(prefix + stamp + suffix);
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = file.absoluteDir().filePath(prefix + stamp + QLatin1Char('-') + QString::number(n) + suffix);

    QString reason;
    if (!copyTo(path, reason)) {
        m_prompt.message(
            (before == Before::Repair
                 ? text("Vor der Reparatur konnte keine Sicherungskopie der Datenbank angelegt werden:\n%1\n"
                        "Die Reparatur wurde nicht ausgeführt; die Datenbank wurde nicht verändert.",
                        "No backup copy of the database could be made before the repair:\n%1\n"
                        "The repair was not run; the database has not been changed.")
                 : text("Vor dem Import konnte keine Sicherungskopie der Datenbank angelegt werden:\n%1\n"
                        "Der Import wurde nicht ausgeführt; die Datenbank wurde nicht verändert.",
                        "No backup copy of the database could be made before the import:\n%1\n"
                        "The import was not run; the database has not been changed."))
                .arg(reason),
            Prompt::Icon::Error);
        return false;
    }
    removeOldCopies(file.absolutePath(), prefix + QLatin1Char('*') + suffix);
    return true;
}

void DatabaseBackup::removeOldCopies(const QString& folder, const QString& pattern)
{
    QStringList copies = QDir(folder).entryList({pattern}, QDir::Files, QDir::Name);
    while (copies.size() > KeptCopies)
        QFile::remove(QDir(folder).filePath(copies.takeFirst()));
}
