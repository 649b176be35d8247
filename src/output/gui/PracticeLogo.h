#pragma once

#include <QByteArray>
#include <QRectF>
#include <QSizeF>

class QPainter;

// The practice's logo as the handouts draw it: the stored file's content,
// PNG, JPEG or SVG.
namespace PracticeLogo {

// Whether the content is an image the handouts can draw.
bool isImage(const QByteArray& content);
// The image's own size in its pixels; empty when it is none.
QSizeF naturalSize(const QByteArray& content);
// Draws the logo scaled to fit the box, keeping its proportions, centred
// vertically and flush with the box's right edge; nothing for no image.
void paint(QPainter& painter, const QRectF& box, const QByteArray& content);

} // namespace PracticeLogo
