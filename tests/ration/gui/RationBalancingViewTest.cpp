#include "ration/gui/RationBalancingView.h"
#include "app/gui/CaseSheet.h"
#include "ration/NutrientColumns.h"
#include "ration/RationBalancing.h"
#include "ration/RationGrids.h"
#include "ration/RationPage.h"
#include "ration/gui/RationPageView.h"
#include "support/QtPrinters.h"
#include "support/ShownCaseWindow.h"
#include "ui/gui/GridView.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

#include <functional>

namespace {

// A stored 20 kg adult dog on the shipped data, fed too little chicken and
// rice and carrots without an amount, balanced through the page's button.
class RationBalancingViewTest : public ShownCaseWindow
{
protected:
    void SetUp() override
    {
        openWindow(QStringLiteral("DE"), QString(), QSize(1280, 800), TestDatabase::Data::Shipped);
        ASSERT_TRUE(db->rawExec(QStringLiteral(
            "INSERT INTO T_PAT_REZ (ID, ID_Anrede, Name_Besitzer, Name_Pat, ID_Gattung, ID_Geschlecht, ID_Fall, "
            "Geburtsdatum, Gewicht_akt, Gewicht_soll, Gewicht_adult, Anz_Welpen, Energie, Rippen, Rezepttitel, "
            "Datum, Bemerkung) VALUES (1, 1, 'Müller', 'Bello', 2, 1, 7, '2020-03-05', 20, 20, 0, 0, 100, '0', "
            "'Erhaltung', '2024-04-03 10:00:00', ' ');"
            "INSERT INTO T_REZ_FM (ID_Rezept, ID_Futtermittel, TagRat) VALUES (1, 24, 150), (1, 89, 200), "
            "(1, 112, 0);")));
        // The new case the window opened with goes unsaved.
        prompt.setNextAnswer(Prompt::Answer::No);
        ASSERT_TRUE(window->close());
        prompt.clear();
        window = CaseWindow::openStored(*area, db->context(), 1, &prompt);
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(form().isUnchanged());
    }

    GridModel& rationGrid() { return form().ration().rationGrid(); }
    QStringList amounts()
    {
        QStringList texts;
        for (int row = NutrientColumns::FirstFeedRow; row < rationGrid().rowCount(); ++row)
            texts << rationGrid().text(row, RationGrids::AmountColumn).trimmed();
        return texts;
    }

    // Presses the button; the dialog, once shown, goes to work, which must close it.
    bool pressBalance(const std::function<void(RationBalancingView&)>& work)
    {
        bool shown = false;
        QTimer::singleShot(0, [&] {
            if (auto* dialog = qobject_cast<RationBalancingView*>(QApplication::activeModalWidget())) {
                shown = true;
                work(*dialog);
            }
        });
        QTest::mouseClick(window->sheet()->rationPage()->balanceButton(), Qt::LeftButton);
        return shown;
    }
};

TEST_F(RationBalancingViewTest, CancelChangesNothingAndApplyTypesTheProposalIntoTheRation)
{
    const QStringList before = amounts();
    ASSERT_EQ(before, (QStringList{"150,0", "200,0", "0,0"}));
    ASSERT_TRUE(pressBalance([](RationBalancingView& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Ration ausgleichen");
        QTest::mouseClick(dialog.cancelButton(), Qt::LeftButton);
    }));
    EXPECT_EQ(amounts(), before);
    EXPECT_TRUE(form().isUnchanged());

    QStringList names, proposed;
    ASSERT_TRUE(pressBalance([&](RationBalancingView& dialog) {
        GridModel& grid = *dialog.gridView()->model();
        // The ration's three rows, then the supplements the completion adds.
        EXPECT_GE(grid.rowCount(), RationBalancing::FirstRow + 3);
        // Locking the chicken keeps its 150 g and proposes again; the lines follow.
        const QString firstLines = dialog.resultLines()->toPlainText();
        EXPECT_FALSE(firstLines.isEmpty());
        const int chicken = RationBalancing::FirstRow;
        QTest::mouseClick(dialog.gridView()->viewport(), Qt::LeftButton, {},
                          dialog.gridView()->cellRect(chicken, RationBalancing::LockColumn).center());
        EXPECT_EQ(grid.text(chicken, RationBalancing::LockColumn), "x");
        EXPECT_EQ(grid.text(chicken, RationBalancing::ProposedColumn), "150");
        for (int row = RationBalancing::FirstRow; row < grid.rowCount(); ++row) {
            names << grid.text(row, RationBalancing::NameColumn);
            proposed << grid.text(row, RationBalancing::ProposedColumn);
        }
        EXPECT_EQ(dialog.resultLines()->toPlainText(), dialog.logic().resultLines().join(QLatin1Char('\n')));
        EXPECT_NE(dialog.resultLines()->toPlainText(), firstLines);
        QTest::mouseClick(dialog.applyButton(), Qt::LeftButton);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }));
    // The locked chicken keeps its amount as it was typed; the added
    // supplements are rows of the ration now.
    ASSERT_GE(proposed.size(), 3);
    proposed[0] = before[0];
    EXPECT_EQ(amounts(), proposed);
    QStringList rationNames;
    for (int row = NutrientColumns::FirstFeedRow; row < rationGrid().rowCount(); ++row)
        rationNames << rationGrid().text(row, RationGrids::NameColumn);
    EXPECT_EQ(rationNames, names);
    EXPECT_NE(amounts(), before);
    EXPECT_FALSE(form().isUnchanged());
}

// The switch "Complete with supplements" is on when the dialog opens; off,
// the proposal holds the ration's own feedstuffs only and the premix's
// settings rest.
TEST_F(RationBalancingViewTest, TheCompletionSwitchTakesTheAddedSupplementsAway)
{
    ASSERT_TRUE(pressBalance([&](RationBalancingView& dialog) {
        GridModel& grid = *dialog.gridView()->model();
        EXPECT_EQ(dialog.completeBox()->text(), "Mit Supplementen ergänzen");
        ASSERT_TRUE(dialog.completeBox()->isChecked());
        EXPECT_GT(grid.rowCount(), RationBalancing::FirstRow + 3);
        EXPECT_EQ(grid.text(RationBalancing::FirstRow + 3, RationBalancing::NowColumn), "neu");
        EXPECT_EQ(dialog.daysBox()->value(), 30);
        EXPECT_EQ(dialog.carrierList()->currentText(), "(keiner)");
        EXPECT_TRUE(dialog.daysBox()->isEnabled());
        QTest::mouseClick(dialog.completeBox(), Qt::LeftButton);
        EXPECT_FALSE(dialog.logic().complete());
        EXPECT_EQ(grid.rowCount(), RationBalancing::FirstRow + 3);
        EXPECT_FALSE(dialog.daysBox()->isEnabled());
        EXPECT_FALSE(dialog.carrierList()->isEnabled());
        EXPECT_EQ(dialog.resultLines()->toPlainText(), dialog.logic().resultLines().join(QLatin1Char('\n')));
        dialog.reject();
    }));
}

TEST_F(RationBalancingViewTest, ARationWithoutFeedstuffsOpensNoDialog)
{
    for (int row = rationGrid().rowCount() - 1; row >= NutrientColumns::FirstFeedRow; --row) {
        prompt.setNextAnswer(Prompt::Answer::Yes);
        window->sheet()->rationPage()->logic().removeFeed(row);
    }
    prompt.clear();
    EXPECT_FALSE(pressBalance([](RationBalancingView& dialog) { dialog.reject(); }));
    EXPECT_EQ(prompt.texts(), QStringList{"Die Ration enthält noch keine Futtermittel."});
}

// A content no solver can scale makes the proposal fail: the dialog says
// so and still opens, with nothing to apply, so that a bound can be changed.
TEST_F(RationBalancingViewTest, AFailedProposalOpensTheDialogWithoutApply)
{
    ASSERT_TRUE(db->rawExec(
        QStringLiteral("UPDATE T_FM_NAEHRSTOFF SET Menge = 1e300 WHERE ID_FM = 89 AND ID_NAEHRSTOFF = 24")));
    EXPECT_TRUE(pressBalance([](RationBalancingView& dialog) {
        EXPECT_FALSE(dialog.applyButton()->isEnabled());
        QTest::mouseClick(dialog.cancelButton(), Qt::LeftButton);
    }));
    EXPECT_EQ(prompt.texts(),
              QStringList{"Die Ration lässt sich nicht ausgleichen: ein Gehalt, ein Höchstwert "
                          "oder eine Menge ist keine brauchbare Zahl."});
    EXPECT_EQ(amounts(), (QStringList{"150,0", "200,0", "0,0"}));
}

} // namespace
