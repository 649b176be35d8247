#pragma once

#include "ui/PrintResult.h"

#include <QString>

class ChartModel;
class QPrinter;
class QWidget;

// Prints a chart on one page, as large as the page allows; the dialog and
// the PDF start in landscape, which suits the chart's proportions.
class ChartPrinter
{
public:
    static bool print(const ChartModel& model, QPrinter& printer);
    // The program's print dialog, without page range and selection, then
    // the chart.
    static PrintResult printWithDialog(const ChartModel& model, QWidget* parent);
    static bool printToPdf(const ChartModel& model, const QString& fileName);
};
