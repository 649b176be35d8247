#include "ration/RationPageLimits.h"

#include "core/Lang.h"
#include "core/NumberText.h"
#include "db/AppContext.h"
#include "ration/NutrientColumns.h"
#include "ration/NutrientMaxima.h"
#include "ration/RationGrids.h"
#include "ration/RationPageTexts.h"
#include "ui/GridModel.h"

using namespace NutrientColumns;

namespace {

constexpr int MaximumRowHeight = 20;

// "Höchstwert 104000 IE (FEDIAF 2021)"; the figure as the cell shows it.
QString overTip(const QString& code, const QString& maximum, const QString& unit, const QString& source)
{
    QString tip = RationPageTexts::Maximum.in(code) + maximum;
    if (!unit.trimmed().isEmpty())
        tip += QLatin1Char(' ') + unit.trimmed();
    if (!source.trimmed().isEmpty())
        tip += QStringLiteral(" (") + source.trimmed() + QLatin1Char(')');
    return tip;
}

// The sources' maximum of a nutrient below its requirement, shown in the
// figures' basis.
QString crossedTip(const QString& code, const QString& maximum, const QString& unit, const QString& source)
{
    QString figure = maximum;
    if (!unit.trimmed().isEmpty())
        figure += QLatin1Char(' ') + unit.trimmed();
    if (!source.trimmed().isEmpty())
        figure += QStringLiteral(" (") + source.trimmed() + QLatin1Char(')');
    return RationPageTexts::CrossedMaximum.in(code).arg(figure);
}

QString incompleteTip(const QString& code, const QStringList& feeds)
{
    return RationPageTexts::ContentMissing.in(code) +
           // Feedstuff names have commas of their own.
           feeds.join(QStringLiteral("; "));
}

// Red above the maximum, italics when summed without some feedstuffs, and
// the reasons as the tooltip; a cell with neither looks like its neighbours.
void markCell(GridModel& grid, int row, int column, bool over, bool incomplete, const QStringList& reasons)
{
    if (over)
        grid.setTextColor(row, column, RationPageLimits::OverColour);
    else
        grid.resetTextColor(row, column);
    CellFont font = grid.defaultFont();
    font.italic = incomplete;
    grid.setFont(row, column, font);
    grid.setToolTip(row, column, reasons.join(QLatin1Char('\n')));
}

} // namespace

RationPageLimits::RationPageLimits(AppContext& context, RationGrids& grids)
    : m_context(context)
    , m_grids(grids)
{
}

QStringList RationPageLimits::basisLabels(const QString& languageCode)
{
    if (languageCode == Lang::German)
        return {QStringLiteral("pro Tag"), QStringLiteral("pro 1000 kcal ME"), QStringLiteral("pro kg TS")};
    return {QStringLiteral("per day"), QStringLiteral("per 1000 kcal ME"), QStringLiteral("per kg DM")};
}

QString RationPageLimits::basisLabel() const
{
    return basisLabels(m_context.languageCode()).value(static_cast<int>(m_basis));
}

RationFigures RationPageLimits::shownFigures() const
{
    const RationFigures daily = RationBasis::dailyFigures(m_grids.model());
    const std::optional<RationFigures> shown = RationBasis::inBasis(daily, m_basis, m_context.languageCode());
    return shown ? *shown : daily;
}

void RationPageLimits::setBasis(RationFigures::Basis basis)
{
    if (basis == m_basis)
        return;
    m_basis = basis;
    refresh();
}

void RationPageLimits::refresh()
{
    GridModel& ration = m_grids.ration();
    GridModel& profile = m_grids.profile();
    if (ration.rowCount() < FirstFeedRow)
        return;
    const QString code = m_context.languageCode();
    const RationModel& model = m_grids.model();
    const std::vector<NutrientMaximum>& maxima = model.maxima;

    // The row opens as soon as the case has a maximum for a nutrient of the
    // grid, even before the ration supplies the energy that scales it.
    bool anyMaximum = false;
    for (int c = FirstColumn; c < ration.columnCount() && size_t(c - FirstColumn) < model.nutrients.size();
         ++c) {
        const NutrientCheck& check = model.nutrients[size_t(c - FirstColumn)].check;
        ration.setText(MaximumRow, c, check.maximumText);
        ration.setAlignment(MaximumRow, c, GridAlign::Right | GridAlign::VCentre);
        for (const NutrientMaximum& maximum : maxima) {
            if (maximum.basis != NutrientMaximum::Basis::Ratio &&
                QString::number(maximum.nutrient) == check.key)
                anyMaximum = true;
        }
    }
    ration.setRowHeight(MaximumRow, anyMaximum ? MaximumRowHeight : 0);

    showFigures();

    for (int c = FirstColumn; c < profile.columnCount() && size_t(c - FirstColumn) < model.indicators.size();
         ++c) {
        const NutrientCheck& check = model.indicators[size_t(c - FirstColumn)].check;
        QStringList reasons;
        if (check.over)
            reasons << overTip(code, check.maximumText, QString(), check.source);
        markCell(profile, RequirementRow, c, check.over, false, reasons);
    }
    ration.redraw();
    profile.redraw();
}

void RationPageLimits::showFigures()
{
    GridModel& ration = m_grids.ration();
    const QString code = m_context.languageCode();
    const RationFigures daily = RationBasis::dailyFigures(m_grids.model());
    // Without energy or dry matter to divide by, the daily figures stay.
    const std::optional<RationFigures> shown = RationBasis::inBasis(daily, m_basis, code);
    const bool converted = shown && m_basis != RationFigures::Basis::Daily;
    // The basis goes with the units' heading: "g/1000 kcal" does not fit a
    // nutrient's column, and the figures read like a food label's.
    if (converted)
        ration.setShownText(UnitRow, RationGrids::NameColumn,
                            ration.text(UnitRow, RationGrids::NameColumn) + QLatin1Char(' ') + basisLabel());
    else
        ration.clearShownText(UnitRow, RationGrids::NameColumn);
    for (int c = FirstColumn; c < ration.columnCount() && size_t(c - FirstColumn) < daily.nutrients.size();
         ++c) {
        const size_t index = size_t(c - FirstColumn);
        const RationFigures::Nutrient& nutrient =
            converted ? shown->nutrients[index] : daily.nutrients[index];
        const auto show = [&](int row, const QString& text) {
            if (converted)
                ration.setShownText(row, c, text);
            else
                ration.clearShownText(row, c);
        };
        show(RequirementRow, RationFigures::text(nutrient.requirement, nutrient.decimals));
        show(MaximumRow, RationFigures::text(nutrient.maximum, nutrient.decimals));
        show(SupplyRow, RationFigures::text(nutrient.supply, nutrient.decimals));
        for (int row = FirstFeedRow;
             row < ration.rowCount() && size_t(row - FirstFeedRow) < nutrient.contributions.size(); ++row)
            show(row,
                 RationFigures::text(nutrient.contributions[size_t(row - FirstFeedRow)], nutrient.decimals));

        const NutrientCheck& check = m_grids.model().nutrients[index].check;
        QStringList reasons;
        if (check.over)
            reasons << overTip(code, RationFigures::text(nutrient.maximum, nutrient.decimals), nutrient.unit,
                               check.source);
        if (check.incomplete)
            reasons << incompleteTip(code, check.feedsWithoutData);
        markCell(ration, SupplyRow, c, check.over, check.incomplete, reasons);

        QStringList crossed;
        if (check.crossed && check.maximum && *check.maximum > 0.0 && nutrient.maximum && check.sourceMaximum)
            crossed << crossedTip(
                code,
                RationFigures::text(*check.sourceMaximum * *nutrient.maximum / *check.maximum,
                                    nutrient.decimals),
                nutrient.unit, check.source);
        markCell(ration, MaximumRow, c, false, check.crossed, crossed);
    }
}
