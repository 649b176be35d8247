#include "app/cli/CliCommand.h"

#include "app/DataDirectory.h"
#include "app/Version.h"

#include <QByteArrayView>

#include <ostream>
#include <string_view>

const std::vector<CliCommand>& cliCommands()
{
    static const std::vector<CliCommand> commands = {
        {"initdb",
         "initdb [--postgresql CONNINFO]\n"
         "                         create MensolyVers3.mdb here, or the tables of an empty PostgreSQL\n"
         "                         database, from the shipped system data",
         &runInitDbCommand},
        {"migrate",
         "migrate --to CONNINFO  copy the database here into an empty PostgreSQL database, in one transaction",
         &runMigrateCommand},
        {"upgrade",
         "upgrade                bring the database here (a file, or the server database of Mensoly.ini)\n"
         "                         to this program's schema version and shipped feedstuffs",
         &runUpgradeCommand},
        {"formula", "formula                evaluate formulas read from standard input, one per line",
         &runFormulaCommand},
        {"case",
         "case ID [--pdf FILE] [--per kcal|dm] [--csv FILE] | new\n"
         "                         open stored case ID as the case window does and print its figures\n"
         "                         (daily, or per 1000 kcal ME or per kg dry matter of the ration),\n"
         "                         also into a CSV file, or enter a case from standard input and save it",
         &runCaseCommand},
        {"visit",
         "visit ID               make the patient's next visit from stored case ID with the header lines\n"
         "                         read from standard input (at least the actual weight) and save it",
         &runVisitCommand},
        {"history",
         "history ID             the visits of the patient of stored case ID: weights, their change, the\n"
         "                         energy really needed, the flags and the next check",
         &runHistoryCommand},
        {"balance",
         "balance ID [--lock KEY]... [--complete] [--exclude KEY]... [--days N]\n"
         "                         propose daily amounts for the ration of stored case ID, keeping the\n"
         "                         amounts of the locked feedstuffs; with --complete, add shipped\n"
         "                         supplements (not those excluded) and a premix for N days (default\n"
         "                         30); the case is not changed",
         &runBalanceCommand},
        {"feedcalc", "feedcalc               derived figures of feedstuff contents read from standard input",
         &runFeedCalcCommand},
        {"recipe",
         "recipe ID [--meals N] [--days N] [--lang de|en] [--pdf FILE]\n"
         "                         the recipe page's grid for stored case ID, or printed into a PDF\n"
         "                         file, for N meals a day, a batch of N days or in another language",
         &runRecipeCommand},
        {"chart",
         "chart ID coverage|growth|weight [--rate R] [--pdf FILE]\n"
         "                         a chart page's chart for stored case ID, or printed into a PDF file",
         &runChartCommand},
        {"report",
         "report ID --pdf FILE [--lang de|en]\n"
         "                         the case report of stored case ID (letterhead, case, ration, nutrients,\n"
         "                         charts) as a PDF/A file, in the user's language or the one given",
         &runReportCommand},
        {"cases",
         "cases [--species K] [--sex K] [--owner TEXT] [--patient TEXT] [--title TEXT] [--first N]\n"
         "                         search the stored cases as the case list does (its first N rows)",
         &runCasesCommand},
        {"feeds",
         "feeds --case-type K [--category K] [--type K] [--search TEXT]\n"
         "                         the ration page's category, type and feedstuff lists",
         &runFeedsCommand},
        {"feed",
         "feed show ID | save [ID] | copy ID | delete ID --yes\n"
         "                         the feedstuff editor: show, save from standard input, copy or delete",
         &runFeedCommand},
        {"table",
         "table list | show ID [--filter VALUE]\n"
         "                         the system data editor: the tables offered, one table's columns and rows",
         &runTableCommand},
        {"export", "export FILE            write the system tables into an exchange file", &runExportCommand},
        {"import",
         "import FILE            replace the system tables by an exchange file's, in one transaction",
         &runImportCommand},
        {"import-legacy",
         "import-legacy FILE     take over the own feedstuffs of a Mensoly 2.0 database (Darire32.mdb)",
         &runImportLegacyCommand},
        {"backup", "backup FILE            write a consistent copy of the database into FILE",
         &runBackupCommand},
        {"practice",
         "practice [set FIELD VALUE | logo FILE | logo --remove]\n"
         "                         the letterhead of the handouts: print its fields (name, address1,\n"
         "                         address2, phone, email, web) and the logo's format, store one field,\n"
         "                         or store or remove the logo (a PNG, JPEG or SVG file of 2 MB at most)",
         &runPracticeCommand},
        {"check",
         "check [--repair]       check the database: its integrity, schema version and indexes, rows\n"
         "                         without their case or feedstuff, key counters and formulas; with\n"
         "                         --repair, copy it and rebuild indexes and raise key counters",
         &runCheckCommand},
    };
    return commands;
}

static void printUsage(std::ostream& os)
{
    os << "usage: mensoly-cli [--data-dir DIR] COMMAND [ARGS]\n"
          "       mensoly-cli --version\n\n"
          "The commands work in DIR, else in the current directory when it holds MensolyVers3.mdb or a\n"
          "Mensoly.ini naming a server, else in ~/.local/share/Mensoly.\n\ncommands:\n";
    for (const CliCommand& command : cliCommands())
        os << "  " << command.usage << "\n";
}

int runCli(const CliArgs& commandLine, CliIo& io, const QString& fallback)
{
    if (!commandLine.empty() && commandLine.front() == "--version") {
        io.out << "mensoly-cli " << ProgramVersion << "\n";
        return 0;
    }
    QString given;
    CliArgs argv = commandLine;
    if (!argv.empty() && argv.front() == "--data-dir") {
        if (argv.size() < 2 || argv[1].empty()) {
            io.err << "mensoly-cli: --data-dir needs a directory\n";
            return 2;
        }
        given = QString::fromStdString(argv[1]);
        argv.erase(argv.begin(), argv.begin() + 2);
    }
    if (argv.empty() || argv.front() == "--help" || argv.front() == "-h" || argv.front() == "help") {
        printUsage(argv.empty() ? io.err : io.out);
        return argv.empty() ? 2 : 0;
    }
    for (const CliCommand& command : cliCommands()) {
        if (argv.front() != command.name)
            continue;
        // The commands read their arguments as UTF-8; other bytes would turn
        // into other characters, so a file name would name another file.
        for (size_t i = 1; i < argv.size(); ++i) {
            if (!QByteArrayView(argv[i].data(), qsizetype(argv[i].size())).isValidUtf8()) {
                io.err << "mensoly-cli " << command.name << ": argument " << i << " is not valid UTF-8\n";
                return 1;
            }
        }
        // The command runs in its data directory; a folder made for it is told once.
        const DataDirectory::Entered entered =
            DataDirectory::enter(given, std::string_view(command.name) == "initdb" ? QString() : fallback,
                                 DataDirectory::systemLanguage());
        if (!entered.error.isEmpty()) {
            io.err << "mensoly-cli: " << entered.error.toStdString() << "\n";
            return 1;
        }
        if (entered.created)
            io.err << "mensoly-cli: created " << entered.path.toStdString() << "\n";
        return command.run(CliArgs(argv.begin() + 1, argv.end()), io);
    }
    io.err << "mensoly-cli: unknown command '" << argv.front() << "'\n";
    printUsage(io.err);
    return 2;
}
