#pragma once

#include <QString>

class AppContext;
class CaseHeaderForm;
class FileChooser;
class Prompt;
class QIODevice;
struct CaseReport;

// Lays the case report out on A4 portrait pages of a PDF/A-1b document: the
// letterhead with the logo at the top right of the first page, the sections
// one below the other, tables running onto further pages with their heading
// row repeated, each chart whole on a page, and on every page the footer
// with the program, the date of printing and the page number.
namespace CaseReportWriter {

// Writes the document into the device, open for writing; the number of
// pages, 0 when the device would not take it.
int write(const CaseReport& report, QIODevice& device);
// Writes the document into the file, replacing it only when the whole of it
// was written; false when it cannot be.
bool write(const CaseReport& report, const QString& fileName);

// "Fall als PDF speichern…": asks for a file, appending ".pdf" to a name
// without a suffix, and writes the report of the form's case in the user's
// language. False when the user cancelled or the file could not be written,
// which the prompt tells.
bool saveAs(AppContext& context, Prompt& prompt, CaseHeaderForm& form, FileChooser& files);

} // namespace CaseReportWriter
