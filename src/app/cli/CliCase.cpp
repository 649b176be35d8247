#include "CliCommand.h"
#include "CliDataDirectory.h"

#include "AppContext.h"
#include "CRecordset.h"
#include "CRezeptForm.h"
#include "NutrientColumns.h"

#include <ostream>

namespace {

QString cell(const GridModel& grid, int row, int column)
{
    return grid.text(row, column).trimmed();
}

void printHeader(std::ostream& out, const CRezeptForm& form, const CaseHeaderLabels& labels)
{
    const QString condition = form.ribsPalpable() ? labels.ribsPalpable
                              : form.ribsFatCovered() ? labels.ribsFatCovered
                                                      : QString();
    const std::pair<const char*, QString> fields[] = {
        {"salutation", form.salutationList().currentText()},
        {"owner", form.ownerName()},
        {"patient", form.patientName()},
        {"breed", form.breedList().currentText()},
        {"species", form.speciesList().currentText()},
        {"sex", form.sexList().currentText()},
        {"case type", form.caseTypeList().currentText()},
        {"actual weight", form.actualWeight()},
        {"target weight", form.targetWeight()},
        {"adult weight", form.adultWeight()},
        {"energy", form.energyPercent()},
        {"puppies", form.puppies()},
        {"birth date", form.birthDateText()},
        {"age in weeks", form.ageWeeks()},
        {"body condition", condition},
        {"recipe date", form.recipeDate()},
        {"title", form.title()},
    };
    for (const auto& [name, value] : fields)
        printFields(out, {QStringLiteral("header"), QString::fromLatin1(name), value});
}

void printGrids(std::ostream& out, RationCalculation& ration)
{
    using namespace NutrientColumns;
    const GridModel& grid = ration.rationGrid();
    for (int c = FirstColumn; c < grid.columnCount(); ++c) {
        printFields(out, {QStringLiteral("nutrient"), cell(grid, KeyRow, c), cell(grid, NameRow, c), cell(grid, UnitRow, c),
                          cell(grid, RequirementRow, c), cell(grid, SupplyRow, c), cell(grid, MarkRow, c)});
    }
    for (int row = HeaderRows; row < grid.rowCount(); ++row) {
        QStringList fields{QStringLiteral("feed"), cell(grid, row, RationGrids::KeyColumn),
                           cell(grid, row, RationGrids::NameColumn), cell(grid, row, RationGrids::AmountColumn)};
        for (int c = FirstColumn; c < grid.columnCount(); ++c)
            fields << cell(grid, row, c);
        printFields(out, fields);
    }
    const GridModel& profile = ration.profileGrid();
    for (int c = FirstColumn; c < profile.columnCount(); ++c) {
        printFields(out, {QStringLiteral("indicator"), cell(profile, KeyRow, c), cell(profile, NameRow, c),
                          cell(profile, UnitRow, c), cell(profile, RequirementRow, c), cell(profile, MarkRow, c)});
    }
}

} // namespace

int runCaseCommand(const CliArgs& args, CliIo& io)
{
    bool isNumber = false;
    const long key = args.size() == 1 ? QString::fromStdString(args[0]).toLong(&isNumber) : 0;
    if (!isNumber) {
        io.err << "usage: mensoly-cli case ID\n";
        return 2;
    }
    AppContext context;
    StderrPrompt prompt(io.err);
    if (!openCurrentDataDirectory(context, prompt))
        return 1;

    const QString caseKey = QString::number(key);
    {
        CRecordset rs;
        if (!rs.OpenRecordset(context.db(), QStringLiteral("SELECT ID FROM T_PAT_REZ WHERE ID = ") + caseKey) || rs.IsEOF()) {
            io.err << "mensoly-cli case: there is no case with the key " << key << "\n";
            return 1;
        }
    }

    // The same steps as a case window opening a stored case.
    CRezeptForm form(context, prompt);
    form.ration().BuildRationGrid();
    form.ration().BuildProfileGrid();
    form.setPendingCaseKey(caseKey);
    form.InitCaseForm();

    printHeader(io.out, form, form.labels());
    printGrids(io.out, form.ration());
    return 0;
}
