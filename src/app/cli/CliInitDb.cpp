#include "app/cli/CliCommand.h"

#include "db/ConnectionString.h"
#include "db/DatabaseCreator.h"

#include <QDir>

#include <ostream>

int runInitDbCommand(const CliArgs& args, CliIo& io)
{
    if (!args.empty()) {
        io.err << "usage: mensoly-cli initdb\n";
        return 2;
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
