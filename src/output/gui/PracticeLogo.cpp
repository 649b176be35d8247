#include "output/gui/PracticeLogo.h"

#include "output/PracticeDetailsTexts.h"
#include "ui/gui/ImageContent.h"

#include <QDir>
#include <QFile>

namespace PracticeLogo {

std::optional<QByteArray> readFile(const QString& path, const QString& languageCode, QString& error)
{
    using namespace PracticeDetailsTexts;
    const QString shown = QDir::toNativeSeparators(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = CannotRead.in(languageCode).arg(shown);
        return std::nullopt;
    }
    // One byte more than allowed tells a file that is too large, also where
    // the size is not known beforehand (a pipe).
    const QByteArray content = file.read(MaxFileSize + 1);
    if (file.error() != QFileDevice::NoError) {
        error = CannotRead.in(languageCode).arg(shown);
        return std::nullopt;
    }
    if (content.size() > MaxFileSize) {
        error = TooLarge.in(languageCode);
        return std::nullopt;
    }
    if (!ImageContent::isImage(content)) {
        error = NotAnImage.in(languageCode).arg(shown);
        return std::nullopt;
    }
    return content;
}

} // namespace PracticeLogo
