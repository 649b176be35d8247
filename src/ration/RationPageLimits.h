#pragma once

#include "ration/RationBasis.h"
#include "ui/GridTypes.h"

#include <QString>
#include <QStringList>

class AppContext;
class RationGrids;

// What the ration page shows on top of the figures its grids hold: the
// maximum row, the supply cells above their maximum (red) or summed without
// the contents of some feedstuffs (italics), each with a tooltip saying why,
// and the basis the figures are shown in. The model keeps the daily figures
// the rest of the program reads; another basis only changes the texts the
// grids show and print. The basis belongs to the open page only.
class RationPageLimits
{
public:
    static constexpr Rgb OverColour{204, 0, 0};

    RationPageLimits(AppContext& context, RationGrids& grids);

    // The switch's entries in the order of RationFigures::Basis.
    static QStringList basisLabels(const QString& languageCode);
    RationFigures::Basis basis() const { return m_basis; }
    void setBasis(RationFigures::Basis basis);
    // The basis's entry, for the printout's heading.
    QString basisLabel() const;
    // The ration's figures in the basis shown; daily while there is nothing
    // to divide by.
    RationFigures shownFigures() const;

    // Rewrites the maximum row, the marks and the shown figures from the
    // model's figures and checks as they are now.
    void refresh();

private:
    void showFigures();

    AppContext& m_context;
    RationGrids& m_grids;
    RationFigures::Basis m_basis = RationFigures::Basis::Daily;
};
