#include "app/cli/CliCommand.h"
#include "app/cli/CliDataDirectory.h"

#include "db/AppContext.h"
#include "ration/CaseHeaderForm.h"
#include "ration/NutrientColumns.h"
#include "ration/RationBasis.h"
#include "ration/RationPage.h"
#include "ui/gui/GridPrinter.h"

#include <ostream>

namespace {

QString cell(const GridModel& grid, int row, int column)
{
    return grid.text(row, column).trimmed();
}

void printHeader(std::ostream& out, const CaseHeaderForm& form, const CaseHeaderLabels& labels)
{
    const QString condition = form.ribsPalpable()     ? labels.ribsPalpable
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

// Daily, the figures are the grid's cells as the page shows them; in another
// basis the nutrient and feed lines give the converted ones, while marks,
// names and amounts stay the grid's.
void printGrids(std::ostream& out, RationCalculation& ration, const RationFigures& figures,
                const std::vector<NutrientCheck>& nutrientChecks,
                const std::vector<NutrientCheck>& indicatorChecks)
{
    using namespace NutrientColumns;
    const GridModel& grid = ration.rationGrid();
    for (int c = FirstColumn; c < grid.columnCount(); ++c) {
        const RationFigures::Nutrient& nutrient = figures.nutrients[size_t(c - FirstColumn)];
        const NutrientCheck& check = nutrientChecks[size_t(c - FirstColumn)];
        const int places = nutrient.decimals;
        const bool daily = figures.basis == RationFigures::Basis::Daily;
        printFields(
            out, {QStringLiteral("nutrient"), cell(grid, KeyRow, c), cell(grid, NameRow, c),
                  daily ? cell(grid, UnitRow, c) : nutrient.unit,
                  daily ? cell(grid, RequirementRow, c) : RationFigures::text(nutrient.requirement, places),
                  daily ? cell(grid, SupplyRow, c) : RationFigures::text(nutrient.supply, places),
                  cell(grid, MarkRow, c), RationFigures::text(nutrient.maximum, places), check.flagsText()});
    }
    for (int row = FirstFeedRow; row < grid.rowCount(); ++row) {
        QStringList fields{QStringLiteral("feed"), cell(grid, row, RationGrids::KeyColumn),
                           cell(grid, row, RationGrids::NameColumn),
                           cell(grid, row, RationGrids::AmountColumn)};
        for (int c = FirstColumn; c < grid.columnCount(); ++c) {
            const RationFigures::Nutrient& nutrient = figures.nutrients[size_t(c - FirstColumn)];
            fields << (figures.basis == RationFigures::Basis::Daily
                           ? cell(grid, row, c)
                           : RationFigures::text(nutrient.contributions[size_t(row - FirstFeedRow)],
                                                 nutrient.decimals));
        }
        printFields(out, fields);
    }
    const GridModel& profile = ration.profileGrid();
    for (int c = FirstColumn; c < profile.columnCount(); ++c) {
        const NutrientCheck& check = indicatorChecks[size_t(c - FirstColumn)];
        printFields(out, {QStringLiteral("indicator"), cell(profile, KeyRow, c), cell(profile, NameRow, c),
                          cell(profile, UnitRow, c), cell(profile, RequirementRow, c),
                          cell(profile, MarkRow, c), check.maximumText, check.flagsText()});
    }
}

} // namespace

int runCaseCommand(const CliArgs& args, CliIo& io)
{
    if (!args.empty() && args[0] == "new")
        return runCaseNewCommand(CliArgs(args.begin() + 1, args.end()), io);
    bool isNumber = false;
    if (!args.empty())
        QString::fromStdString(args[0]).toLong(&isNumber);
    std::map<std::string, QString> options;
    std::string error;
    const bool optionsRead =
        isNumber && readOptions(CliArgs(args.begin() + 1, args.end()), {"pdf", "per"}, options, error);
    const QString per = options.count("per") ? options["per"] : QString();
    if (optionsRead && options.count("per") && per != QLatin1String("kcal") && per != QLatin1String("dm"))
        error = "--per takes kcal or dm";
    if (!optionsRead || !error.empty()) {
        if (!error.empty())
            io.err << "mensoly-cli case: " << error << "\n";
        io.err << "usage: mensoly-cli case ID [--pdf FILE] [--per kcal|dm] | new\n";
        return 2;
    }
    const RationFigures::Basis basis = per == QLatin1String("kcal") ? RationFigures::Basis::PerThousandKcal
                                       : per == QLatin1String("dm")
                                           ? RationFigures::Basis::PerKilogramDryMatter
                                           : RationFigures::Basis::Daily;
    QString pdf;
    if (!readPdfOption(options, io, pdf))
        return 2;
    CliStoredCase stored(io.err);
    if (!stored.open("case", QString::fromStdString(args[0]).trimmed().toStdString()))
        return 1;
    AppContext& context = stored.context();
    CaseHeaderForm& form = stored.form();
    const std::vector<NutrientMaximum> maxima = NutrientMaxima::forCase(context, form);
    const std::vector<NutrientCheck> nutrientChecks =
        RationLimits::checkNutrients(form.ration().rationGrid(), maxima);
    const std::optional<RationFigures> figures = RationBasis::inBasis(
        RationBasis::dailyFigures(form.ration().rationGrid(), nutrientChecks), basis, context.languageCode());
    if (!figures) {
        io.err << "mensoly-cli case: the ration supplies no "
               << (basis == RationFigures::Basis::PerThousandKcal ? "energy" : "dry matter")
               << " to give its figures per\n";
        return 1;
    }
    printHeader(io.out, form, form.labels());
    printGrids(io.out, form.ration(), *figures, nutrientChecks,
               RationLimits::checkIndicators(form.ration().profileGrid(), maxima));

    // As the ration page's "Print": both grids under the heading of the case.
    if (!pdf.isEmpty()) {
        RationPage page(context, stored.prompt(), form);
        const std::vector<const GridModel*> grids = {&form.ration().rationGrid(),
                                                     &form.ration().profileGrid()};
        if (!GridPrinter::printToPdf(grids, page.printHeading(), pdf)) {
            io.err << "mensoly-cli case: cannot write " << pdf.toStdString() << "\n";
            return 1;
        }
    }
    return 0;
}
