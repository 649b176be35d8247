#include "app/cli/CliCommand.h"
#include "app/cli/CliDataDirectory.h"

#include "db/AppContext.h"
#include "db/DatabaseBackup.h"

#include <QFile>

#include <ostream>

int runBackupCommand(const CliArgs& args, CliIo& io)
{
    if (args.size() != 1) {
        io.err << "usage: mensoly-cli backup FILE\n";
        return 2;
    }
    AppContext context;
    StderrPrompt prompt(io.err);
    if (!openCurrentDataDirectory(context, prompt))
        return 1;
    DatabaseBackup backup(context, prompt);
    if (!backup.canWriteCopy())
        return 1;
    return backup.writeTo(QFile::decodeName(args[0].c_str())) ? 0 : 1;
}
