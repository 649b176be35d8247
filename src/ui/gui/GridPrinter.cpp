#include "ui/gui/GridPrinter.h"

#include "ui/GridModel.h"
#include "ui/GridPageLayout.h"
#include "ui/gui/GridCellPainter.h"
#include "ui/gui/GridView.h"
#include "ui/gui/PrintDialog.h"

#include <QPainter>
#include <QPrinter>

namespace {

// Page furniture in grid pixels (1/96 inch).
constexpr int TitlePixels = 16;
constexpr int FooterPixels = 11;
constexpr qreal GridPixelsPerInch = 96.0;

QFont furnitureFont(int pixels, bool bold)
{
    QFont font;
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

void paintPage(QPainter& painter, const GridModel& model, const GridPageLayout& layout, int page,
               const QRectF& gridArea)
{
    painter.save();
    painter.translate(gridArea.topLeft());
    painter.scale(layout.scale, layout.scale);
    painter.setClipRect(QRectF(0, 0, gridArea.width() / layout.scale, gridArea.height() / layout.scale));

    qreal y = 0;
    qreal x = 0;
    for (int row : layout.rowsOfPage(page)) {
        const qreal h = model.rowHeight(row);
        x = 0;
        for (int col : layout.columnsOfPage(page)) {
            const qreal w = model.columnWidth(col);
            GridCellPainter::paintCell(painter, model, row, col, QRectF(x, y, w, h));
            x += w;
        }
        y += h;
    }
    // Cells draw their right and bottom edges; close the frame on the left and top.
    if (model.gridLines() && x > 0 && y > 0) {
        painter.setPen(QPen(QColor(128, 128, 128), 1));
        painter.drawLine(QPointF(0.5, 0), QPointF(0.5, y));
        painter.drawLine(QPointF(0, 0.5), QPointF(x, 0.5));
    }
    painter.restore();
}

} // namespace

QString GridPrinter::titleFor(const QWidget* widget)
{
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        QString title = w->windowTitle();
        title.remove(QStringLiteral("[*]"));
        if (!title.isEmpty())
            return title;
    }
    return QString();
}

bool GridPrinter::print(const GridModel& model, const QString& title, QPrinter& printer)
{
    return print(std::vector<const GridModel*>{&model}, title, printer);
}

bool GridPrinter::print(const std::vector<const GridModel*>& models, const QString& title, QPrinter& printer)
{
    return print(models, Furniture{title}, printer);
}

bool GridPrinter::print(const std::vector<const GridModel*>& models, const Furniture& furniture,
                        QPrinter& printer)
{
    const QString& title = furniture.title;
    QPainter painter;
    if (!painter.begin(&printer))
        return false;

    // Work in grid pixels, whatever the printer's resolution.
    const qreal unit = printer.resolution() / GridPixelsPerInch;
    painter.scale(unit, unit);
    const QRectF page(0, 0, printer.width() / unit, printer.height() / unit);

    const QFont titleFont = furnitureFont(TitlePixels, true);
    const QFont footerFont = furnitureFont(FooterPixels, false);
    const qreal titleHeight = title.isEmpty() ? 0 : QFontMetricsF(titleFont, &printer).height() * 2;
    const qreal footerHeight = QFontMetricsF(footerFont, &printer).height() * 2;
    const QRectF gridArea(page.left(), page.top() + titleHeight, page.width(),
                          page.height() - titleHeight - footerHeight);

    bool firstPage = true;
    for (const GridModel* grid : models) {
        const GridModel& model = *grid;
        const GridPageLayout layout = GridPageLayout::compute(model, gridArea.width(), gridArea.height());
        const int pages = layout.pageCount();
        for (int p = 0; p < pages; ++p) {
            if (!firstPage && !printer.newPage())
                return false;
            firstPage = false;
            painter.setPen(Qt::black);
            if (!title.isEmpty()) {
                painter.setFont(titleFont);
                painter.drawText(QRectF(page.left(), page.top(), page.width(), titleHeight / 2),
                                 Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, title);
            }
            paintPage(painter, model, layout, p, gridArea);
            if (pages == 1 && !furniture.numberSinglePage)
                continue;
            painter.setPen(Qt::black);
            painter.setFont(footerFont);
            painter.drawText(
                QRectF(page.left(), page.bottom() - footerHeight / 2, page.width(), footerHeight / 2),
                Qt::AlignHCenter | Qt::AlignBottom | Qt::TextSingleLine,
                QStringLiteral("%1 / %2").arg(p + 1).arg(pages));
        }
    }
    return painter.end();
}

bool GridPrinter::print(const GridModel& model, const QWidget* context, QPrinter& printer)
{
    return print(model, titleFor(context), printer);
}

bool GridPrinter::print(const GridView& view, QPrinter& printer)
{
    return print(*view.model(), titleFor(&view), printer);
}

PrintResult GridPrinter::printWithDialog(GridView& view)
{
    return printWithDialog(view, Furniture{titleFor(&view)});
}

PrintResult GridPrinter::printWithDialog(GridView& view, const Furniture& furniture)
{
    view.commitEdit();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(titleFor(&view));
    const std::vector<const GridModel*> models{view.model()};
    return PrintDialog::run(printer, &view, PrintDialog::Pages::Choice,
                            [&](QPrinter& chosen) { return print(models, furniture, chosen); });
}

bool GridPrinter::printToPdf(const GridModel& model, const QWidget* context, const QString& fileName)
{
    return printToPdf(std::vector<const GridModel*>{&model}, titleFor(context), fileName);
}

bool GridPrinter::printToPdf(const std::vector<const GridModel*>& models, const QString& title,
                             const QString& fileName)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(fileName);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(title);
    return print(models, title, printer);
}

bool GridPrinter::printToPdf(const GridView& view, const QString& fileName)
{
    return printToPdf(*view.model(), &view, fileName);
}
