#include "support/PdfText.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

std::optional<QStringList> pdfPages(const QString& fileName)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        return std::nullopt;
    QProcess process;
    process.start(tool, {QStringLiteral("-layout"), fileName, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QStringList();
    QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\f'));
    // pdftotext ends every page, the last one included, with a form feed.
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

bool containsIgnoringSpaces(const QString& text, const QString& part)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    // Compatibility normalisation undoes ligatures such as "ff".
    const auto squeeze = [](const QString& s) {
        return s.normalized(QString::NormalizationForm_KC).remove(blanks);
    };
    return squeeze(text).contains(squeeze(part));
}
