#include "app/cli/CliCommand.h"
#include "app/cli/CliDataDirectory.h"

#include "db/AppContext.h"
#include "exchange/LegacyFeedImport.h"
#include "exchange/SystemTableExchange.h"

#include <ostream>

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
    switch (exchange.importFrom(QString::fromStdString(args[0]))) {
    case SystemTableExchange::Outcome::Completed:
        return 0;
    case SystemTableExchange::Outcome::NothingChanged:
        return 1;
    case SystemTableExchange::Outcome::CompletedWithRefusals:
        break;
    }
    return 2;
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
    switch (import.importFrom(QString::fromStdString(args[0]))) {
    case LegacyFeedImport::Outcome::Completed:
        return 0;
    case LegacyFeedImport::Outcome::NothingChanged:
        return 1;
    case LegacyFeedImport::Outcome::CompletedWithSkipped:
        break;
    }
    return 2;
}
