#include "ui/gui/ChartView.h"
#include "support/PdfText.h"
#include "ui/gui/ChartPrinter.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QFile>
#include <QFileInfo>
#include <QGraphicsTextItem>
#include <QLegendMarker>
#include <QLineSeries>
#include <QRegularExpression>
#include <QStackedBarSeries>
#include <QTemporaryDir>
#include <QTest>
#include <QValueAxis>

#include "TestNames.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const QString Title = QStringLiteral("Bedarfsdeckung für Bello (Hund/m) Adult  / Meier  / Diät");
const QString CategoryCaption = QStringLiteral("Nährstoffe");
const QString ValueCaption = QStringLiteral("Prozent");

// The coverage chart: one unnamed series, a bar per nutrient, 16 categories
// of which the last ones have no label and no value.
ChartModel coverage(double calcium = 120)
{
    ChartModel model;
    model.setTitle(Title);
    model.setCategoryAxisCaption(CategoryCaption);
    model.setValueAxisCaption(ValueCaption);
    model.setValueAxis(0, 150, 10);
    QStringList labels = {QStringLiteral("Rp"),   QStringLiteral("Rfe"), QStringLiteral("Ca"),
                          QStringLiteral("P"),    QStringLiteral("Na"),  QStringLiteral("K"),
                          QStringLiteral("Mg"),   QStringLiteral("Zn"),  QStringLiteral("Cu"),
                          QStringLiteral("Vit A")};
    while (labels.size() < 16)
        labels << QString();
    model.setCategories(labels);
    const int s = model.addSeries(QString(), Rgb(0, 0, 192));
    const double values[] = {98.5, 140, calcium, 87, 0, 110, 65, 101, 93, 130};
    for (int i = 0; i < 10; ++i)
        if (values[i] > 0)
            model.setValue(s, i, values[i]);
    return model;
}

template <typename T> QList<T*> seriesOf(const ChartView& view)
{
    QList<T*> result;
    for (QAbstractSeries* s : view.chart()->series())
        if (auto* t = qobject_cast<T*>(s))
            result << t;
    return result;
}

QStringList axisLabelTexts(const ChartView& view)
{
    QStringList texts;
    for (QGraphicsItem* item : view.scene()->items())
        if (auto* text = dynamic_cast<QGraphicsTextItem*>(item))
            texts << text->toPlainText();
    return texts;
}

} // namespace

TEST(ChartView, ValueAxisFollowsTheModel)
{
    ChartView view;
    view.setModel(coverage());
    QValueAxis* axis = view.valueAxis();
    ASSERT_NE(axis, nullptr);
    EXPECT_EQ(axis->min(), 0);
    EXPECT_EQ(axis->max(), 150);
    EXPECT_EQ(axis->tickType(), QValueAxis::TicksDynamic);
    EXPECT_EQ(axis->tickAnchor(), 0);
    // Grid lines at every step, whether or not every step is labelled.
    EXPECT_EQ(axis->tickInterval() / (axis->minorTickCount() + 1), 10);
    EXPECT_EQ(axis->titleText(), ValueCaption);
    EXPECT_EQ(view.chart()->title(), Title);
}

TEST(ChartView, CategoryAxisKeepsEveryCategoryEvenUnlabelledOnes)
{
    ChartView view;
    view.setModel(coverage());
    auto* axis = qobject_cast<QBarCategoryAxis*>(view.categoryAxis());
    ASSERT_NE(axis, nullptr);
    ASSERT_EQ(axis->count(), 16);
    EXPECT_EQ(axis->at(2), QStringLiteral("Ca"));
    EXPECT_EQ(axis->at(15).trimmed(), QString());
    EXPECT_EQ(axis->titleText(), CategoryCaption);
}

TEST(ChartView, BarAboveTheAxisIsCutAtTheTop)
{
    ChartModel model = coverage(2500);
    model.setValueAxis(0, 1000, 50);
    ChartView view;
    view.setModel(model);
    const auto stacks = seriesOf<QStackedBarSeries>(view);
    ASSERT_EQ(stacks.size(), 1);
    ASSERT_EQ(stacks[0]->count(), 1);
    QBarSet* set = stacks[0]->barSets().first();
    EXPECT_EQ(set->at(2), 1000);
    EXPECT_EQ(set->at(0), 98.5);
    EXPECT_EQ(set->at(4), 0); // no bar where the model has no value
    EXPECT_EQ(set->color(), QColor(0, 0, 192));
    EXPECT_EQ(view.model().value(0, 2), 2500);
}

TEST(ChartView, BarsOfOneSeriesCanEachHaveAColour)
{
    ChartModel model = coverage();
    model.setValueColour(0, 1, Rgb(255, 0, 0));
    model.setValueColour(0, 3, Rgb(255, 0, 0));
    ChartView view;
    view.setModel(model);
    const auto stacks = seriesOf<QStackedBarSeries>(view);
    ASSERT_EQ(stacks.size(), 1);
    const QList<QBarSet*> sets = stacks[0]->barSets();
    ASSERT_EQ(sets.size(), 2);
    QBarSet* blue = sets[0]->color() == QColor(0, 0, 192) ? sets[0] : sets[1];
    QBarSet* red = blue == sets[0] ? sets[1] : sets[0];
    EXPECT_EQ(red->color(), QColor(255, 0, 0));
    for (int c = 0; c < 16; ++c) {
        const bool isRed = c == 1 || c == 3;
        EXPECT_EQ(red->at(c), isRed ? model.value(0, c).value_or(0) : 0) << c;
        EXPECT_EQ(blue->at(c), isRed ? 0 : model.value(0, c).value_or(0)) << c;
    }
    EXPECT_FALSE(view.chart()->legend()->isVisible());
}

TEST(ChartView, OverlappingSeriesStandSideBySide)
{
    ChartModel model;
    model.setCategories({QStringLiteral("a"), QStringLiteral("b")});
    const int s0 = model.addSeries(QStringLiteral("Bedarf"), Rgb(0, 0, 192));
    const int s1 = model.addSeries(QStringLiteral("Versorgung"), Rgb(255, 0, 0));
    model.setValue(s0, 0, 10);
    model.setValue(s1, 0, 20);
    ChartView view;
    view.setModel(model);
    const auto groups = seriesOf<QBarSeries>(view);
    ASSERT_EQ(groups.size(), 1);
    ASSERT_EQ(groups[0]->count(), 2);
    EXPECT_EQ(groups[0]->barSets()[1]->label(), QStringLiteral("Versorgung"));
    EXPECT_EQ(groups[0]->barSets()[1]->color(), QColor(255, 0, 0));
    EXPECT_TRUE(seriesOf<QStackedBarSeries>(view).isEmpty());
    EXPECT_TRUE(view.chart()->legend()->isVisible());
}

TEST(ChartView, LineBreaksWhereValuesAreMissing)
{
    ChartModel model;
    model.setKind(ChartModel::Kind::Line);
    QStringList weeks;
    for (int w = 8; w <= 48; ++w)
        weeks << QStringLiteral("%1").arg(w, 2, 10, QLatin1Char('0'));
    model.setCategories(weeks);
    model.setValueAxis(0, 10, 0.625);
    const int expected = model.addSeries(QString(), Rgb(0, 0, 192));
    const int actual = model.addSeries(QString(), Rgb(255, 0, 0));
    for (int i = 0; i < 41; ++i)
        if (i != 3 && i != 4)
            model.setValue(expected, i, i * 0.25);
    model.setValue(actual, 12, 5);

    ChartView view;
    view.setModel(model);
    const auto lines = seriesOf<QLineSeries>(view);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0]->count(), 3);
    EXPECT_EQ(lines[1]->count(), 36);
    EXPECT_EQ(lines[1]->at(0), QPointF(5, 1.25));
    EXPECT_EQ(lines[1]->color(), QColor(0, 0, 192));
    ASSERT_EQ(lines[2]->count(), 1);
    EXPECT_EQ(lines[2]->at(0), QPointF(12, 5));
    EXPECT_EQ(lines[2]->color(), QColor(255, 0, 0));
    EXPECT_TRUE(lines[2]->pointsVisible());
    EXPECT_EQ(view.valueAxis()->labelFormat(), QStringLiteral("%.3f"));
}

ChartModel growthCurve()
{
    ChartModel model;
    model.setKind(ChartModel::Kind::Line);
    model.setTitle(QStringLiteral("Wachstumskurve für Bello (Hund/m) Welpe  / Meier  / Aufzucht"));
    model.setCategoryAxisCaption(QStringLiteral("Alter [Wochen]"));
    model.setValueAxisCaption(QStringLiteral("Gewicht [kg]"));
    QStringList weeks;
    for (int w = 8; w <= 48; ++w)
        weeks << QStringLiteral("%1").arg(w, 2, 10, QLatin1Char('0'));
    model.setCategories(weeks);
    model.setValueAxis(0, 10, 0.625);
    const int expected = model.addSeries(QString(), Rgb(0, 0, 192));
    const int actual = model.addSeries(QString(), Rgb(255, 0, 0));
    for (int i = 0; i < 41; ++i) {
        model.setValue(expected, i, (36.858 * std::log(i + 8.0) - 48.218) * 0.1);
        model.setValue(actual, i, i == 12 ? 5.0 : 0.0);
    }
    return model;
}

struct LowWindowCase
{
    const char* name;
    ChartModel (*model)();
    const char* firstLabel;
    const char* topLabel;
};

class ChartLowWindow : public ::testing::TestWithParam<LowWindowCase>
{
};

// Qt Charts elides axis labels that do not fit; the view makes them fit
// instead, even when the window is low.
TEST_P(ChartLowWindow, AxisLabelsAreNotElided)
{
    const LowWindowCase& tc = GetParam();
    ChartView view;
    view.setModel(tc.model());
    view.resize(640, 380);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    QTest::qWait(50);

    const QStringList texts = axisLabelTexts(view);
    EXPECT_TRUE(texts.contains(QString::fromUtf8(tc.firstLabel)))
        << texts.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(texts.contains(QString::fromUtf8(tc.topLabel))) << texts.join(QLatin1Char('|')).toStdString();
    for (const QString& text : texts)
        EXPECT_FALSE(text.contains(QStringLiteral("...")) || text.contains(QChar(0x2026)))
            << text.toStdString();

    if (const QByteArray dir = qgetenv("MENSOLY_SHOT_DIR"); !dir.isEmpty())
        view.grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/chart-%1.png").arg(tc.name));
}

INSTANTIATE_TEST_SUITE_P(Charts, ChartLowWindow,
                         ::testing::Values(LowWindowCase{"Coverage",
                                                         [] {
                                                             ChartModel m = coverage(2500);
                                                             m.setValueAxis(0, 1000, 50);
                                                             return m;
                                                         },
                                                         "Vit A", "1000"},
                                           LowWindowCase{"Growth", growthCurve, "08", "10,000"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ChartPrinter, PdfShowsTitleCaptionsAndLabels)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("chart.pdf"));
    ASSERT_TRUE(ChartPrinter::printToPdf(coverage(), file));
    if (const QByteArray shots = qgetenv("MENSOLY_SHOT_DIR"); !shots.isEmpty())
        QFile::copy(file, QString::fromLocal8Bit(shots) + QLatin1Char('/') + QFileInfo(file).fileName());
    const auto pages = pdfPages(file);
    if (!pages)
        GTEST_SKIP() << "pdftotext is not installed";
    ASSERT_EQ(pages->size(), 1);
    const QString& text = pages->at(0);
    EXPECT_TRUE(containsIgnoringSpaces(text, Title)) << text.toStdString();
    EXPECT_TRUE(containsIgnoringSpaces(text, CategoryCaption)) << text.toStdString();
    EXPECT_TRUE(containsIgnoringSpaces(text, ValueCaption));
    for (const QString& label : {QStringLiteral("Rp"), QStringLiteral("Ca"), QStringLiteral("Vit A")})
        EXPECT_TRUE(containsIgnoringSpaces(text, label)) << label.toStdString();
    for (int v = 0; v <= 150; v += 10)
        EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("(^|\\s)%1(\\s|$)").arg(v)))) << v;
}

// Owner, patient and recipe title make long titles; the printout keeps all of
// them, on a smaller font or a second line, instead of an ellipsis.
TEST(ChartPrinter, LongTitlesArePrintedWhole)
{
    const QStringList titles = {
        QStringLiteral("Bedarfsdeckung für Hasso (Hund/m) Hund – Erhaltung / Meier"),
        QStringLiteral("Bedarfsdeckung für Hasso (Hund/m) Hund – Erhaltung (adult) / Dr. Meier-Schulze / "
                       "Erhaltung mit selbst gekochter Ration"),
        QStringLiteral("Bedarfsdeckung für Hasso (Hund/m) Hund – Erhaltung (adult) / Dr. Meier-Schulze / "
                       "Erhaltung mit selbst gekochter Ration, Kontrolle in vier Wochen beim Haustierarzt"),
    };
    for (const QString& title : titles) {
        ChartModel model = coverage();
        model.setTitle(title);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("chart.pdf"));
        ASSERT_TRUE(ChartPrinter::printToPdf(model, file));
        const auto pages = pdfPages(file);
        if (!pages)
            GTEST_SKIP() << "pdftotext is not installed";
        EXPECT_TRUE(containsIgnoringSpaces(pages->join(QString()), title))
            << pages->join(QString()).toStdString();
        EXPECT_FALSE(pages->join(QString()).contains(QStringLiteral("..."))) << title.toStdString();
    }
}
