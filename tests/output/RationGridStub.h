#pragma once

#include "ration/NutrientColumns.h"
#include "ration/RationGrids.h"
#include "ui/GridModel.h"

#include <QString>

// A ration grid laid out as the ration page lays it out, filled by hand.
class RationGridStub
{
public:
    RationGridStub()
    {
        grid.setColumnCount(NutrientColumns::FirstColumn);
        grid.setRowCount(NutrientColumns::FirstFeedRow);
    }

    void addFeed(const QString& name, const QString& amount)
    {
        const int row = grid.appendRow();
        grid.setText(row, RationGrids::NameColumn, name);
        grid.setText(row, RationGrids::AmountColumn, amount);
    }

    // A nutrient column; mark "x" or " ".
    int addNutrient(const QString& key, const QString& name, const QString& requirement,
                    const QString& supply, const QString& mark = QStringLiteral("x"))
    {
        using namespace NutrientColumns;
        const int c = grid.columnCount();
        grid.setColumnCount(c + 1);
        grid.setText(MarkRow, c, mark);
        grid.setText(NameRow, c, name);
        grid.setText(RequirementRow, c, requirement);
        grid.setText(SupplyRow, c, supply);
        grid.setText(KeyRow, c, key);
        return c;
    }

    GridModel grid;
};
