#include "app/cli/CliCommand.h"
#include "app/cli/CliDataDirectory.h"

#include "core/Codes.h"
#include "db/AppContext.h"
#include "ration/CaseHeaderForm.h"
#include "ration/RationBasis.h"
#include "ration/RationCsv.h"
#include "ration/RationPage.h"
#include "ui/gui/GridPrinter.h"

#include <QSaveFile>

#include <ostream>

namespace {

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

QString markText(const RationColumn& column)
{
    return column.marked ? QString(Codes::Mark) : QString();
}

// The ration's figures as the page shows them, daily or converted to
// another basis; marks, names and amounts are the same in every basis.
void printRation(std::ostream& out, const RationModel& ration, const RationFigures& figures)
{
    for (size_t c = 0; c < ration.nutrients.size(); ++c) {
        const RationColumn& column = ration.nutrients[c];
        const RationFigures::Nutrient& nutrient = figures.nutrients[c];
        const int places = nutrient.decimals;
        printFields(out, {QStringLiteral("nutrient"), QString::number(column.key), column.name.trimmed(),
                          nutrient.unit, RationFigures::text(nutrient.requirement, places),
                          RationFigures::text(nutrient.supply, places), markText(column),
                          RationFigures::text(nutrient.maximum, places), column.check.flagsText()});
    }
    for (size_t f = 0; f < ration.feeds.size(); ++f) {
        const RationFeed& feed = ration.feeds[f];
        QStringList fields{QStringLiteral("feed"), QString::number(feed.key), feed.name.trimmed(),
                           feed.amountText};
        for (const RationFigures::Nutrient& nutrient : figures.nutrients)
            fields << RationFigures::text(nutrient.contributions[f], nutrient.decimals);
        printFields(out, fields);
    }
    for (size_t c = 0; c < ration.indicators.size(); ++c) {
        const RationColumn& column = ration.indicators[c];
        const NutrientCheck& check = column.check;
        printFields(out, {QStringLiteral("indicator"), QString::number(column.key), column.name.trimmed(),
                          column.unit.trimmed(), column.shown(column.requirement), markText(column),
                          check.maximumText, check.flagsText()});
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
        isNumber && readOptions(CliArgs(args.begin() + 1, args.end()), {"pdf", "per", "csv"}, options, error);
    const QString per = options.count("per") ? options["per"] : QString();
    if (optionsRead && options.count("per") && per != QLatin1String("kcal") && per != QLatin1String("dm"))
        error = "--per takes kcal or dm";
    if (!optionsRead || !error.empty()) {
        if (!error.empty())
            io.err << "mensoly-cli case: " << error << "\n";
        io.err << "usage: mensoly-cli case ID [--pdf FILE] [--per kcal|dm] [--csv FILE] | new\n";
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
    const RationModel& ration = form.ration().model();
    const std::optional<RationFigures> figures =
        RationBasis::inBasis(RationBasis::dailyFigures(ration), basis, context.languageCode());
    if (!figures) {
        io.err << "mensoly-cli case: the ration supplies no "
               << (basis == RationFigures::Basis::PerThousandKcal ? "energy" : "dry matter")
               << " to give its figures per\n";
        return 1;
    }
    printHeader(io.out, form, form.labels());
    printRation(io.out, ration, *figures);

    // The ration for a spreadsheet, in the basis of the figures printed.
    if (options.count("csv")) {
        const QString csv = options["csv"];
        QSaveFile file(csv);
        if (csv.isEmpty() || !file.open(QIODevice::WriteOnly) ||
            file.write(RationCsv::file(ration, *figures, context.languageCode())) < 0 || !file.commit()) {
            io.err << "mensoly-cli case: cannot write " << csv.toStdString() << "\n";
            return 1;
        }
    }

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
