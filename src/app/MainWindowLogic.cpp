#include "app/MainWindowLogic.h"

#include "app/MainWindowTexts.h"
#include "core/Lang.h"

#include <QLocale>

namespace MainWindowLogic {

QString startPicture(const QString& languageCode)
{
    return languageCode == Lang::English ? QStringLiteral(":/pictures/start-en.png")
                                         : QStringLiteral(":/pictures/start-de.png");
}

QString caseWindowTitle(const QString& languageCode)
{
    return MainWindowTexts::CaseWindowTitle.onlyIn(languageCode);
}

QRect caseWindowGeometry(const QSize& clientArea)
{
    return QRect(0, 0, qMax(0, clientArea.width() - 3), qMax(0, clientArea.height() - 30));
}

QString resultBarCaption(const QString& languageCode)
{
    return MainWindowTexts::SearchResult.onlyIn(languageCode);
}

QString resultBarCaption(const QString& languageCode, int caseCount)
{
    const QString caption = resultBarCaption(languageCode);
    if (caption.isEmpty())
        return caption;
    const QLocale locale(languageCode == Lang::German ? QLocale::German : QLocale::English);
    const Lang::Text& cases = caseCount == 1 ? MainWindowTexts::OneCase : MainWindowTexts::SeveralCases;
    return caption + QStringLiteral(": ") + locale.toString(caseCount) + cases.in(languageCode);
}

QString resultBarFailedCaption(const QString& languageCode)
{
    const QString caption = resultBarCaption(languageCode);
    if (caption.isEmpty())
        return caption;
    return caption + QStringLiteral(": ") + MainWindowTexts::SearchFailed.in(languageCode);
}

QSize resultBarInitialSize(ResultBarOrigin origin)
{
    return origin == ResultBarOrigin::Search ? QSize(305, 305) : QSize(305, 150);
}

QList<QRect> tile(const QSize& clientArea, int count, Tiling tiling)
{
    QList<QRect> rects;
    const bool sideBySide = tiling == Tiling::SideBySide;
    const int extent = sideBySide ? clientArea.width() : clientArea.height();
    for (int i = 0; i < count; ++i) {
        // Integer shares that add up to the whole extent.
        const int from = extent * i / count;
        const int to = extent * (i + 1) / count;
        rects << (sideBySide ? QRect(from, 0, to - from, clientArea.height())
                             : QRect(0, from, clientArea.width(), to - from));
    }
    return rects;
}

QList<QPoint> arrangeIcons(const QSize& clientArea, const QList<QSize>& icons)
{
    QList<QPoint> positions;
    int x = 0;
    int bottom = clientArea.height();
    int rowHeight = 0;
    for (const QSize& icon : icons) {
        if (x > 0 && x + icon.width() > clientArea.width()) {
            bottom -= rowHeight;
            x = 0;
            rowHeight = 0;
        }
        positions << QPoint(x, bottom - icon.height());
        x += icon.width();
        rowHeight = qMax(rowHeight, icon.height());
    }
    return positions;
}

} // namespace MainWindowLogic
