#include "ration/NutrientColumns.h"

#include "core/NumberText.h"
#include "ui/GridModel.h"

namespace NutrientColumns {

int find(const GridModel& grid, const QString& key)
{
    for (int column = FirstColumn; column < grid.columnCount(); ++column) {
        if (grid.text(KeyRow, column) == key)
            return column;
    }
    return -1;
}

int decimals(const GridModel& grid, int column)
{
    return NumberText::decimalsOf(grid.text(DecimalsRow, column));
}

void writeFigure(GridModel& grid, int row, int column, double value)
{
    grid.setText(row, column, NumberText::format(value, decimals(grid, column)));
    grid.setAlignment(row, column, GridAlign::Right | GridAlign::VCentre);
}

} // namespace NutrientColumns
