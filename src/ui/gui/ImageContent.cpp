#include "ui/gui/ImageContent.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>

namespace {

bool looksLikeSvg(const QByteArray& content)
{
    const QByteArray head = content.left(1024);
    return head.contains("<svg") || (head.contains("<?xml") && content.contains("<svg"));
}

QImage rasterOf(const QByteArray& content)
{
    QBuffer buffer;
    buffer.setData(content);
    QImageReader reader(&buffer);
    // Only the formats the handouts promise, whatever plug-ins are installed.
    const QByteArray format = reader.format();
    if (format != "png" && format != "jpeg" && format != "jpg")
        return {};
    return reader.read();
}

} // namespace

namespace ImageContent {

bool isImage(const QByteArray& content)
{
    return !naturalSize(content).isEmpty();
}

QSizeF naturalSize(const QByteArray& content)
{
    if (content.isEmpty())
        return {};
    if (looksLikeSvg(content)) {
        QSvgRenderer svg(content);
        return svg.isValid() ? QSizeF(svg.defaultSize()) : QSizeF();
    }
    return QSizeF(rasterOf(content).size());
}

void paint(QPainter& painter, const QRectF& box, const QByteArray& content)
{
    const QSizeF size = naturalSize(content);
    if (size.isEmpty() || box.isEmpty())
        return;
    const QSizeF fitted = size.scaled(box.size(), Qt::KeepAspectRatio);
    const QRectF target(box.right() - fitted.width(), box.top() + (box.height() - fitted.height()) / 2,
                        fitted.width(), fitted.height());
    if (looksLikeSvg(content)) {
        QSvgRenderer svg(content);
        svg.render(&painter, target);
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, rasterOf(content));
    painter.restore();
}

} // namespace ImageContent
