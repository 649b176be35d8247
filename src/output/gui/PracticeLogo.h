#pragma once

#include <QByteArray>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <optional>

class QPainter;

// The practice's logo as the handouts draw it: the stored file's content,
// PNG, JPEG or SVG.
namespace PracticeLogo {

// The most a logo file may hold: 2 MB.
inline constexpr qint64 MaxFileSize = 2 * 1024 * 1024;

// Whether the content is an image the handouts can draw.
bool isImage(const QByteArray& content);
// "png", "jpeg" or "svg"; empty when the content is no such image.
QString format(const QByteArray& content);
// The content of a logo file the user chose; nothing, with the reason in the
// user's language in error, for a file that cannot be read, is larger than
// MaxFileSize or is no PNG, JPEG or SVG image.
std::optional<QByteArray> readFile(const QString& path, const QString& languageCode, QString& error);
// The image's own size in its pixels; empty when it is none.
QSizeF naturalSize(const QByteArray& content);
// Draws the logo scaled to fit the box, keeping its proportions, centred
// vertically and flush with the box's right edge; nothing for no image.
void paint(QPainter& painter, const QRectF& box, const QByteArray& content);

} // namespace PracticeLogo
