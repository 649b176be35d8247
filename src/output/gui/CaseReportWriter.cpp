#include "output/gui/CaseReportWriter.h"

#include "core/FileChooser.h"
#include "core/Prompt.h"
#include "db/AppContext.h"
#include "output/CaseReport.h"
#include "output/ReportTexts.h"
#include "ui/gui/ChartView.h"
#include "ui/gui/ImageContent.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>

namespace {

constexpr int Dpi = 300;

constexpr qreal mm(qreal millimetres)
{
    return millimetres * Dpi / 25.4;
}

// The page in device units: A4 with its margins, the footer below the body.
constexpr qreal PageWidth = mm(210), PageHeight = mm(297);
constexpr qreal Margin = mm(18), TopMargin = mm(15), FooterHeight = mm(10);
constexpr qreal BodyLeft = Margin, BodyWidth = PageWidth - 2 * Margin;
constexpr qreal BodyTop = TopMargin, BodyBottom = PageHeight - TopMargin - FooterHeight;
constexpr qreal CellPadding = mm(1.2);
constexpr qreal LogoWidth = mm(50), LogoHeight = mm(22);
constexpr qreal LabelWidth = mm(60);

const QColor HeadingShade(230, 230, 230);
const QColor RuleColour(160, 160, 160);
const QColor WarningColour(170, 0, 0);

QFont font(qreal points, bool bold = false, bool italic = false)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(points);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

// Places the report on pages from top to bottom. The first pass only
// measures, to count the pages; the second paints, with the count known
// for the footers.
class Layout
{
public:
    Layout(QPdfWriter& writer, const CaseReport& report, QPainter* painter, int pageCount)
        : m_writer(writer)
        , m_report(report)
        , m_painter(painter)
        , m_pageCount(pageCount)
    {
    }

    int run()
    {
        startPage();
        letterhead();
        text(m_report.title, font(16, true), mm(4));
        for (const CaseReport::Section& section : m_report.sections)
            this->section(section);
        charts();
        return m_page;
    }

private:
    qreal height(const QString& value, const QFont& f, qreal width) const
    {
        const QFontMetricsF metrics(f, &m_writer);
        if (value.isEmpty())
            return metrics.height();
        return metrics.boundingRect(QRectF(0, 0, width, 1e9), Qt::TextWordWrap, value).height();
    }

    void draw(const QRectF& box, const QString& value, const QFont& f, int flags,
              const QColor& colour = Qt::black)
    {
        if (!m_painter || value.isEmpty())
            return;
        m_painter->setFont(f);
        m_painter->setPen(colour);
        m_painter->drawText(box, flags | Qt::TextWordWrap, value);
    }

    void startPage()
    {
        ++m_page;
        m_y = BodyTop;
        if (!m_painter)
            return;
        const QFont small = font(8);
        const qreal top = PageHeight - TopMargin - FooterHeight + mm(3);
        m_painter->setPen(QPen(RuleColour, mm(0.2)));
        m_painter->drawLine(QPointF(BodyLeft, top), QPointF(BodyLeft + BodyWidth, top));
        const QRectF line(BodyLeft, top + mm(1), BodyWidth, FooterHeight - mm(1));
        draw(line, m_report.program, small, Qt::AlignLeft | Qt::AlignTop);
        draw(line, m_report.printedOn, small, Qt::AlignHCenter | Qt::AlignTop);
        draw(line, m_report.pageText(m_page, m_pageCount), small, Qt::AlignRight | Qt::AlignTop);
    }

    void newPage()
    {
        if (m_painter)
            m_writer.newPage();
        startPage();
    }

    // Starts a new page unless the block fits below, or the page is still
    // empty (a block taller than a page is drawn cut rather than never).
    void need(qreal blockHeight)
    {
        if (m_y + blockHeight > BodyBottom && m_y > BodyTop)
            newPage();
    }

    void text(const QString& value, const QFont& f, qreal spaceAfter)
    {
        const qreal h = height(value, f, BodyWidth);
        need(h);
        draw(QRectF(BodyLeft, m_y, BodyWidth, h), value, f, Qt::AlignLeft | Qt::AlignTop);
        m_y += h + spaceAfter;
    }

    void letterhead()
    {
        const PracticeDetails& practice = m_report.practice;
        const qreal width = BodyWidth - LogoWidth - mm(5);
        const std::pair<QString, QFont> lines[] = {{practice.nameLine(), font(13, true)},
                                                   {practice.addressLine(), font(9)},
                                                   {practice.contactLine(), font(9)}};
        qreal y = m_y;
        for (const auto& [value, f] : lines) {
            const qreal h = height(value, f, width);
            draw(QRectF(BodyLeft, y, width, h), value, f, Qt::AlignLeft | Qt::AlignTop);
            y += h;
        }
        if (m_painter) {
            ImageContent::paint(*m_painter,
                                QRectF(BodyLeft + BodyWidth - LogoWidth, m_y, LogoWidth, LogoHeight),
                                practice.logo);
        }
        m_y = std::max(y, m_y + LogoHeight) + mm(2);
        if (m_painter) {
            m_painter->setPen(QPen(RuleColour, mm(0.3)));
            m_painter->drawLine(QPointF(BodyLeft, m_y), QPointF(BodyLeft + BodyWidth, m_y));
        }
        m_y += mm(5);
    }

    void fields(const std::vector<CaseReport::Field>& list)
    {
        const QFont labelFont = font(9, true), valueFont = font(9);
        for (const CaseReport::Field& field : list) {
            const qreal h = std::max(height(field.label, labelFont, LabelWidth - CellPadding),
                                     height(field.value, valueFont, BodyWidth - LabelWidth));
            need(h);
            draw(QRectF(BodyLeft, m_y, LabelWidth - CellPadding, h), field.label, labelFont,
                 Qt::AlignLeft | Qt::AlignTop);
            draw(QRectF(BodyLeft + LabelWidth, m_y, BodyWidth - LabelWidth, h), field.value, valueFont,
                 Qt::AlignLeft | Qt::AlignTop);
            m_y += h + mm(0.8);
        }
    }

    // Columns after the first take the width their widest cell needs (a
    // last text column at most a quarter of the body); the first takes the
    // rest and wraps. When that leaves it less than it needs, up to a third
    // of the body, the other columns give way in proportion.
    std::vector<qreal> columnWidths(const CaseReport::Table& table) const
    {
        const int count = int(table.heading.size());
        std::vector<qreal> widths(size_t(count), 0);
        const QFontMetricsF bold(font(8.5, true), &m_writer);
        qreal firstWidest = bold.horizontalAdvance(table.heading.value(0));
        for (const CaseReport::Row& row : table.rows)
            firstWidest = std::max(firstWidest, bold.horizontalAdvance(row.cells.value(0)));
        for (int c = 1; c < count; ++c) {
            qreal widest = bold.horizontalAdvance(table.heading.at(c));
            for (const CaseReport::Row& row : table.rows) {
                if (c < row.cells.size())
                    widest = std::max(widest, bold.horizontalAdvance(row.cells.at(c)));
            }
            widths[size_t(c)] = widest + 2 * CellPadding + mm(0.5);
            if (c == count - 1 && table.lastIsText)
                widths[size_t(c)] = std::min(widths[size_t(c)], BodyWidth / 4);
        }
        qreal others = 0;
        for (int c = 1; c < count; ++c)
            others += widths[size_t(c)];
        const qreal firstMinimum = std::min(firstWidest + 2 * CellPadding + mm(0.5), BodyWidth / 3);
        if (count > 1 && BodyWidth - others < firstMinimum) {
            const qreal factor = (BodyWidth - firstMinimum) / others;
            for (int c = 1; c < count; ++c)
                widths[size_t(c)] *= factor;
            others = BodyWidth - firstMinimum;
        }
        widths[0] = BodyWidth - others;
        return widths;
    }

    qreal rowHeight(const QStringList& cells, const std::vector<qreal>& widths, const QFont& f) const
    {
        qreal h = 0;
        for (size_t c = 0; c < widths.size(); ++c) {
            const QString cell = int(c) < cells.size() ? cells.at(int(c)) : QString();
            h = std::max(h, height(cell, f, widths[c] - 2 * CellPadding));
        }
        return h + 2 * CellPadding;
    }

    void row(const QStringList& cells, const std::vector<qreal>& widths, const QFont& f, qreal h,
             bool lastIsText, const QColor& colour, bool shaded)
    {
        if (m_painter) {
            if (shaded)
                m_painter->fillRect(QRectF(BodyLeft, m_y, BodyWidth, h), HeadingShade);
            m_painter->setPen(QPen(RuleColour, mm(0.15)));
            m_painter->drawLine(QPointF(BodyLeft, m_y + h), QPointF(BodyLeft + BodyWidth, m_y + h));
        }
        qreal x = BodyLeft;
        const int last = int(widths.size()) - 1;
        for (int c = 0; c <= last; ++c) {
            const QString cell = c < cells.size() ? cells.at(c) : QString();
            const bool isText = c == 0 || (c == last && lastIsText);
            const QRectF box(x + CellPadding, m_y + CellPadding, widths[size_t(c)] - 2 * CellPadding,
                             h - 2 * CellPadding);
            draw(box, cell, f, (isText ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignTop, colour);
            x += widths[size_t(c)];
        }
        m_y += h;
    }

    void table(const CaseReport::Table& table)
    {
        const std::vector<qreal> widths = columnWidths(table);
        const QFont headingFont = font(8.5, true), plain = font(8.5), bold = font(8.5, true);
        const qreal headingHeight = rowHeight(table.heading, widths, headingFont);
        bool headingShown = false;
        for (const CaseReport::Row& r : table.rows) {
            const QFont& f = r.total ? bold : plain;
            const qreal h = rowHeight(r.cells, widths, f);
            if (!headingShown || m_y + h > BodyBottom) {
                // The heading row never stands alone at the foot of a page.
                need(headingHeight + h);
                row(table.heading, widths, headingFont, headingHeight, table.lastIsText, Qt::black, true);
                headingShown = true;
            }
            row(r.cells, widths, f, h, table.lastIsText, r.warning ? WarningColour : QColor(Qt::black),
                false);
        }
    }

    void heading(const QString& value, qreal following)
    {
        const QFont f = font(12, true);
        const qreal h = height(value, f, BodyWidth);
        need(h + mm(2) + following);
        draw(QRectF(BodyLeft, m_y, BodyWidth, h), value, f, Qt::AlignLeft | Qt::AlignTop);
        m_y += h + mm(2);
    }

    void section(const CaseReport::Section& section)
    {
        heading(section.heading, mm(12));
        fields(section.fields);
        if (!section.table.rows.empty())
            table(section.table);
        if (!section.note.isEmpty())
            text(section.note, font(9, false, true), 0);
        if (!section.fieldsAfter.empty()) {
            m_y += mm(2);
            fields(section.fieldsAfter);
        }
        m_y += mm(6);
    }

    void charts()
    {
        if (m_report.charts.empty())
            return;
        const QSizeF size = ChartView::RenderSize;
        const qreal h = BodyWidth * size.height() / size.width();
        heading(m_report.chartHeading, h);
        for (const ChartModel& chart : m_report.charts) {
            need(h);
            if (m_painter)
                ChartView::render(chart, *m_painter, QRectF(BodyLeft, m_y, BodyWidth, h));
            m_y += h + mm(6);
        }
    }

    QPdfWriter& m_writer;
    const CaseReport& m_report;
    QPainter* m_painter;
    int m_pageCount;
    int m_page = 0;
    qreal m_y = 0;
};

void setUp(QPdfWriter& writer, const CaseReport& report)
{
    writer.setPdfVersion(QPagedPaintDevice::PdfVersion_A1b);
    writer.setResolution(Dpi);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                                     QPageLayout::Millimeter));
    writer.setTitle(report.title);
    writer.setCreator(report.program);
}

} // namespace

int CaseReportWriter::write(const CaseReport& report, QIODevice& device)
{
    QPdfWriter writer(&device);
    setUp(writer, report);
    const int pageCount = Layout(writer, report, nullptr, 0).run();
    QPainter painter;
    if (!painter.begin(&writer))
        return 0;
    Layout(writer, report, &painter, pageCount).run();
    return painter.end() ? pageCount : 0;
}

bool CaseReportWriter::write(const CaseReport& report, const QString& fileName)
{
    QSaveFile file(fileName);
    if (fileName.isEmpty() || !file.open(QIODevice::WriteOnly))
        return false;
    return write(report, file) > 0 && file.commit();
}

bool CaseReportWriter::saveAs(AppContext& context, Prompt& prompt, CaseHeaderForm& form, FileChooser& files)
{
    const QString code = context.languageCode();
    QString path = files.chooseSave(ReportTexts::SaveCaption.in(code), ReportTexts::PdfFilter.in(code));
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    if (write(CaseReport::build(context, form, code), path))
        return true;
    prompt.message(ReportTexts::NotWritten.in(code).arg(QDir::toNativeSeparators(path)),
                   Prompt::Icon::Exclamation);
    return false;
}
