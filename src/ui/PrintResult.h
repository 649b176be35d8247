#pragma once

#include <QString>

class Prompt;

// How a print through the print dialog ended. A cancelled dialog is the
// user's choice; a failure (no printer, a file that cannot be written) is
// told.
enum class PrintResult { Printed, Cancelled, Failed };

QString printFailedMessage(const QString& languageCode);

// Shows the failure message for a failed print; nothing otherwise.
void reportPrint(PrintResult result, Prompt& prompt, const QString& languageCode);
