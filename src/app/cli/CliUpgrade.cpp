#include "app/cli/CliCommand.h"
#include "app/cli/CliDataDirectory.h"

#include "app/ApplicationStartup.h"
#include "core/Lang.h"
#include "db/ConnectionString.h"
#include "db/DatabaseCreator.h"
#include "db/PostgresDatabaseCreator.h"
#include "db/SchemaUpgrade.h"
#include "db/SqliteBackend.h"

#include <QDir>
#include <QFileInfo>

#include <sqlite3.h>

#include <ostream>

namespace {

void printReport(std::ostream& out, int from, int to, const ShippedFeedReport& report)
{
    if (from == to) {
        printFields(out, {QStringLiteral("current"), QString::number(to)});
        return;
    }
    printFields(out, {QStringLiteral("upgraded"), QString::number(from), QString::number(to)});
    printFields(out, {QStringLiteral("shipped"), QString::number(report.addedFeeds),
                      QString::number(report.changedFeeds), QString::number(report.addedContents),
                      QString::number(report.changedContents), QString::number(report.removedContents),
                      QString::number(report.addedRequirements)});
}

int fileVersion(const QString& path)
{
    sqlite3* db = nullptr;
    int version = -1;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK)
        version = SchemaUpgrade::schemaVersion(db);
    sqlite3_close_v2(db);
    return version;
}

} // namespace

int upgradeDatabaseFile(const QString& path, const char* command, CliIo& io, bool print)
{
    if (!QFileInfo(path).isFile()) {
        io.err << "mensoly-cli " << command << ": there is no database "
               << QDir::toNativeSeparators(path).toStdString() << "\n";
        return 1;
    }
    const int from = fileVersion(path);
    QString error;
    const std::unique_ptr<SqliteBackend> backend = SqliteBackend::open(path, false, {}, &error);
    const int to = backend ? SchemaUpgrade::schemaVersion(backend->handle()) : -1;
    if (to != DatabaseCreator::SchemaVersion) {
        io.err
            << "mensoly-cli " << command << ": "
            << (backend ? QStringLiteral("the file stays at schema version %1").arg(to) : error).toStdString()
            << "\n";
        return 1;
    }
    if (print)
        printReport(io.out, from, to, backend->upgradeReport());
    return 0;
}

// Brings the database of the data directory to this program's schema
// version: a file as any opening for writing does, a server database (which
// no workstation upgrades on its own) in one transaction as the role that
// owns its tables.
int runUpgradeCommand(const CliArgs& args, CliIo& io)
{
    if (!args.empty()) {
        io.err << "usage: mensoly-cli upgrade\n";
        return 2;
    }
    const QString directory = QDir::currentPath();
    const ApplicationStartup::DatabaseSettings settings =
        ApplicationStartup::readDatabaseSettings(directory, Lang::English);
    if (!settings.error.isEmpty()) {
        io.err << "mensoly-cli upgrade: " << settings.error.toStdString() << "\n";
        return 1;
    }
    if (settings.backend == ApplicationStartup::DatabaseSettings::Backend::Sqlite)
        return upgradeDatabaseFile(ConnectionString::databasePath(directory), "upgrade", io, true);
    PostgresDatabaseCreator::UpgradeResult result;
    QString error;
    if (!PostgresDatabaseCreator::upgrade(settings.conninfo, result, &error)) {
        io.err << "mensoly-cli upgrade: " << error.toStdString() << "; nothing was changed\n";
        return 1;
    }
    printReport(io.out, result.from, result.to, result.report);
    return 0;
}
