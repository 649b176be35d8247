#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The practice's logo file as the user chooses it.
namespace PracticeLogo {

// The most a logo file may hold: 2 MB.
inline constexpr qint64 MaxFileSize = 2 * 1024 * 1024;

// The content of a logo file the user chose; nothing, with the reason in the
// user's language in error, for a file that cannot be read, is larger than
// MaxFileSize or is no PNG, JPEG or SVG image.
std::optional<QByteArray> readFile(const QString& path, const QString& languageCode, QString& error);

} // namespace PracticeLogo
