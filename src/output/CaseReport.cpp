#include "output/CaseReport.h"

#include "core/DateText.h"
#include "core/NumberText.h"
#include "core/NutrientKey.h"
#include "db/AppContext.h"
#include "output/CaseHeaderTexts.h"
#include "output/CoveragePage.h"
#include "output/GrowthPage.h"
#include "output/RecipePage.h"
#include "output/ReportTexts.h"
#include "output/WeightCheckPage.h"
#include "ration/CaseHeaderForm.h"
#include "ration/CaseRecord.h"
#include "ration/RationModel.h"

#include <cmath>

namespace {

QString joined(const QString& first, const QString& second)
{
    return QStringList{first.trimmed(), second.trimmed()}.join(QLatin1Char(' ')).trimmed();
}

// A figure typed into the header with its unit; empty stays empty.
QString withUnit(const QString& typed, const QString& unit, const QString& code)
{
    const QString value = typed.trimmed();
    return value.isEmpty() ? QString() : NumberText::inLanguage(value, code) + QLatin1Char(' ') + unit;
}

CaseReport::Section caseSection(CaseHeaderForm& form, const QString& code)
{
    using namespace ReportTexts;
    CaseReport::Section section;
    section.heading = CaseSection.in(code);
    const QString kg = QStringLiteral("kg");
    std::vector<CaseReport::Field>& f = section.fields;
    f.push_back({Owner.in(code), joined(form.salutationList().currentText(), form.ownerName())});
    f.push_back({Patient.in(code), form.patientName().trimmed()});
    f.push_back({Species.in(code), form.speciesList().currentText().trimmed()});
    const QString sex = form.sexList().currentText().trimmed();
    const QString sexWord = RecipePage::sexWord(code, sex, code);
    f.push_back({Sex.in(code), sexWord.isEmpty() ? sex : sexWord});
    f.push_back({Breed.in(code), form.breedList().currentText().trimmed()});
    f.push_back({CaseType.in(code), form.caseTypeList().currentText().trimmed()});
    f.push_back({ActualWeight.in(code), withUnit(form.actualWeight(), kg, code)});
    if (form.targetWeightVisible())
        f.push_back({TargetWeight.in(code), withUnit(form.targetWeight(), kg, code)});
    if (form.adultWeightVisible())
        f.push_back({AdultWeight.in(code), withUnit(form.adultWeight(), kg, code)});
    f.push_back(
        {BirthDate.in(code), form.birthDate() ? DateText::forLanguage(*form.birthDate(), code) : QString()});
    f.push_back({EnergyFactor.in(code), withUnit(form.energyPercent(), QStringLiteral("%"), code)});
    const std::optional<QDateTime> recipeDate = DateText::parse(form.recipeDate());
    f.push_back({RecipeDate.in(code),
                 recipeDate ? DateText::forLanguage(recipeDate->date(), code) : form.recipeDate().trimmed()});
    f.push_back({RecipeTitle.in(code), form.title().trimmed()});
    return section;
}

// The ration's supply of the first of the keys it has a column for, with
// that column's unit and decimals.
QString suppliedFigure(const RationModel& ration, std::initializer_list<int> keys, const QString& code)
{
    for (int key : keys) {
        const RationColumn* column = ration.nutrient(key);
        if (!column)
            continue;
        if (!column->supply)
            break;
        return NumberText::inLanguage(column->shown(column->supply), code) + QLatin1Char(' ') +
               column->unit.trimmed();
    }
    return ReportTexts::NoFigure.in(code);
}

CaseReport::Section rationSection(const RationModel& ration, const QString& code)
{
    using namespace ReportTexts;
    CaseReport::Section section;
    section.heading = RationSection.in(code);
    section.table.heading = {Feedstuff.in(code), GramsPerDay.in(code)};
    double total = 0;
    for (const RationFeed& feed : ration.feeds) {
        section.table.rows.push_back(
            {{feed.name.trimmed(),
              feed.hasAmount() ? NumberText::inLanguage(NumberText::formatShortest(feed.grams, 0, 10), code)
                               : QString()}});
        total += feed.grams;
    }
    if (ration.feeds.empty()) {
        section.note = NoFeedstuff.in(code);
    } else {
        section.table.rows.push_back(
            {{Total.in(code), NumberText::inLanguage(NumberText::formatShortest(total, 0, 10), code)},
             true,
             false});
    }
    section.fieldsAfter.push_back(
        {Energy.in(code),
         suppliedFigure(
             ration, {NutrientKey::EnergyKcal, NutrientKey::EnergyKcalSecond, NutrientKey::EnergyMJ}, code)});
    section.fieldsAfter.push_back(
        {DryMatter.in(code), suppliedFigure(ration, {NutrientKey::DryMatter}, code)});
    return section;
}

QString flags(const NutrientCheck& check, const QString& code)
{
    QStringList parts;
    if (check.incomplete)
        parts << ReportTexts::Incomplete.in(code);
    if (check.over)
        parts << ReportTexts::OverMaximum.in(code);
    return parts.join(QStringLiteral(", "));
}

CaseReport::Section nutrientSection(const RationModel& ration, const QString& code)
{
    using namespace ReportTexts;
    CaseReport::Section section;
    section.heading = NutrientSection.in(code);
    section.table.heading = {Nutrient.in(code), Unit.in(code),     Requirement.in(code), Maximum.in(code),
                             Supply.in(code),   Coverage.in(code), Remark.in(code)};
    section.table.lastIsText = true;
    for (const RationColumn& column : ration.nutrients) {
        if (!column.marked)
            continue;
        const std::optional<int> percent = CaseReport::coverageOf(column);
        section.table.rows.push_back(
            {{column.name.trimmed(), column.unit.trimmed(),
              NumberText::inLanguage(column.shown(column.requirement), code),
              NumberText::inLanguage(column.check.maximumText, code),
              NumberText::inLanguage(column.shown(column.supply), code),
              percent ? QString::number(*percent) : QString(), flags(column.check, code)},
             false,
             column.check.over});
    }
    if (section.table.rows.empty())
        section.note = NoMarkedNutrient.in(code);
    return section;
}

CaseReport::Section indicatorSection(const RationModel& ration, const QString& code)
{
    using namespace ReportTexts;
    CaseReport::Section section;
    section.heading = IndicatorSection.in(code);
    section.table.heading = {Indicator.in(code), Unit.in(code), Value.in(code), Maximum.in(code),
                             Remark.in(code)};
    section.table.lastIsText = true;
    for (const RationColumn& column : ration.indicators) {
        section.table.rows.push_back(
            {{column.name.trimmed(), column.unit.trimmed(),
              NumberText::inLanguage(column.shown(column.requirement), code),
              NumberText::inLanguage(column.check.maximumText, code), flags(column.check, code)},
             false,
             column.check.over});
    }
    return section;
}

// The charts the case sheet draws for this case: the coverage of the marked
// nutrients, and the growth curve for a young animal with its adult weight
// or the weight check for one with a target weight.
std::vector<ChartModel> caseCharts(CaseHeaderForm& form, const QString& code)
{
    std::vector<ChartModel> drawn;
    const FormHeaderTexts texts(form);
    CoveragePage coverage(code, texts, form.ration().model());
    coverage.build();
    if (!coverage.bars().empty())
        drawn.push_back(coverage.chartToDraw());
    if (form.adultWeightVisible()) {
        GrowthPage growth(code, texts);
        growth.build();
        if (growth.hasChart() && growth.chart().categoryCount() > 0)
            drawn.push_back(growth.chartToDraw());
    } else if (form.targetWeightVisible()) {
        WeightCheckPage weight(code, texts);
        // The planned loss the case keeps, without the report changing the case.
        WeightCheckFigures figures = form.weightCheck();
        weight.keepFiguresIn(figures);
        weight.build();
        if (weight.hasChart() && weight.chart().categoryCount() > 0)
            drawn.push_back(weight.chartToDraw());
    }
    return drawn;
}

} // namespace

std::optional<int> CaseReport::coverageOf(const RationColumn& column)
{
    const std::optional<double> requirement = column.rounded(column.requirement);
    const std::optional<double> supply = column.rounded(column.supply);
    if (!requirement || !(*requirement > 0) || !supply)
        return std::nullopt;
    return int(std::lround(*supply / *requirement * 100));
}

QString CaseReport::pageText(int page, int pageCount) const
{
    return ReportTexts::PageOf.in(languageCode).arg(page).arg(pageCount);
}

CaseReport CaseReport::build(AppContext& context, CaseHeaderForm& form, const QString& languageCode)
{
    const QString code = Lang::labelCode(languageCode);
    CaseReport report;
    report.languageCode = code;
    report.title = ReportTexts::Title.in(code);
    report.practice = PracticeDetailsStore::read(context).value_or(PracticeDetails());
    const RationModel& ration = form.ration().model();
    report.sections.push_back(caseSection(form, code));
    report.sections.push_back(rationSection(ration, code));
    report.sections.push_back(nutrientSection(ration, code));
    if (!ration.indicators.empty())
        report.sections.push_back(indicatorSection(ration, code));
    report.chartHeading = ReportTexts::ChartSection.in(code);
    report.charts = caseCharts(form, code);
    // The axes' figures as the report's tables write them.
    for (ChartModel& chart : report.charts)
        chart.setDecimalComma(code == Lang::German);
    report.program = QStringLiteral("Mensoly " MENSOLY_VERSION_TEXT);
    report.printedOn = ReportTexts::PrintedOn.in(code).arg(DateText::forLanguage(context.today(), code));
    return report;
}
