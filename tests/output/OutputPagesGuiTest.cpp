#include "app/gui/CaseSheet.h"
#include "app/gui/CaseWindow.h"
#include "core/Prompt.h"
#include "output/CaseReport.h"
#include "output/PracticeDetails.h"
#include "output/gui/CaseReportWriter.h"
#include "output/gui/CoveragePageView.h"
#include "output/gui/FollowUpPageView.h"
#include "output/gui/GrowthPageView.h"
#include "output/gui/RecipePageView.h"
#include "output/gui/WeightCheckPageView.h"
#include "ration/CaseHeaderForm.h"
#include "ration/NutrientColumns.h"
#include "ration/RationGrids.h"
#include "ration/RationModel.h"
#include "ration/gui/CaseHeaderView.h"
#include "support/CliRun.h"
#include "support/PdfText.h"
#include "support/TestDatabase.h"
#include "ui/gui/ChartPrinter.h"
#include "ui/gui/ChartView.h"
#include "ui/gui/GridCellPainter.h"
#include "ui/gui/GridView.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPrintDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <sstream>

namespace {

// A case window over the fixture with a stored case open, shown.
class OutputPagesGui : public ::testing::Test
{
protected:
    void open(const QString& key, const QString& language = QStringLiteral("DE"))
    {
        db = std::make_unique<TestDatabase>(TestDatabase::Data::Fixture, language);
        ASSERT_TRUE(db->isValid());
        frame = std::make_unique<CaseWindow>(db->context(), &prompt);
        frame->resize(1280, 900);
        frame->openCase(key);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
        sheet = frame->findChild<CaseSheet*>();
        ASSERT_NE(sheet, nullptr);
    }

    template <typename View> View* page(int index)
    {
        sheet->setCurrentIndex(index);
        QCoreApplication::processEvents();
        return qobject_cast<View*>(sheet->pageContent(index));
    }

    // Waits for the chart page's timer to hand its chart to the view.
    static bool drawn(ChartPageView* view)
    {
        return QTest::qWaitFor([view] { return view->chartView()->model().categoryCount() > 0; }, 5000);
    }

    QString pdfPath(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    RecordingPrompt prompt;
    std::unique_ptr<TestDatabase> db;
    std::unique_ptr<CaseWindow> frame;
    CaseSheet* sheet = nullptr;
    QTemporaryDir dir;
};

TEST_F(OutputPagesGui, TheSheetMakesTheFourOutputPages)
{
    open(QStringLiteral("1"));
    EXPECT_EQ(sheet->pageContent(1), nullptr);
    QWidget* pages[] = {page<RecipePageView>(1), page<CoveragePageView>(2), page<GrowthPageView>(3),
                        page<WeightCheckPageView>(4)};
    for (QWidget* content : pages)
        ASSERT_NE(content, nullptr);
    // The tab shown last is the one visible.
    EXPECT_TRUE(pages[3]->isVisible());
    EXPECT_FALSE(pages[0]->isVisible());
    sheet->setCurrentIndex(1);
    EXPECT_TRUE(pages[0]->isVisible());
    EXPECT_EQ(sheet->pageContent(1), pages[0]);
}

TEST_F(OutputPagesGui, ChoosingATextBlockAppendsItToTheRecipe)
{
    open(QStringLiteral("1"));
    RecipePageView* recipe = page<RecipePageView>(1);
    ASSERT_NE(recipe, nullptr);
    GridModel* grid = recipe->gridView()->model();
    ASSERT_EQ(grid->rowCount(), 18);
    QComboBox* list = recipe->textList();
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->currentIndex(), -1);
    list->setCurrentIndex(1);
    emit list->activated(1);
    emit list->activated(1);
    ASSERT_EQ(grid->rowCount(), 20);
    EXPECT_EQ(grid->text(19, RecipePage::NameColumn), "Füttern Sie zweimal täglich.");
    // The case keeps them to be stored, in both languages.
    ASSERT_EQ(frame->form().recipe().textBlocks.size(), 2u);
    EXPECT_FALSE(frame->form().recipe().textBlocks[1].english.isEmpty());
    EXPECT_FALSE(frame->form().isUnchanged());
    // A click on a block and "Ja" take it out again.
    prompt.setNextAnswer(Prompt::Answer::Yes);
    emit grid->clicked(19, RecipePage::NameColumn);
    EXPECT_EQ(grid->rowCount(), 19);
    EXPECT_EQ(frame->form().recipe().textBlocks.size(), 1u);
    EXPECT_EQ(prompt.lastText(), "Wollen Sie diesen Textbaustein aus dem Rezept entfernen?");
}

TEST_F(OutputPagesGui, ALongTextBlockGetsARowItsLinesFitIn)
{
    open(QStringLiteral("1"));
    QString text;
    while (text.size() < 250)
        text += QStringLiteral("Wiegen Sie jede Zutat ab. ");
    ASSERT_TRUE(db->rawExec(QStringLiteral("UPDATE T_TEXT SET Bez_DE = '%1' WHERE ID = 1").arg(text)));
    auto* recipe = page<RecipePageView>(1);
    ASSERT_NE(recipe, nullptr);
    const int index = recipe->textList()->findData(1);
    ASSERT_GE(index, 0);
    emit recipe->textList()->activated(index);
    const GridModel& grid = *recipe->gridView()->model();
    ASSERT_EQ(grid.rowCount(), 19);
    const int name = RecipePage::NameColumn;
    EXPECT_EQ(grid.text(18, name), text);
    // Never below the rule's height, and tall enough for every wrapped line.
    EXPECT_GE(grid.rowHeight(18), RecipePage::textBlockHeight(text));
    const QFontMetricsF metrics(GridCellPainter::toFont(grid.font(18, name)));
    const QRectF needed =
        metrics.boundingRect(QRectF(0, 0, grid.columnWidth(name) - 7, 1e6), Qt::TextWordWrap, text);
    EXPECT_GE(grid.rowHeight(18), needed.height() + 3);
}

TEST_F(OutputPagesGui, ALongTitleWrapsOntoTheLinesItNeedsOnScreenAndOnPaper)
{
    open(QStringLiteral("1"));
    QString title;
    while (title.size() < 200)
        title += QStringLiteral("Niereninsuffizienz mit Hyperphosphatämie ");
    title += QStringLiteral("Schlusswort");
    frame->form().setTitle(title);
    auto* recipe = page<RecipePageView>(1);
    ASSERT_NE(recipe, nullptr);
    GridModel& grid = *recipe->gridView()->model();
    const int height = grid.rowHeight(RecipePage::TitleRow);
    EXPECT_GT(height, 60);
    EXPECT_EQ(height, GridCellPainter::neededHeight(grid, RecipePage::TitleRow, RecipePage::NameColumn));
    ASSERT_TRUE(RecipePageView::printToPdf(grid, QStringLiteral("DE"), pdfPath("title.pdf")));
    if (const auto text = pdfPages(pdfPath("title.pdf"))) {
        EXPECT_TRUE(containsIgnoringSpaces(text->join(QString()), QStringLiteral("Schlusswort")));
    }

    // A short title again: the row keeps its laid-out height.
    frame->form().setTitle(QStringLiteral("Erhaltung"));
    page<QWidget>(0);
    page<RecipePageView>(1);
    EXPECT_EQ(grid.rowHeight(RecipePage::TitleRow), 60);
}

TEST_F(OutputPagesGui, ChartPagesDrawAfterTheirTimer)
{
    open(QStringLiteral("1"));
    auto* coverage = page<CoveragePageView>(2);
    ASSERT_NE(coverage, nullptr);
    ASSERT_TRUE(drawn(coverage));
    EXPECT_EQ(coverage->chartView()->model().categoryCount(), 16);
    EXPECT_EQ(coverage->chartView()->model().title(), coverage->page().chart().title());

    auto* weight = page<WeightCheckPageView>(4);
    ASSERT_NE(weight, nullptr);
    ASSERT_TRUE(drawn(weight));
    EXPECT_EQ(weight->rateEdit()->text(), "1.5");
    EXPECT_EQ(weight->overweightField()->text(), "11");
    EXPECT_TRUE(weight->overweightField()->isReadOnly());
    EXPECT_EQ(weight->chartView()->model().categoryCount(), 7);

    // A typed rate counts once "Aktualisieren" is pressed; the case keeps it at once.
    ASSERT_TRUE(frame->form().isUnchanged());
    weight->rateEdit()->clear();
    QTest::keyClicks(weight->rateEdit(), QStringLiteral("5"));
    EXPECT_EQ(weight->page().rateText(), "5");
    EXPECT_EQ(frame->form().weightCheck().lossRate, 5.0);
    EXPECT_FALSE(frame->form().isUnchanged());
    QTest::mouseClick(weight->refreshButton(), Qt::LeftButton);
    ASSERT_TRUE(
        QTest::qWaitFor([weight] { return weight->chartView()->model().categoryCount() == 3; }, 5000));
    EXPECT_EQ(weight->rateEdit()->text(), "5");
}

TEST_F(OutputPagesGui, GrowthRefreshReadsTheHeaderAgain)
{
    open(QStringLiteral("3"));
    auto* growth = page<GrowthPageView>(3);
    ASSERT_NE(growth, nullptr);
    ASSERT_TRUE(drawn(growth));
    EXPECT_EQ(growth->chartView()->model().axisMax(), 20);
    EXPECT_EQ(growth->chartView()->model().value(1, 4), 10.0);

    frame->form().setAdultWeight(QStringLiteral("30"));
    QTest::mouseClick(growth->refreshButton(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([growth] { return growth->chartView()->model().axisMax() == 30; }, 5000));
}

TEST_F(OutputPagesGui, RecipeAndCoverageShowTheRationAsItIsWhenShownAgain)
{
    open(QStringLiteral("1"));
    RecipePageView* recipe = page<RecipePageView>(1);
    ASSERT_NE(recipe, nullptr);
    emit recipe->textList()->activated(1);
    GridModel& grid = *recipe->gridView()->model();
    ASSERT_EQ(grid.text(RecipePage::FirstFeedRow, RecipePage::AmountColumn), "150,0");
    auto* coverage = page<CoveragePageView>(2);
    ASSERT_TRUE(drawn(coverage));
    const std::vector<CoveragePage::Bar> before = coverage->page().bars();

    // Back on the ration page the chicken goes up to 300 g.
    page<QWidget>(0);
    GridModel& ration = frame->form().ration().rationGrid();
    ASSERT_TRUE(
        ration.endEdit(NutrientColumns::FirstFeedRow, RationGrids::AmountColumn, QStringLiteral("300")));

    page<RecipePageView>(1);
    EXPECT_EQ(grid.text(RecipePage::FirstFeedRow, RecipePage::AmountColumn), "300");
    EXPECT_EQ(grid.text(RecipePage::FirstFeedRow, RecipePage::ShareColumn), "60");
    // The text block chosen before stays below the recipe.
    EXPECT_EQ(grid.text(grid.rowCount() - 1, RecipePage::NameColumn), "Füttern Sie zweimal täglich.");
    ASSERT_TRUE(RecipePageView::printToPdf(grid, QStringLiteral("DE"), pdfPath("again.pdf")));
    if (const auto text = pdfPages(pdfPath("again.pdf"))) {
        EXPECT_TRUE(containsIgnoringSpaces(text->join(QString()), QStringLiteral("300")));
    }

    page<CoveragePageView>(2);
    ASSERT_EQ(coverage->page().bars().size(), before.size());
    bool changed = false;
    for (size_t i = 0; i < before.size(); ++i)
        changed = changed || coverage->page().bars()[i].coverage != before[i].coverage;
    EXPECT_TRUE(changed);
}

TEST_F(OutputPagesGui, TheShownGrowthCurveFollowsHeaderEdits)
{
    open(QStringLiteral("3"));
    auto* growth = page<GrowthPageView>(3);
    ASSERT_TRUE(drawn(growth));
    ASSERT_EQ(growth->chartView()->model().axisMax(), 20);
    QLineEdit* adult = frame->view()->controls().adult;
    adult->selectAll();
    QTest::keyClicks(adult, QStringLiteral("30"));
    ASSERT_TRUE(QTest::qWaitFor([growth] { return growth->chartView()->model().axisMax() == 30; }, 5000));
}

TEST_F(OutputPagesGui, EachPagePrintsIntoAPdf)
{
    open(QStringLiteral("1"));
    auto* recipe = page<RecipePageView>(1);
    ASSERT_NE(recipe, nullptr);
    ASSERT_TRUE(RecipePageView::printToPdf(*recipe->gridView()->model(), QStringLiteral("DE"),
                                           pdfPath("recipe.pdf")));
    auto* coverage = page<CoveragePageView>(2);
    ASSERT_TRUE(ChartPrinter::printToPdf(coverage->page().chartToDraw(), pdfPath("coverage.pdf")));
    auto* growth = page<GrowthPageView>(3);
    ASSERT_TRUE(ChartPrinter::printToPdf(growth->page().chartToDraw(), pdfPath("growth.pdf")));
    auto* weight = page<WeightCheckPageView>(4);
    ASSERT_TRUE(ChartPrinter::printToPdf(weight->page().chartToDraw(), pdfPath("weight.pdf")));

    const auto recipeText = pdfPages(pdfPath("recipe.pdf"));
    if (!recipeText)
        GTEST_SKIP() << "pdftotext is not installed";
    ASSERT_EQ(recipeText->size(), 1);
    const QString r = recipeText->first();
    for (const char* part : {"REZEPT", "Ausstelldatum: 03.04.2024", "Besitzer: Herr Müller",
                             "Patient: Bello (Hund männlich) Dackel", "g/Tag", "g/Mahlzeit", "Futtermittel",
                             "Hühnerbrust, gekocht", "150,0", "43", "57"})
        EXPECT_TRUE(containsIgnoringSpaces(r, QString::fromUtf8(part))) << part << "\n" << r.toStdString();
    // A letter: no window title above it, no page number on its one page.
    for (const char* part : {"Rationsberechnung", "1 / 1"})
        EXPECT_FALSE(r.contains(QString::fromUtf8(part))) << part;

    const QString c = pdfPages(pdfPath("coverage.pdf"))->join(QString());
    EXPECT_TRUE(containsIgnoringSpaces(c, QStringLiteral("Bedarfsdeckung für Bello")));
    EXPECT_TRUE(containsIgnoringSpaces(c, QStringLiteral("Prozent")));
    EXPECT_TRUE(containsIgnoringSpaces(c, QStringLiteral("Rp")));

    const QString w = pdfPages(pdfPath("weight.pdf"))->join(QString());
    EXPECT_TRUE(containsIgnoringSpaces(w, QStringLiteral("Gewichts-Check Kurve für Bello")));
    EXPECT_TRUE(containsIgnoringSpaces(w, QStringLiteral("Diätdauer [Wochen]")));
    EXPECT_TRUE(containsIgnoringSpaces(w, QStringLiteral("06")));

    const QString g = pdfPages(pdfPath("growth.pdf"))->join(QString());
    EXPECT_TRUE(containsIgnoringSpaces(g, QStringLiteral("Wachstumskurve für Bello")));
    EXPECT_TRUE(containsIgnoringSpaces(g, QStringLiteral("Alter [Wochen]")));
}

TEST_F(OutputPagesGui, EveryPrintDialogOffersAPdfFileAndPrintsIntoIt)
{
    // The growth curve is drawn for the puppy, whose adult weight is given.
    const struct
    {
        const char* caseKey;
        int index;
        const char* file;
    } cases[] = {
        {"1", 1, "recipe.pdf"}, {"1", 2, "coverage.pdf"}, {"3", 3, "growth.pdf"}, {"1", 4, "weight.pdf"}};
    for (const auto& c : cases) {
        open(QString::fromLatin1(c.caseKey));
        sheet->setCurrentIndex(c.index);
        QCoreApplication::processEvents();
        QWidget* content = sheet->pageContent(c.index);
        if (auto* chart = qobject_cast<ChartPageView*>(content)) {
            ASSERT_TRUE(drawn(chart)) << c.file;
        }
        auto* print = content->findChild<QPushButton*>(c.index == 1 ? "RecipePrint" : "ChartPrint");
        ASSERT_NE(print, nullptr) << c.file;
        const QString path = pdfPath(c.file);
        bool offered = false;
        // The dialog is modal: it is answered from the event loop it runs.
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            answer.stop();
            auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
            auto* fileName = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
            const int pdf = printers ? printers->findText(QStringLiteral("PDF"), Qt::MatchContains) : -1;
            offered = pdf >= 0 && fileName;
            if (!offered) {
                dialog->reject();
                return;
            }
            printers->setCurrentIndex(pdf);
            fileName->setText(path);
            dialog->accept();
        });
        answer.start(20);
        print->click();
        EXPECT_TRUE(offered) << c.file;
        EXPECT_TRUE(QFileInfo(path).size() > 0) << c.file;
        EXPECT_TRUE(prompt.texts().isEmpty()) << c.file << " " << qPrintable(prompt.texts().join('|'));
        prompt.clear();
    }
}

TEST_F(OutputPagesGui, CommandLinePrintsThePagesIntoPdfFiles)
{
    SKIP_ON_POSTGRESQL("the command line opens the SQLite file of its data directory");
    db = std::make_unique<TestDatabase>();
    const std::string recipe = pdfPath("cli-recipe.pdf").toStdString();
    const std::string chart = pdfPath("cli-chart.pdf").toStdString();
    const std::string ration = pdfPath("cli-case.pdf").toStdString();
    for (const CliArgs& args : {CliArgs{"recipe", "1", "--pdf", recipe},
                                CliArgs{"chart", "1", "weight", "--rate", "2", "--pdf", chart},
                                CliArgs{"case", "1", "--pdf", ration}}) {
        const CliRun run = runCliIn(db->directory(), args);
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
    }

    const auto recipeText = pdfPages(QString::fromStdString(recipe));
    if (!recipeText)
        GTEST_SKIP() << "pdftotext is not installed";
    EXPECT_TRUE(containsIgnoringSpaces(recipeText->join(QString()), QStringLiteral("Hühnerbrust, gekocht")));
    const QString weight = pdfPages(QString::fromStdString(chart))->join(QString());
    EXPECT_TRUE(containsIgnoringSpaces(weight, QStringLiteral("Gewichts-Check Kurve")));
    EXPECT_TRUE(containsIgnoringSpaces(weight, QStringLiteral("05")));
    // The ration page's print: the case's heading above the ration grid, then the profile.
    const QStringList rationPages = *pdfPages(QString::fromStdString(ration));
    ASSERT_GE(rationPages.size(), 2);
    EXPECT_TRUE(containsIgnoringSpaces(rationPages.first(), QStringLiteral("Bello (Hund/m)")));
    EXPECT_TRUE(containsIgnoringSpaces(rationPages.first(), QStringLiteral("Versorgung")));
    EXPECT_TRUE(containsIgnoringSpaces(rationPages.last(), QStringLiteral("Kenngrössen")));
}

// The line of a nutrient in the report's table: its name, its unit, then figures.
QString nutrientLine(const QString& page, const RationColumn& column)
{
    const QRegularExpression line(QStringLiteral("^\\s*%1\\s+%2\\s.*$")
                                      .arg(QRegularExpression::escape(column.name.trimmed()),
                                           QRegularExpression::escape(column.unit.trimmed())),
                                  QRegularExpression::MultilineOption);
    return line.match(page).captured(0);
}

TEST_F(OutputPagesGui, TheCaseReportHoldsEverySectionAndEachMarkedNutrientsCoverage)
{
    const struct
    {
        const char* caseKey;
        const char* language;
        std::vector<const char*> parts; // besides the ration and the nutrients
        const char* absent;
    } cases[] = {
        {"1",
         "DE",
         {"Tierarztpraxis Dr. Huber",
          "Hauptstraße 1, 80331 München",
          "089 123 · praxis@huber.invalid",
          "Fallbericht",
          "Besitzer Herr Müller",
          "Patient Bello",
          "Tierart Hund",
          "Rasse Dackel",
          "Fallart Erhaltung Rüde",
          "Aktuelles Gewicht 20 kg",
          "Zielgewicht 18 kg",
          "Geburtsdatum 05.03.2020",
          "Energiefaktor 100 %",
          "Rezeptdatum 03.04.2024",
          "Rezepttitel / Diagnose Erhaltung",
          "Futtermittel g/Tag",
          "Summe 350,5",
          "Energie der Ration",
          "Trockensubstanz der Ration keine Angabe",
          "Nährstoff Einheit Bedarf Höchstwert Versorgung Deckung %",
          "Kenngrößen",
          "Ca:P",
          "Gewichts-Check Kurve für Bello",
          "19,875",
          "Bedarfsdeckung für Bello",
          "Mensoly 3.0",
          "Gedruckt am 03.04.2024"},
         "Wachstumskurve"},
        {"1",
         "US",
         {"Case report", "Owner Mr. Müller", "Species Dog", "Breed Dachshund", "Target weight 18 kg",
          "Date of birth 03/05/2020", "Recipe date 04/03/2024", "Feedstuff g/day", "Total 350.5",
          "Energy of the ration", "Nutrient Unit Requirement Maximum Supply Coverage %", "Indicators",
          "Weight-Check curve for Bello", "19.875", "Printed on 04/03/2024"},
         "Weight curve"},
        {"3",
         "DE",
         {"Patient Rex", "Fallart Wachstum Rüde", "Erwartetes Adultgewicht 20 kg", "Wachstumskurve für Rex"},
         "Zielgewicht"},
        {"2",
         "US",
         {"Owner Mrs. O'Neil", "Patient Minka", "Recipe title / diagnosis Minka's Diät"},
         "Gewicht"},
    };
    for (const auto& c : cases) {
        open(QString::fromLatin1(c.caseKey), QString::fromLatin1(c.language));
        PracticeDetails practice;
        practice.name = QStringLiteral("Tierarztpraxis Dr. Huber");
        practice.address1 = QStringLiteral("Hauptstraße 1");
        practice.address2 = QStringLiteral("80331 München");
        practice.phone = QStringLiteral("089 123");
        practice.email = QStringLiteral("praxis@huber.invalid");
        ASSERT_TRUE(PracticeDetailsStore::write(db->context(), practice));
        const QString file = pdfPath("report.pdf");
        const CaseReport report =
            CaseReport::build(db->context(), frame->form(), db->context().languageCode());
        ASSERT_TRUE(CaseReportWriter::write(report, file)) << c.caseKey;

        QFile pdf(file);
        ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
        EXPECT_TRUE(pdf.readAll().contains("pdfaid:part=\"1\"")) << c.caseKey;
        const auto pages = pdfPages(file);
        if (!pages)
            GTEST_SKIP() << "pdftotext is not installed";
        const QString text = pages->join(QString());
        for (const char* part : c.parts)
            EXPECT_TRUE(containsIgnoringSpaces(text, QString::fromUtf8(part))) << part << "\n"
                                                                               << text.toStdString();
        EXPECT_FALSE(containsIgnoringSpaces(text, QString::fromUtf8(c.absent))) << c.absent;
        const QString pageOf = QLatin1String(c.language) == QLatin1String("DE")
                                   ? QStringLiteral("Seite %1 von %2")
                                   : QStringLiteral("Page %1 of %2");
        for (int p = 0; p < pages->size(); ++p)
            EXPECT_TRUE(containsIgnoringSpaces(pages->at(p), pageOf.arg(p + 1).arg(pages->size()))) << p;

        const RationModel& ration = frame->form().ration().model();
        for (const RationFeed& feed : ration.feeds)
            EXPECT_TRUE(containsIgnoringSpaces(text, feed.name.trimmed())) << feed.name.toStdString();
        // Each marked nutrient with the coverage its chart bar shows, in whole percent.
        int marked = 0;
        for (const RationColumn& column : ration.nutrients) {
            if (!column.marked)
                continue;
            ++marked;
            EXPECT_FALSE(nutrientLine(text, column).isEmpty()) << column.name.toStdString();
        }
        EXPECT_GT(marked, 0) << c.caseKey;
        for (const CoveragePage::Bar& bar : CoveragePage::collectBars(ration)) {
            const RationColumn* column = nullptr;
            for (const RationColumn& candidate : ration.nutrients)
                column = candidate.marked && candidate.name == bar.label && !column ? &candidate : column;
            ASSERT_NE(column, nullptr);
            const QStringList figures =
                nutrientLine(text, *column).split(QLatin1Char(' '), Qt::SkipEmptyParts);
            EXPECT_TRUE(figures.contains(QString::number(qRound(bar.coverage))))
                << bar.label.toStdString() << " " << bar.coverage << "\n"
                << nutrientLine(text, *column).toStdString();
        }
    }
}

TEST_F(OutputPagesGui, ALongRationRunsOntoTheNextPageUnderItsHeadingAgain)
{
    SKIP_ON_POSTGRESQL("the command line opens the SQLite file of its data directory");
    db = std::make_unique<TestDatabase>();
    // Sixty more feedstuffs in the dog's ration, "Futter 10" to "Futter 69".
    for (int key = 10; key < 70; ++key) {
        ASSERT_TRUE(
            db->rawExec(QStringLiteral("INSERT INTO T_FUTTERMITTEL (ID, ID_FM_TYP, BEZ_DE, BEZ_US, EIGEN, "
                                       "DATUM_BEARBEITET, AKTIV) VALUES (%1, 1, 'Futter %1', 'Feed %1', "
                                       "'M', '2024-01-15 09:30:00', -1)")
                            .arg(key)));
        ASSERT_TRUE(db->rawExec(
            QStringLiteral("INSERT INTO T_REZ_FM (ID_Rezept, ID_Futtermittel, TagRat) VALUES (1, %1, %1)")
                .arg(key)));
    }
    const struct
    {
        const char* lang;
        const char* feed;
        const char* heading;
        const char* pageOf;
    } cases[] = {{nullptr, "Futter %1", "Futtermittel g/Tag", "Seite %1 von %2"},
                 {"en", "Feed %1", "Feedstuff g/day", "Page %1 of %2"}};
    for (const auto& c : cases) {
        const std::string file = pdfPath("long.pdf").toStdString();
        CliArgs args{"report", "1", "--pdf", file};
        if (c.lang)
            args.insert(args.end(), {"--lang", c.lang});
        const CliRun run = runCliIn(db->directory(), args);
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        const auto pages = pdfPages(QString::fromStdString(file));
        if (!pages)
            GTEST_SKIP() << "pdftotext is not installed";
        ASSERT_GE(pages->size(), 2);
        const QString pageOf = QString::fromUtf8(c.pageOf);
        EXPECT_TRUE(containsIgnoringSpaces(pages->at(1), QString::fromUtf8(c.heading)))
            << pages->at(1).toStdString();
        EXPECT_TRUE(containsIgnoringSpaces(pages->at(1), pageOf.arg(2).arg(pages->size())));
        EXPECT_TRUE(containsIgnoringSpaces(pages->last(), pageOf.arg(pages->size()).arg(pages->size())));
        // Every feedstuff once, none lost or repeated at the break; the last on page 2.
        const QString text = pages->join(QString());
        for (int key = 10; key < 70; ++key) {
            const QRegularExpression name(QStringLiteral("\\b%1\\s").arg(QString::fromUtf8(c.feed).arg(key)));
            EXPECT_EQ(text.count(name), 1) << key;
        }
        EXPECT_TRUE(pages->at(1).contains(QString::fromUtf8(c.feed).arg(69)));
        EXPECT_FALSE(pages->at(0).contains(QString::fromUtf8(c.feed).arg(69)));
    }
}

TEST_F(OutputPagesGui, TheReportCommandSaysWhenItCannotWriteOrFindTheCase)
{
    SKIP_ON_POSTGRESQL("the command line opens the SQLite file of its data directory");
    db = std::make_unique<TestDatabase>();
    const std::string missing = pdfPath("missing/report.pdf").toStdString();
    const std::string file = pdfPath("report.pdf").toStdString();
    const struct
    {
        CliArgs args;
        int status;
        const char* says;
    } cases[] = {
        {{"report", "1", "--pdf", missing}, 1, "mensoly-cli report: cannot write"},
        {{"report", "99", "--pdf", file}, 1, "there is no case with the key 99"},
        {{"report", " 1 ", "--pdf", file, "--lang", "de"}, 0, ""},
    };
    for (const auto& c : cases) {
        const CliRun run = runCliIn(db->directory(), c.args);
        EXPECT_EQ(run.status, c.status) << c.says;
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.says))) << run.err.toStdString();
        EXPECT_EQ(QFile::exists(QString::fromStdString(c.args[3])), c.status == 0) << c.says;
    }
}

// Case windows in a workspace over the shipped data, with a reduction case
// of a 30 kg dog on beef and rice (963 kcal a day) stored on 5 January.
class FollowUpGui : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db = std::make_unique<TestDatabase>(TestDatabase::Data::Shipped);
        ASSERT_TRUE(db->isValid());
        ASSERT_TRUE(storeVisit(1, "NULL", 30.0, "2026-01-05"));
        workspace.resize(1400, 1000);
        workspace.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&workspace));
    }

    bool storeVisit(int key, const char* patient, double weight, const char* day)
    {
        return db->rawExec(
            QStringLiteral(
                "INSERT INTO T_PAT_REZ (ID, ID_Anrede, Name_Besitzer, Name_Pat, ID_Gattung, ID_Geschlecht, "
                "ID_Fall, Gewicht_akt, Gewicht_soll, Energie, Rezepttitel, Datum, ID_Patient) VALUES "
                "(%1, 1, 'Keller', 'Bruno', 2, 1, 13, %2, 25, 100, 'Reduktion', '%3 10:00:00', %4); "
                "INSERT INTO T_REZ_FM (ID_Rezept, ID_Futtermittel, TagRat) VALUES (%1, 4, 500), (%1, 89, 300)")
                .arg(key)
                .arg(weight)
                .arg(QLatin1String(day), QLatin1String(patient)));
    }

    CaseWindow* openStored(int key) { return CaseWindow::openStored(workspace, db->context(), key, &prompt); }
    CaseWindow* newest() const { return qobject_cast<CaseWindow*>(workspace.subWindowList().last()); }

    RecordingPrompt prompt;
    std::unique_ptr<TestDatabase> db;
    QMdiArea workspace;
};

// "Neuer Besuch" opens the stored case again as its patient's next visit,
// in a window of its own; saving it stores a second case linked to the
// first, which stays as it was.
TEST_F(FollowUpGui, NewVisitOpensALinkedCaseAndLeavesTheFirstAsItWas)
{
    EXPECT_FALSE(
        CaseWindow::open(workspace, db->context(), &prompt)->view()->controls().newVisit->isEnabled());
    CaseWindow* first = openStored(1);
    QPushButton* newVisit = first->view()->controls().newVisit;
    EXPECT_EQ(newVisit->text(), "Neuer Besuch");
    ASSERT_TRUE(newVisit->isEnabled());
    EXPECT_FALSE(first->sheet()->isTabEnabled(CaseSheet::FollowUpIndex));
    const QStringList before = db->rawRows(QStringLiteral("SELECT * FROM T_PAT_REZ WHERE ID = 1"));

    QTest::mouseClick(newVisit, Qt::LeftButton);
    ASSERT_EQ(workspace.subWindowList().size(), 3);
    CaseWindow* visit = newest();
    ASSERT_NE(visit, first);
    EXPECT_EQ(workspace.activeSubWindow(), visit);
    const CaseHeaderControls& c = visit->view()->controls();
    EXPECT_EQ(visit->focusWidget(), c.actual);
    EXPECT_EQ(c.actual->text(), "");
    EXPECT_EQ(c.owner->text(), "Keller");
    EXPECT_EQ(c.target->text(), "25");
    EXPECT_EQ(visit->form().patientKey(), 1);
    // Not stored yet: no visit to make from it, no follow-up to show.
    EXPECT_FALSE(c.newVisit->isEnabled());
    EXPECT_FALSE(visit->sheet()->isTabEnabled(CaseSheet::FollowUpIndex));

    QTest::keyClicks(c.actual, QStringLiteral("29"));
    QTest::mouseClick(c.save, Qt::LeftButton);
    EXPECT_EQ(visit->form().loadedCaseKey(), "2") << prompt.texts().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(db->rawRows(QStringLiteral("SELECT ID, ID_Patient, Gewicht_akt FROM T_PAT_REZ ORDER BY ID")),
              (QStringList{"1\tNULL\t30.0", "2\t1\t29.0"}));
    EXPECT_EQ(db->rawRows(QStringLiteral("SELECT * FROM T_PAT_REZ WHERE ID = 1")), before);
    EXPECT_TRUE(c.newVisit->isEnabled());
    EXPECT_TRUE(visit->sheet()->isTabEnabled(CaseSheet::FollowUpIndex));
    // The earlier window still shows the first visit.
    EXPECT_EQ(first->form().loadedCaseKey(), "1");
    EXPECT_EQ(first->view()->controls().actual->text(), "30");
    // Back in it, the patient has a follow-up there too.
    EXPECT_FALSE(first->sheet()->isTabEnabled(CaseSheet::FollowUpIndex));
    workspace.setActiveSubWindow(first);
    EXPECT_TRUE(first->sheet()->isTabEnabled(CaseSheet::FollowUpIndex));
}

// A visit four weeks later at 29 kg: the page's table, chart and texts, and
// its proposal taken into the next visit.
TEST_F(FollowUpGui, ThePageOfTwoVisitsAndItsProposalForTheNext)
{
    ASSERT_TRUE(storeVisit(2, "1", 29.0, "2026-02-02"));
    CaseWindow* window = openStored(2);
    CaseSheet* sheet = window->sheet();
    ASSERT_TRUE(sheet->isTabEnabled(CaseSheet::FollowUpIndex));
    EXPECT_EQ(sheet->tabText(CaseSheet::FollowUpIndex).trimmed(), "Verlauf");
    sheet->setCurrentIndex(CaseSheet::FollowUpIndex);
    auto* view = qobject_cast<FollowUpPageView*>(sheet->pageContent(CaseSheet::FollowUpIndex));
    ASSERT_NE(view, nullptr);

    const GridModel& table = *view->table()->model();
    ASSERT_EQ(table.rowCount(), 3);
    const struct
    {
        int row;
        QStringList cells;
    } rows[] = {
        {0,
         {"Datum", "Gewicht [kg]", "Änderung [kg]", "% pro Woche", "Körperkondition", "ME %",
          "kcal/Tag der Ration"}},
        {1, {"05.01.2026", "30,0", "", "", "", "100", "963"}},
        {2, {"02.02.2026", "29,0", "-1,0", "-0,83", "", "100", "963"}},
    };
    for (const auto& row : rows) {
        QStringList cells;
        for (int column = 0; column < FollowUpPage::ColumnCount; ++column)
            cells << table.text(row.row, column);
        EXPECT_EQ(cells, row.cells) << row.row;
    }

    ASSERT_TRUE(QTest::qWaitFor([view] { return view->chartView()->model().categoryCount() == 2; }, 5000));
    const ChartModel& chart = view->chartView()->model();
    EXPECT_EQ(chart.title(), "Gewichtsverlauf von Bruno");
    EXPECT_EQ(chart.categories(), (QStringList{"0", "4"}));
    ASSERT_EQ(chart.seriesCount(), 3);
    EXPECT_EQ(chart.value(FollowUpPage::TargetSeries, 1), 25.0);
    EXPECT_NEAR(chart.value(FollowUpPage::CourseSeries, 1).value_or(0.0), 30.0 * 0.99 * 0.99 * 0.99 * 0.99,
                1e-9);

    EXPECT_TRUE(view->flagsLabel()->isHidden());
    // 963 kcal + 1 kg × 7,000 kcal / 28 days; less the planned loss, 118 %.
    EXPECT_EQ(view->needLabel()->text(),
              "Tatsächlicher Energiebedarf seit dem letzten Besuch: 1213 kcal/Tag (155 % des Formelbedarfs); "
              "Ration 963 kcal/Tag, Gewichtsänderung -1,0 kg × 7000 kcal/kg über 28 Tage.");
    EXPECT_EQ(view->proposalLabel()->text(), "ME-Bedarf für den nächsten Besuch: 118 %");
    EXPECT_EQ(view->nextCheckLabel()->text(), "Nächste Kontrolle: 16.02.2026");
    EXPECT_TRUE(prompt.entries().empty());

    ASSERT_TRUE(view->takeProposalButton()->isEnabled());
    QTest::mouseClick(view->takeProposalButton(), Qt::LeftButton);
    ASSERT_EQ(workspace.subWindowList().size(), 2);
    CaseWindow* next = newest();
    EXPECT_EQ(next->view()->controls().energy->text(), "118");
    EXPECT_EQ(next->focusWidget(), next->view()->controls().actual);
    EXPECT_EQ(window->view()->controls().energy->text(), "100");
    QTest::keyClicks(next->view()->controls().actual, QStringLiteral("28"));
    QTest::mouseClick(next->view()->controls().save, Qt::LeftButton);
    EXPECT_EQ(
        db->rawRows(QStringLiteral("SELECT ID_Patient, Gewicht_akt, Energie FROM T_PAT_REZ WHERE ID = 3")),
        QStringList{"1\t28.0\t118.0"});
}

} // namespace
