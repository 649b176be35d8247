#include "CliCommand.h"
#include "CliDataDirectory.h"

#include "AppContext.h"
#include "CRezeptView.h"

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

    CRezeptView list(context, prompt);
    list.runSearch(criteria);
    const GridModel& grid = list.grid();
    for (int row = CRezeptView::HeadingRow + 1; row < grid.rowCount(); ++row) {
        printFields(io.out,
                    {QStringLiteral("case"), grid.text(row, CRezeptView::KeyColumn),
                     grid.text(row, CRezeptView::OwnerColumn), grid.text(row, CRezeptView::PatientColumn),
                     grid.text(row, CRezeptView::DateColumn), grid.text(row, CRezeptView::TitleColumn)});
    }
    return 0;
}
