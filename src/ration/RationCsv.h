#pragma once

#include <QByteArray>
#include <QString>

struct RationFigures;
struct RationModel;

// The ration as a spreadsheet reads it: a heading line with each marked
// nutrient's short name and unit, one line per feedstuff with its amount and
// contributions, then the requirement, maximum and supply lines. Figures
// carry their column's decimals, as the ration page shows them. German uses
// semicolons and decimal commas, English commas and decimal points, so that
// a spreadsheet opens the file in the user's locale without asking; fields
// are quoted as RFC 4180 does and lines end in CR LF.
namespace RationCsv {

// figures in the basis the page shows, one per nutrient column of ration.
QString text(const RationModel& ration, const RationFigures& figures, const QString& languageCode);

// text as UTF-8 with a byte-order mark, which tells a spreadsheet the encoding.
QByteArray file(const RationModel& ration, const RationFigures& figures, const QString& languageCode);

// One field: quoted when it holds the separator, a quote or a line break. A
// text that a spreadsheet would take for a formula (starting with "=", "+",
// "-", "@" or a tab) gets a leading apostrophe first, so that a feedstuff
// name never runs as one.
QString field(const QString& text, QChar separator, bool isFigure = false);

} // namespace RationCsv
