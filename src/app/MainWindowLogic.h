#pragma once

#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

// Choices of the main window that depend on the language code at the moment a
// window or bar is made, and where its working windows go.
namespace MainWindowLogic {

// The picture of the start view: the English one for "US", else the German one.
QString startPicture(const QString& languageCode);

// "Rationsberechnung" / "Calculation of Ration"; empty for an unknown code.
QString caseWindowTitle(const QString& languageCode);
// A case window sits at the top left, 3 pixels narrower and 30 pixels lower
// than the client area.
QRect caseWindowGeometry(const QSize& clientArea);

// "Suchergebnis" / "Search Result"; empty for an unknown code.
QString resultBarCaption(const QString& languageCode);
// The caption once a search's number of cases is known: "Suchergebnis: 1.234 Fälle".
QString resultBarCaption(const QString& languageCode, int caseCount);
// The caption after a failed search: "Suchergebnis: Suche fehlgeschlagen".
QString resultBarFailedCaption(const QString& languageCode);
// The result bar's first size: made by the ration command, or by a search.
enum class ResultBarOrigin { RationCommand, Search };
QSize resultBarInitialSize(ResultBarOrigin origin);

// "Nebeneinander" puts the working windows side by side, "Untereinander" one
// above the other; each gets an equal share of the client area.
enum class Tiling { SideBySide, AboveEachOther };
QList<QRect> tile(const QSize& clientArea, int count, Tiling tiling);
// Minimised windows in a row along the bottom edge, a new row above when one
// is full.
QList<QPoint> arrangeIcons(const QSize& clientArea, const QList<QSize>& icons);

} // namespace MainWindowLogic
