#include "app/cli/CliCommand.h"

#include "app/ApplicationStartup.h"
#include "core/Lang.h"
#include "db/ConnectionString.h"
#include "db/DatabaseCreator.h"
#include "db/PostgresConninfo.h"
#include "db/PostgresDatabaseCreator.h"

#include <QDir>

#include <ostream>

namespace {

int createOnServer(const QString& conninfo, CliIo& io)
{
    PostgresConninfo names;
    QString error;
    if (!names.parse(conninfo, &error) || !PostgresDatabaseCreator::create(conninfo, &error)) {
        io.err << "mensoly-cli initdb: " << error.toStdString() << "\n";
        return 1;
    }
    io.out << "created " << names.place(QStringLiteral("local")).toStdString() << "\n";
    return 0;
}

} // namespace

int runInitDbCommand(const CliArgs& args, CliIo& io)
{
    if (args.size() == 2 && args[0] == "--postgresql")
        return createOnServer(QString::fromStdString(args[1]), io);
    if (!args.empty()) {
        io.err << "usage: mensoly-cli initdb [--postgresql CONNINFO]\n";
        return 2;
    }
    // A workstation folder whose settings name a server would get a file
    // nothing uses.
    if (ApplicationStartup::readDatabaseSettings(QDir::currentPath(), Lang::English).backend ==
        ApplicationStartup::DatabaseSettings::Backend::PostgreSql) {
        io.err << "mensoly-cli initdb: Mensoly.ini here names a PostgreSQL database; create its tables with "
                  "'mensoly-cli initdb --postgresql CONNINFO'\n";
        return 1;
    }
    const QString path = ConnectionString::databasePath(QDir::currentPath());
    if (QFileInfo::exists(path)) {
        io.err << "mensoly-cli initdb: " << path.toStdString()
               << " exists already; remove or move it to create a new database\n";
        return 1;
    }
    QString error;
    if (!DatabaseCreator::create(path, &error)) {
        io.err << "mensoly-cli initdb: " << error.toStdString() << "\n";
        return 1;
    }
    io.out << "created " << path.toStdString() << "\n";
    return 0;
}
