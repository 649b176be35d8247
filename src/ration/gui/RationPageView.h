#pragma once

#include <QWidget>

class AppContext;
class CRezeptForm;
class GridView;
class Prompt;
class QHBoxLayout;

// The first page of the case sheet: the filter row, the ration grid, the
// profile grid and the print row. The grids show the models of the form's
// ration calculation; the page lays them out when the sheet first shows it.
class RationPageView : public QWidget
{
    Q_OBJECT

public:
    // Grid heights in pixels: 233 and 70 dialog units of the page's font.
    // On a low screen the ration grid gives way down to its headings and two
    // feedstuffs rather than push the profile over itself.
    static constexpr int RationGridHeight = 379;
    static constexpr int RationGridMinimumHeight = 200;
    static constexpr int ProfileGridHeight = 114;

    RationPageView(AppContext& context, Prompt& prompt, CRezeptForm& form, QWidget* parent = nullptr);

    GridView* rationGridView() const { return m_rationGrid; }
    GridView* profileGridView() const { return m_profileGrid; }
    // Rows above and below the grids, empty until the page's controls go in.
    QHBoxLayout* filterRow() const { return m_filterRow; }
    QHBoxLayout* printRow() const { return m_printRow; }

private:
    AppContext& m_context;
    Prompt& m_prompt;
    CRezeptForm& m_form;
    QHBoxLayout* m_filterRow;
    GridView* m_rationGrid;
    GridView* m_profileGrid;
    QHBoxLayout* m_printRow;
};
