#include "app/cli/CliCommand.h"
#include "app/cli/CliDataDirectory.h"

#include "db/AppContext.h"
#include "output/CaseList.h"

#include <ostream>

int runCasesCommand(const CliArgs& args, CliIo& io)
{
    std::map<std::string, QString> options;
    std::string error;
    if (!readOptions(args, {"species", "sex", "owner", "patient", "title"}, options, error)) {
        io.err << "mensoly-cli cases: " << error << "\n"
               << "usage: mensoly-cli cases [--species K] [--sex K] [--owner TEXT] [--patient TEXT] [--title "
                  "TEXT]\n";
        return 2;
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

    CaseList list(context, prompt);
    list.runSearch(criteria);
    const GridModel& grid = list.grid();
    for (int row = CaseList::HeadingRow + 1; row < grid.rowCount(); ++row) {
        printFields(io.out, {QStringLiteral("case"), grid.text(row, CaseList::KeyColumn),
                             grid.text(row, CaseList::OwnerColumn), grid.text(row, CaseList::PatientColumn),
                             grid.text(row, CaseList::DateColumn), grid.text(row, CaseList::TitleColumn)});
    }
    return 0;
}
