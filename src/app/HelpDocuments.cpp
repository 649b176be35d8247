#include "app/HelpDocuments.h"

#include "app/MainWindowTexts.h"
#include "core/Lang.h"

#include <QDir>
#include <QFileInfo>

namespace HelpDocuments {

QString fileName(Document document, const QString& languageCode)
{
    switch (document) {
    case HelpTopics:
        return MainWindowTexts::HelpFile.in(languageCode);
    case HelpManual:
        return MainWindowTexts::ManualFile.in(languageCode);
    case GermanManual:
        return QStringLiteral("Handbuch.doc");
    case EnglishManual:
        return QStringLiteral("Manual.doc");
    default:
        return QString();
    }
}

QString existingPath(Document document, const QString& languageCode, const QString& dataDirectory)
{
    const QString name = fileName(document, languageCode);
    if (name.isEmpty())
        return QString();
    const QString path = QDir::toNativeSeparators(dataDirectory) + QDir::separator() + name;
    return QFileInfo(path).isFile() ? path : QString();
}

} // namespace HelpDocuments
