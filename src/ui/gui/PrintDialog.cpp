#include "ui/gui/PrintDialog.h"

#include <QPrintDialog>
#include <QPrinter>

namespace PrintDialog {

PrintResult run(QPrinter& printer, QWidget* parent, Pages pages, const std::function<bool(QPrinter&)>& print)
{
    QPrintDialog dialog(&printer, parent);
    // The PDF file is listed among the printers only with this option.
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    if (pages == Pages::One) {
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
        dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    }
    if (dialog.exec() != QDialog::Accepted)
        return PrintResult::Cancelled;
    return print(printer) ? PrintResult::Printed : PrintResult::Failed;
}

} // namespace PrintDialog
