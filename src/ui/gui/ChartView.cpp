#include "ui/gui/ChartView.h"

#include "ui/gui/GridCellPainter.h"

#include <QBarCategoryAxis>
#include <QBarLegendMarker>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLocale>
#include <QScatterSeries>
#include <QStackedBarSeries>
#include <QTextDocument>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <map>

namespace {

constexpr int MaxLabelPixels = 12;
constexpr int MinLabelPixels = 7;
constexpr int MinReadablePixels = 9;
// How Qt Charts measures and spaces axis labels: every label is a text item
// with a half-pixel document margin and needs its share of the axis less a
// padding of 4 pixels on either side, or it is cut down to "...".
constexpr qreal LabelTextMargin = 0.5;
constexpr qreal LabelPadding = 4.0;

// Qt Charts refuses empty and repeated category labels; they are made
// distinct with trailing blanks, which do not show.
QStringList distinctLabels(const QStringList& labels)
{
    QStringList result;
    for (QString label : labels) {
        if (label.isEmpty())
            label = QStringLiteral(" ");
        while (result.contains(label))
            label += QLatin1Char(' ');
        result << label;
    }
    return result;
}

void hideMarker(QChart* chart, QObject* seriesOrSet)
{
    for (QLegendMarker* marker : chart->legend()->markers()) {
        if (auto* bar = qobject_cast<QBarLegendMarker*>(marker); bar && bar->barset() == seriesOrSet)
            marker->setVisible(false);
        else if (marker->series() == seriesOrSet)
            marker->setVisible(false);
    }
}

void addBars(QChart* chart, const ChartModel& model, QAbstractAxis* axisX, QAbstractAxis* axisY)
{
    const int n = model.categoryCount();
    QAbstractBarSeries* series = nullptr;
    std::vector<QBarSet*> unnamed;

    if (model.seriesAreDisjoint()) {
        // One set per series, colour and hatching; at most one set has a
        // value per category.
        series = new QStackedBarSeries;
        bool hatchNamed = false;
        for (int s = 0; s < model.seriesCount(); ++s) {
            struct Set
            {
                Rgb colour;
                bool hatched;
                QBarSet* set;
            };
            std::vector<Set> sets;
            const auto setFor = [&](Rgb colour, bool hatched) {
                for (const Set& entry : sets)
                    if (entry.colour == colour && entry.hatched == hatched)
                        return entry.set;
                const bool legendHatch = hatched && !hatchNamed && !model.hatchName().isEmpty();
                auto* set = new QBarSet(legendHatch ? model.hatchName() : model.series(s).name);
                const QColor color = GridCellPainter::toColor(colour);
                if (hatched) {
                    set->setBrush(QBrush(color, Qt::BDiagPattern));
                    set->setPen(QPen(color, 1));
                } else {
                    set->setColor(color);
                    set->setPen(Qt::NoPen);
                }
                for (int i = 0; i < n; ++i)
                    set->append(0.0);
                if (legendHatch)
                    hatchNamed = true;
                else if (!sets.empty() || model.series(s).name.isEmpty() || hatched)
                    unnamed.push_back(set);
                sets.push_back({colour, hatched, set});
                return set;
            };
            setFor(model.series(s).colour, false);
            for (int c = 0; c < n; ++c)
                if (const auto v = model.drawnValue(s, c))
                    setFor(model.colourAt(s, c), model.isHatched(s, c))->replace(c, *v);
            for (const Set& entry : sets)
                series->append(entry.set);
        }
    } else {
        series = new QBarSeries;
        for (int s = 0; s < model.seriesCount(); ++s) {
            auto* set = new QBarSet(model.series(s).name);
            set->setColor(GridCellPainter::toColor(model.series(s).colour));
            set->setPen(Qt::NoPen);
            for (int c = 0; c < n; ++c)
                set->append(model.drawnValue(s, c).value_or(0.0));
            if (model.series(s).name.isEmpty())
                unnamed.push_back(set);
            series->append(set);
        }
    }
    series->setBarWidth(0.6);
    chart->addSeries(series);
    series->attachAxis(axisX);
    series->attachAxis(axisY);
    for (QBarSet* set : unnamed)
        hideMarker(chart, set);
}

// Each marker is a short line across its bar, wider than the bar; one above
// the axis lies at the top, dashed, with a triangle pointing up.
void addMarkers(QChart* chart, const ChartModel& model, QAbstractAxis* axisX, QAbstractAxis* axisY)
{
    const QColor colour = GridCellPainter::toColor(model.markerColour());
    QScatterSeries* above = nullptr;
    bool named = false;
    for (int c = 0; c < model.categoryCount(); ++c) {
        const auto v = model.drawnMarker(c);
        if (!v)
            continue;
        const bool clipped = model.markerAboveAxis(c);
        auto* line = new QLineSeries;
        line->setName(model.markerName());
        line->setPen(QPen(colour, 3, clipped ? Qt::DashLine : Qt::SolidLine, Qt::FlatCap));
        line->append(c - 0.4, *v);
        line->append(c + 0.4, *v);
        chart->addSeries(line);
        line->attachAxis(axisX);
        line->attachAxis(axisY);
        if (named || model.markerName().isEmpty())
            hideMarker(chart, line);
        named = true;
        if (clipped) {
            if (!above) {
                above = new QScatterSeries;
                above->setMarkerShape(QScatterSeries::MarkerShapeTriangle);
                above->setMarkerSize(10);
                above->setColor(colour);
                above->setBorderColor(colour);
                chart->addSeries(above);
                above->attachAxis(axisX);
                above->attachAxis(axisY);
                hideMarker(chart, above);
            }
            above->append(c, model.axisMax() - (model.axisMax() - model.axisMin()) * 0.03);
        }
    }
}

void addLines(QChart* chart, const ChartModel& model, QAbstractAxis* axisX, QAbstractAxis* axisY)
{
    for (int s = 0; s < model.seriesCount(); ++s) {
        const ChartModel::Series& data = model.series(s);
        QPen pen(GridCellPainter::toColor(data.colour), 2);
        bool named = false;
        QLineSeries* line = nullptr;
        for (int c = 0; c < model.categoryCount(); ++c) {
            const auto v = model.drawnValue(s, c);
            if (!v) {
                line = nullptr; // a gap starts a new piece of the line
                continue;
            }
            if (!line) {
                line = new QLineSeries;
                line->setName(data.name);
                line->setPen(pen);
                line->setColor(pen.color());
                chart->addSeries(line);
                line->setPointsVisible(true);
                line->setMarkerSize(3.5); // a radius, not a diameter
                line->attachAxis(axisX);
                line->attachAxis(axisY);
                if (named || data.name.isEmpty())
                    hideMarker(chart, line);
                named = true;
            }
            line->append(c, *v);
        }
    }
}

QFont labelFont(const QFont& base, int pixels)
{
    QFont font = base;
    font.setPixelSize(pixels);
    return font;
}

QSizeF labelSize(const QFont& font, const QString& text)
{
    QGraphicsTextItem probe;
    probe.document()->setDocumentMargin(LabelTextMargin);
    probe.setFont(font);
    probe.setHtml(text);
    return probe.boundingRect().size();
}

qreal widestLabel(const QFont& font, const QStringList& labels)
{
    qreal widest = 0;
    for (const QString& label : labels)
        widest = std::max(widest, labelSize(font, label).width());
    return widest;
}

bool applyLabelFont(QAbstractAxis* axis, int pixels, int angle = 0)
{
    QFont font = axis->labelsFont();
    if (font.pixelSize() == pixels && axis->labelsAngle() == angle)
        return false;
    axis->setLabelsFont(labelFont(font, pixels));
    axis->setLabelsAngle(angle);
    return true;
}

// Bars: every category keeps its label; the font shrinks, and as a last
// resort the labels are turned upright.
bool fitBarLabels(QBarCategoryAxis* axis, qreal plotWidth)
{
    const qreal room = plotWidth / (axis->count() + 2) - 2 * LabelPadding;
    const QStringList labels = axis->categories();
    for (int px = MaxLabelPixels; px >= MinLabelPixels; --px)
        if (widestLabel(labelFont(axis->labelsFont(), px), labels) <= room)
            return applyLabelFont(axis, px);
    for (int px = MaxLabelPixels; px > MinLabelPixels; --px)
        if (labelSize(labelFont(axis->labelsFont(), px), QStringLiteral("0")).height() <= room)
            return applyLabelFont(axis, px, -90);
    return applyLabelFont(axis, MinLabelPixels, -90);
}

// Lines: the points stay, but only every k-th one is labelled when all
// labels would not fit at a readable size.
bool fitLineLabels(QCategoryAxis* axis, const QStringList& labels, qreal plotWidth)
{
    const int n = static_cast<int>(labels.size());
    int every = n;
    int pixels = MinReadablePixels;
    for (int k = 1; k <= n && every == n; ++k) {
        const int shown = (n + k - 1) / k;
        const qreal room = plotWidth / (shown + 2) - 2 * LabelPadding;
        for (int px = MaxLabelPixels; px >= MinReadablePixels; --px) {
            QStringList subset;
            for (int i = 0; i < n; i += k)
                subset << labels[i];
            if (widestLabel(labelFont(axis->labelsFont(), px), subset) <= room) {
                every = k;
                pixels = px;
                break;
            }
        }
    }
    QStringList wanted;
    for (int i = 0; i < n; i += every)
        wanted << labels[i];
    bool changed = applyLabelFont(axis, pixels);
    if (axis->categoriesLabels() != wanted) {
        for (const QString& label : axis->categoriesLabels())
            axis->remove(label);
        for (int i = 0; i < n; i += every)
            axis->append(labels[i], i);
        changed = true;
    }
    return changed;
}

// Value axis: grid lines stay at every step; when the labels of all steps
// would not fit, labels go to every k-th step (k dividing the steps, so the
// top keeps its label) and minor grid lines fill in between.
bool fitValueLabels(QValueAxis* axis, const ChartModel& model, qreal plotHeight)
{
    const int steps =
        std::max(1, static_cast<int>(std::lround((model.axisMax() - model.axisMin()) / model.axisStep())));
    const QString format = axis->labelFormat();
    const QStringList extremes = {QString::asprintf(format.toLatin1().constData(), model.axisMin()),
                                  QString::asprintf(format.toLatin1().constData(), model.axisMax())};
    int every = steps;
    int pixels = MinLabelPixels;
    for (int k = 1; k <= steps && every == steps; ++k) {
        if (steps % k != 0)
            continue;
        const qreal room = plotHeight / (steps / k + 1) - 2 * LabelPadding;
        for (int px = MaxLabelPixels; px >= MinLabelPixels + 1; --px) {
            if (labelSize(labelFont(axis->labelsFont(), px), extremes.first()).height() <= room) {
                every = k;
                pixels = px;
                break;
            }
        }
    }
    bool changed = applyLabelFont(axis, pixels);
    const qreal interval = model.axisStep() * every;
    if (axis->tickInterval() != interval || axis->minorTickCount() != every - 1) {
        axis->setTickInterval(interval);
        axis->setMinorTickCount(every - 1);
        changed = true;
    }
    return changed;
}

} // namespace

ChartView::ChartView(QWidget* parent)
    : QChartView(parent)
{
    setRenderHint(QPainter::Antialiasing);
    setMinimumSize(320, 240);
    setModel(ChartModel());
}

void ChartView::setModel(const ChartModel& model)
{
    m_model = model;
    QChart* old = chart();
    setChart(buildChart(m_model));
    // setChart() hands the previous chart back to us.
    delete old;
    scheduleFit();
}

QValueAxis* ChartView::valueAxis() const
{
    const auto axes = chart()->axes(Qt::Vertical);
    return axes.isEmpty() ? nullptr : qobject_cast<QValueAxis*>(axes.first());
}

QAbstractAxis* ChartView::categoryAxis() const
{
    const auto axes = chart()->axes(Qt::Horizontal);
    return axes.isEmpty() ? nullptr : axes.first();
}

QChart* ChartView::buildChart(const ChartModel& model)
{
    auto* chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setBackgroundRoundness(0);
    chart->setDropShadowEnabled(false);
    chart->setTitle(model.title());
    QFont titleFont = chart->titleFont();
    titleFont.setPixelSize(14);
    titleFont.setBold(true);
    chart->setTitleFont(titleFont);
    chart->legend()->setVisible(model.hasLegend());
    chart->legend()->setAlignment(Qt::AlignBottom);

    const QStringList labels = distinctLabels(model.categories());
    QAbstractAxis* axisX = nullptr;
    if (model.kind() == ChartModel::Kind::Bar) {
        auto* bars = new QBarCategoryAxis;
        bars->append(labels);
        axisX = bars;
    } else {
        // A value axis with labels at the points, so that not every point
        // needs a label when there are many.
        auto* points = new QCategoryAxis;
        points->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
        points->setRange(-0.5, std::max(0, model.categoryCount() - 1) + 0.5);
        points->setStartValue(-0.5);
        for (int i = 0; i < labels.size(); ++i)
            points->append(labels[i], i);
        axisX = points;
    }
    axisX->setTitleText(model.categoryAxisCaption());
    axisX->setGridLineVisible(false);

    auto* axisY = new QValueAxis;
    axisY->setRange(model.axisMin(), model.axisMax());
    axisY->setTickType(QValueAxis::TicksDynamic);
    axisY->setTickAnchor(model.axisMin());
    axisY->setTickInterval(model.axisStep());
    axisY->setLabelFormat(QStringLiteral("%.%1f").arg(model.axisLabelDecimals()));
    axisY->setTitleText(model.valueAxisCaption());

    for (QAbstractAxis* axis : {axisX, static_cast<QAbstractAxis*>(axisY)}) {
        QFont font = axis->titleFont();
        font.setPixelSize(12);
        font.setBold(false);
        axis->setTitleFont(font);
        axis->setLabelsFont(labelFont(axis->labelsFont(), MaxLabelPixels));
    }
    chart->addAxis(axisX, Qt::AlignBottom);
    chart->addAxis(axisY, Qt::AlignLeft);
    // Minor grid lines stand in for steps without a label; they look like the others.
    axisY->setMinorGridLinePen(axisY->gridLinePen());
    if (model.decimalComma()) {
        QLocale comma(QLocale::German, QLocale::Germany);
        comma.setNumberOptions(QLocale::OmitGroupSeparator);
        chart->setLocale(comma);
        chart->setLocalizeNumbers(true);
    }

    if (model.kind() == ChartModel::Kind::Bar) {
        addBars(chart, model, axisX, axisY);
        addMarkers(chart, model, axisX, axisY);
    } else
        addLines(chart, model, axisX, axisY);
    return chart;
}

bool ChartView::fitLabels(QChart* chart, const ChartModel& model)
{
    const QRectF plot = chart->plotArea();
    if (plot.width() < 10 || plot.height() < 10)
        return false;
    bool changed = false;
    const auto horizontal = chart->axes(Qt::Horizontal);
    const auto vertical = chart->axes(Qt::Vertical);
    if (!horizontal.isEmpty()) {
        if (auto* bars = qobject_cast<QBarCategoryAxis*>(horizontal.first()))
            changed |= fitBarLabels(bars, plot.width());
        else if (auto* points = qobject_cast<QCategoryAxis*>(horizontal.first()))
            changed |= fitLineLabels(points, distinctLabels(model.categories()), plot.width());
    }
    // The category labels may still take some height from the plot.
    if (!vertical.isEmpty())
        if (auto* values = qobject_cast<QValueAxis*>(vertical.first()))
            changed |= fitValueLabels(values, model, plot.height() - 6);
    return changed;
}

void ChartView::scheduleFit()
{
    if (m_fitPending)
        return;
    m_fitPending = true;
    // After the chart has laid itself out for the new size.
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_fitPending = false;
            if (fitLabels(chart(), m_model) && ++m_fitRounds < 3)
                scheduleFit();
            else
                m_fitRounds = 0;
        },
        Qt::QueuedConnection);
}

void ChartView::resizeEvent(QResizeEvent* event)
{
    QChartView::resizeEvent(event);
    scheduleFit();
}

void ChartView::render(const ChartModel& model, QPainter& painter, const QRectF& pageArea)
{
    // A chart of its own at a fixed size, so the printout does not depend on
    // how large the window happens to be.
    QGraphicsScene scene;
    QChart* chart = buildChart(model);
    scene.addItem(chart);
    chart->resize(RenderSize);
    // A long title (owner, patient and recipe title) gets a smaller font or a
    // second line rather than losing its end to an ellipsis.
    const QString title = model.title();
    const qreal titleWidth = RenderSize.width() - 80;
    QFont titleFont = chart->titleFont();
    auto fits = [&](const QString& line) {
        return QFontMetricsF(titleFont).horizontalAdvance(line) <= titleWidth;
    };
    const int largest = titleFont.pixelSize();
    while (titleFont.pixelSize() > 11 && !fits(title))
        titleFont.setPixelSize(titleFont.pixelSize() - 1);
    if (!fits(title)) {
        const int middle = title.lastIndexOf(QLatin1Char(' '), title.size() / 2);
        if (middle > 0) {
            const QString first = title.left(middle), second = title.mid(middle + 1);
            titleFont.setPixelSize(largest);
            while (titleFont.pixelSize() > 8 && !(fits(first) && fits(second)))
                titleFont.setPixelSize(titleFont.pixelSize() - 1);
            chart->setTitle(first.toHtmlEscaped() + QStringLiteral("<br>") + second.toHtmlEscaped());
        }
    }
    chart->setTitleFont(titleFont);
    for (int round = 0; round < 3; ++round) {
        QCoreApplication::sendPostedEvents();
        if (!fitLabels(chart, model))
            break;
    }
    QCoreApplication::sendPostedEvents();
    // Hatching scales with the chart, so that a printer's fine pixels do not
    // close its lines into a flat tint.
    painter.setRenderHint(QPainter::NonCosmeticBrushPatterns);
    scene.render(&painter, pageArea, QRectF(QPointF(0, 0), RenderSize), Qt::KeepAspectRatio);
}

void ChartView::renderTo(QPainter& painter, const QRectF& pageArea) const
{
    render(m_model, painter, pageArea);
}
