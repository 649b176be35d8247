#pragma once

#include "ration/RationModel.h"
#include "ui/GridModel.h"

#include <QString>

#include <functional>

class AppContext;
class CaseHeaderSource;

// The ration of a case (its model) and the ration page's two views of it:
// the ration grid (nutrients by feedstuffs) and the profile grid
// (indicators). The calculations write the model; the grids show its
// figures rounded to each column's decimals, one column per model column
// from FirstColumn on and one row per feedstuff from FirstFeedRow on.
class RationGrids
{
public:
    static constexpr Rgb RationBackground{230, 255, 255};
    static constexpr Rgb ProfileBackground{221, 255, 255};
    static constexpr Rgb AmountBackground{255, 255, 255};
    static constexpr int AmountColumn = 2;
    static constexpr int NameColumn = 1;
    static constexpr int KeyColumn = 0;

    static CellFont cellFont() { return CellFont{QStringLiteral("Tahoma"), 13, 400, false}; }

    RationGrids(AppContext& context, const CaseHeaderSource& header);

    // The width in pixels a cell needs to show its text whole in its font.
    // Only the widgets can measure text; they hand their measure over before
    // the grids are built. Without one (the command line, the logic tests)
    // every column keeps the width it is laid out with.
    using CellWidth = std::function<int(const GridModel& grid, int row, int column)>;
    void setCellWidth(CellWidth measure) { m_cellWidth = std::move(measure); }

    // The width of a shown nutrient or indicator column: SelectedWidth, or
    // more where its heading, its unit or a figure it shows (requirement,
    // maximum, supply, a feedstuff's contribution) needs it.
    int selectedWidth(const GridModel& grid, int column) const;
    // Gives every shown nutrient and indicator column of both grids its
    // selectedWidth(), after figures changed: a six-digit figure is shown
    // whole, and the column narrows again when it no longer is there.
    void fitFigureColumns();

    RationModel& model() { return m_model; }
    const RationModel& model() const { return m_model; }
    // The model's columns a grid shows.
    std::vector<RationColumn>& columnsOf(const GridModel& grid);

    GridModel& ration() { return m_ration; }
    const GridModel& ration() const { return m_ration; }
    GridModel& profile() { return m_profile; }
    const GridModel& profile() const { return m_profile; }

    // Lays out a grid and adds one column per active nutrient ('I') or indicator ('K').
    void buildRationGrid();
    void buildProfileGrid();

    // Shows and marks the columns the case type selects, in one grid.
    void applyCaseNutrientSelection(GridModel& grid);

    // The requirement or the supply of the first nutrient column with the
    // key, as shown; empty when there is none.
    QString lookupRequirement(const QString& key) const;
    QString lookupSupply(const QString& key) const;

    // Writes the model's figures into the grid's requirement (result),
    // supply, formula and feedstuff rows.
    void showRation();
    void showProfile();
    // A feedstuff row's amount cell, as typed, into the model.
    void takeAmount(int row);
    // Types an amount into a feedstuff row, cell and model.
    void setAmount(int row, const QString& amount);
    // Removes a feedstuff row from the grid and the model.
    void removeFeedRow(int row);

    // Replaces the feedstuff rows by the stored ration of a case.
    void fillRationRows(const QString& caseKey);
    // Appends one feedstuff row with empty contributions; returns its row.
    int appendFeedRow(const QString& key, const QString& name, const QString& amount);
    // Appends the stored feedstuff with the key, named in the user's
    // language and without an amount, as picking it from the list does;
    // returns its row, or -1 when there is no such feedstuff or the ration
    // holds it already.
    int addFeed(const QString& key);
    // The feedstuff row holding key; -1 when the ration does not contain it.
    int feedRow(const QString& key) const;
    int feedRowCount() const;

private:
    // Empties a grid and lays out its header rows and first three columns.
    void startGrid(GridModel& grid, Rgb background, int fixedColumns, int nameWidth, int amountWidth);
    void buildGrid(GridModel& grid, std::vector<RationColumn>& columns, const QString& kind);
    void showFigures(GridModel& grid, const std::vector<RationColumn>& columns, bool computedBackground);
    // At least width; more where the column's heading or unit needs it.
    int fittingWidth(const GridModel& grid, int column, int width) const;
    // Widens the shown ones of the first three columns to their headings.
    void fitHeadingColumns(GridModel& grid) const;

    AppContext& m_context;
    const CaseHeaderSource& m_header;
    RationModel m_model;
    GridModel m_ration;
    GridModel m_profile;
    CellWidth m_cellWidth;
};
