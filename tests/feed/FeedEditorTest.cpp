#include "feed/FeedEditor.h"

#include "core/NumberText.h"
#include "core/Prompt.h"
#include "feed/FeedIndicatorCalculator.h"
#include "support/QtPrinters.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

// The editor over the shipped system data, a new feedstuff prepared.
struct Editor
{
    TestDatabase db;
    RecordingPrompt prompt;
    FeedEditor editor;

    explicit Editor(const QString& language = QStringLiteral("DE"),
                    const QString& owner = QStringLiteral("U"))
        : db(TestDatabase::Data::Shipped, language)
        , editor(db.context(), prompt)
    {
        db.context().setOwnerCode(owner);
        editor.newClicked();
    }
    bool type(int key, const QString& amount)
    {
        for (GridModel* grid : {&editor.nutrientGrid(), &editor.indicatorGrid()}) {
            const int row = FeedEditor::rowOf(*grid, key);
            if (row >= 0)
                return grid->endEdit(row, FeedEditor::AmountColumn, amount);
        }
        return false;
    }
    QString amount(int key)
    {
        for (GridModel* grid : {&editor.nutrientGrid(), &editor.indicatorGrid()}) {
            const int row = FeedEditor::rowOf(*grid, key);
            if (row >= 0)
                return grid->text(row, FeedEditor::AmountColumn);
        }
        return QStringLiteral("no row");
    }
    // Moisture 10, ash 8, protein 25, fibre 2, fat 15: NfE 40, DM 90.
    void analysis(const char* ash = "8")
    {
        type(NutrientKey::Moisture, QStringLiteral("10"));
        type(NutrientKey::CrudeAsh, QLatin1String(ash));
        type(NutrientKey::CrudeProtein, QStringLiteral("25"));
        type(NutrientKey::CrudeFibre, QStringLiteral("2"));
        type(NutrientKey::CrudeFat, QStringLiteral("15"));
    }
    QString counter()
    {
        return db.rawValue(QStringLiteral("SELECT ID_NEW FROM T_FM_KEY WHERE FM_TYP = 'U'"));
    }
    QString count(const char* table) { return db.rawValue(QStringLiteral("SELECT COUNT(*) FROM ") + table); }
};

TEST(FeedEditorTest, TheWorkedAnalysisFillsTheGridsAndAllowsSaving)
{
    Editor e;
    e.analysis();
    ASSERT_FALSE(e.editor.canSave());
    ASSERT_TRUE(e.editor.calculate());
    EXPECT_TRUE(e.editor.canSave());
    EXPECT_EQ(e.prompt.texts(), QStringList{"Kenngrössen wurden neu berechnet !"});
    const struct
    {
        int key;
        double value;
    } results[] = {{NutrientKey::DryMatter, 90},          {NutrientKey::Nfe, 40},
                   {NutrientKey::EnergyMJ, 1.54984},      {NutrientKey::EnergyKcal, 370.41},
                   {NutrientKey::ProteinPerMJ, 16.13},    {NutrientKey::ProteinEnergyPerMJ, 387.14},
                   {NutrientKey::NfePerDryMatter, 44.44}, {NutrientKey::FatPerDryMatter, 16.67}};
    for (const auto& r : results) {
        const QString shown = e.amount(r.key);
        ASSERT_FALSE(shown.isEmpty()) << r.key;
        // Shown with the row's decimals: within half of its last place.
        const int decimals = shown.contains(',') ? int(shown.size() - shown.indexOf(',') - 1) : 0;
        EXPECT_NEAR(NumberText::read(shown), r.value, 0.5 * std::pow(10.0, -decimals) + 1e-9) << r.key;
    }
}

TEST(FeedEditorTest, NfeOfZeroCalculatesAndBelowZeroStopsWithNothingWritten)
{
    const struct
    {
        const char* ash;
        bool calculated;
    } cases[] = {{"48", true}, {"48,01", false}};
    for (const auto& c : cases) {
        Editor e;
        e.analysis(c.ash);
        EXPECT_EQ(e.editor.calculate(), c.calculated) << c.ash;
        EXPECT_EQ(e.editor.canSave(), c.calculated);
        EXPECT_EQ(e.amount(NutrientKey::DryMatter).isEmpty(), !c.calculated);
        if (!c.calculated) {
            EXPECT_EQ(e.prompt.lastText(), "Nfe negativ, bitte die Werte für Rohnährstoffe kontrollieren");
        }
    }
}

TEST(FeedEditorTest, AResultOfZeroEmptiesTheTextOfAnEarlierRun)
{
    Editor e;
    e.analysis();
    e.type(NutrientKey::Calcium, QStringLiteral("1,2"));
    e.type(NutrientKey::Phosphorus, QStringLiteral("0,9"));
    ASSERT_TRUE(e.editor.calculate());
    ASSERT_FALSE(e.amount(NutrientKey::CalciumToPhosphorus).isEmpty());
    e.type(NutrientKey::Phosphorus, QString());
    ASSERT_TRUE(e.editor.calculate());
    EXPECT_EQ(e.amount(NutrientKey::CalciumToPhosphorus), "");
}

TEST(FeedEditorTest, SavingChecksNameMoistureAndNumbersBeforeAnythingIsStored)
{
    const struct
    {
        const char* language;
        const char* name;
        const char* moisture;
        const char* dryMatter;
        const char* calcium;
        const char* message;
    } cases[] = {
        {"DE", "", "10", "90", "", "Bitte geben Sie eine Bezeichnung deutsch ein"},
        {"US", "", "10", "90", "", "Please enter an english description"},
        {"DE", "Flocken", "10,25", "89,8", "",
         "Der Wert für Feuchte und TS muß 100 ergeben, bitte ändern oder neu berechnen!"},
        {"DE", "Flocken", "10", "90,0", "12,5x", "Bitte geben Sie für Ca eine Zahl ein, nicht „12,5x“."},
        {"US", "Flakes", "10", "90,0", "inf", "Please enter a number for Ca, not \"inf\"."},
        {"DE", "Flocken", "10", "90,0", "12,5", "Futtermittel wurde gespeichert !"},
    };
    for (const auto& c : cases) {
        Editor e(QLatin1String(c.language));
        e.editor.setGermanName(QLatin1String(c.language) == QLatin1String("DE") ? QString::fromUtf8(c.name)
                                                                                : "");
        e.editor.setEnglishName(QLatin1String(c.language) == QLatin1String("US") ? QString::fromUtf8(c.name)
                                                                                 : "");
        e.type(NutrientKey::Moisture, QLatin1String(c.moisture));
        e.type(NutrientKey::DryMatter, QLatin1String(c.dryMatter));
        e.type(NutrientKey::Calcium, QString::fromUtf8(c.calcium));
        const bool saved = e.editor.save();
        EXPECT_EQ(e.prompt.lastText(), QString::fromUtf8(c.message)) << c.message;
        EXPECT_EQ(e.counter(), saved ? "20001" : "20000") << c.message;
        if (saved) {
            EXPECT_EQ(
                e.db.rawValue("SELECT MENGE FROM T_FM_NAEHRSTOFF WHERE ID_FM = 20000 AND ID_NAEHRSTOFF = 1"),
                "12.5");
        }
    }
}

TEST(FeedEditorTest, ANewFeedstuffIsStoredWholeWithApostrophesMarksAndTheOwnersKey)
{
    Editor e;
    e.editor.setGermanName(QStringLiteral("Hundeflocken O'Brien"));
    e.editor.setEnglishName(QStringLiteral("Dog flakes O'Brien"));
    e.editor.setProducer(QStringLiteral("O'Brien & Söhne"));
    e.editor.setActive(false);
    GridModel& categories = e.editor.categoryGrid();
    categories.doubleClick(0, FeedEditor::MarkColumn);
    categories.doubleClick(1, FeedEditor::MarkColumn);
    categories.doubleClick(1, FeedEditor::MarkColumn); // twice: unmarked again
    categories.doubleClick(2, FeedEditor::CategoryNameColumn);
    e.analysis();
    ASSERT_TRUE(e.editor.calculate());
    ASSERT_TRUE(e.editor.save());
    EXPECT_EQ(e.editor.key(), "20000");
    EXPECT_EQ(e.editor.lastUpdate(), "03.04.2024");
    EXPECT_EQ(
        e.db.rawRows("SELECT BEZ_DE, BEZ_US, HERSTELLER, EIGEN, AKTIV FROM T_FUTTERMITTEL WHERE ID = 20000"),
        QStringList{"Hundeflocken O'Brien\tDog flakes O'Brien\tO'Brien & Söhne\tU\t0"});
    EXPECT_EQ(e.db.rawRows("SELECT ID_FM_KATEGORIE FROM T_FM_KAT WHERE ID_FM = 20000"),
              QStringList{categories.text(0, FeedEditor::CategoryKeyColumn)});
    EXPECT_EQ(e.db.rawValue("SELECT MENGE FROM T_FM_NAEHRSTOFF WHERE ID_FM = 20000 AND ID_NAEHRSTOFF = 8"),
              "90.0");
    // The owner's list offers it at once, unmarked beside the shipped ones.
    const auto& entries = e.editor.feedList().entries();
    const auto own =
        std::find_if(entries.begin(), entries.end(), [](const auto& x) { return x.data == 20000; });
    ASSERT_NE(own, entries.end());
    EXPECT_EQ(own->text, "Hundeflocken O'Brien");
}

TEST(FeedEditorTest, AFailingContentRowStoresNothingAndTheSameSaveWorksOnceItCan)
{
    Editor e;
    e.editor.setGermanName(QStringLiteral("Flocken"));
    e.analysis();
    ASSERT_TRUE(e.editor.calculate());
    const QString feedstuffs = e.count("T_FUTTERMITTEL");
    ASSERT_TRUE(e.db.addTrigger("refuse", "BEFORE INSERT", "T_FM_NAEHRSTOFF", "NEW.ID_NAEHRSTOFF = 13"));
    e.prompt.clear();
    EXPECT_FALSE(e.editor.save());
    EXPECT_EQ(e.prompt.texts(), QStringList{"Nährstoff RA konnte nicht eingefügt werden"});
    EXPECT_EQ(e.count("T_FUTTERMITTEL"), feedstuffs);
    EXPECT_EQ(e.db.rawValue("SELECT COUNT(*) FROM T_FM_NAEHRSTOFF WHERE ID_FM >= 20000"), "0");
    EXPECT_EQ(e.counter(), "20000");
    EXPECT_TRUE(e.editor.key().isEmpty());

    ASSERT_TRUE(e.db.dropTrigger("refuse", "T_FM_NAEHRSTOFF"));
    EXPECT_TRUE(e.editor.save());
    EXPECT_EQ(e.editor.key(), "20000");
}

TEST(FeedEditorTest, WithoutAKeyCounterNothingIsStored)
{
    Editor e;
    ASSERT_TRUE(e.db.rawExec("DELETE FROM T_FM_KEY"));
    e.editor.setGermanName(QStringLiteral("Flocken"));
    e.analysis();
    ASSERT_TRUE(e.editor.calculate());
    const QString feedstuffs = e.count("T_FUTTERMITTEL");
    EXPECT_FALSE(e.editor.save());
    EXPECT_EQ(e.prompt.lastText(), "Für den Besitzercode U gibt es keinen Schlüsselzähler in T_FM_KEY; das "
                                   "Futtermittel wurde nicht gespeichert.");
    EXPECT_EQ(e.count("T_FUTTERMITTEL"), feedstuffs);
}

TEST(FeedEditorTest, TheOwnerCodeChoosesTheListedFeedstuffs)
{
    const struct
    {
        const char* language;
        const char* owner;
        const char* filter;
        const char* sql;
    } statements[] = {
        {"DE", "M", "", "SELECT ID AS ITEMDATA, BEZ_DE AS ITEMTEXT FROM T_FUTTERMITTEL"},
        {"DE", "M", "2", "SELECT ID AS ITEMDATA, BEZ_DE AS ITEMTEXT FROM T_FUTTERMITTEL WHERE ID_FM_TYP = 2"},
        {"DE", "U", "",
         "SELECT ID AS ITEMDATA, BEZ_DE AS ITEMTEXT FROM T_FUTTERMITTEL WHERE EIGEN = 'U' UNION ALL "
         "SELECT ID AS ITEMDATA, BEZ_DE & ' (mitgeliefert)' AS ITEMTEXT FROM T_FUTTERMITTEL WHERE EIGEN = 'M'"},
        {"US", "U", "2",
         "SELECT ID AS ITEMDATA, BEZ_US AS ITEMTEXT FROM T_FUTTERMITTEL WHERE ID_FM_TYP = 2 AND EIGEN = 'U' "
         "UNION ALL SELECT ID AS ITEMDATA, BEZ_US & ' (shipped)' AS ITEMTEXT FROM T_FUTTERMITTEL "
         "WHERE ID_FM_TYP = 2 AND EIGEN = 'M'"},
        // An owner code is quoted, a type filter read as a number.
        {"DE", "U' OR '1'='1", "2 OR 1=1",
         "SELECT ID AS ITEMDATA, BEZ_DE AS ITEMTEXT FROM T_FUTTERMITTEL WHERE ID_FM_TYP = 0 AND "
         "EIGEN = 'U'' OR ''1''=''1' UNION ALL SELECT ID AS ITEMDATA, BEZ_DE & ' (mitgeliefert)' AS ITEMTEXT "
         "FROM T_FUTTERMITTEL WHERE ID_FM_TYP = 0 AND EIGEN = 'M'"},
    };
    for (const auto& s : statements) {
        EXPECT_EQ(FeedEditor::feedListStatement(QLatin1String(s.language), QLatin1String(s.owner),
                                                QLatin1String(s.filter)),
                  QLatin1String(s.sql));
    }
    Editor system(QStringLiteral("DE"), QStringLiteral("M"));
    EXPECT_EQ(QString::number(system.editor.feedList().count()), system.count("T_FUTTERMITTEL"));
    for (const auto& entry : system.editor.feedList().entries())
        EXPECT_FALSE(entry.text.contains(QStringLiteral("(mitgeliefert)"))) << entry.data;
    // A new practice finds the shipped feedstuffs, each marked in its language.
    for (const char* language : {"DE", "US"}) {
        Editor practice{QLatin1String(language)};
        const QString mark = QLatin1String(language) == QLatin1String("DE")
                                 ? QStringLiteral(" (mitgeliefert)")
                                 : QStringLiteral(" (shipped)");
        EXPECT_EQ(QString::number(practice.editor.feedList().count()),
                  practice.count("T_FUTTERMITTEL WHERE EIGEN = 'M'"));
        const auto& first = practice.editor.feedList().entries().front();
        EXPECT_EQ(first.text,
                  practice.db.rawValue(QStringLiteral("SELECT BEZ_%1 FROM T_FUTTERMITTEL WHERE ID = %2")
                                           .arg(QLatin1String(language))
                                           .arg(first.data)) +
                      mark);
    }
}

TEST(FeedEditorTest, ACopyTakesTheContentsShownAndTheOriginalKeepsItsOwn)
{
    Editor e;
    e.editor.setGermanName(QStringLiteral("Flocken"));
    e.editor.setEnglishName(QStringLiteral("Flakes"));
    e.analysis();
    ASSERT_TRUE(e.editor.calculate());
    ASSERT_TRUE(e.editor.save());
    e.type(NutrientKey::Calcium, QStringLiteral("2,5")); // not saved
    ASSERT_TRUE(e.editor.copy());
    EXPECT_EQ(e.prompt.texts().at(e.prompt.texts().size() - 1), "Es wird der Satz mit Nummer 20000 kopiert");
    EXPECT_EQ(e.editor.key(), "20001");
    EXPECT_EQ(e.editor.germanName(), "Flocken_Kopie");
    EXPECT_EQ(e.db.rawRows("SELECT ID, BEZ_DE, BEZ_US FROM T_FUTTERMITTEL WHERE ID >= 20000 ORDER BY ID"),
              (QStringList{"20000\tFlocken\tFlakes", "20001\tFlocken_Kopie\tFlakes_Copy"}));
    EXPECT_EQ(
        e.db.rawRows("SELECT ID_FM, MENGE FROM T_FM_NAEHRSTOFF WHERE ID_NAEHRSTOFF = 1 AND ID_FM >= 20000"),
        QStringList{"20001\t2.5"});
}

// Everything stored of a feedstuff, to tell whether anything changed.
QStringList storedFeed(TestDatabase& db, int key)
{
    const QString id = QString::number(key);
    return db.rawRows("SELECT ID_FM_TYP, BEZ_DE, BEZ_US, HERSTELLER, EIGEN, AKTIV, DATUM_BEARBEITET FROM "
                      "T_FUTTERMITTEL WHERE ID = " +
                      id) +
           db.rawRows("SELECT ID_NAEHRSTOFF, MENGE, QUELLE FROM T_FM_NAEHRSTOFF WHERE ID_FM = " + id +
                      " ORDER BY ID_NAEHRSTOFF") +
           db.rawRows("SELECT ID_FM_KATEGORIE FROM T_FM_KAT WHERE ID_FM = " + id +
                      " ORDER BY ID_FM_KATEGORIE");
}

TEST(FeedEditorTest, AShippedFeedstuffOpensReadOnlyAndRefusesEveryChange)
{
    const struct
    {
        const char* language;
        const char* owner;
        bool readOnly;
        const char* refusal;
    } cases[] = {
        {"DE", "U", true,
         "„%1“ ist ein mitgeliefertes Futtermittel und kann nicht geändert oder gelöscht werden. Mit "
         "„Kopieren“ legen Sie ein eigenes an, das Sie bearbeiten können."},
        {"US", "U", true,
         "\"%1\" is a shipped feedstuff and cannot be changed or deleted. \"Copy\" makes an own one that you "
         "can edit."},
        // System data maintenance changes what is shipped.
        {"DE", "M", false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.language) + " " + c.owner);
        Editor e(QLatin1String(c.language), QLatin1String(c.owner));
        const QStringList before = storedFeed(e.db, 1);
        ASSERT_TRUE(e.editor.loadFeed(1));
        EXPECT_EQ(e.editor.isReadOnly(), c.readOnly);
        const QString name = c.language == std::string("DE") ? e.editor.germanName() : e.editor.englishName();
        // Its values keep telling where they come from.
        const int protein = FeedEditor::rowOf(e.editor.nutrientGrid(), NutrientKey::CrudeProtein);
        EXPECT_FALSE(e.editor.nutrientGrid().toolTip(protein, FeedEditor::AmountColumn).isEmpty());

        e.editor.setGermanName(QStringLiteral("Geändert"));
        e.editor.setActive(!e.editor.isActive());
        e.editor.userChoseType(0);
        e.editor.categoryGrid().doubleClick(0, FeedEditor::MarkColumn);
        EXPECT_EQ(e.type(NutrientKey::Calcium, QStringLiteral("9")), !c.readOnly);
        EXPECT_EQ(e.editor.isModified(), !c.readOnly);
        EXPECT_EQ(e.editor.canCalculate(), !c.readOnly);
        EXPECT_EQ(e.editor.canDelete(), !c.readOnly);
        EXPECT_TRUE(e.editor.canCopy());
        if (!c.readOnly)
            continue;
        const QString refusal = QString::fromUtf8(c.refusal).arg(name);
        const std::pair<const char*, bool (FeedEditor::*)()> actions[] = {
            {"calculate", &FeedEditor::calculate},
            {"save", &FeedEditor::save},
            {"delete", &FeedEditor::deleteFeed}};
        for (const auto& [what, act] : actions) {
            e.prompt.clear();
            e.prompt.setNextAnswer(Prompt::Answer::Yes);
            EXPECT_FALSE((e.editor.*act)()) << what;
            EXPECT_EQ(e.prompt.texts(), QStringList{refusal}) << what;
            EXPECT_FALSE(e.editor.canSave()) << what;
        }
        // Closing asks nothing.
        e.prompt.clear();
        EXPECT_TRUE(e.editor.canClose());
        EXPECT_TRUE(e.prompt.entries().empty());
        EXPECT_EQ(storedFeed(e.db, 1), before);
        EXPECT_EQ(e.counter(), "20000");
    }
}

TEST(FeedEditorTest, ACopyOfAShippedFeedstuffIsTheOwnersAndEditable)
{
    // Beef liver, raw: its shipped analysis calculates.
    constexpr int Liver = 34;
    Editor e;
    const QStringList shipped = storedFeed(e.db, Liver);
    ASSERT_TRUE(e.editor.loadFeed(Liver));
    const QString name = e.editor.germanName();
    // A content row refused half-way leaves no copy and no key taken.
    ASSERT_TRUE(e.db.addTrigger("refuse", "BEFORE INSERT", "T_FM_NAEHRSTOFF"));
    EXPECT_FALSE(e.editor.copy());
    EXPECT_EQ(e.prompt.lastText(), QStringLiteral("Futtermittel %1 konnte nicht kopiert werden").arg(name));
    EXPECT_EQ(e.count("T_FUTTERMITTEL WHERE ID >= 20000"), "0");
    EXPECT_EQ(e.count("T_FM_KAT WHERE ID_FM >= 20000"), "0");
    EXPECT_EQ(e.counter(), "20000");
    EXPECT_TRUE(e.editor.isReadOnly());
    ASSERT_TRUE(e.db.dropTrigger("refuse", "T_FM_NAEHRSTOFF"));
    ASSERT_TRUE(e.editor.copy());
    EXPECT_EQ(e.editor.key(), "20000");
    EXPECT_EQ(e.counter(), "20001");
    EXPECT_FALSE(e.editor.isReadOnly());
    EXPECT_TRUE(e.editor.canDelete());
    EXPECT_EQ(storedFeed(e.db, Liver), shipped);
    EXPECT_EQ(e.db.rawValue("SELECT EIGEN FROM T_FUTTERMITTEL WHERE ID = 20000"), "U");
    // The same contents and categories, without the shipped sources.
    const auto contents = [&e](int key) {
        return e.db.rawRows(
            QStringLiteral("SELECT ID_NAEHRSTOFF, MENGE FROM T_FM_NAEHRSTOFF WHERE ID_FM = %1 ORDER BY 1")
                .arg(key));
    };
    EXPECT_FALSE(contents(Liver).isEmpty());
    EXPECT_EQ(contents(20000), contents(Liver));
    EXPECT_EQ(e.count("T_FM_NAEHRSTOFF WHERE ID_FM = 20000 AND QUELLE IS NOT NULL"), "0");
    EXPECT_EQ(e.db.rawRows("SELECT ID_FM_KATEGORIE FROM T_FM_KAT WHERE ID_FM = 20000 ORDER BY 1"),
              e.db.rawRows("SELECT ID_FM_KATEGORIE FROM T_FM_KAT WHERE ID_FM = 34 ORDER BY 1"));
    const int protein = FeedEditor::rowOf(e.editor.nutrientGrid(), NutrientKey::CrudeProtein);
    EXPECT_TRUE(e.editor.nutrientGrid().toolTip(protein, FeedEditor::AmountColumn).isEmpty());

    // Listed as the practice's own, and changed and stored like one.
    const auto& entries = e.editor.feedList().entries();
    EXPECT_NE(std::find(entries.begin(), entries.end(), ChoiceList::Entry{20000, name + "_Kopie"}),
              entries.end());
    e.editor.setGermanName(QStringLiteral("Eigenes Rind"));
    EXPECT_TRUE(e.type(NutrientKey::Calcium, QStringLiteral("0,5")));
    ASSERT_TRUE(e.editor.calculate()) << e.prompt.lastText().toStdString();
    ASSERT_TRUE(e.editor.save()) << e.prompt.lastText().toStdString();
    EXPECT_EQ(e.db.rawValue("SELECT BEZ_DE FROM T_FUTTERMITTEL WHERE ID = 20000"), "Eigenes Rind");
    EXPECT_EQ(storedFeed(e.db, Liver), shipped);
}

TEST(FeedEditorTest, AFeedstuffStoredCasesUseIsNotDeletedButAnUnusedOneIs)
{
    Editor e(QStringLiteral("DE"), QStringLiteral("M"));
    ASSERT_TRUE(e.db.rawExec("INSERT INTO T_REZ_FM (ID_Rezept, ID_Futtermittel, TagRat) VALUES (1, 1, 100), "
                             "(1, 1, 50), (2, 1, 20)"));
    ASSERT_TRUE(e.editor.loadFeed(1));
    EXPECT_FALSE(e.editor.deleteFeed());
    EXPECT_EQ(
        e.prompt.texts(),
        QStringList{QStringLiteral("Das Futtermittel %1 wird in 2 gespeicherten Fällen verwendet und kann "
                                   "nicht gelöscht werden. Nehmen Sie stattdessen das Häkchen bei „Aktiv“ "
                                   "heraus.")
                        .arg(e.editor.germanName())});
    EXPECT_EQ(e.db.rawValue("SELECT COUNT(*) FROM T_FUTTERMITTEL WHERE ID = 1"), "1");

    ASSERT_TRUE(e.editor.loadFeed(2));
    const QString name = e.editor.germanName();
    e.prompt.clear();
    e.prompt.setNextAnswer(Prompt::Answer::Yes);
    EXPECT_TRUE(e.editor.deleteFeed());
    EXPECT_EQ(e.prompt.texts(),
              QStringList{QStringLiteral("Wollen Sie das Futtermittel %1 löschen").arg(name)});
    for (const char* sql : {"SELECT COUNT(*) FROM T_FUTTERMITTEL WHERE ID = 2",
                            "SELECT COUNT(*) FROM T_FM_NAEHRSTOFF WHERE ID_FM = 2",
                            "SELECT COUNT(*) FROM T_FM_KAT WHERE ID_FM = 2"})
        EXPECT_EQ(e.db.rawValue(QLatin1String(sql)), "0") << sql;
    EXPECT_TRUE(e.editor.key().isEmpty());
}

TEST(FeedEditorTest, AFeedstuffDeletedSinceItWasLoadedIsNotSavedAgain)
{
    for (const char* language : {"DE", "US"}) {
        Editor e(QString::fromLatin1(language));
        e.editor.setGermanName(QStringLiteral("Flocken"));
        e.editor.setEnglishName(QStringLiteral("Flakes"));
        e.analysis();
        ASSERT_TRUE(e.editor.calculate());
        ASSERT_TRUE(e.editor.save());
        // Another copy of the program deletes it, as its editor does.
        ASSERT_TRUE(
            e.db.rawExec("DELETE FROM T_FM_NAEHRSTOFF WHERE ID_FM = 20000; DELETE FROM T_FM_KAT WHERE "
                         "ID_FM = 20000; DELETE FROM T_FUTTERMITTEL WHERE ID = 20000"));
        e.prompt.clear();
        EXPECT_FALSE(e.editor.save());
        EXPECT_EQ(
            e.prompt.texts(),
            QStringList{QLatin1String(language) == QLatin1String("DE")
                            ? QStringLiteral("Das Futtermittel „Flocken“ gibt es nicht mehr; es wurde nicht "
                                             "gespeichert.")
                            : QStringLiteral("The feedstuff \"Flakes\" no longer exists; it has not been "
                                             "saved.")});
        EXPECT_EQ(e.count("T_FM_NAEHRSTOFF WHERE ID_FM = 20000"), "0");
        EXPECT_EQ(e.count("T_FUTTERMITTEL WHERE ID = 20000"), "0");
        // Nor deleted as if it were still there.
        e.prompt.clear();
        e.prompt.setNextAnswer(Prompt::Answer::Yes);
        EXPECT_FALSE(e.editor.deleteFeed());
        EXPECT_EQ(
            e.prompt.lastText(),
            QLatin1String(language) == QLatin1String("DE")
                ? QStringLiteral("Das Futtermittel „Flocken“ gibt es nicht mehr; ein anderer Arbeitsplatz "
                                 "hat es gelöscht.")
                : QStringLiteral("The feedstuff \"Flakes\" no longer exists; another workstation deleted "
                                 "it."));
    }
}

// Answers Yes to a question, after another copy of the program stored
// something while the question was open.
struct ChangedWhileAsking : RecordingPrompt
{
    std::function<void()> meanwhile;
    Answer question(const QString& text, Buttons buttons, Icon icon) override
    {
        RecordingPrompt::question(text, buttons, icon);
        meanwhile();
        return Answer::Yes;
    }
};

TEST(FeedEditorTest, AFeedstuffACaseTookWhileTheQuestionWasOpenStays)
{
    TestDatabase db(TestDatabase::Data::Shipped);
    ChangedWhileAsking prompt;
    FeedEditor editor(db.context(), prompt);
    db.context().setOwnerCode(QStringLiteral("M"));
    ASSERT_TRUE(editor.loadFeed(2));
    const QString contents = db.rawValue("SELECT COUNT(*) FROM T_FM_NAEHRSTOFF WHERE ID_FM = 2");
    prompt.meanwhile = [&db] {
        ASSERT_TRUE(
            db.rawExec("INSERT INTO T_REZ_FM (ID_Rezept, ID_Futtermittel, TagRat) VALUES (1, 2, 100)"));
    };
    EXPECT_FALSE(editor.deleteFeed());
    EXPECT_EQ(prompt.lastText(),
              QStringLiteral("Das Futtermittel %1 wird in 1 gespeicherten Fällen verwendet und kann nicht "
                             "gelöscht werden. Nehmen Sie stattdessen das Häkchen bei „Aktiv“ heraus.")
                  .arg(editor.germanName()));
    EXPECT_EQ(db.rawValue("SELECT COUNT(*) FROM T_FUTTERMITTEL WHERE ID = 2"), "1");
    EXPECT_EQ(db.rawValue("SELECT COUNT(*) FROM T_FM_NAEHRSTOFF WHERE ID_FM = 2"), contents);
}

TEST(FeedEditorTest, ClosingWithUnsavedChangesAsksToSave)
{
    enum Typed { Nothing, Analysis, NameOnly };
    const struct
    {
        const char* language;
        Typed typed;
        std::optional<Prompt::Answer> answer; // none: not asked
        bool refuseInsert;
        bool closes;
        const char* stored;
    } cases[] = {
        {"DE", Nothing, std::nullopt, false, true, "0"},
        {"DE", Analysis, Prompt::Answer::No, false, true, "0"},
        {"US", Analysis, Prompt::Answer::Cancel, false, false, "0"},
        // Yes calculates what the save button needs, saves and closes.
        {"DE", Analysis, Prompt::Answer::Yes, false, true, "1"},
        {"US", Analysis, Prompt::Answer::Yes, false, true, "1"},
        // A save that fails, or a calculation that cannot run, keeps it open.
        {"DE", Analysis, Prompt::Answer::Yes, true, false, "0"},
        {"DE", NameOnly, Prompt::Answer::Yes, false, false, "0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.language) + " " + std::to_string(int(c.typed)) + " " +
                     std::to_string(c.answer ? int(*c.answer) : -1));
        Editor e{QLatin1String(c.language)};
        if (c.typed != Nothing) {
            e.editor.setGermanName(QStringLiteral("Flocken"));
            e.editor.setEnglishName(QStringLiteral("Flakes"));
        }
        if (c.typed == Analysis)
            e.analysis();
        if (c.refuseInsert) {
            ASSERT_TRUE(e.db.addTrigger("refuse", "BEFORE INSERT", "T_FUTTERMITTEL"));
        }
        EXPECT_EQ(e.editor.isModified(), c.typed != Nothing);
        if (c.answer)
            e.prompt.setNextAnswer(*c.answer);
        EXPECT_EQ(e.editor.canClose(), c.closes);
        const QString question = QLatin1String(c.language) == QLatin1String("DE")
                                     ? QStringLiteral("Möchten Sie dieses Futtermittel speichern?")
                                     : QStringLiteral("Do you want to save this feedstuff?");
        ASSERT_EQ(!e.prompt.entries().empty(), c.answer.has_value());
        if (c.answer) {
            EXPECT_EQ(e.prompt.entries().front().text, question);
            EXPECT_EQ(e.prompt.entries().front().buttons, Prompt::Buttons::YesNoCancel);
        }
        EXPECT_EQ(e.count("T_FUTTERMITTEL WHERE BEZ_DE = 'Flocken'"), QLatin1String(c.stored));
        // Saved, it closes without a question.
        if (QLatin1String(c.stored) == QLatin1String("1")) {
            e.prompt.clear();
            EXPECT_TRUE(e.editor.canClose());
            EXPECT_TRUE(e.prompt.entries().empty());
        }
    }
}

} // namespace
