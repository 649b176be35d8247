#include "ration/gui/RationPageView.h"
#include "app/gui/CaseSheet.h"
#include "app/gui/CaseWindow.h"
#include "core/FileChooser.h"
#include "core/NumberText.h"
#include "core/Prompt.h"
#include "db/PagedChoiceList.h"
#include "ration/CaseHeaderForm.h"
#include "ration/NutrientColumns.h"
#include "ration/RationGrids.h"
#include "ration/RationPage.h"
#include "ration/gui/CaseHeaderView.h"
#include "support/ShownCaseWindow.h"
#include "support/TestDatabase.h"
#include "ui/PrintResult.h"
#include "ui/gui/GridCellPainter.h"
#include "ui/gui/GridPrinter.h"
#include "ui/gui/GridView.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace NutrientColumns;

namespace {

// The ration page of a shown case window, worked through its widgets.
class RationPageViewTest : public ShownCaseWindow
{
protected:
    void open(const QString& language = QStringLiteral("DE"), const QString& caseKey = QString(),
              QSize size = QSize(1280, 800), TestDatabase::Data data = TestDatabase::Data::Fixture)
    {
        openWindow(language, caseKey, size, data);
        page = window->sheet()->rationPage();
        ASSERT_NE(page, nullptr);
    }

    GridModel& rationGrid() { return window->form().ration().rationGrid(); }

    // Steps through a closed list with the arrow keys, each step a choice.
    static void choose(QComboBox* box, const QString& text)
    {
        const int target = box->findText(text);
        ASSERT_GE(target, 0) << qPrintable(text);
        for (int step = 0; step <= box->count() && box->currentIndex() != target; ++step)
            QTest::keyClick(box, box->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
        ASSERT_EQ(box->currentIndex(), target) << qPrintable(text);
    }
    void chooseDogCase()
    {
        choose(c().species, QStringLiteral("Hund"));
        choose(c().sex, QStringLiteral("M"));
        choose(c().caseType, QStringLiteral("Erhaltung Rüde"));
    }

    // Opens the feedstuff list, clicks the entry and lets the list close.
    void pickFromList(const QString& text)
    {
        QComboBox* box = page->feedList();
        const int index = box->findText(text);
        ASSERT_GE(index, 0) << qPrintable(text);
        box->showPopup();
        QAbstractItemView* list = box->view();
        ASSERT_TRUE(QTest::qWaitFor([&] { return list->isVisible(); }));
        const QRect item = list->visualRect(list->model()->index(index, 0));
        ASSERT_FALSE(item.isEmpty());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
        ASSERT_TRUE(QTest::qWaitFor([&] { return !list->isVisible(); }));
        QCoreApplication::processEvents();
    }
    // Opens the list and closes it again with Escape.
    void openAndCloseList()
    {
        QComboBox* box = page->feedList();
        box->showPopup();
        ASSERT_TRUE(QTest::qWaitFor([&] { return box->view()->isVisible(); }));
        QTest::keyClick(box->view(), Qt::Key_Escape);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !box->view()->isVisible(); }));
        QCoreApplication::processEvents();
    }

    QStringList feedNames()
    {
        QStringList names;
        for (int row = FirstFeedRow; row < rationGrid().rowCount(); ++row)
            names << rationGrid().text(row, RationGrids::NameColumn);
        return names;
    }
    static QStringList items(const QComboBox* box)
    {
        QStringList texts;
        for (int i = 0; i < box->count(); ++i)
            texts << box->itemText(i);
        return texts;
    }

    RationPageView* page = nullptr;
};

TEST_F(RationPageViewTest, TheControlsCarryTheLabelsOfTheWindowsLanguageInTheirPlaces)
{
    const struct
    {
        const char* code;
        QStringList texts; // category, type, food, Filter, Print, Balance, CSV
    } cases[] = {
        {"DE",
         {"Kategorie", "Typ", "Futtermittel", "Filter", "Print", "Ration ausgleichen", "Als CSV speichern…"}},
        {"US", {"Category", "Type", "Food", "Filter", "Print", "Balance ration", "Save as CSV…"}},
    };
    for (const QSize size : {QSize(1280, 800), QSize(1024, 700)})
        for (const auto& row : cases) {
            open(QString::fromLatin1(row.code), QString(), size);
            const QStringList shown{page->categoryLabel()->text(), page->typeLabel()->text(),
                                    page->feedLabel()->text(),     page->filterButton()->text(),
                                    page->printButton()->text(),   page->balanceButton()->text(),
                                    page->csvButton()->text()};
            EXPECT_EQ(shown, row.texts) << row.code;
            for (QLabel* label : {page->categoryLabel(), page->typeLabel(), page->feedLabel()})
                EXPECT_GE(label->width(), label->sizeHint().width())
                    << row.code << " " << qPrintable(label->text());

            // One row across the top, left to right; the feedstuff list is the widest.
            const QList<QWidget*> order{page->categoryLabel(), page->categoryList(), page->typeLabel(),
                                        page->typeList(),      page->feedLabel(),    page->feedList(),
                                        page->searchText(),    page->filterButton()};
            for (int i = 1; i < order.size(); ++i)
                EXPECT_GE(order[i]->x(), order[i - 1]->geometry().right()) << i;
            for (QWidget* widget : order)
                EXPECT_LT(widget->geometry().bottom(), page->rationGridView()->y())
                    << qPrintable(widget->objectName());
            EXPECT_GT(page->feedList()->width(), page->categoryList()->width());
            EXPECT_GT(page->feedList()->width(), page->searchText()->width());
            EXPECT_NEAR(page->filterButton()->geometry().right(), page->width(), 10);
            // Print sits below the profile at the bottom right.
            EXPECT_GE(page->printButton()->y(), page->profileGridView()->geometry().bottom());
            EXPECT_NEAR(page->printButton()->geometry().right(), page->width(), 10);
            // Balance sits beside it in the same row, right of the basis switch.
            EXPECT_EQ(page->balanceButton()->y(), page->printButton()->y());
            EXPECT_LT(page->balanceButton()->geometry().right(), page->printButton()->x());
            EXPECT_GT(page->balanceButton()->x(), page->basisList()->geometry().right());
            // Saving as CSV sits between them.
            EXPECT_EQ(page->csvButton()->y(), page->printButton()->y());
            EXPECT_GT(page->csvButton()->x(), page->balanceButton()->geometry().right());
            EXPECT_LT(page->csvButton()->geometry().right(), page->printButton()->x());
            // Saving the case as a PDF beside it, its text in full.
            EXPECT_EQ(page->reportButton()->y(), page->printButton()->y());
            EXPECT_GT(page->reportButton()->x(), page->csvButton()->geometry().right());
            EXPECT_LT(page->reportButton()->geometry().right(), page->printButton()->x());
            EXPECT_GE(page->reportButton()->width(), page->reportButton()->sizeHint().width());
        }
}

TEST_F(RationPageViewTest, TheListsFollowTheCaseTypeAndTheFilters)
{
    open();
    EXPECT_EQ(page->categoryList()->count(), 0);
    chooseDogCase();
    EXPECT_EQ(items(page->categoryList()),
              (QStringList{"<ALLE>", "Alleinfutter Hund", "Einzelfuttermittel"}));
    EXPECT_EQ(items(page->typeList()), (QStringList{"<ALLE>", "Fleisch", "Getreide", "Öle"}));
    EXPECT_EQ(items(page->feedList()), (QStringList{"Hühnerbrust, gekocht", "MÖHREN, roh", "Müsli Spezial",
                                                    "O'Briens Mischung", "Reis, gekocht", "Rinderhack"}));
    for (QComboBox* box : {page->categoryList(), page->typeList(), page->feedList()})
        EXPECT_EQ(box->currentIndex(), -1) << qPrintable(box->objectName());

    choose(page->categoryList(), QStringLiteral("Einzelfuttermittel"));
    EXPECT_EQ(items(page->feedList()),
              (QStringList{"Hühnerbrust, gekocht", "MÖHREN, roh", "Müsli Spezial", "Reis, gekocht"}));
    choose(page->typeList(), QStringLiteral("Getreide"));
    EXPECT_EQ(items(page->feedList()), (QStringList{"MÖHREN, roh", "Reis, gekocht"}));
    EXPECT_EQ(page->categoryList()->currentText(), "Einzelfuttermittel");
    EXPECT_EQ(page->feedList()->itemData(1).toInt(), 2);
    // Moving through the lists picked nothing.
    EXPECT_TRUE(feedNames().isEmpty());

    // The search text counts only when Filter is pressed; capitals find lower case.
    QTest::keyClicks(page->searchText(), QStringLiteral("M"));
    QTest::sendKeyEvent(QTest::Click, page->searchText(), Qt::Key_Odiaeresis, QStringLiteral("ö"),
                        Qt::NoModifier);
    QTest::keyClicks(page->searchText(), QStringLiteral("H"));
    EXPECT_EQ(page->feedList()->count(), 2);
    QTest::mouseClick(page->filterButton(), Qt::LeftButton);
    EXPECT_EQ(items(page->feedList()), QStringList{"MÖHREN, roh"});

    // Choosing a category again refills the types and drops their choice.
    page->searchText()->selectAll();
    QTest::keyClick(page->searchText(), Qt::Key_Backspace);
    choose(page->categoryList(), QStringLiteral("<ALLE>"));
    EXPECT_EQ(page->typeList()->currentIndex(), -1);
    EXPECT_EQ(page->feedList()->count(), 6);

    // An apostrophe searches for itself.
    QTest::keyClicks(page->searchText(), QStringLiteral("o'b"));
    QTest::keyClick(page->searchText(), Qt::Key_Return);
    EXPECT_EQ(items(page->feedList()), QStringList{"O'Briens Mischung"});
    EXPECT_TRUE(prompt.texts().isEmpty());
}

TEST_F(RationPageViewTest, ClosingTheFeedListOnItsChoicePicksItOnceAndThenTellsSo)
{
    const struct
    {
        const char* code;
        const char* species;
        const char* caseType;
        const char* feed;
        const char* message;
    } cases[] = {
        {"DE", "Hund", "Erhaltung Rüde", "Reis, gekocht",
         "Das ausgewählte Futtermittel steht bereits in der Liste"},
        {"US", "Dog", "Maintenance male dog", "Rice, cooked", "Nutrial selected two times"},
    };
    for (const auto& row : cases) {
        open(QString::fromLatin1(row.code));
        choose(c().species, QString::fromUtf8(row.species));
        choose(c().sex, QStringLiteral("M"));
        choose(c().caseType, QString::fromUtf8(row.caseType));
        prompt.clear();

        pickFromList(QString::fromUtf8(row.feed));
        EXPECT_EQ(feedNames(), QStringList{QString::fromUtf8(row.feed)}) << row.code;
        EXPECT_EQ(rationGrid().text(FirstFeedRow, RationGrids::KeyColumn), "2");
        EXPECT_EQ(rationGrid().text(FirstFeedRow, RationGrids::AmountColumn), "");
        EXPECT_TRUE(prompt.texts().isEmpty()) << qPrintable(prompt.texts().join(QLatin1Char('|')));

        // Opening and closing the list on its choice tries the same feedstuff again.
        openAndCloseList();
        EXPECT_EQ(prompt.texts(), QStringList{QString::fromUtf8(row.message)}) << row.code;
        ASSERT_EQ(prompt.entries().size(), 1u);
        EXPECT_EQ(prompt.entries()[0].icon, Prompt::Icon::Exclamation);
        // So does clicking the same entry once more.
        pickFromList(QString::fromUtf8(row.feed));
        EXPECT_EQ(prompt.texts().size(), 2);
        EXPECT_EQ(feedNames().size(), 1) << row.code;
    }
}

TEST_F(RationPageViewTest, TheFeedListReadsOnAsItsPopupScrollsAndPicksFromThere)
{
    open();
    QString sql;
    for (int i = 0; i < 120; ++i)
        sql += QStringLiteral(
                   "INSERT INTO T_FUTTERMITTEL (ID, ID_FM_TYP, BEZ_DE, AKTIV) VALUES (%1, 3, 'Öl %2', -1);")
                   .arg(100 + i)
                   .arg(i, 3, 10, QLatin1Char('0'));
    ASSERT_TRUE(db->rawExec(sql));
    chooseDogCase();
    choose(page->typeList(), QStringLiteral("Öle"));
    QComboBox* box = page->feedList();
    EXPECT_EQ(box->count(), PagedChoiceList::FirstPageSize);
    // The refill chose nothing, in the widget or in the page.
    EXPECT_EQ(box->currentIndex(), -1);
    EXPECT_EQ(page->logic().feedList().currentIndex(), -1);

    box->showPopup();
    QAbstractItemView* list = box->view();
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->isVisible(); }));
    for (int scroll = 0; scroll < 5 && box->count() < 120; ++scroll) {
        list->scrollToBottom();
        QCoreApplication::processEvents();
    }
    ASSERT_EQ(box->count(), 120);
    const QModelIndex last = list->model()->index(119, 0);
    list->scrollTo(last);
    QCoreApplication::processEvents();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(last).center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !list->isVisible(); }));
    QCoreApplication::processEvents();
    EXPECT_EQ(feedNames(), QStringList{"Öl 119"});
}

TEST_F(RationPageViewTest, TypingANameInTheClosedFeedListFindsItBeyondTheFirstPage)
{
    open();
    QString sql;
    for (int i = 0; i < 120; ++i)
        sql +=
            QStringLiteral(
                "INSERT INTO T_FUTTERMITTEL (ID, ID_FM_TYP, BEZ_DE, AKTIV) VALUES (%1, 3, 'Ölsorte%2', -1);")
                .arg(100 + i)
                .arg(i, 3, 10, QLatin1Char('0'));
    ASSERT_TRUE(db->rawExec(sql));
    chooseDogCase();
    choose(page->typeList(), QStringLiteral("Öle"));
    QComboBox* box = page->feedList();
    ASSERT_EQ(box->count(), PagedChoiceList::FirstPageSize);
    box->setFocus();
    // (A space would open the list.)
    QTest::keyClicks(box, QStringLiteral("Ölsorte11"));
    EXPECT_EQ(box->count(), 120);
    EXPECT_EQ(box->currentText(), QStringLiteral("Ölsorte110"));
    // Moving the choice picks nothing yet.
    EXPECT_TRUE(feedNames().isEmpty());
}

TEST_F(RationPageViewTest, MovingThroughTheClosedFeedListPicksNothing)
{
    open();
    chooseDogCase();
    QComboBox* box = page->feedList();
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Down);
    QTest::keyClick(box, Qt::Key_Down);
    QCoreApplication::processEvents();
    EXPECT_EQ(box->currentIndex(), 1);
    EXPECT_TRUE(feedNames().isEmpty());
    // Closing the list then picks the entry it shows.
    openAndCloseList();
    EXPECT_EQ(feedNames(), QStringList{"MÖHREN, roh"});
    EXPECT_TRUE(prompt.texts().isEmpty());
}

TEST_F(RationPageViewTest, AnAmountTypedIntoTheGridFillsTheContributionsAndTheNameClickRemovesTheRow)
{
    open();
    chooseDogCase();
    QTest::keyClicks(c().actual, QStringLiteral("20"));
    pickFromList(QStringLiteral("Reis, gekocht"));
    ASSERT_EQ(feedNames().size(), 1);

    GridView* view = page->rationGridView();
    view->ensureCellVisible(FirstFeedRow, RationGrids::AmountColumn);
    const QRect amount = view->cellRect(FirstFeedRow, RationGrids::AmountColumn);
    ASSERT_FALSE(amount.isEmpty());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, amount.center());
    ASSERT_TRUE(view->isEditing());
    QTest::keyClicks(view->editor(), QStringLiteral("200"));
    QTest::keyClick(view->editor(), Qt::Key_Return);
    ASSERT_FALSE(view->isEditing());
    EXPECT_EQ(rationGrid().text(FirstFeedRow, RationGrids::AmountColumn).trimmed(), "200");
    const int protein = NutrientColumns::find(rationGrid(), QStringLiteral("24"));
    ASSERT_GE(protein, FirstColumn);
    // 200 g rice at 2.7 g protein per 100 g.
    EXPECT_EQ(rationGrid().text(FirstFeedRow, protein), "5,4");
    EXPECT_EQ(rationGrid().text(SupplyRow, protein), "5,4");

    // The switch below the grids shows the figures per 1000 kcal; the grid
    // keeps holding them per day.
    const double kcal = NumberText::read(
        rationGrid().text(SupplyRow, NutrientColumns::find(rationGrid(), QStringLiteral("60"))));
    ASSERT_GT(kcal, 0.0);
    choose(page->basisList(), QStringLiteral("pro 1000 kcal ME"));
    EXPECT_EQ(rationGrid().shownText(SupplyRow, protein), NumberText::format(5.4 * 1000.0 / kcal, 1));
    EXPECT_EQ(rationGrid().text(SupplyRow, protein), "5,4");
    choose(page->basisList(), QStringLiteral("pro Tag"));
    EXPECT_EQ(rationGrid().shownText(SupplyRow, protein), "5,4");

    const QRect name = view->cellRect(FirstFeedRow, RationGrids::NameColumn);
    prompt.setNextAnswer(Prompt::Answer::No);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, name.center());
    EXPECT_EQ(prompt.lastText(), "Möchten Sie dieses Futtermittel löschen?");
    EXPECT_EQ(feedNames().size(), 1);
    prompt.setNextAnswer(Prompt::Answer::Yes);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, name.center());
    EXPECT_TRUE(feedNames().isEmpty());
    // Without feedstuffs there is no supply to show.
    EXPECT_EQ(rationGrid().text(SupplyRow, protein), "");
}

TEST_F(RationPageViewTest, ASixDigitFigureIsShownWholeInItsColumn)
{
    open();
    chooseDogCase();
    QTest::keyClicks(c().actual, QStringLiteral("20"));
    pickFromList(QStringLiteral("Hühnerbrust, gekocht"));
    const int protein = NutrientColumns::find(rationGrid(), QStringLiteral("24"));
    ASSERT_GE(protein, FirstColumn);
    ASSERT_EQ(rationGrid().columnWidth(protein), SelectedWidth);
    // 500 kg of chicken at 31 g protein per 100 g: 155000,0 g.
    rationGrid().endEdit(FirstFeedRow, RationGrids::AmountColumn, QStringLiteral("500000"));
    ASSERT_EQ(rationGrid().text(SupplyRow, protein), "155000,0");
    const QFontMetricsF metrics(GridCellPainter::toFont(rationGrid().font(SupplyRow, protein)));
    // The room paintCell leaves inside its margins and the grid line.
    EXPECT_LE(metrics.horizontalAdvance(QStringLiteral("155000,0")), rationGrid().columnWidth(protein) - 7);
    // Back to a small amount, the column is as narrow as before.
    rationGrid().endEdit(FirstFeedRow, RationGrids::AmountColumn, QStringLiteral("100"));
    EXPECT_EQ(rationGrid().columnWidth(protein), SelectedWidth);
}

TEST_F(RationPageViewTest, ArrowsAndTypingNeverReachTheFormulaRows)
{
    open(QStringLiteral("DE"), QStringLiteral("1"));
    const int energy = NutrientColumns::find(rationGrid(), QStringLiteral("61"));
    ASSERT_GE(energy, FirstColumn);
    const QString formula = rationGrid().text(FormulaRow, energy);
    ASSERT_FALSE(formula.isEmpty());
    for (GridModel* grid : {&rationGrid(), &window->form().ration().profileGrid()}) {
        for (int row = KeyRow; row <= FormulaRow; ++row)
            EXPECT_FALSE(grid->isEditable(row, energy)) << row;
    }

    GridView* view = page->rationGridView();
    view->setFocus();
    rationGrid().setCurrentCell(FirstFeedRow, energy);
    for (int up = 0; up < 3; ++up)
        QTest::keyClick(view, Qt::Key_Up);
    EXPECT_EQ(rationGrid().currentRow(), FirstFeedRow);
    QTest::keyClicks(view, QStringLiteral("42"));
    if (view->isEditing())
        QTest::keyClick(view->editor(), Qt::Key_Return);
    EXPECT_EQ(rationGrid().text(FormulaRow, energy), formula);
}

TEST_F(RationPageViewTest, SaveAsCsvAsksForTheFile)
{
    open(QStringLiteral("US"), QStringLiteral("1"));
    RecordingFileChooser files;
    page->setFileChooser(files);
    QTest::mouseClick(page->csvButton(), Qt::LeftButton);
    ASSERT_EQ(files.requests().size(), 1u);
    EXPECT_EQ(files.requests()[0].mode, FileChooser::Mode::Save);
    EXPECT_EQ(files.requests()[0].caption, "Save the ration as CSV");
}

TEST_F(RationPageViewTest, SaveCaseAsPdfWritesTheChosenFileOrSaysWhyNot)
{
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    const struct
    {
        const char* language;
        const char* answer; // in out; empty for a cancel
        const char* written;
        const char* message; // %1 the file
    } cases[] = {
        {"DE", "bericht", "bericht.pdf", ""},
        {"US", "report.pdf", "report.pdf", ""},
        {"US", "report.v2", "report.v2", ""},
        {"DE", "", "", ""},
        {"DE", "fehlt/bericht.pdf", "", "Die Datei „%1“ konnte nicht geschrieben werden."},
        {"US", "missing/report.pdf", "", "The file \"%1\" could not be written."},
    };
    for (const auto& c : cases) {
        open(QLatin1String(c.language), QStringLiteral("1"));
        const bool german = QLatin1String(c.language) == QLatin1String("DE");
        EXPECT_EQ(page->reportButton()->text(),
                  german ? QStringLiteral("Fall als PDF speichern…") : QStringLiteral("Save case as PDF…"));
        RecordingFileChooser files;
        const QString answer = *c.answer ? out.filePath(QString::fromUtf8(c.answer)) : QString();
        files.setNextAnswer(answer);
        page->setFileChooser(files);
        prompt.clear();
        QTest::mouseClick(page->reportButton(), Qt::LeftButton);
        ASSERT_EQ(files.requests().size(), 1u) << c.answer;
        EXPECT_EQ(files.requests()[0].mode, FileChooser::Mode::Save);
        EXPECT_EQ(files.requests()[0].caption,
                  german ? QStringLiteral("Fall als PDF speichern") : QStringLiteral("Save case as PDF"));
        if (*c.written) {
            QFile file(out.filePath(QString::fromUtf8(c.written)));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << c.written;
            EXPECT_TRUE(file.read(5) == "%PDF-") << c.written;
        }
        const QStringList expected =
            *c.message ? QStringList{QString::fromUtf8(c.message).arg(QDir::toNativeSeparators(answer))}
                       : QStringList();
        EXPECT_EQ(prompt.texts(), expected) << c.answer;
    }
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files),
              (QStringList{"bericht.pdf", "report.pdf", "report.v2"}));
}

TEST_F(RationPageViewTest, AFailedPrintSaysSo)
{
    for (const char* language : {"DE", "US"}) {
        open(QLatin1String(language), QStringLiteral("1"));
        prompt.clear();
        page->setGridPrint([](GridView&) { return PrintResult::Failed; });
        QTest::mouseClick(page->printButton(), Qt::LeftButton);
        EXPECT_EQ(prompt.texts(), QStringList{printFailedMessage(QLatin1String(language))});
        // A cancelled dialog is no failure.
        prompt.clear();
        page->setGridPrint([](GridView&) { return PrintResult::Cancelled; });
        QTest::mouseClick(page->printButton(), Qt::LeftButton);
        EXPECT_TRUE(prompt.texts().isEmpty());
    }
    EXPECT_EQ(printFailedMessage(QStringLiteral("DE")), "Das Drucken ist fehlgeschlagen.");
    EXPECT_EQ(printFailedMessage(QStringLiteral("US")), "Printing failed.");
}

TEST_F(RationPageViewTest, PrintPutsTheHeadingAboveTheRationGridThenTheProfileGrid)
{
    open(QStringLiteral("DE"), QStringLiteral("1"));
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    QStringList printed, titles, files;
    page->setGridPrint([&](GridView& grid) {
        printed << grid.objectName();
        titles << GridPrinter::titleFor(&grid);
        files << out.filePath(grid.objectName() + QStringLiteral(".pdf"));
        return GridPrinter::printToPdf(grid, files.last()) ? PrintResult::Printed : PrintResult::Failed;
    });
    QTest::mouseClick(page->printButton(), Qt::LeftButton);

    const QString heading = QStringLiteral("Bello (Hund/m) Erhaltung Rüde  / Müller  / Erhaltung");
    EXPECT_EQ(page->logic().printHeading(), heading);
    EXPECT_EQ(page->windowTitle(), heading);
    EXPECT_EQ(printed, (QStringList{"RationGrid", "ProfileGrid"}));
    EXPECT_EQ(titles, (QStringList{heading, heading}));
    for (const QString& file : files) {
        QFile pdf(file);
        ASSERT_TRUE(pdf.open(QIODevice::ReadOnly)) << qPrintable(file);
        EXPECT_TRUE(pdf.read(5) == "%PDF-") << qPrintable(file);
    }
    // The heading reaches the paper, as far as pdftotext can tell.
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (!pdftotext.isEmpty()) {
        QProcess process;
        process.start(pdftotext, {files.first(), QStringLiteral("-")});
        ASSERT_TRUE(process.waitForFinished());
        const QString text = QString::fromUtf8(process.readAllStandardOutput());
        EXPECT_TRUE(text.contains(QStringLiteral("Bello (Hund/m) Erhaltung Rüde")))
            << qPrintable(text.left(300));
        EXPECT_TRUE(text.contains(QStringLiteral("Hühnerbrust, gekocht"))) << qPrintable(text.left(300));
    }
    // The header form's window keeps its own title.
    EXPECT_EQ(window->windowTitle(), "Rationsberechnung");
}

TEST_F(RationPageViewTest, EveryHeadingAndUnitOfTheShippedDataFitsItsColumnInBothLanguages)
{
    for (const char* language : {"DE", "US"}) {
        open(QString::fromLatin1(language), QString(), QSize(1280, 800), TestDatabase::Data::Shipped);
        for (GridModel* grid : {&rationGrid(), &window->form().ration().profileGrid()}) {
            grid->click(NameRow, RationGrids::NameColumn); // shows every column
            // Calcium's "Ca" and "g" need no more than the shipped width.
            if (grid == &rationGrid()) {
                EXPECT_EQ(grid->columnWidth(find(*grid, QStringLiteral("1"))), SelectedWidth);
            }
            for (int c = RationGrids::NameColumn; c < grid->columnCount(); ++c) {
                if (grid->columnWidth(c) <= UnselectedWidth)
                    continue;
                const int room = grid->columnWidth(c) - 7; // paintCell's margins and grid line
                for (int row : {NameRow, UnitRow}) {
                    const QString text = grid->text(row, c);
                    const QFontMetricsF metrics(GridCellPainter::toFont(grid->font(row, c)));
                    // Lines break at spaces only, and all of them fit the row.
                    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
                        EXPECT_LE(metrics.horizontalAdvance(word), room)
                            << language << " " << qPrintable(text);
                    EXPECT_LE(metrics.boundingRect(QRectF(0, 0, room, 1e6), Qt::TextWordWrap, text).height(),
                              grid->rowHeight(row) - 3)
                        << language << " " << qPrintable(text);
                }
            }
        }
    }
}

TEST_F(RationPageViewTest, AnOpenedCaseShowsTheListsOfItsCaseType)
{
    open(QStringLiteral("US"), QStringLiteral("1"));
    EXPECT_EQ(items(page->categoryList()), (QStringList{"<ALLE>", "Complete food dog", "Single feedstuffs"}));
    EXPECT_EQ(page->typeList()->count(), 4);
    EXPECT_EQ(page->feedList()->count(), 6);
    EXPECT_EQ(feedNames(), (QStringList{"Chicken breast, cooked", "Rice, cooked"}));
}

TEST_F(RationPageViewTest, AnOpenedCaseShowsItsGridsWholeEvenBelowALowWorkspace)
{
    const struct
    {
        const char* caseKey;
        QSize workspace;
    } cases[] = {
        {"1", QSize(1280, 800)}, {"1", QSize(1024, 350)}, {"3", QSize(900, 300)}, {"", QSize(1024, 350)}};
    for (const auto& c : cases) {
        open(QStringLiteral("DE"), QString::fromLatin1(c.caseKey), c.workspace);
        QCoreApplication::processEvents();
        const QString where = QStringLiteral("%1 at %2x%3")
                                  .arg(QString::fromLatin1(c.caseKey))
                                  .arg(c.workspace.width())
                                  .arg(c.workspace.height());
        // Neither grid reaches past the page's bottom edge, and the profile
        // starts below the ration grid rather than over its rows.
        const QRect ration = page->rationGridView()->geometry();
        const QRect profile = page->profileGridView()->geometry();
        EXPECT_TRUE(page->rect().contains(ration)) << qPrintable(where);
        EXPECT_TRUE(page->rect().contains(profile)) << qPrintable(where);
        EXPECT_GT(profile.top(), ration.bottom()) << qPrintable(where);
        // The ration grid's heading and feedstuff rows are in view.
        GridView* grid = page->rationGridView();
        for (int row = FirstFeedRow; row < rationGrid().rowCount(); ++row)
            EXPECT_TRUE(grid->viewport()->rect().contains(grid->cellRect(row, RationGrids::NameColumn)))
                << qPrintable(where) << " row " << row;
    }
}

} // namespace
