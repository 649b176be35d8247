#include "app/cli/CliCommand.h"
#include "app/cli/CliDataDirectory.h"

#include "db/ConnectionString.h"
#include "db/PostgresDatabaseCreator.h"

#include <QDir>
#include <QFileInfo>

#include <ostream>

int runMigrateCommand(const CliArgs& args, CliIo& io)
{
    std::map<std::string, QString> options;
    std::string problem;
    if (!readOptions(args, {"to"}, options, problem) || !options.count("to")) {
        io.err << "mensoly-cli migrate: " << (problem.empty() ? "missing '--to CONNINFO'" : problem)
               << "\nusage: mensoly-cli migrate --to CONNINFO\n";
        return 2;
    }
    // The server gets the tables of the current version: an older file is
    // brought up to it first, as opening it in the program would.
    const QString path = ConnectionString::databasePath(QDir::currentPath());
    if (QFileInfo(path).isFile() && upgradeDatabaseFile(path, "migrate", io, false) != 0)
        return 1;
    std::vector<PostgresDatabaseCreator::CopiedTable> copied;
    QString error;
    if (!PostgresDatabaseCreator::migrate(path, options["to"], copied, &error)) {
        io.err << "mensoly-cli migrate: " << error.toStdString() << "; nothing was copied\n";
        return 1;
    }
    qint64 rows = 0;
    for (const auto& table : copied) {
        printFields(io.out, {table.table, QString::number(table.rows)});
        rows += table.rows;
    }
    printFields(io.out, {QStringLiteral("migrated"), QStringLiteral("%1 tables").arg(copied.size()),
                         QStringLiteral("%1 rows").arg(rows)});
    return 0;
}
