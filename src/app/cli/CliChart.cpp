#include "app/cli/CliCommand.h"
#include "app/cli/CliDataDirectory.h"

#include "db/AppContext.h"
#include "output/CaseHeaderTexts.h"
#include "output/CoveragePage.h"
#include "output/GrowthPage.h"
#include "output/WeightCheckPage.h"
#include "ration/CaseHeaderForm.h"
#include "ui/gui/ChartPrinter.h"

#include <memory>
#include <ostream>

namespace {

QString number(double value)
{
    return QString::number(value, 'g', 6);
}

QString value(const ChartModel& chart, int series, int category)
{
    const std::optional<double> v = chart.value(series, category);
    return v ? number(*v) : QString();
}

// Coverage points end with the maximum in percent of the requirement
// (empty without one) and "incomplete" for a hatched bar.
void printChart(std::ostream& out, const ChartModel& chart, bool withLimits)
{
    printFields(out, {QStringLiteral("title"), chart.title()});
    printFields(out, {QStringLiteral("axis"), number(chart.axisMin()), number(chart.axisMax()),
                      number(chart.axisStep())});
    printFields(out, {QStringLiteral("captions"), chart.categoryAxisCaption(), chart.valueAxisCaption()});
    for (int c = 0; c < chart.categoryCount(); ++c) {
        QStringList fields{QStringLiteral("point"), chart.categories().at(c), value(chart, 0, c),
                           value(chart, 1, c)};
        if (withLimits) {
            const std::optional<double> maximum = chart.marker(c);
            fields << (maximum ? number(*maximum) : QString())
                   << (chart.isHatched(0, c) ? QStringLiteral("incomplete") : QString());
        }
        printFields(out, fields);
    }
}

int usage(CliIo& io, const std::string& error)
{
    if (!error.empty())
        io.err << "mensoly-cli chart: " << error << "\n";
    io.err << "usage: mensoly-cli chart ID coverage|growth|weight [--rate R] [--pdf FILE]\n";
    return 2;
}

} // namespace

int runChartCommand(const CliArgs& args, CliIo& io)
{
    if (args.size() < 2)
        return usage(io, std::string());
    bool isNumber = false;
    QString::fromStdString(args[0]).toLong(&isNumber);
    const std::string& kind = args[1];
    if (!isNumber)
        return usage(io, "the case key must be a number");
    if (kind != "coverage" && kind != "growth" && kind != "weight")
        return usage(io, "unknown chart '" + kind + "'");
    std::map<std::string, QString> options;
    std::string error;
    const std::vector<std::string> known =
        kind == "weight" ? std::vector<std::string>{"rate", "pdf"} : std::vector<std::string>{"pdf"};
    if (!readOptions(CliArgs(args.begin() + 2, args.end()), known, options, error))
        return usage(io, error);
    QString pdf;
    if (!readPdfOption(options, io, pdf))
        return 2;
    CliStoredCase stored(io.err);
    if (!stored.open("chart", args[0]))
        return 1;
    AppContext& context = stored.context();
    CaseHeaderForm& form = stored.form();

    const FormHeaderTexts texts(form);
    const QString language = context.languageCode();
    std::unique_ptr<ChartPage> page;
    WeightCheckPage* weight = nullptr;
    if (kind == "coverage") {
        auto coverage = std::make_unique<CoveragePage>(language, texts, form.ration().model());
        coverage->build();
        page = std::move(coverage);
    } else if (kind == "growth") {
        auto growth = std::make_unique<GrowthPage>(language, texts);
        growth->build();
        page = std::move(growth);
    } else {
        auto check = std::make_unique<WeightCheckPage>(language, texts);
        // The case's stored rate unless --rate gives one.
        check->keepFiguresIn(form.weightCheck());
        if (options.count("rate"))
            check->setRateText(options["rate"]);
        check->build();
        weight = check.get();
        page = std::move(check);
    }

    if (!page->hasChart()) {
        io.err << "mensoly-cli chart: no chart, the current weight is empty or not above 0\n";
        return 0;
    }
    printChart(io.out, page->chart(), kind == "coverage");
    // The overweight, then the weekly rate the curve was drawn with.
    if (weight)
        printFields(io.out, {QStringLiteral("overweight"), weight->overweightText(), weight->rateText()});
    if (!pdf.isEmpty() && !ChartPrinter::printToPdf(page->chartToDraw(), pdf)) {
        io.err << "mensoly-cli chart: cannot write " << pdf.toStdString() << "\n";
        return 1;
    }
    return 0;
}
