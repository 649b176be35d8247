#pragma once

#include "output/ChartPage.h"
#include "output/FollowUp.h"
#include "ui/GridModel.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class AppContext;
class Prompt;

// The follow-up page without its widgets: the patient's visits as a table,
// their weights against the weeks since the first visit as a chart (with the
// target weight, and the planned course of a weight reduction or the
// expected curve of a young animal), the flags of the last visit, the energy
// really needed since the visit before it, the ME % proposed for the next
// visit and the day of the next check.
//
// The first build asks once whether earlier cases of the same patient that
// are not linked yet are to be linked as its earlier visits.
class FollowUpPage : public ChartPage
{
    Q_OBJECT

public:
    enum Column {
        DateColumn,
        WeightColumn,
        ChangeColumn,
        PerWeekColumn,
        ConditionColumn,
        EnergyColumn,
        SuppliedColumn,
        ColumnCount
    };
    // The chart's series, in this order; the course is absent for a case
    // that is neither a weight reduction nor a young animal's growth.
    enum Series { MeasuredSeries, TargetSeries, CourseSeries };
    static constexpr Rgb MeasuredColour{0, 0, 192};
    static constexpr Rgb TargetColour{0, 128, 0};
    static constexpr Rgb CourseColour{255, 128, 0};

    FollowUpPage(AppContext& context, Prompt& prompt, QObject* parent = nullptr);

    // Whether a stored case has the page: its patient has another visit, or
    // earlier cases of the patient may be linked.
    static bool applies(AppContext& context, const QString& caseKey);

    // Reads the visits of the stored case's patient and builds the table,
    // the chart and the texts below them; asks about earlier cases first
    // the first time.
    void build(const QString& caseKey);

    const std::vector<Visit>& visits() const { return m_visits; }
    const GridModel& grid() const { return m_grid; }
    GridModel& grid() { return m_grid; }
    // The flags of the last visit, in the window's language.
    QStringList flagTexts() const { return m_flags; }
    // The energy needed since the visit before the last; empty without.
    QString needText() const { return m_need; }
    std::optional<int> proposedPercent() const { return m_proposed; }
    // "ME-Bedarf für den nächsten Besuch: NN %"; empty without a proposal.
    QString proposalText() const;
    QString nextCheckText() const { return m_nextCheck; }
    QString takeProposalLabel() const;

    // The weeks from the first visit to a visit, as the chart's categories count them.
    static double weeksSince(const QDate& first, const QDate& date);
    // The weight the planned loss of percent a week, compounding, leaves
    // after weeks; none once it is below the target.
    static std::optional<double> plannedWeight(double start, double percent, double weeks,
                                               std::optional<double> target);

private:
    void askToLink(const QString& caseKey);
    void fillTable();
    void buildChart(const QString& caseKey);
    void sayNeed();
    QString figure(std::optional<double> value, int decimals) const;

    AppContext& m_context;
    Prompt& m_prompt;
    FollowUpLimits m_limits;
    std::vector<Visit> m_visits;
    GridModel m_grid;
    QStringList m_flags;
    QString m_need;
    std::optional<int> m_proposed;
    QString m_nextCheck;
    bool m_asked = false;
};
