#pragma once

#include "ui/PrintResult.h"

#include <functional>

class QPrinter;
class QWidget;

// The one print dialog of the program. Besides the system's printers it
// always offers printing into a PDF file, so that a machine without a
// printer still prints, and every page prints the same way.
namespace PrintDialog {

// Whether the user picks the pages: a grid runs over pages, a chart has one.
enum class Pages { Choice, One };

// Shows the dialog over parent for printer; on confirmation print runs on
// the printer as the user set it up.
PrintResult run(QPrinter& printer, QWidget* parent, Pages pages, const std::function<bool(QPrinter&)>& print);

} // namespace PrintDialog
