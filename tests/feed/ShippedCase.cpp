#include "ShippedCase.h"

#include "ration/NutrientColumns.h"
#include "support/TestDatabase.h"

using namespace NutrientColumns;

namespace {

QString cell(const GridModel& grid, int row, int key)
{
    const int column = find(grid, QString::number(key));
    return column < 0 ? QString() : grid.text(row, column);
}

std::vector<int> keysOf(const GridModel& grid)
{
    std::vector<int> keys;
    for (int c = FirstColumn; c < grid.columnCount(); ++c)
        keys.push_back(grid.text(KeyRow, c).toInt());
    return keys;
}

} // namespace

ShippedCase::ShippedCase(TestDatabase& database)
    : m_database(database)
    , m_ration(database.context(), m_header)
{
    m_header.energy = QStringLiteral("100");
    m_ration.buildRationGrid();
    m_ration.buildProfileGrid();
}

void ShippedCase::choose(int caseType)
{
    const QStringList speciesAndSex =
        m_database
            .rawValue(
                QStringLiteral("SELECT ID_GATTUNG, ID_GESCHLECHT FROM T_FALL WHERE ID = %1").arg(caseType))
            .split(QLatin1Char('\t'));
    m_header.caseType = caseType;
    m_header.species = speciesAndSex.value(0).toInt();
    m_header.sex = speciesAndSex.value(1).toInt();
    m_ration.applyCaseNutrientSelection();
    m_ration.loadRequirementFormulas();
    m_ration.loadIndicatorFormulas();
}

void ShippedCase::addFeedstuff(int feedstuff, const QString& grams)
{
    const QString key = QString::number(feedstuff);
    m_ration.grids().appendFeedRow(key, key, grams);
    m_ration.recalcContributions(key, grams);
}

QString ShippedCase::requirement(int key) const
{
    return cell(m_ration.grids().ration(), RequirementRow, key);
}

QString ShippedCase::supply(int key) const
{
    return cell(m_ration.grids().ration(), SupplyRow, key);
}

QString ShippedCase::indicator(int key) const
{
    return cell(m_ration.grids().profile(), RequirementRow, key);
}

QString ShippedCase::formula(int key) const
{
    const QString inRation = cell(m_ration.grids().ration(), FormulaRow, key);
    return inRation.isEmpty() ? cell(m_ration.grids().profile(), FormulaRow, key) : inRation;
}

int ShippedCase::decimals(int key) const
{
    const GridModel& ration = m_ration.grids().ration();
    const int column = find(ration, QString::number(key));
    if (column >= 0)
        return NutrientColumns::decimals(ration, column);
    const GridModel& profile = m_ration.grids().profile();
    return NutrientColumns::decimals(profile, find(profile, QString::number(key)));
}

std::vector<int> ShippedCase::nutrientKeys() const
{
    return keysOf(m_ration.grids().ration());
}

std::vector<int> ShippedCase::indicatorKeys() const
{
    return keysOf(m_ration.grids().profile());
}
