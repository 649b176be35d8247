#include "app/DataDirectory.h"

#include "app/ApplicationStartup.h"
#include "app/StartupTexts.h"
#include "db/ConnectionString.h"
#include "db/DatabaseCreator.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>

QString DataDirectory::userLocation()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Mensoly");
}

QString DataDirectory::systemLanguage()
{
    return QLocale::system().language() == QLocale::German ? Lang::German : Lang::English;
}

bool DataDirectory::holdsData(const QString& directory)
{
    if (QFileInfo::exists(ConnectionString::databasePath(directory)))
        return true;
    // Only a server's settings stand for a database: an INI holding just the
    // workstation's language leaves the folder without one.
    const ApplicationStartup::DatabaseSettings settings =
        ApplicationStartup::readDatabaseSettings(directory, Lang::English);
    return settings.error.isEmpty() &&
           settings.backend == ApplicationStartup::DatabaseSettings::Backend::PostgreSql;
}

DataDirectory::Entered DataDirectory::enter(const QString& given, const QString& fallback,
                                            const QString& code)
{
    Entered result;
    QString path;
    if (!given.isEmpty()) {
        const QFileInfo info(given);
        if (!info.isDir()) {
            result.error = StartupTexts::DataDirectoryMissing.in(code).arg(QDir::toNativeSeparators(given));
            return result;
        }
        path = info.absoluteFilePath();
    } else if (fallback.isEmpty() || holdsData(QDir::currentPath())) {
        path = QDir::currentPath();
    } else {
        path = QFileInfo(fallback).absoluteFilePath();
        if (!holdsData(path)) {
            if (!QDir().mkpath(path)) {
                result.error =
                    StartupTexts::DataDirectoryNotCreated.in(code).arg(QDir::toNativeSeparators(path));
                return result;
            }
            // The creator refuses an existing file and leaves none behind
            // when it fails, so a half-made database never stays to be reused.
            const QString database = ConnectionString::databasePath(path);
            QString reason;
            if (!DatabaseCreator::create(database, &reason)) {
                result.error = StartupTexts::DatabaseNotCreated.in(code).arg(database, reason);
                return result;
            }
            result.created = true;
        }
    }
    if (!QDir::setCurrent(path)) {
        result.error = StartupTexts::DataDirectoryNotEntered.in(code).arg(QDir::toNativeSeparators(path));
        return result;
    }
    result.path = QDir::currentPath();
    return result;
}
