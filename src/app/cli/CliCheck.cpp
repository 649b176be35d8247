#include "app/cli/CliCommand.h"
#include "app/cli/CliDataDirectory.h"

#include "db/AppContext.h"
#include "ration/ProgramChecks.h"

#include <ostream>

namespace {

// The findings, one line each, then "ok" or the number of problems.
void print(const DatabaseCheck& check, const QList<DatabaseCheck::Finding>& findings, std::ostream& out)
{
    for (const DatabaseCheck::Finding& finding : findings)
        out << check.line(finding).toStdString() << "\n";
    const int problems = DatabaseCheck::problemCount(findings);
    if (problems == 0)
        out << "ok\n";
    else
        out << problems << (problems == 1 ? " problem\n" : " problems\n");
}

} // namespace

int runCheckCommand(const CliArgs& args, CliIo& io)
{
    if (args.size() > 1 || (args.size() == 1 && args[0] != "--repair")) {
        io.err << "usage: mensoly-cli check [--repair]\n";
        return 2;
    }
    const bool repair = args.size() == 1;
    AppContext context;
    StderrPrompt prompt(io.err);
    // A file that does not open, or is no database, cannot be checked at all.
    if (!openCurrentDataDirectory(context, prompt))
        return 2;
    DatabaseCheck check(context, ProgramChecks::all());
    QList<DatabaseCheck::Finding> findings = check.run();
    print(check, findings, io.out);
    if (!repair || !DatabaseCheck::anyRepairable(findings))
        return DatabaseCheck::problemCount(findings) == 0 ? 0 : 1;

    QStringList failed;
    // Without its copy the repair does not run; the prompt said why.
    if (!check.repair(findings, prompt, &failed))
        return 1;
    if (!check.backupFile().isEmpty())
        printFields(io.out, {QStringLiteral("backup"), check.backupFile()});
    for (const DatabaseCheck::Finding& finding : findings) {
        if (finding.repairable) {
            const QString what = check.entries()[finding.entry].what;
            printFields(
                io.out,
                {failed.contains(what) ? QStringLiteral("not repaired") : QStringLiteral("repaired"), what});
        }
    }
    findings = check.run();
    print(check, findings, io.out);
    return DatabaseCheck::problemCount(findings) == 0 && failed.isEmpty() ? 0 : 1;
}
