#include "app/cli/CliCommand.h"
#include "app/cli/CliDataDirectory.h"

#include "db/AppContext.h"
#include "output/CaseList.h"

#include <limits>
#include <ostream>

int runCasesCommand(const CliArgs& args, CliIo& io)
{
    std::map<std::string, QString> options;
    std::string error;
    if (!readOptions(args, {"species", "sex", "owner", "patient", "title", "first"}, options, error)) {
        io.err << "mensoly-cli cases: " << error << "\n"
               << "usage: mensoly-cli cases [--species K] [--sex K] [--owner TEXT] [--patient TEXT] [--title "
                  "TEXT] [--first N]\n";
        return 2;
    }
    int first = std::numeric_limits<int>::max();
    if (options.count("first")) {
        bool isNumber = false;
        first = options["first"].toInt(&isNumber);
        if (!isNumber || first < 0) {
            io.err << "mensoly-cli cases: --first takes a number of rows\n";
            return 2;
        }
    }
    // Keys as the search bar hands them over: -1 when none is chosen.
    CaseSearchCriteria criteria;
    for (const char* name : {"species", "sex"}) {
        const auto it = options.find(name);
        if (it == options.end())
            continue;
        bool isNumber = false;
        it->second.toLong(&isNumber);
        if (!isNumber) {
            io.err << "mensoly-cli cases: --" << name << " takes a number\n";
            return 2;
        }
    }
    criteria.species = options.count("species") ? options["species"] : QStringLiteral("-1");
    criteria.sex = options.count("sex") ? options["sex"] : QStringLiteral("-1");
    criteria.owner = options["owner"];
    criteria.patient = options["patient"];
    criteria.title = options["title"];

    AppContext context;
    StderrPrompt prompt(io.err);
    if (!openCurrentDataDirectory(context, prompt))
        return 1;

    // The rows arrive as a view scrolling down would read them.
    CaseList list(context, prompt);
    list.runSearch(criteria);
    for (int row = 0; row < first; ++row) {
        if (row == list.caseCount()) {
            if (!list.canFetchMore({}))
                break;
            list.fetchMore({});
            if (row == list.caseCount())
                break;
        }
        printFields(io.out, {QStringLiteral("case"), list.text(row, CaseList::KeyColumn),
                             list.text(row, CaseList::OwnerColumn), list.text(row, CaseList::PatientColumn),
                             list.text(row, CaseList::DateColumn), list.text(row, CaseList::TitleColumn)});
    }
    // A failed search is told on standard error, not printed as no cases.
    return list.hasFailed() ? 1 : 0;
}
