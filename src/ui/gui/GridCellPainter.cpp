#include "ui/gui/GridCellPainter.h"

#include "ui/GridModel.h"
#include "ui/gui/ImageContent.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace GridCellPainter {

namespace {
constexpr qreal TextMarginX = 3;
constexpr qreal TextMarginY = 1;
const QColor GridLine(192, 192, 192);
const QColor FixedGridLine(128, 128, 128);

Qt::Alignment toAlignment(GridAlign align)
{
    Qt::Alignment flags;
    switch (align.h) {
    case GridAlign::Left:
    case GridAlign::LeftSingleLine:
        flags = Qt::AlignLeft;
        break;
    case GridAlign::Centre:
        flags = Qt::AlignHCenter;
        break;
    case GridAlign::Right:
        flags = Qt::AlignRight;
        break;
    }
    switch (align.v) {
    case GridAlign::Top:
        return flags | Qt::AlignTop;
    case GridAlign::VCentre:
        return flags | Qt::AlignVCenter;
    case GridAlign::Bottom:
        return flags | Qt::AlignBottom;
    }
    return flags;
}

// Wrapped text that does not fit: the lines that fit, the last one ending
// in an ellipsis.
QString elideWrapped(const QString& text, const QFont& font, QPaintDevice* device,
                     const QFontMetricsF& metrics, const QRectF& rect)
{
    const int maxLines = std::max(1, static_cast<int>(rect.height() / metrics.lineSpacing()));
    QTextLayout layout(text, font, device);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(rect.width());
        if (lines.size() + 1 == maxLines) {
            lines << metrics.elidedText(text.mid(line.textStart()).simplified(), Qt::ElideRight,
                                        rect.width());
            break;
        }
        lines << text.mid(line.textStart(), line.textLength()).trimmed();
    }
    layout.endLayout();
    return lines.join(QLatin1Char('\n'));
}

} // namespace

QColor toColor(Rgb rgb)
{
    return QColor(rgb.r, rgb.g, rgb.b);
}

QFont toFont(const CellFont& font)
{
    QFont f;
    if (font.family.compare(QLatin1String("Tahoma"), Qt::CaseInsensitive) == 0) {
        // The grids' column widths are made for this narrow face; where it is
        // missing a condensed sans keeps numbers and short names inside them.
        f.setFamilies(
            {font.family, QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("Liberation Sans Narrow")});
    } else if (!font.family.isEmpty()) {
        f.setFamily(font.family);
    }
    f.setPixelSize(std::max(1, font.height));
    f.setWeight(static_cast<QFont::Weight>(std::clamp(font.weight, 100, 900)));
    f.setItalic(font.italic);
    return f;
}

void drawText(QPainter& painter, const QRectF& rect, const QString& text, GridAlign align, bool ellipsis)
{
    if (text.isEmpty() || rect.width() <= 0 || rect.height() <= 0)
        return;
    const QFontMetricsF metrics(painter.font(), painter.device());
    const Qt::Alignment flags = toAlignment(align);

    if (align.wordWrap()) {
        // A single word wider than the cell is broken inside, not cut off.
        const QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        const bool longWord = std::any_of(words.begin(), words.end(), [&](const QString& word) {
            return metrics.horizontalAdvance(word) > rect.width();
        });
        const int wrap = longWord ? Qt::TextWrapAnywhere : Qt::TextWordWrap;
        const QRectF needed = metrics.boundingRect(rect, flags | wrap, text);
        if (ellipsis && needed.height() > rect.height()) {
            painter.drawText(rect, flags,
                             elideWrapped(text, painter.font(), painter.device(), metrics, rect));
            return;
        }
        painter.drawText(rect, flags | wrap, text);
        return;
    }
    const QString shown = ellipsis ? metrics.elidedText(text, Qt::ElideRight, rect.width()) : text;
    painter.drawText(rect, flags | Qt::TextSingleLine, shown);
}

int neededWidth(const GridModel& model, int row, int col)
{
    const QString text = model.shownText(row, col);
    if (text.trimmed().isEmpty())
        return 0;
    const QFontMetricsF metrics(toFont(model.font(row, col)));
    // The margins paintCell leaves, and a pixel or two by which printer and
    // screen metrics differ.
    constexpr qreal Margins = 2 * TextMarginX + 1;
    constexpr qreal Slack = 2;
    const qreal whole = metrics.horizontalAdvance(text);
    qreal width = whole;
    if (model.alignment(row, col).wordWrap()) {
        width = 0;
        for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            width = std::max(width, metrics.horizontalAdvance(word));
        // As wide as the longest word, then wider until the lines fit the row.
        const qreal height = model.rowHeight(row) - 2 * TextMarginY - 1;
        while (width < whole &&
               metrics.boundingRect(QRectF(0, 0, width, 1e6), Qt::TextWordWrap, text).height() > height)
            width += 1;
    }
    return static_cast<int>(std::ceil(width + Margins + Slack));
}

int neededHeight(const GridModel& model, int row, int col)
{
    const QString text = model.shownText(row, col);
    const qreal width = model.columnWidth(col) - 2 * TextMarginX - 1;
    if (text.trimmed().isEmpty() || width <= 0)
        return 0;
    const QFontMetricsF metrics(toFont(model.font(row, col)));
    int flags = Qt::TextSingleLine;
    if (model.alignment(row, col).wordWrap()) {
        // Wrapped as drawText wraps it: a word wider than the cell is broken inside.
        const QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        const bool longWord = std::any_of(words.begin(), words.end(), [&](const QString& word) {
            return metrics.horizontalAdvance(word) > width;
        });
        flags = longWord ? Qt::TextWrapAnywhere : Qt::TextWordWrap;
    }
    const QRectF needed = metrics.boundingRect(QRectF(0, 0, width, 1e6), flags, text);
    return static_cast<int>(std::ceil(needed.height() + 2 * TextMarginY + 1));
}

void widenToTexts(GridModel& model)
{
    for (int col = 0; col < model.columnCount(); ++col) {
        const int width = model.columnWidth(col);
        if (width <= 0)
            continue;
        int needed = width;
        for (int row = 0; row < model.rowCount(); ++row)
            needed = std::max(needed, neededWidth(model, row, col));
        if (needed != width)
            model.setColumnWidth(col, needed);
    }
}

void paintCell(QPainter& painter, const GridModel& model, int row, int col, const QRectF& rect)
{
    paintCell(painter, rect, model.shownText(row, col),
              {model.background(row, col), model.textColor(row, col), model.font(row, col),
               model.alignment(row, col), model.hasEllipsis(row, col), model.isFixedCell(row, col),
               model.gridLines(), model.image(row, col)});
}

void paintCell(QPainter& painter, const QRectF& rect, const QString& text, const CellLook& look)
{
    painter.fillRect(rect, toColor(look.background));
    const QRectF inner = rect.adjusted(TextMarginX, TextMarginY, -TextMarginX - 1, -TextMarginY - 1);
    ImageContent::paint(painter, inner, look.image);

    if (!text.isEmpty()) {
        painter.setFont(toFont(look.font));
        painter.setPen(toColor(look.textColour));
        // drawText clips to the text rectangle.
        drawText(painter, inner, text, look.align, look.ellipsis);
    }

    if (!look.gridLines)
        return;
    painter.setPen(QPen(look.fixed ? FixedGridLine : GridLine, 1));
    const qreal right = rect.right() - 0.5;
    const qreal bottom = rect.bottom() - 0.5;
    painter.drawLine(QPointF(right, rect.top()), QPointF(right, rect.bottom()));
    painter.drawLine(QPointF(rect.left(), bottom), QPointF(rect.right(), bottom));
}

} // namespace GridCellPainter
