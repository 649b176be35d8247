#pragma once

#include "ui/GridTypes.h"

#include <QString>

class GridModel;

// The layout the ration grid and the profile grid share: one column per
// nutrient or indicator from column 3 on, whose hidden rows carry its data.
namespace NutrientColumns {

constexpr int FirstColumn = 3;

constexpr int MarkRow = 0;
constexpr int NameRow = 1;
constexpr int UnitRow = 2;
constexpr int RequirementRow = 3; // the indicator result in the profile grid
// The ration's maximum per nutrient; hidden while none applies, and always
// in the profile grid, whose result row carries its own limit.
constexpr int MaximumRow = 4;
constexpr int SupplyRow = 5;
constexpr int KeyRow = 6;
constexpr int DecimalsRow = 7;
constexpr int ShownRow = 8;
constexpr int KindRow = 9;
constexpr int FixedRow = 10;
constexpr int FormulaRow = 11;
// The ration grid's feedstuff rows start below the header rows; the profile
// grid has the header rows only.
constexpr int FirstFeedRow = 12;

constexpr int SelectedWidth = 48;
constexpr int UnselectedWidth = 1;

constexpr Rgb ComputedBackground{238, 238, 238};
constexpr Rgb UnselectedBackground{214, 211, 206};
constexpr Rgb FixedSelectedBackground{149, 221, 255};
constexpr Rgb SelectedBackground{164, 255, 255};

// The first column whose key row holds key; -1 when none does.
int find(const GridModel& grid, const QString& key);

// The column's decimals as its hidden row holds them.
int decimals(const GridModel& grid, int column);

// Writes a computed figure with the column's decimals and a decimal comma.
void writeFigure(GridModel& grid, int row, int column, double value);

} // namespace NutrientColumns
