#include "ShippedDatabase.h"

#include "ration/CaseType.h"

#include <QRegularExpression>
#include <QSet>

#include <map>
#include <set>

namespace {

class ShippedConsistencyTest : public ShippedDataTest
{
};

// Each query lists the rows that break one rule; none may come back.
TEST_F(ShippedConsistencyTest, EveryReferencedKeyExistsAndNothingIsDoubled)
{
    const struct
    {
        const char* rule;
        const char* sql;
    } rules[] = {
        {"case type species", "SELECT ID FROM T_FALL WHERE ID_GATTUNG NOT IN (SELECT ID FROM T_GATTUNG)"},
        {"case type sex", "SELECT ID FROM T_FALL WHERE ID_GESCHLECHT NOT IN (SELECT ID FROM T_GESCHLECHT)"},
        {"case type without formulas",
         "SELECT ID FROM T_FALL WHERE BerTyp NOT IN (SELECT BERTYP_FALL FROM T_BEDARF)"},
        {"formulas of no case type",
         "SELECT ID FROM T_BEDARF WHERE BERTYP_FALL NOT IN (SELECT BerTyp FROM T_FALL)"},
        {"formula nutrient",
         "SELECT ID FROM T_BEDARF WHERE ID_NAEHRSTOFF NOT IN (SELECT ID FROM T_NAEHRSTOFFE)"},
        {"selection case type",
         "SELECT ID FROM T_FALL_NAEHRSTOFF WHERE ID_FALL NOT IN (SELECT ID FROM T_FALL)"},
        {"selection nutrient",
         "SELECT ID FROM T_FALL_NAEHRSTOFF WHERE ID_Naehrstoff NOT IN (SELECT ID FROM T_NAEHRSTOFFE)"},
        {"case category case type", "SELECT ID FROM T_FALL_KAT WHERE ID_FALL NOT IN (SELECT ID FROM T_FALL)"},
        {"case category",
         "SELECT ID FROM T_FALL_KAT WHERE ID_FM_Kategorie NOT IN (SELECT ID FROM T_KATEGORIEN)"},
        {"feedstuff category feedstuff",
         "SELECT ID FROM T_FM_KAT WHERE ID_FM NOT IN (SELECT ID FROM T_FUTTERMITTEL)"},
        {"feedstuff category",
         "SELECT ID FROM T_FM_KAT WHERE ID_FM_KATEGORIE NOT IN (SELECT ID FROM T_KATEGORIEN)"},
        {"content feedstuff",
         "SELECT ID FROM T_FM_NAEHRSTOFF WHERE ID_FM NOT IN (SELECT ID FROM T_FUTTERMITTEL)"},
        {"content nutrient",
         "SELECT ID FROM T_FM_NAEHRSTOFF WHERE ID_NAEHRSTOFF NOT IN (SELECT ID FROM T_NAEHRSTOFFE)"},
        {"feedstuff type", "SELECT ID FROM T_FUTTERMITTEL WHERE ID_FM_TYP NOT IN (SELECT ID FROM T_FM_TYP)"},
        {"feedstuff without category",
         "SELECT ID FROM T_FUTTERMITTEL WHERE ID NOT IN (SELECT ID_FM FROM T_FM_KAT)"},
        {"case type without category",
         "SELECT ID FROM T_FALL WHERE ID NOT IN (SELECT ID_FALL FROM T_FALL_KAT)"},
        {"doubled formula", "SELECT BERTYP_FALL, ID_NAEHRSTOFF FROM T_BEDARF GROUP BY BERTYP_FALL, "
                            "ID_NAEHRSTOFF HAVING COUNT(*) > 1"},
        {"doubled selection", "SELECT ID_FALL, ID_Naehrstoff FROM T_FALL_NAEHRSTOFF GROUP BY ID_FALL, "
                              "ID_Naehrstoff HAVING COUNT(*) > 1"},
        {"doubled content", "SELECT ID_FM, ID_NAEHRSTOFF FROM T_FM_NAEHRSTOFF GROUP BY ID_FM, ID_NAEHRSTOFF "
                            "HAVING COUNT(*) > 1"},
        {"doubled feedstuff category",
         "SELECT ID_FM, ID_FM_KATEGORIE FROM T_FM_KAT GROUP BY ID_FM, ID_FM_KATEGORIE HAVING COUNT(*) > 1"},
        {"doubled case category", "SELECT ID_FALL, ID_FM_Kategorie FROM T_FALL_KAT GROUP BY ID_FALL, "
                                  "ID_FM_Kategorie HAVING COUNT(*) > 1"},
        {"empty formula", "SELECT ID FROM T_BEDARF WHERE TRIM(COALESCE(WERT_FORMEL, '')) = ''"},
        // The column is VARCHAR(255); the server refuses a longer text.
        {"content without source",
         "SELECT ID FROM T_FM_NAEHRSTOFF WHERE TRIM(COALESCE(QUELLE, '')) = '' OR LENGTH(QUELLE) > 255"},
    };
    for (const auto& r : rules)
        EXPECT_EQ(rows(QString::fromUtf8(r.sql)), QStringList()) << r.rule;
}

TEST_F(ShippedConsistencyTest, EveryShippedRowIsActive)
{
    for (const char* table : {"T_GATTUNG", "T_GESCHLECHT", "T_ANREDE", "T_RASSE", "T_TEXT", "T_FALL",
                              "T_FALL_KAT", "T_FALL_NAEHRSTOFF", "T_BEDARF", "T_NAEHRSTOFFE",
                              "T_FUTTERMITTEL", "T_FM_NAEHRSTOFF", "T_FM_KAT", "T_KATEGORIEN", "T_FM_TYP"})
        EXPECT_EQ(
            value(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE AKTIV <> -1").arg(QLatin1String(table))),
            QStringLiteral("0"))
            << table;
}

TEST_F(ShippedConsistencyTest, EveryNutrientKeyTheProgramReliesOnExistsWithItsKind)
{
    std::map<int, QString> expected;
    for (int key = 1; key <= 40; ++key)
        expected[key] = QStringLiteral("I");
    expected[60] = expected[61] = QStringLiteral("I");
    for (int key = 41; key <= 58; ++key)
        expected[key] = QStringLiteral("K");
    std::map<int, QString> shippedKinds;
    for (const QString& row : rows(QStringLiteral("SELECT ID, KZ_IK FROM T_NAEHRSTOFFE")))
        shippedKinds[row.section(QLatin1Char('\t'), 0, 0).toInt()] = row.section(QLatin1Char('\t'), 1, 1);
    EXPECT_EQ(shippedKinds, expected);

    EXPECT_EQ(rows(QStringLiteral(
                  "SELECT ID FROM T_NAEHRSTOFFE WHERE TRIM(KUERZEL_DE) = '' OR TRIM(KUERZEL_US) = '' "
                  "OR TRIM(BEZ_DE) = '' OR TRIM(BEZ_US) = '' OR TRIM(ME_DE) = '' OR TRIM(ME_US) = '' "
                  "OR NK_STELLEN IS NULL OR NK_STELLEN < 0 OR NK_STELLEN > 6")),
              QStringList());
    // The grids order their columns by SORT alone.
    EXPECT_EQ(rows(QStringLiteral("SELECT SORT FROM T_NAEHRSTOFFE GROUP BY SORT HAVING COUNT(*) > 1")),
              QStringList());
}

TEST_F(ShippedConsistencyTest, LookupsKeepTheKeysAndTextsTheProgramReadsThemBy)
{
    EXPECT_EQ(rows(QStringLiteral("SELECT ID, BEZ_DE, BEZ_US FROM T_GATTUNG ORDER BY ID")),
              QStringList({QStringLiteral("1\talle\tall"), QStringLiteral("2\tHund\tDog"),
                           QStringLiteral("3\tKatze\tCat")}));
    // The recipe, the print heading and the charts derive their sex words
    // from exactly these texts.
    EXPECT_EQ(rows(QStringLiteral("SELECT ID, BEZ_DE, BEZ_US FROM T_GESCHLECHT ORDER BY ID")),
              QStringList({QStringLiteral("1\tM\tM"), QStringLiteral("2\tW\tF")}));
    EXPECT_EQ(value(QStringLiteral("SELECT Sprache FROM T_MSYV3SEC WHERE ID = 1")), QStringLiteral("DE"));
    // A type with key 0 lifts the type filter of the feedstuff editor.
    EXPECT_EQ(value(QStringLiteral("SELECT COUNT(*) FROM T_FM_TYP WHERE ID = 0")), QStringLiteral("1"));
    EXPECT_EQ(value(QStringLiteral("SELECT COUNT(*) FROM T_FUTTERMITTEL WHERE ID_FM_TYP = 0")),
              QStringLiteral("0"));
}

TEST_F(ShippedConsistencyTest, CategoriesCarryTheNumbersThePreviousVersionImportUses)
{
    EXPECT_EQ(rows(QStringLiteral("SELECT ID FROM T_KATEGORIEN ORDER BY ID")).join(QLatin1Char(',')),
              QStringLiteral("1,2,3,4,5,6,7,8,9,10,11,12,13,16"));
}

TEST_F(ShippedConsistencyTest, TextBlocksBreedsAndSalutationsExistInBothLanguages)
{
    const struct
    {
        const char* table;
        int atLeast;
        int atMost;
    } lists[] = {{"T_TEXT", 10, 15}, {"T_RASSE", 90, 130}, {"T_ANREDE", 3, 10}};
    for (const auto& list : lists) {
        SCOPED_TRACE(list.table);
        const QString table = QLatin1String(list.table);
        const int count = value(QStringLiteral("SELECT COUNT(*) FROM %1").arg(table)).toInt();
        EXPECT_GE(count, list.atLeast);
        EXPECT_LE(count, list.atMost);
        EXPECT_EQ(rows(QStringLiteral("SELECT ID FROM %1 WHERE TRIM(COALESCE(BEZ_DE, '')) = '' "
                                      "OR TRIM(COALESCE(BEZ_US, '')) = ''")
                           .arg(table)),
                  QStringList());
        for (const char* column : {"BEZ_DE", "BEZ_US"})
            EXPECT_EQ(rows(QStringLiteral("SELECT %1 FROM %2 GROUP BY %1 HAVING COUNT(*) > 1")
                               .arg(QLatin1String(column), table)),
                      QStringList())
                << column;
    }
}

TEST_F(ShippedConsistencyTest, CaseTypeListOfEverySpeciesAndSexIsFilledAndUnambiguous)
{
    QSet<QString> listed;
    for (const char* species : {"2", "3"}) {
        for (const char* sex : {"1", "2"}) {
            for (const char* language : {"DE", "US"}) {
                SCOPED_TRACE(std::string(species) + "/" + sex + "/" + language);
                const auto list =
                    selectRows(db(),
                               QStringLiteral("SELECT ID AS ITEMDATA , BEZ_%1 AS ITEMTEXT FROM T_FALL "
                                              "WHERE ID_GATTUNG = %2 AND ID_GESCHLECHT = %3 AND AKTIV = TRUE")
                                   .arg(QLatin1String(language), QLatin1String(species), QLatin1String(sex)),
                               {QStringLiteral("ITEMDATA"), QStringLiteral("ITEMTEXT")});
                EXPECT_GE(list.size(), 5u);
                QSet<QString> names;
                for (const QStringList& item : list) {
                    EXPECT_FALSE(names.contains(item[1])) << item[1].toStdString();
                    names.insert(item[1]);
                    listed.insert(item[0]);
                }
            }
        }
    }
    EXPECT_EQ(listed.size(), value(QStringLiteral("SELECT COUNT(*) FROM T_FALL")).toInt());
}

// The header form and the requirement calculation give some keys a meaning of
// their own; the shipped case types keep to it.
TEST_F(ShippedConsistencyTest, CaseTypeKeysWithAFixedMeaningFitTheirCaseTypes)
{
    const struct
    {
        int key;
        const char* speciesAndSex;
    } fixed[] = {{1, "2\t1"}, {2, "2\t2"}, {3, "3\t1"}, {4, "3\t2"}, {5, "2\t2"}, {6, "3\t2"}};
    for (const auto& f : fixed)
        EXPECT_EQ(
            value(QStringLiteral("SELECT ID_GATTUNG, ID_GESCHLECHT FROM T_FALL WHERE ID = %1").arg(f.key)),
            QString::fromUtf8(f.speciesAndSex))
            << f.key;
    // 11 and 12 would be loaded like 5 and 6, 25 to 28 get a category list
    // without "<ALLE>", 40 borrows the nutrients of 10: none is shipped.
    EXPECT_EQ(rows(QStringLiteral("SELECT ID FROM T_FALL WHERE ID IN (11, 12, 25, 26, 27, 28, 40)")),
              QStringList());
}

// A formula may use only what the header form asks for with its case type: a
// hidden field can still hold a value from another case type.
TEST_F(ShippedConsistencyTest, FormulasUseOnlyTheInputsTheirCaseTypeAsksFor)
{
    const QStringList always = {QStringLiteral("MEBED"), QStringLiteral("ALTWOCH"), QStringLiteral("RMEKC"),
                                QStringLiteral("AMEKC"), QStringLiteral("GATT"),    QStringLiteral("GESCHL")};
    const QRegularExpression variable(QStringLiteral("[A-Z]+"));
    for (const QString& row :
         rows(QStringLiteral("SELECT T_FALL.ID, ID_GATTUNG, WERT_FORMEL, ID_NAEHRSTOFF "
                             "FROM T_FALL INNER JOIN T_BEDARF ON BERTYP_FALL = BerTyp "
                             "INNER JOIN T_NAEHRSTOFFE ON T_NAEHRSTOFFE.ID = ID_NAEHRSTOFF "
                             "WHERE KZ_IK = 'I'"))) {
        const QStringList fields = row.split(QLatin1Char('\t'));
        const int key = fields[0].toInt();
        QStringList allowed = always;
        if (CaseType::isGrowth(key))
            allowed << QStringLiteral("AKTGEW") << QStringLiteral("ERWGEW");
        else if (CaseType::isLactation(key))
            allowed << QStringLiteral("AKTGEW") << QStringLiteral("SOLLGEW") << QStringLiteral("ANZWEL");
        else
            allowed << QStringLiteral("AKTGEW") << QStringLiteral("SOLLGEW");
        // The body condition is asked for the nursing queen and grown cats.
        if (fields[1] == QLatin1String("3") && (CaseType::isCatLactation(key) || CaseType::isAdult(key)))
            allowed << QStringLiteral("RIP");
        for (auto match = variable.globalMatch(fields[2]); match.hasNext();) {
            const QString name = match.next().captured();
            EXPECT_TRUE(allowed.contains(name)) << "case type " << key << ", nutrient "
                                                << fields[3].toStdString() << ": " << name.toStdString();
        }
    }
}

TEST_F(ShippedConsistencyTest, DifferentRequirementTypesHaveDifferentFormulas)
{
    std::map<QString, QStringList> formulas;
    for (const QString& row : rows(QStringLiteral(
             "SELECT BERTYP_FALL, ID_NAEHRSTOFF, WERT_FORMEL FROM T_BEDARF ORDER BY BERTYP_FALL, "
             "ID_NAEHRSTOFF")))
        formulas[row.section(QLatin1Char('\t'), 0, 0)] << row.section(QLatin1Char('\t'), 1);
    std::set<QStringList> distinct;
    for (const auto& entry : formulas)
        EXPECT_TRUE(distinct.insert(entry.second).second) << "requirement type " << entry.first.toStdString();
}

TEST_F(ShippedConsistencyTest, EnergyRowsOfEveryCaseTypeAgree)
{
    for (const QString& bertyp : rows(QStringLiteral("SELECT DISTINCT BerTyp FROM T_FALL"))) {
        SCOPED_TRACE(bertyp.toStdString());
        const auto formula = [&](int key) {
            return value(QStringLiteral(
                             "SELECT WERT_FORMEL FROM T_BEDARF WHERE BERTYP_FALL = %1 AND ID_NAEHRSTOFF = %2")
                             .arg(bertyp)
                             .arg(key));
        };
        const QString kcal = formula(60);
        ASSERT_FALSE(kcal.isEmpty());
        EXPECT_EQ(formula(61), kcal);
        // The MJ row is the kcal formula converted, never the rounded kcal text.
        EXPECT_EQ(formula(9), QLatin1Char('(') + kcal + QStringLiteral(") * 0.004184"));
    }
}

TEST_F(ShippedConsistencyTest, EveryCaseTypeShowsItsRequirementsAndFixesTheMainOnes)
{
    for (const QString& caseType : rows(QStringLiteral("SELECT ID FROM T_FALL"))) {
        SCOPED_TRACE(caseType.toStdString());
        const QString base = QStringLiteral("SELECT T_FALL_NAEHRSTOFF.ID_Naehrstoff FROM T_FALL_NAEHRSTOFF "
                                            "INNER JOIN T_NAEHRSTOFFE ON T_NAEHRSTOFFE.ID = ID_Naehrstoff "
                                            "WHERE ID_FALL = %1 AND %2 ORDER BY ID_Naehrstoff")
                                 .arg(caseType);
        EXPECT_EQ(rows(base.arg(QStringLiteral("FIXED = -1"))).join(QLatin1Char(',')),
                  QStringLiteral("1,9,12,15,24,60"));
        // Shown: the nutrients with a requirement (61 repeats 60) and every indicator.
        const QString withFormula =
            QStringLiteral("SELECT ID_NAEHRSTOFF FROM T_BEDARF INNER JOIN T_FALL ON "
                           "BERTYP_FALL = BerTyp INNER JOIN T_NAEHRSTOFFE ON "
                           "T_NAEHRSTOFFE.ID = ID_NAEHRSTOFF WHERE T_FALL.ID = %1 AND KZ_IK = "
                           "'I' AND ID_NAEHRSTOFF <> 61 ORDER BY ID_NAEHRSTOFF")
                .arg(caseType);
        EXPECT_EQ(rows(base.arg(QStringLiteral("KZ_IK = 'I'"))), rows(withFormula));
        EXPECT_EQ(rows(base.arg(QStringLiteral("KZ_IK = 'K'"))),
                  rows(QStringLiteral("SELECT ID FROM T_NAEHRSTOFFE WHERE KZ_IK = 'K' ORDER BY ID")));
    }
}

TEST_F(ShippedConsistencyTest, CaseTypesOfferOnlyCategoriesOfTheirSpecies)
{
    const QString dogOnly = QStringLiteral("4, 5, 6, 7, 8, 9, 10");
    const QString catOnly = QStringLiteral("11, 12, 13, 16");
    const QString sql =
        QStringLiteral("SELECT ID_FALL, ID_FM_Kategorie FROM T_FALL_KAT INNER JOIN T_FALL ON "
                       "T_FALL.ID = ID_FALL WHERE ID_GATTUNG = %1 AND ID_FM_Kategorie IN (%2)");
    EXPECT_EQ(rows(sql.arg(QStringLiteral("2"), catOnly)), QStringList());
    EXPECT_EQ(rows(sql.arg(QStringLiteral("3"), dogOnly)), QStringList());
    // Single feedstuffs and supplements, the whole shipped data set, for every case type.
    EXPECT_EQ(
        rows(QStringLiteral("SELECT ID FROM T_FALL WHERE ID NOT IN (SELECT ID_FALL FROM T_FALL_KAT WHERE "
                            "ID_FM_Kategorie = 1) OR ID NOT IN (SELECT ID_FALL FROM T_FALL_KAT WHERE "
                            "ID_FM_Kategorie = 2)")),
        QStringList());
}

} // namespace
