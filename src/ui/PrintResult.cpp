#include "ui/PrintResult.h"

#include "core/Lang.h"
#include "core/Prompt.h"

QString printFailedMessage(const QString& languageCode)
{
    return Lang::deOr(languageCode, QStringLiteral("Das Drucken ist fehlgeschlagen."),
                      QStringLiteral("Printing failed."));
}

void reportPrint(PrintResult result, Prompt& prompt, const QString& languageCode)
{
    if (result == PrintResult::Failed)
        prompt.message(printFailedMessage(languageCode), Prompt::Icon::Error);
}
