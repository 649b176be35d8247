#pragma once

#include <QString>

#include <vector>

class GridModel;
class GridView;
#include "ui/PrintResult.h"

class QPrinter;
class QWidget;

// Prints a grid over as many pages as it needs: the window title of the
// grid's nearest titled parent in bold at the top of every page, the fixed
// rows and columns repeated on every page, the page number at the bottom.
// Pagination follows GridPageLayout.
class GridPrinter
{
public:
    // What is printed around the grid: a title at the top of every page
    // (none when empty) and the page number at the bottom, on a document of
    // one page too or only when there are more.
    struct Furniture
    {
        QString title;
        bool numberSinglePage = true;
    };

    // The first non-empty window title from widget up through its parents.
    static QString titleFor(const QWidget* widget);

    static bool print(const GridModel& model, const QString& title, QPrinter& printer);
    // Several grids into one document, each starting on a new page.
    static bool print(const std::vector<const GridModel*>& models, const QString& title, QPrinter& printer);
    static bool print(const std::vector<const GridModel*>& models, const Furniture& furniture,
                      QPrinter& printer);
    static bool print(const GridModel& model, const QWidget* context, QPrinter& printer);
    static bool print(const GridView& view, QPrinter& printer);

    // Offers the print dialog over the view and prints on confirmation.
    static PrintResult printWithDialog(GridView& view);
    static PrintResult printWithDialog(GridView& view, const Furniture& furniture);

    static bool printToPdf(const GridModel& model, const QWidget* context, const QString& fileName);
    static bool printToPdf(const GridView& view, const QString& fileName);
    static bool printToPdf(const std::vector<const GridModel*>& models, const QString& title,
                           const QString& fileName);
};
