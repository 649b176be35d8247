#pragma once

#include <QByteArray>
#include <QRectF>
#include <QSizeF>
#include <QString>

class QPainter;

// An image file's content as the grids and handouts draw it (a practice's
// logo): PNG, JPEG or SVG.
namespace ImageContent {

// Whether the content is an image that can be drawn.
bool isImage(const QByteArray& content);
// "png", "jpeg" or "svg"; empty when the content is no such image.
QString format(const QByteArray& content);
// The image's own size in its pixels; empty when it is none.
QSizeF naturalSize(const QByteArray& content);
// Draws the image scaled to fit the box, keeping its proportions, centred
// vertically and flush with the box's right edge; nothing for no image.
void paint(QPainter& painter, const QRectF& box, const QByteArray& content);

} // namespace ImageContent
