#include "ui/gui/GridPrinter.h"
#include "support/PdfText.h"
#include "ui/gui/GridView.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QVBoxLayout>

#include "TestNames.h"

#include <gtest/gtest.h>

namespace {

const QString Heading = QStringLiteral("Bello (Hund/m) Adult  / Meier  / Diät");

QString cellText(int row, int col)
{
    return QStringLiteral("r%1c%2").arg(row).arg(col);
}

} // namespace

class GridPrinterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        window.setWindowTitle(Heading);
        page = new QWidget(&window); // an untitled page between window and grid
        new QVBoxLayout(page);
        view = new GridView(page);
        page->layout()->addWidget(view);

        GridModel& m = *view->model();
        m.setRowCount(100);
        m.setColumnCount(60);
        m.setFixedRowCount(1);
        m.setFixedColumnCount(1);
        for (int r = 0; r < 100; ++r)
            for (int c = 0; c < 60; ++c)
                m.setText(r, c, cellText(r, c));
        for (int c = 0; c < 60; ++c)
            m.setText(0, c, QStringLiteral("H%1").arg(c));
        for (int r = 0; r < 100; ++r)
            m.setText(r, 0, QStringLiteral("Row%1").arg(r));
        m.setText(0, 0, QStringLiteral("Kopf"));
        m.setColumnWidth(7, 0);
        m.setText(5, 7, QStringLiteral("Unsichtbar"));
    }

    QTemporaryDir dir;
    QWidget window;
    QWidget* page = nullptr;
    GridView* view = nullptr;
};

TEST_F(GridPrinterTest, LargeGridSpreadsOverPagesWithTitleAndHeadersOnEach)
{
    const QString file = dir.filePath(QStringLiteral("grid.pdf"));
    ASSERT_TRUE(GridPrinter::printToPdf(*view, file));
    QFile pdf(file);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    ASSERT_TRUE(pdf.read(5).startsWith("%PDF-"));

    if (const QByteArray shots = qgetenv("MENSOLY_SHOT_DIR"); !shots.isEmpty())
        QFile::copy(file, QString::fromLocal8Bit(shots) + QLatin1Char('/') + QFileInfo(file).fileName());
    const auto pages = pdfPages(file);
    if (!pages)
        GTEST_SKIP() << "pdftotext is not installed";
    ASSERT_GT(pages->size(), 2);

    const QString all = pages->join(QLatin1Char('\n'));
    for (int i = 0; i < pages->size(); ++i) {
        const QString& text = pages->at(i);
        EXPECT_TRUE(containsIgnoringSpaces(text, Heading)) << "page " << i + 1;
        EXPECT_TRUE(text.contains(QStringLiteral("Kopf"))) << "page " << i + 1;
        EXPECT_TRUE(containsIgnoringSpaces(text, QStringLiteral("%1/%2").arg(i + 1).arg(pages->size())))
            << "page " << i + 1;
    }
    for (const auto& [r, c] : {std::pair{1, 1}, {1, 59}, {99, 1}, {99, 59}, {50, 30}, {73, 8}})
        EXPECT_TRUE(all.contains(cellText(r, c))) << r << "," << c;
    for (int r = 1; r < 100; r += 7)
        EXPECT_TRUE(all.contains(QRegularExpression(QStringLiteral("\\bRow%1\\b").arg(r)))) << r;
    EXPECT_FALSE(all.contains(QStringLiteral("Unsichtbar")));
    EXPECT_FALSE(all.contains(cellText(3, 7)));
}

TEST_F(GridPrinterTest, SmallGridFitsOnePage)
{
    GridModel& m = *view->model();
    m.setRowCount(10);
    m.setColumnCount(5);
    const QString file = dir.filePath(QStringLiteral("small.pdf"));
    ASSERT_TRUE(GridPrinter::printToPdf(m, page, file));
    if (const QByteArray shots = qgetenv("MENSOLY_SHOT_DIR"); !shots.isEmpty())
        QFile::copy(file, QString::fromLocal8Bit(shots) + QLatin1Char('/') + QFileInfo(file).fileName());
    const auto pages = pdfPages(file);
    if (!pages)
        GTEST_SKIP() << "pdftotext is not installed";
    ASSERT_EQ(pages->size(), 1);
    EXPECT_TRUE(containsIgnoringSpaces(pages->at(0), Heading)) << pages->at(0).toStdString();
    EXPECT_TRUE(pages->at(0).contains(cellText(9, 4)));
    EXPECT_TRUE(containsIgnoringSpaces(pages->at(0), QStringLiteral("1/1")));
}

struct TitleCase
{
    const char* name;
    const char* window;
    const char* page;
    const char* grid;
    const char* expected;
};

class GridPrintTitle : public ::testing::TestWithParam<TitleCase>
{
};

TEST_P(GridPrintTitle, IsTheNearestNonEmptyWindowTitleUpwards)
{
    const TitleCase& tc = GetParam();
    QWidget window;
    auto* page = new QWidget(&window);
    auto* grid = new GridView(page);
    window.setWindowTitle(QString::fromUtf8(tc.window));
    page->setWindowTitle(QString::fromUtf8(tc.page));
    grid->setWindowTitle(QString::fromUtf8(tc.grid));
    EXPECT_EQ(GridPrinter::titleFor(grid), QString::fromUtf8(tc.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Parents, GridPrintTitle,
    ::testing::Values(TitleCase{"Window", "Rationsberechnung", "", "", "Rationsberechnung"},
                      TitleCase{"PageWins", "Rationsberechnung", "Bello (Hund/", "", "Bello (Hund/"},
                      TitleCase{"GridItself", "A", "B", "C", "C"},
                      TitleCase{"ModifiedMarker", "Systemdaten[*]", "", "", "Systemdaten"},
                      TitleCase{"None", "", "", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });
