#include "app/HelpDocuments.h"

#include "core/Lang.h"

#include <QDir>
#include <QFileInfo>

namespace HelpDocuments {

QString fileName(Document document, const QString& languageCode)
{
    switch (document) {
    case HelpTopics:
        return Lang::deOr(languageCode, QStringLiteral("HilfeMSY.doc"), QStringLiteral("HelpMSY.doc"));
    case HelpManual:
        return Lang::deOr(languageCode, QStringLiteral("Handbuch.doc"), QStringLiteral("Manual.doc"));
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
