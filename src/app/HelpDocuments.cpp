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

QUrl shippedManual(const QString& languageCode)
{
    return QUrl(Lang::deOr(languageCode, QStringLiteral("qrc:/help/manual/de/mensoly.md"),
                           QStringLiteral("qrc:/help/manual/en/mensoly.md")));
}

QUrl shippedAdminGuide(const QString& languageCode)
{
    return QUrl(Lang::deOr(languageCode, QStringLiteral("qrc:/help/admin/de/mensoly-admin.md"),
                           QStringLiteral("qrc:/help/admin/en/mensoly-admin.md")));
}

Target target(Document document, const QString& languageCode, const QString& dataDirectory)
{
    Target result;
    result.localFile = existingPath(document, languageCode, dataDirectory);
    if (!result.localFile.isEmpty())
        return result;
    // The two manual entries name their language; the others follow the user's.
    QString manualLanguage = languageCode;
    if (document == GermanManual)
        manualLanguage = Lang::German;
    else if (document == EnglishManual)
        manualLanguage = Lang::English;
    result.manual = shippedManual(manualLanguage);
    return result;
}

QString headingAnchor(const QString& headingText)
{
    QString anchor;
    for (const QChar c : headingText.trimmed().toLower()) {
        if (c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('_'))
            anchor += c;
        else if (c == QLatin1Char(' '))
            anchor += QLatin1Char('-');
    }
    return anchor;
}

} // namespace HelpDocuments
