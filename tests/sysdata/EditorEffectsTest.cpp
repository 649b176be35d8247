#include "sysdata/SystemTableEditor.h"

#include "core/Prompt.h"
#include "db/AppContext.h"
#include "output/CaseHeaderTexts.h"
#include "output/RecipePage.h"
#include "ration/CaseHeaderSource.h"
#include "ration/CaseRecord.h"
#include "ration/RationCalculation.h"
#include "support/QtPrinters.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

namespace {

int columnOf(const SystemTableEditor& editor, const char* field)
{
    for (int col = 0; col < int(editor.columns().size()); ++col) {
        if (editor.columns()[size_t(col)].field == QLatin1String(field))
            return col;
    }
    return -1;
}

int rowOf(const SystemTableEditor& editor, const QString& key)
{
    for (int row = 1; row < editor.grid().rowCount(); ++row) {
        if (editor.grid().text(row, 0) == key)
            return row;
    }
    return -1;
}

// The header values of a 20 kg adult male dog, as the case window reads them.
struct AdultDog : CaseInputs
{
    AdultDog()
    {
        caseType = 7;
        species = 2;
        sex = 1;
        actual = QStringLiteral("20");
        target = QStringLiteral("20");
        energy = QStringLiteral("100");
    }
};

TEST(EditorEffectsTest, APracticesTextBlockReachesTheRecipesTextList)
{
    TestDatabase db(TestDatabase::Data::Shipped);
    RecordingPrompt prompt;
    SystemTableEditor editor(db.context(), prompt);
    ASSERT_TRUE(editor.loadTable(50));
    const int row = editor.grid().rowCount() - 1;
    ASSERT_TRUE(editor.isNewRecordRow(row));
    const QString text = QStringLiteral("Füttern Sie O'Briens Flocken.\nZweimal täglich.");
    editor.grid().endEdit(row, columnOf(editor, "BEZ_DE"), text);
    EXPECT_TRUE(prompt.texts().isEmpty()) << prompt.lastText().toStdString();

    AdultDog header;
    RationCalculation ration(db.context(), header);
    ration.buildRationGrid();
    HeaderTextValues texts;
    RecipeChoices choices;
    RecipePage recipe(db.context(), texts, ration.model(), choices);
    recipe.build();
    bool listed = false;
    for (const ChoiceList::Entry& entry : recipe.textList().entries())
        listed = listed || entry.text == text;
    EXPECT_TRUE(listed);
}

TEST(EditorEffectsTest, AnEditedRequirementFormulaChangesTheNextCase)
{
    TestDatabase db(TestDatabase::Data::Shipped);
    db.context().setOwnerCode(QStringLiteral("M"));
    AdultDog header;
    const auto energy = [&] {
        RationCalculation ration(db.context(), header);
        ration.buildRationGrid();
        ration.loadRequirementFormulas();
        return ration.lookupRequirement(QStringLiteral("61"));
    };
    ASSERT_EQ(energy(), "1040");

    const QString formula = db.rawValue(
        QStringLiteral("SELECT ID FROM T_BEDARF WHERE ID_NAEHRSTOFF = 61 AND AKTIV <> 0 AND BERTYP_FALL = "
                       "(SELECT BerTyp FROM T_FALL WHERE ID = 7)"));
    RecordingPrompt prompt;
    SystemTableEditor editor(db.context(), prompt);
    ASSERT_TRUE(editor.loadTable(130));
    const int row = rowOf(editor, formula);
    ASSERT_GT(row, 0) << formula.toStdString();
    editor.grid().endEdit(row, columnOf(editor, "WERT_FORMEL"),
                          QStringLiteral("(AKTGEW ^ 0.75) * 100 * MEBED / 100"));
    EXPECT_TRUE(prompt.texts().isEmpty()) << prompt.lastText().toStdString();
    EXPECT_EQ(energy(), "946");
}

} // namespace
