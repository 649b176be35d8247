#include "feed/gui/FeedEditorView.h"
#include "core/Prompt.h"
#include "feed/FeedEditor.h"
#include "feed/FeedIndicatorCalculator.h"
#include "feed/gui/FeedEditorWindow.h"
#include "support/TestDatabase.h"
#include "ui/gui/GridView.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

// A feedstuff editor opened in a workspace of 1024 x 768 over the fixture.
class FeedEditorViewTest : public ::testing::Test
{
protected:
    // The fixture's nutrients lack moisture and dry matter, which a save needs.
    void open(const QString& language = QStringLiteral("DE"), bool withMoisture = false)
    {
        area.reset();
        db = std::make_unique<TestDatabase>(TestDatabase::Data::Fixture, language);
        ASSERT_TRUE(db->isValid()) << qPrintable(db->error());
        if (withMoisture) {
            ASSERT_TRUE(db->rawExec(QStringLiteral(
                "INSERT INTO T_NAEHRSTOFFE VALUES (18, 5, 'Feuchte', 'Moisture', '%', '%', 'Feuchte', "
                "'Moisture', 'I', 1, 0, -1), (8, 6, 'TS', 'DM', '%', '%', 'Trockensubstanz', 'Dry matter', "
                "'I', 1, 0, -1)")));
        }
        area = std::make_unique<QMdiArea>();
        area->resize(1024, 768);
        area->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(area.get()));
        window = FeedEditorWindow::open(*area, db->context(), &prompt);
        QCoreApplication::processEvents();
    }

    const FeedEditorControls& c() const { return window->view()->controls(); }
    GridModel& nutrients() { return window->editor().nutrientGrid(); }

    static void choose(QComboBox* box, const QString& text)
    {
        const int target = box->findText(text);
        ASSERT_GE(target, 0) << qPrintable(text);
        for (int step = 0; step <= box->count() && box->currentIndex() != target; ++step)
            QTest::keyClick(box, box->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
        ASSERT_EQ(box->currentIndex(), target) << qPrintable(text);
    }
    static QStringList items(const QComboBox* box)
    {
        QStringList texts;
        for (int i = 0; i < box->count(); ++i)
            texts << box->itemText(i);
        return texts;
    }
    // Double-clicks the amount of a nutrient and types into the cell's editor.
    void typeAmount(int key, const QString& text)
    {
        GridView* view = c().nutrientGrid;
        const int row = FeedEditor::rowOf(nutrients(), key);
        ASSERT_GE(row, 1) << key;
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {},
                           view->cellRect(row, FeedEditor::AmountColumn).center());
        ASSERT_TRUE(view->isEditing());
        QTest::keyClicks(view->editor(), text);
        QTest::keyClick(view->editor(), Qt::Key_Return);
    }
    QString amount(int key)
    {
        return nutrients().text(FeedEditor::rowOf(nutrients(), key), FeedEditor::AmountColumn);
    }

    std::unique_ptr<TestDatabase> db;
    RecordingPrompt prompt;
    std::unique_ptr<QMdiArea> area;
    FeedEditorWindow* window = nullptr;
};

TEST_F(FeedEditorViewTest, TheWindowOpensWithTheLabelsOfItsLanguageAndItsListsFilled)
{
    const struct
    {
        const char* code;
        const char* title;
        QStringList texts; // bar type, bar feedstuff, New, German name, Calculate, Save, Delete, Copy
        QStringList types;
    } cases[] = {
        {"DE",
         "Futtermittel",
         {"Futtermittel Typ", "Futtermittel", "Neu", "Bezeichnung deutsch:", "Berechnen", "Speichern",
          "Löschen", "Kopieren"},
         {"<kein Typ>", "Fleisch", "Getreide", "Öle"}},
        {"US",
         "Feedstuff",
         {"Kind of Feedstuff:", "Feedstuff:", "New", "German name:", "Calculate", "Save", "Delete", "Copy"},
         {"<no type>", "Cereals", "Meat", "Oils"}},
    };
    for (const auto& row : cases) {
        open(QString::fromLatin1(row.code));
        EXPECT_EQ(window->windowTitle(), QString::fromLatin1(row.title));
        const QStringList shown{c().barTypeLabel->text(),    c().barFeedLabel->text(), c().newButton->text(),
                                c().germanNameLabel->text(), c().calculate->text(),    c().save->text(),
                                c().remove->text(),          c().copy->text()};
        EXPECT_EQ(shown, row.texts) << row.code;
        EXPECT_EQ(items(c().typeList), row.types);
        // The owner's own two and the five shipped; nothing to save, delete or copy yet.
        EXPECT_EQ(c().barFeedList->count(), 7);
        EXPECT_FALSE(c().save->isEnabled() || c().remove->isEnabled() || c().copy->isEnabled());
        // At 1024 x 768 every label reads whole and the grids show their rows.
        for (QLabel* label : window->view()->findChildren<QLabel*>())
            EXPECT_GE(label->width(), label->minimumSizeHint().width()) << qPrintable(label->objectName());
        EXPECT_GE(c().nutrientGrid->height(), 300);
    }
}

TEST_F(FeedEditorViewTest, ATypedFeedstuffIsCalculatedSavedAndListed)
{
    open(QStringLiteral("DE"), true);
    QTest::keyClicks(c().germanName, QStringLiteral("Lammherz"));
    QTest::keyClicks(c().englishName, QStringLiteral("Lamb heart"));
    QTest::keyClicks(c().producer, QStringLiteral("Metzgerei Maier"));
    choose(c().typeList, QStringLiteral("Fleisch"));
    GridView* categories = c().categoryGrid;
    GridModel& marks = *categories->model();
    QTest::mouseDClick(categories->viewport(), Qt::LeftButton, {},
                       categories->cellRect(0, FeedEditor::MarkColumn).center());
    EXPECT_EQ(marks.text(0, FeedEditor::MarkColumn), "x");

    QTest::mouseClick(c().calculate, Qt::LeftButton);
    EXPECT_EQ(prompt.lastText(), "Bitte geben Sie einen Wert für Feuchte ein");
    EXPECT_FALSE(c().save->isEnabled());

    typeAmount(NutrientKey::Moisture, QStringLiteral("70"));
    typeAmount(NutrientKey::CrudeProtein, QStringLiteral("20"));
    QTest::mouseClick(c().calculate, Qt::LeftButton);
    EXPECT_EQ(prompt.lastText(), "Kenngrössen wurden neu berechnet !");
    EXPECT_EQ(amount(NutrientKey::DryMatter), "30,0");
    ASSERT_TRUE(c().save->isEnabled());

    QTest::mouseClick(c().save, Qt::LeftButton);
    EXPECT_EQ(prompt.lastText(), "Futtermittel wurde gespeichert !");
    EXPECT_EQ(
        db->rawRows(QStringLiteral(
            "SELECT ID, ID_FM_TYP, BEZ_DE, BEZ_US, HERSTELLER, EIGEN FROM T_FUTTERMITTEL WHERE ID >= 100000")),
        QStringList{"100000\t1\tLammherz\tLamb heart\tMetzgerei Maier\tU"});
    EXPECT_EQ(
        db->rawRows(QStringLiteral("SELECT ID_NAEHRSTOFF, MENGE FROM T_FM_NAEHRSTOFF WHERE ID_FM = 100000 "
                                   "AND ID_NAEHRSTOFF IN (8, 18, 24) ORDER BY ID_NAEHRSTOFF")),
        (QStringList{"8\t30.0", "18\t70.0", "24\t20.0"}));
    EXPECT_EQ(db->rawValue(QStringLiteral("SELECT ID_FM_KATEGORIE FROM T_FM_KAT WHERE ID_FM = 100000")),
              marks.text(0, FeedEditor::CategoryKeyColumn));
    EXPECT_TRUE(items(c().barFeedList).contains(QStringLiteral("Lammherz")));
    EXPECT_EQ(c().lastUpdate->text(), "03.04.2024");
    EXPECT_TRUE(c().copy->isEnabled());
}

TEST_F(FeedEditorViewTest, ChoosingFromTheBarLoadsTheFeedstuffAndNewEmptiesTheForm)
{
    open();
    choose(c().barTypeList, QStringLiteral("Getreide"));
    EXPECT_EQ(items(c().barFeedList), (QStringList{"MÖHREN, roh (mitgeliefert)", "O'Briens Mischung",
                                                   "Reis, gekocht (mitgeliefert)"}));
    choose(c().barFeedList, QStringLiteral("O'Briens Mischung"));
    EXPECT_EQ(c().germanName->text(), "O'Briens Mischung");
    EXPECT_EQ(c().typeList->currentText(), "Getreide");
    EXPECT_EQ(amount(NutrientKey::CrudeProtein), "10,0");
    EXPECT_TRUE(c().remove->isEnabled());

    QTest::mouseClick(c().newButton, Qt::LeftButton);
    EXPECT_EQ(amount(NutrientKey::CrudeProtein), "");
    EXPECT_EQ(c().barFeedList->count(), 7);
    EXPECT_FALSE(c().remove->isEnabled());
}

TEST_F(FeedEditorViewTest, AShippedFeedstuffShowsReadOnlyAndItsCopyIsEditable)
{
    open(QStringLiteral("US"));
    choose(c().barFeedList, QStringLiteral("Rice, cooked (shipped)"));
    EXPECT_EQ(c().englishName->text(), "Rice, cooked");
    const auto editable = [this] {
        return QList<bool>{c().calculate->isEnabled(), c().remove->isEnabled(),
                           !c().englishName->isReadOnly(), c().typeList->isEnabled(),
                           c().active->isEnabled()};
    };
    EXPECT_EQ(editable(), QList<bool>(5, false));
    EXPECT_FALSE(c().save->isEnabled());
    EXPECT_TRUE(c().copy->isEnabled());
    // Typing into its name or its amounts changes nothing.
    QTest::keyClicks(c().englishName, QStringLiteral("x"));
    GridView* view = c().nutrientGrid;
    QTest::mouseDClick(
        view->viewport(), Qt::LeftButton, {},
        view->cellRect(FeedEditor::rowOf(nutrients(), NutrientKey::CrudeProtein), FeedEditor::AmountColumn)
            .center());
    EXPECT_FALSE(view->isEditing());
    EXPECT_EQ(c().englishName->text(), "Rice, cooked");

    prompt.clear();
    QTest::mouseClick(c().copy, Qt::LeftButton);
    EXPECT_EQ(c().englishName->text(), "Rice, cooked_Copy");
    EXPECT_EQ(editable(), QList<bool>(5, true));
    EXPECT_TRUE(items(c().barFeedList).contains(QStringLiteral("Rice, cooked_Copy")));
}

TEST_F(FeedEditorViewTest, TabFollowsTheFieldOrderIntoTheNutrientAmounts)
{
    open();
    area->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(area.get()));
    c().typeList->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return c().typeList->hasFocus(); }));
    QStringList visited;
    for (int step = 0; step < 10; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(visited, (QStringList{"FeedGermanName", "FeedEnglishName", "FeedProducer", "FeedHintGerman",
                                    "FeedHintEnglish", "FeedDataMissing", "FeedActive", "FeedLastUpdate",
                                    "FeedCategoryGrid", "FeedNutrientGrid"}));
    // Typing goes straight into the first amount.
    for (const char key : {'4', '2'})
        QTest::keyClick(QApplication::focusWidget(), key);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(nutrients().text(1, FeedEditor::AmountColumn), "42");
}

TEST_F(FeedEditorViewTest, ClosingWithATypedNameAsksAndCancelKeepsTheWindow)
{
    open(QStringLiteral("US"));
    QPointer<FeedEditorWindow> shown = window;
    QTest::keyClicks(c().germanName, QStringLiteral("Lammherz"));
    prompt.setNextAnswer(Prompt::Answer::Cancel);
    EXPECT_FALSE(window->close());
    QCoreApplication::processEvents();
    ASSERT_TRUE(shown);
    EXPECT_EQ(prompt.texts(), QStringList{"Do you want to save this feedstuff?"});
    EXPECT_EQ(c().germanName->text(), "Lammherz");
    // No discards the name and closes.
    prompt.setNextAnswer(Prompt::Answer::No);
    EXPECT_TRUE(window->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(shown);
}

} // namespace
