#include "ui/PrintResult.h"

#include "core/Prompt.h"
#include "ui/PrintTexts.h"

QString printFailedMessage(const QString& languageCode)
{
    return PrintTexts::PrintingFailed.in(languageCode);
}

void reportPrint(PrintResult result, Prompt& prompt, const QString& languageCode)
{
    if (result == PrintResult::Failed)
        prompt.message(printFailedMessage(languageCode), Prompt::Icon::Error);
}
