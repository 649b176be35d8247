#pragma once

#include <QString>

#include <iosfwd>
#include <string>
#include <vector>

// One subcommand of mensoly-cli. Commands take their arguments without the
// command name, read standard input and write to the two streams, and return
// the process exit status.
struct CliIo
{
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
};

using CliArgs = std::vector<std::string>;
using CliCommandFn = int (*)(const CliArgs& args, CliIo& io);

struct CliCommand
{
    const char* name;
    const char* usage;
    CliCommandFn run;
};

// Every subcommand, in the order the help text lists them.
const std::vector<CliCommand>& cliCommands();

// The whole command line: --version, or [--data-dir DIR] COMMAND [ARGS]. The
// command runs in its data directory (DataDirectory::enter): DIR, else the
// current directory when it holds the program's data, else fallback, which
// is created with a database when it holds none. initdb creates here or in
// DIR, never in fallback; with fallback empty the current directory is kept.
int runCli(const CliArgs& argv, CliIo& io, const QString& fallback = QString());

// The subcommands, each in its own file.
int runInitDbCommand(const CliArgs& args, CliIo& io);
int runFormulaCommand(const CliArgs& args, CliIo& io);
int runCaseCommand(const CliArgs& args, CliIo& io);
// "case new": the arguments after "new".
int runCaseNewCommand(const CliArgs& args, CliIo& io);
// "visit ID": the patient's next visit from a stored case.
int runVisitCommand(const CliArgs& args, CliIo& io);
int runHistoryCommand(const CliArgs& args, CliIo& io);
int runFeedCalcCommand(const CliArgs& args, CliIo& io);
int runRecipeCommand(const CliArgs& args, CliIo& io);
int runChartCommand(const CliArgs& args, CliIo& io);
int runReportCommand(const CliArgs& args, CliIo& io);
int runCasesCommand(const CliArgs& args, CliIo& io);
int runFeedsCommand(const CliArgs& args, CliIo& io);
int runFeedCommand(const CliArgs& args, CliIo& io);
int runTableCommand(const CliArgs& args, CliIo& io);
int runExportCommand(const CliArgs& args, CliIo& io);
int runImportCommand(const CliArgs& args, CliIo& io);
int runImportLegacyCommand(const CliArgs& args, CliIo& io);
int runBackupCommand(const CliArgs& args, CliIo& io);
int runCheckCommand(const CliArgs& args, CliIo& io);
int runMigrateCommand(const CliArgs& args, CliIo& io);
int runUpgradeCommand(const CliArgs& args, CliIo& io);
// Opens the database file at path for writing, which brings it to the
// current schema version; 0, or 1 after saying why on io.err. With print,
// says what changed on io.out.
int upgradeDatabaseFile(const QString& path, const char* command, CliIo& io, bool print);
int runBalanceCommand(const CliArgs& args, CliIo& io);
int runPracticeCommand(const CliArgs& args, CliIo& io);
