#include "ui/gui/ChartPrinter.h"

#include "ui/ChartModel.h"
#include "ui/gui/ChartView.h"
#include "ui/gui/PrintDialog.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPrinter>

bool ChartPrinter::print(const ChartModel& model, QPrinter& printer)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    // Top of the page; the render keeps the chart's proportions within it.
    const QSizeF size = ChartView::RenderSize;
    const qreal width = printer.width();
    const qreal height = std::min<qreal>(printer.height(), width * size.height() / size.width());
    ChartView::render(model, painter, QRectF(0, 0, width, height));
    return painter.end();
}

PrintResult ChartPrinter::printWithDialog(const ChartModel& model, QWidget* parent)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QCoreApplication::applicationName());
    printer.setPageOrientation(QPageLayout::Landscape);
    return PrintDialog::run(printer, parent, PrintDialog::Pages::One,
                            [&model](QPrinter& chosen) { return print(model, chosen); });
}

bool ChartPrinter::printToPdf(const ChartModel& model, const QString& fileName)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(fileName);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(QCoreApplication::applicationName());
    return print(model, printer);
}
