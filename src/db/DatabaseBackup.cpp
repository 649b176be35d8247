#include "db/DatabaseBackup.h"

#include "core/Prompt.h"
#include "db/AppContext.h"
#include "db/DatabaseTexts.h"

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

bool DatabaseBackup::isOnServer() const
{
    const DbBackend* backend = m_context.db().backend();
    return backend && backend->databaseFile().isEmpty();
}

bool DatabaseBackup::canWriteCopy()
{
    if (!isOnServer())
        return true;
    m_prompt.message(DatabaseTexts::NoCopyOfServerDatabase.in(m_context.languageCode()),
                     Prompt::Icon::Information);
    return false;
}

bool DatabaseBackup::copyTo(const QString& path, QString& reason)
{
    DbBackend* backend = m_context.db().backend();
    if (!backend) {
        reason = DatabaseTexts::NoDatabaseOpen.in(m_context.languageCode());
        return false;
    }
    const QString database = backend->databaseFile();
    if (database.isEmpty()) {
        reason = DatabaseTexts::BackedUpOnServer.in(m_context.languageCode());
        return false;
    }
    const QFileInfo target(path);
    if (target.exists() && target.canonicalFilePath() == QFileInfo(database).canonicalFilePath()) {
        reason = DatabaseTexts::CopyIsOpenDatabase.in(m_context.languageCode());
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
        reason = DatabaseTexts::NoFileName.in(m_context.languageCode());
    } else if (copyTo(path, reason)) {
        m_prompt.message(DatabaseTexts::BackupMade.in(m_context.languageCode()).arg(m_lastCopy),
                         Prompt::Icon::Information);
        return true;
    }
    m_prompt.message(DatabaseTexts::BackupFailed.in(m_context.languageCode())
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
        m_prompt.message((before == Before::Repair
                              ? DatabaseTexts::NoBackupBeforeRepair.in(m_context.languageCode())
                              : DatabaseTexts::NoBackupBeforeImport.in(m_context.languageCode()))
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
