#include "output/FollowUpPage.h"

#include "core/DateText.h"
#include "core/Lang.h"
#include "core/NumberText.h"
#include "core/Prompt.h"
#include "db/AppContext.h"
#include "db/RecordSet.h"
#include "output/ChartTexts.h"
#include "output/FollowUpTexts.h"
#include "ration/CaseRecord.h"
#include "ration/CaseType.h"

#include <algorithm>
#include <cmath>

namespace {

// A step of 1, 2 or 5 times a power of ten giving about eight steps.
double niceStep(double span)
{
    const double raw = span / 8.0;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double factor : {1.0, 2.0, 5.0}) {
        if (raw <= factor * power)
            return factor * power;
    }
    return 10.0 * power;
}

} // namespace

FollowUpPage::FollowUpPage(AppContext& context, Prompt& prompt, QObject* parent)
    : ChartPage(context.languageCode(), parent)
    , m_context(context)
    , m_prompt(prompt)
{
}

bool FollowUpPage::applies(AppContext& context, const QString& caseKey)
{
    const QString patient = PatientVisits::patientOf(context, caseKey);
    if (patient.isEmpty())
        return false;
    RecordSet rs;
    int count = 0;
    if (rs.openRecordset(context.db(), QStringLiteral("SELECT COUNT(*) AS N FROM T_PAT_REZ WHERE ID = %1 OR "
                                                      "ID_Patient = %1")
                                           .arg(patient.toInt())) &&
        !rs.isEof())
        rs.getFieldLong(QStringLiteral("N"), count);
    return count >= 2 || !PatientVisits::candidates(context, caseKey).isEmpty();
}

double FollowUpPage::weeksSince(const QDate& first, const QDate& date)
{
    return first.daysTo(date) / 7.0;
}

std::optional<double> FollowUpPage::plannedWeight(double start, double percent, double weeks,
                                                  std::optional<double> target)
{
    if (start <= 0.0 || weeks < 0.0)
        return std::nullopt;
    const double weight = start * std::pow(1.0 - percent / 100.0, weeks);
    if (target && *target > 0.0 && weight < *target)
        return std::nullopt;
    return weight;
}

QString FollowUpPage::figure(std::optional<double> value, int decimals) const
{
    return NumberText::format(value, decimals, languageCode());
}

QString FollowUpPage::proposalText() const
{
    return m_proposed ? FollowUpTexts::Proposal.in(languageCode()).arg(*m_proposed) : QString();
}

QString FollowUpPage::takeProposalLabel() const
{
    return FollowUpTexts::TakeProposal.in(languageCode());
}

void FollowUpPage::build(const QString& caseKey)
{
    if (!m_asked && !caseKey.isEmpty()) {
        m_asked = true;
        askToLink(caseKey);
    }
    m_limits = FollowUpLimits::read(m_context);
    m_visits = caseKey.isEmpty() ? std::vector<Visit>() : PatientVisits::read(m_context, caseKey);
    fillTable();
    sayNeed();
    buildChart(caseKey);
    startDrawTimer();
}

void FollowUpPage::askToLink(const QString& caseKey)
{
    const QStringList keys = PatientVisits::candidates(m_context, caseKey);
    if (keys.isEmpty())
        return;
    const QString language = languageCode();
    QStringList cases;
    for (const QString& key : keys) {
        const std::optional<CaseRecord> record = CaseRecords::read(m_context, key);
        if (!record)
            continue;
        const std::optional<QDateTime> date = DateText::parse(record->recipeDate);
        const QString day = date ? DateText::forLanguage(date->date(), language) : record->recipeDate;
        cases << (record->title.trimmed().isEmpty() ? day : day + QStringLiteral(" (%1)").arg(record->title));
    }
    if (m_prompt.question(FollowUpTexts::EarlierVisits.in(language).arg(cases.join(QStringLiteral("; "))),
                          Prompt::Buttons::YesNo) != Prompt::Answer::Yes)
        return;
    QString reason;
    if (!PatientVisits::link(m_context, caseKey, keys, &reason))
        m_prompt.message(Lang::withReason(language, FollowUpTexts::NotLinked.in(language), reason),
                         Prompt::Icon::Exclamation);
}

void FollowUpPage::fillTable()
{
    using namespace FollowUpTexts;
    const QString language = languageCode();
    m_grid.clear();
    m_grid.setColumnCount(ColumnCount);
    m_grid.setRowCount(1 + int(m_visits.size()));
    m_grid.setFixedRowCount(1);
    const Lang::Text headings[ColumnCount] = {Date,          Weight,       Change,  PerWeek,
                                              BodyCondition, EnergyFactor, Supplied};
    const int widths[ColumnCount] = {90, 90, 100, 90, 140, 60, 150};
    for (int column = 0; column < ColumnCount; ++column) {
        m_grid.setText(0, column, headings[column].in(language));
        m_grid.setColumnWidth(column, widths[column]);
        m_grid.setColumnAlignment(column, column == DateColumn || column == ConditionColumn
                                              ? GridAlign::LeftSingleLine
                                              : GridAlign::Right);
        m_grid.setColumnReadOnly(column, true);
    }
    for (size_t i = 0; i < m_visits.size(); ++i) {
        const Visit& visit = m_visits[i];
        const int row = 1 + int(i);
        const std::optional<WeightChange> changed =
            i > 0 ? FollowUp::change(m_visits[i - 1], visit) : std::optional<WeightChange>();
        m_grid.setText(row, DateColumn, DateText::forLanguage(visit.date, language));
        m_grid.setText(row, WeightColumn, visit.weight > 0.0 ? figure(visit.weight, 1) : QString());
        m_grid.setText(row, ChangeColumn,
                       figure(changed ? std::optional(changed->kilograms) : std::nullopt, 1));
        m_grid.setText(row, PerWeekColumn,
                       figure(changed ? std::optional(changed->percentPerWeek) : std::nullopt, 2));
        m_grid.setText(row, ConditionColumn,
                       visit.ribsPalpable ? (*visit.ribsPalpable ? RibsPalpable : RibsCovered).in(language)
                                          : QString());
        m_grid.setText(row, EnergyColumn, figure(visit.energyPercent, 0));
        m_grid.setText(row, SuppliedColumn, figure(visit.suppliedKcal, 0));
    }
}

void FollowUpPage::sayNeed()
{
    const QString language = languageCode();
    m_flags.clear();
    m_need.clear();
    m_proposed.reset();
    m_nextCheck.clear();
    if (m_visits.empty())
        return;
    const Visit& last = m_visits.back();
    for (FollowUp::Flag flag : FollowUp::flags(m_visits, m_limits))
        m_flags << FollowUp::flagText(flag, language, m_limits, last);
    m_nextCheck = FollowUpTexts::NextCheck.in(language).arg(
        DateText::forLanguage(FollowUp::nextCheck(last, m_limits), language));
    if (m_visits.size() < 2)
        return;
    const Visit& earlier = m_visits[m_visits.size() - 2];
    const std::optional<EnergyNeed> need = FollowUp::need(earlier, last, m_limits);
    const std::optional<WeightChange> changed = FollowUp::change(earlier, last);
    if (!need || !changed)
        return;
    const QString percent = need->percentOfFormula ? figure(need->percentOfFormula, 0) : QStringLiteral("–");
    m_need = FollowUpTexts::Need.in(language).arg(
        figure(need->kcalPerDay, 0), percent, figure(earlier.suppliedKcal, 0), figure(changed->kilograms, 1),
        figure(m_limits.tissueEnergy, 0), QString::number(changed->days));
    m_proposed = need->proposedPercent;
}

void FollowUpPage::buildChart(const QString& caseKey)
{
    const QString language = languageCode();
    ChartModel& chart = newChart(ChartModel::Kind::Line);
    chart.setDecimalComma(language == Lang::German);
    const std::optional<CaseRecord> record = CaseRecords::read(m_context, caseKey);
    chart.setTitle(FollowUpTexts::ChartTitle.in(language).arg(record ? record->patientName : QString()));
    chart.setCategoryAxisCaption(FollowUpTexts::WeeksAxis.in(language));
    chart.setValueAxisCaption(ChartTexts::WeightKg.in(language));
    if (m_visits.empty())
        return;

    // One point a visit, at the weeks since the first.
    const Visit& first = m_visits.front();
    const Visit& last = m_visits.back();
    QStringList weeks;
    for (const Visit& visit : m_visits)
        weeks << NumberText::inLanguage(NumberText::formatShortest(weeksSince(first.date, visit.date), 0, 1),
                                        languageCode());
    chart.setCategories(weeks);
    chart.addSeries(FollowUpTexts::MeasuredWeight.in(language), MeasuredColour);
    chart.addSeries(FollowUpTexts::TargetWeight.in(language), TargetColour);
    const bool reduction = CaseType::isWeightReduction(last.caseType);
    const bool growth = CaseType::isGrowth(last.caseType);
    if (reduction)
        chart.addSeries(FollowUpTexts::PlannedCourse.in(language), CourseColour);
    else if (growth)
        chart.addSeries(FollowUpTexts::ExpectedGrowth.in(language), CourseColour);

    const std::optional<double> target =
        last.targetWeight && *last.targetWeight > 0.0 ? last.targetWeight : std::nullopt;
    for (size_t i = 0; i < m_visits.size(); ++i) {
        const Visit& visit = m_visits[i];
        const int category = int(i);
        if (visit.weight > 0.0)
            chart.setValue(MeasuredSeries, category, visit.weight);
        if (target)
            chart.setValue(TargetSeries, category, *target);
        std::optional<double> course;
        if (reduction)
            course =
                // The plan the first visit keeps from its weight check, else the practice's.
                plannedWeight(first.weight, first.plannedLossOr(m_limits), weeksSince(first.date, visit.date),
                              target);
        else if (growth)
            course = FollowUp::expectedGrowthWeight(visit);
        if (course)
            chart.setValue(CourseSeries, category, *course);
    }

    double low = 0.0, high = 0.0;
    bool any = false;
    for (int s = 0; s < chart.seriesCount(); ++s) {
        for (int c = 0; c < chart.categoryCount(); ++c) {
            if (const std::optional<double> value = chart.value(s, c)) {
                low = any ? std::min(low, *value) : *value;
                high = any ? std::max(high, *value) : *value;
                any = true;
            }
        }
    }
    if (!any)
        return;
    // A margin above and below, the ends on whole steps.
    const double span = std::max(high - low, std::max(high * 0.1, 0.1));
    const double step = niceStep(span * 1.2);
    chart.setValueAxis(std::max(0.0, std::floor((low - span * 0.1) / step) * step),
                       std::ceil((high + span * 0.1) / step) * step, step);
}
