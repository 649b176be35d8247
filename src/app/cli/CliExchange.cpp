#include "app/cli/CliCommand.h"
#include "app/cli/CliDataDirectory.h"

#include "db/AppContext.h"
#include "exchange/LegacyFeedImport.h"
#include "exchange/SystemTableExchange.h"

#include <ostream>

namespace {

// Both imports end completed (0), with nothing changed (1) or completed with
// refused or skipped records (2).
template <typename Outcome> int exitStatus(Outcome outcome)
{
    if (outcome == Outcome::Completed)
        return 0;
    return outcome == Outcome::NothingChanged ? 1 : 2;
}

} // namespace

int runExportCommand(const CliArgs& args, CliIo& io)
{
    if (args.size() != 1) {
        io.err << "usage: mensoly-cli export FILE\n";
        return 2;
    }
    AppContext context;
    StderrPrompt prompt(io.err);
    if (!openCurrentDataDirectory(context, prompt))
        return 1;
    SystemTableExchange exchange(context, prompt);
    return exchange.exportTo(QString::fromStdString(args[0])) ? 0 : 1;
}

int runImportCommand(const CliArgs& args, CliIo& io)
{
    if (args.size() != 1) {
        io.err << "usage: mensoly-cli import FILE\n";
        return 2;
    }
    AppContext context;
    StderrPrompt prompt(io.err);
    if (!openCurrentDataDirectory(context, prompt))
        return 1;
    SystemTableExchange exchange(context, prompt);
    return exitStatus(exchange.importFrom(QString::fromStdString(args[0])));
}

int runImportLegacyCommand(const CliArgs& args, CliIo& io)
{
    // A wrong call changes nothing either; 2 is kept for skipped feedstuffs.
    if (args.size() != 1) {
        io.err << "usage: mensoly-cli import-legacy FILE\n";
        return 1;
    }
    AppContext context;
    StderrPrompt prompt(io.err);
    if (!openCurrentDataDirectory(context, prompt))
        return 1;
    LegacyFeedImport import(context, prompt);
    return exitStatus(import.importFrom(QString::fromStdString(args[0])));
}
