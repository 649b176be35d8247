// Every SQL text the program sends, with realistic keys, run through the
// program's own database layer against the fixture data set.

#include "SqlCatalogue.h"
#include "db/RecordSet.h"
#include "support/TestDatabase.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace {

using Rows = std::vector<QStringList>;

// Rows read past the program's layer after a statement changed them.
struct RawCheck
{
    QString sql;
    Rows rows;
};

// A query through the program's layer that reads back what a statement wrote.
struct ProgramRead
{
    QString sql;
    QStringList columns;
    Rows rows;
};

// How the rows of a query are compared: as a set, in the exact order, or
// ordered by their first n columns only (rows tied on those come in any order).
constexpr int Unordered = 0;
constexpr int InOrder = -1;

struct SqlCase
{
    std::string name;
    QString sql;
    bool isQuery = true;
    bool accepted = true;
    // Queries: the columns the program reads with getFieldText, and the rows.
    QStringList columns;
    Rows rows;
    int orderKey = Unordered;
    // Statements: the affected count and the rows afterwards.
    long affected = 0;
    std::vector<RawCheck> checks;
    std::optional<ProgramRead> readBack;
    QString language = QStringLiteral("DE");
    QString setup;

    SqlCase in(const char* code) &&
    {
        language = QString::fromLatin1(code);
        return std::move(*this);
    }
    SqlCase after(const QString& rawSql) &&
    {
        setup = rawSql;
        return std::move(*this);
    }
    SqlCase ordered(int key = InOrder) &&
    {
        orderKey = key;
        return std::move(*this);
    }
    SqlCase thenRead(ProgramRead read) &&
    {
        readBack = std::move(read);
        return std::move(*this);
    }
};

void PrintTo(const SqlCase& c, std::ostream* os)
{
    *os << c.name << " [" << c.language.toStdString() << "]: " << c.sql.toStdString();
}

SqlCase query(std::string name, QString sql, QStringList columns, Rows rows)
{
    SqlCase c;
    c.name = std::move(name);
    c.sql = std::move(sql);
    c.columns = std::move(columns);
    c.rows = std::move(rows);
    return c;
}

SqlCase write(std::string name, QString sql, long affected, std::vector<RawCheck> checks)
{
    SqlCase c;
    c.name = std::move(name);
    c.sql = std::move(sql);
    c.isQuery = false;
    c.affected = affected;
    c.checks = std::move(checks);
    return c;
}

SqlCase refusedQuery(std::string name, QString sql)
{
    SqlCase c = query(std::move(name), std::move(sql), {}, {});
    c.accepted = false;
    return c;
}

// A statement the database refuses; the checks show that nothing changed.
SqlCase refusedWrite(std::string name, QString sql, std::vector<RawCheck> unchanged)
{
    SqlCase c = write(std::move(name), std::move(sql), 0, std::move(unchanged));
    c.accepted = false;
    return c;
}

QString de(bool german, const char* germanText, const char* englishText)
{
    return QString::fromUtf8(german ? germanText : englishText);
}

// ---------------------------------------------------------------------------
// Start-up and main window

std::vector<SqlCase> startupCases()
{
    std::vector<SqlCase> cases;
    cases.push_back(query("Startup, read the language code", "SELECT Sprache FROM T_MSYV3SEC WHERE ID = 1",
                          {"Sprache"}, {{"DE"}}));
    return cases;
}

std::vector<SqlCase> mainWindowCases()
{
    std::vector<SqlCase> cases;
    for (const char* code : {"DE", "US"}) {
        const QString lang = QString::fromLatin1(code);
        const bool german = lang == QLatin1String("DE");
        const std::string suffix = std::string(" (") + code + ")";
        cases.push_back(query("Search bar, species list" + suffix,
                              "SELECT ID AS ITEMDATA , BEZ_" + lang + " AS ITEMTEXT FROM T_GATTUNG",
                              {"ITEMDATA", "ITEMTEXT"},
                              {{"1", de(german, "alle", "all")},
                               {"2", de(german, "Hund", "Dog")},
                               {"3", de(german, "Katze", "Cat")},
                               {"4", de(german, "Pferd", "Horse")}})
                            .in(code));
        cases.push_back(query("Search bar, sex list" + suffix,
                              "SELECT ID AS ITEMDATA , BEZ_" + lang + " AS ITEMTEXT FROM T_GESCHLECHT",
                              {"ITEMDATA", "ITEMTEXT"}, {{"1", "M"}, {"2", de(german, "W", "F")}})
                            .in(code));
    }
    const RawCheck stored{"SELECT ID, Sprache FROM T_MSYV3SEC", {{"1\tUS"}}};
    cases.push_back(write("Language switch, store English",
                          "UPDATE T_MSYV3SEC SET SPRACHE = 'US' WHERE ID = 1", 1, {stored})
                        .thenRead({"SELECT Sprache FROM T_MSYV3SEC WHERE ID = 1", {"Sprache"}, {{"US"}}}));
    cases.push_back(write("Language switch, store German over English",
                          "UPDATE T_MSYV3SEC SET SPRACHE = 'DE' WHERE ID = 1", 1,
                          {{"SELECT ID, Sprache FROM T_MSYV3SEC", {{"1\tDE"}}}})
                        .after("UPDATE T_MSYV3SEC SET Sprache = 'US'"));
    return cases;
}

// ---------------------------------------------------------------------------
// Case header form

QString saveCaseSql(const QString& values)
{
    return "INSERT INTO T_PAT_REZ ( ID_Anrede, Name_Besitzer, Name_Pat, ID_Gattung, ID_Geschlecht, ID_Fall, "
           "ID_Rasse, Geburtsdatum,"
           " Gewicht_akt, Gewicht_soll, Gewicht_adult, Anz_Welpen, Energie, Rippen, Rezepttitel, Datum, "
           "Bemerkung )"
           "VALUES (" +
           values + "NOW(), " + "' ')";
}

const char* const storedCaseColumns =
    "SELECT ID, ID_Anrede, Name_Besitzer, Name_Pat, ID_Gattung, ID_Geschlecht, ID_Fall, ID_Rasse, "
    "Geburtsdatum, "
    "Gewicht_akt, Gewicht_soll, Gewicht_adult, Anz_Welpen, Energie, Rippen, Rezepttitel, Datum, Bemerkung "
    "FROM T_PAT_REZ WHERE ID > 3";

std::vector<SqlCase> caseFormCases()
{
    std::vector<SqlCase> cases;
    for (const char* code : {"DE", "US"}) {
        const QString lang = QString::fromLatin1(code);
        const bool german = lang == QLatin1String("DE");
        const std::string suffix = std::string(" (") + code + ")";
        const QString head = "SELECT ID AS ITEMDATA , BEZ_" + lang + " AS ITEMTEXT ";
        const QStringList item = {"ITEMDATA", "ITEMTEXT"};
        cases.push_back(query("Header form, salutation list" + suffix,
                              head + "FROM T_ANREDE WHERE AKTIV = TRUE", item,
                              {{"1", de(german, "Herr", "Mr.")}, {"2", de(german, "Frau", "Mrs.")}})
                            .in(code));
        cases.push_back(query("Header form, breed list" + suffix, head + "FROM T_RASSE WHERE AKTIV = TRUE",
                              item,
                              {{"1", de(german, "Dackel", "Dachshund")},
                               {"2", de(german, "Schäferhund", "German Shepherd")},
                               {"3", de(german, "Mops", "Pug")}})
                            .in(code));
        cases.push_back(query("Header form, species list" + suffix,
                              head + "FROM T_GATTUNG WHERE AKTIV = TRUE AND ID > 1", item,
                              {{"2", de(german, "Hund", "Dog")}, {"3", de(german, "Katze", "Cat")}})
                            .in(code));
        cases.push_back(query("Header form, sex list" + suffix, head + "FROM T_GESCHLECHT WHERE AKTIV = TRUE",
                              item, {{"1", "M"}, {"2", de(german, "W", "F")}})
                            .in(code));
        const QString caseTypes = "SELECT ID AS ITEMDATA , BEZ_" + lang + " AS ITEMTEXT" + " FROM T_FALL";
        cases.push_back(query("fillCaseTypeList, male dog" + suffix,
                              caseTypes + " WHERE ID_GATTUNG = " + "2" + " AND ID_GESCHLECHT = " + "1" +
                                  " AND AKTIV = TRUE",
                              item,
                              {{"1", de(german, "Wachstum Rüde", "Growth male")},
                               {"7", de(german, "Erhaltung Rüde", "Maintenance male dog")},
                               {"25", de(german, "Nierendiät Rüde", "Kidney diet male dog")}})
                            .in(code));
        cases.push_back(query("fillCaseTypeList, female cat" + suffix,
                              caseTypes + " WHERE ID_GATTUNG = " + "3" + " AND ID_GESCHLECHT = " + "2" +
                                  " AND AKTIV = TRUE",
                              item,
                              {{"6", de(german, "Laktation Katze", "Lactation queen")},
                               {"10", de(german, "Erhaltung Katze", "Maintenance queen")},
                               {"40", de(german, "Reduktion Katze", "Weight reduction queen")}})
                            .in(code));
    }
    cases.push_back(query("fillCaseTypeList, nothing chosen",
                          "SELECT ID AS ITEMDATA , BEZ_DE AS ITEMTEXT FROM T_FALL WHERE ID_GATTUNG = 0 AND "
                          "ID_GESCHLECHT = 0 AND AKTIV = TRUE",
                          {"ITEMDATA", "ITEMTEXT"}, {}));

    const QStringList loadColumns = {"ID_Anrede",    "Name_Besitzer", "Name_Pat",   "ID_Rasse",
                                     "Datum",        "Rezepttitel",   "ID_Gattung", "ID_Geschlecht",
                                     "Geburtsdatum", "ID_Fall",       "Rippen",     "Gewicht_soll",
                                     "Gewicht_akt",  "Energie",       "Anz_Welpen", "Gewicht_Adult"};
    cases.push_back(query("loadCase, dog with breed and birth date", "SELECT * FROM T_PAT_REZ WHERE ID = 1",
                          loadColumns,
                          {{"1", "Müller", "Bello", "1", "03.04.2024", "Erhaltung", "2", "1", "05.03.2020",
                            "7", "0", "18", "20", "100", "0", "0"}}));
    cases.push_back(query("loadCase, dog with breed and birth date (US)",
                          "SELECT * FROM T_PAT_REZ WHERE ID = 1", loadColumns,
                          {{"1", "Müller", "Bello", "1", "04/03/2024", "Erhaltung", "2", "1", "03/05/2020",
                            "7", "0", "18", "20", "100", "0", "0"}})
                        .in("US"));
    cases.push_back(query("loadCase, cat without breed and birth date",
                          "SELECT * FROM T_PAT_REZ WHERE ID = 2", loadColumns,
                          {{"2", "O'Neil", "Minka", "", "04.04.2024", "Minka's Diät", "3", "2", "", "10", "1",
                            "4", "4.5", "90", "0", "0"}}));
    cases.push_back(query("loadCase, unknown key", "SELECT * FROM T_PAT_REZ WHERE ID = 99", loadColumns, {}));

    // saveCase appends "key, ", "'text', ", "NULL," for no breed, "0," for an empty number.
    const QString lactation =
        QStringLiteral("2, 'Möller', 'Luna', 2, 2, 5, 3, '05.03.2023', 12.5, 12, 0, 4, 100, '0', "
                       "'Laktation', ");
    const QStringList storedLactation = {
        "4\t2\tMöller\tLuna\t2\t2\t5\t3\t2023-03-05\t12.5\t12.0\t0.0\t4\t100.0\t0\t"
        "Laktation\t2024-04-03 10:00:00\t "};
    const QStringList storedDates = {"Geburtsdatum", "Datum"};
    cases.push_back(
        write("saveCase, German birth date", saveCaseSql(lactation), 1,
              {{storedCaseColumns, {storedLactation}}})
            .thenRead({"SELECT * FROM T_PAT_REZ WHERE ID = 4", storedDates, {{"05.03.2023", "03.04.2024"}}}));
    cases.push_back(
        write("saveCase, US birth date",
              saveCaseSql(QStringLiteral("2, 'Möller', 'Luna', 2, 2, 5, 3, '03/05/2023', 12.5, 12, 0, 4, "
                                         "100, '0', 'Laktation', ")),
              1, {{storedCaseColumns, {storedLactation}}})
            .in("US")
            .thenRead({"SELECT * FROM T_PAT_REZ WHERE ID = 4", storedDates, {{"03/05/2023", "04/03/2024"}}}));
    cases.push_back(
        write("saveCase, ISO birth date",
              saveCaseSql(QStringLiteral("2, 'Möller', 'Luna', 2, 2, 5, 3, '2023-03-05', 12.5, 12, 0, 4, "
                                         "100, '0', 'Laktation', ")),
              1, {{storedCaseColumns, {storedLactation}}}));
    cases.push_back(
        write("saveCase, no breed, no birth date, empty weights",
              saveCaseSql(QStringLiteral("1, 'Schulz', 'Rex', 2, 1, 7, NULL,'', 0,0,0,0,100, '1', 'Neu', ")),
              1,
              {{storedCaseColumns,
                {{"4\t1\tSchulz\tRex\t2\t1\t7\tNULL\tNULL\t0.0\t0.0\t0.0\t0\t100.0\t1\tNeu\t"
                  "2024-04-03 10:00:00\t "}}}})
            .thenRead({"SELECT * FROM T_PAT_REZ WHERE ID = 4",
                       {"ID_Rasse", "Geburtsdatum", "Datum"},
                       {{"", "", "03.04.2024"}}}));
    // Typed texts go in unescaped, so an apostrophe breaks the statement.
    cases.push_back(refusedWrite(
        "saveCase, apostrophe in the owner name",
        saveCaseSql(QStringLiteral("1, 'O'Brien', 'Rex', 2, 1, 7, NULL,'', 0,0,0,0,100, '1', 'Neu', ")),
        {{"SELECT count(*) FROM T_PAT_REZ", {{"3"}}}}));
    cases.push_back(query("saveCase, key of the new case", "SELECT Max(T_PAT_REZ.ID) AS MAXID FROM T_PAT_REZ",
                          {"MAXID"}, {{"3"}}));
    cases.push_back(
        query("saveCase, key of the new case after an insert",
              "SELECT Max(T_PAT_REZ.ID) AS MAXID FROM T_PAT_REZ", {"MAXID"}, {{"4"}})
            .after("INSERT INTO T_PAT_REZ (Name_Besitzer, Name_Pat, Rezepttitel) VALUES ('A', 'B', 'C')"));
    return cases;
}

// ---------------------------------------------------------------------------
// Requirement calculation, supply and ration page

QString requirementFormulas(const char* caseType)
{
    return QStringLiteral(
               "SELECT T_FALL.ID, T_BEDARF.BerTyp_Fall, T_BEDARF.ID_Naehrstoff, T_BEDARF.Wert_Formel, "
               "T_BEDARF.aktiv ") +
           "FROM T_BEDARF INNER JOIN T_FALL ON T_BEDARF.BerTyp_Fall = T_FALL.BerTyp " +
           "WHERE T_FALL.ID = " + QString::fromLatin1(caseType) + " AND T_BEDARF.aktiv = TRUE";
}

std::vector<SqlCase> requirementCases()
{
    const QStringList columns = {"ID", "BerTyp_Fall", "ID_Naehrstoff", "Wert_Formel", "aktiv"};
    std::vector<SqlCase> cases;
    cases.push_back(query("loadRequirementFormulas, maintenance male dog", requirementFormulas("7"), columns,
                          {{"7", "7", "61", "(AKTGEW ^ 0.75) * 95 * MEBED / 100", "-1"},
                           {"7", "7", "9", "AMEKC * 0.004184", "-1"},
                           {"7", "7", "24", "(AKTGEW ^ 0.75) * 5", "-1"},
                           {"7", "7", "1", "AKTGEW * 0.1", "-1"},
                           {"7", "7", "15", "AKTGEW * 0.08", "-1"},
                           {"7", "7", "41", "if P > 0 then CA / P else 0", "-1"},
                           {"7", "7", "42", "if MEMJ > 0 then RP / MEMJ else 0", "-1"}}));
    cases.push_back(query("loadRequirementFormulas, growth tables", requirementFormulas("1"), columns,
                          {{"1", "1", "61", "rechneca", "-1"}, {"1", "1", "60", "rechnep", "-1"}}));
    cases.push_back(
        query("loadRequirementFormulas, case type without formulas", requirementFormulas("6"), columns, {}));

    const QString selection =
        QStringLiteral("SELECT ID_Naehrstoff, FIXED FROM T_FALL_NAEHRSTOFF WHERE ID_FALL = ");
    cases.push_back(
        query("applyCaseNutrientSelection, maintenance male dog", selection + "7" + " AND AKTIV = TRUE",
              {"ID_Naehrstoff", "FIXED"},
              {{"9", "-1"}, {"61", "-1"}, {"24", "0"}, {"1", "0"}, {"15", "0"}, {"41", "0"}, {"42", "0"}}));
    cases.push_back(query("applyCaseNutrientSelection, reduction uses the list of case type 10",
                          selection + "10" + " AND AKTIV = TRUE", {"ID_Naehrstoff", "FIXED"},
                          {{"9", "-1"}, {"24", "0"}}));
    // The maxima of an adult male dog: its stage's rows and those of every
    // stage (NULL or empty), neither another stage's, species' nor an inactive one.
    cases.push_back(
        query(
            "maxima of a case",
            "SELECT ID_NAEHRSTOFF, WERT, BEZUG, BEDINGUNG, QUELLE FROM T_HOECHSTWERT WHERE AKTIV = TRUE AND "
            "ID_GATTUNG = 2 AND (LEBENSPHASE IS NULL OR LEBENSPHASE = '' OR LEBENSPHASE IN (SELECT "
            "LEBENSPHASE FROM T_FALL_LEBENSPHASE WHERE AKTIV = TRUE AND ID_FALL = 7)) ORDER BY ID",
            {"ID_NAEHRSTOFF", "BEZUG", "QUELLE"},
            {{"1", "kcal", "adult"}, {"5", "TS", "all"}, {"2", "kcal", "empty"}})
            .ordered()
            .after(
                "INSERT INTO T_FALL_LEBENSPHASE (ID, ID_FALL, LEBENSPHASE, AKTIV) VALUES (1, 7, 'A', -1), "
                "(2, 1, 'W', -1);"
                "INSERT INTO T_HOECHSTWERT VALUES (1, 2, 'A', 1, 6.25, 'kcal', NULL, 'adult', -1), "
                "(2, 2, NULL, 5, 227, 'TS', NULL, 'all', -1), (3, 2, 'W', 1, 4.0, 'kcal', NULL, 'growth', -1), "
                "(4, 3, NULL, 5, 7500, 'kcal', NULL, 'cat', -1), (5, 2, '', 2, 1e5, 'kcal', NULL, 'empty', -1), "
                "(6, 2, 'A', 15, 4.0, 'kcal', NULL, 'inactive', 0)"));
    return cases;
}

std::vector<SqlCase> supplyCases()
{
    std::vector<SqlCase> cases;
    const QStringList gridColumns = {"ID", "KUERZEL_DE", "ME_DE", "NK_STELLEN", "KZ_IK", "BERTYP_RELEVANT"};
    const QStringList gridColumnsUs = {"ID", "KUERZEL_US", "ME_US", "NK_STELLEN", "KZ_IK", "BERTYP_RELEVANT"};
    auto grid = [](const QString& lang, const char* kind) {
        return "SELECT ID, KUERZEL_" + lang + ", ME_" + lang + ", NK_STELLEN, KZ_IK, BERTYP_RELEVANT" +
               " FROM T_NAEHRSTOFFE WHERE AKTIV = TRUE AND KZ_IK = '" + QString::fromLatin1(kind) +
               "' ORDER BY SORT";
    };
    cases.push_back(query("buildRationGrid, nutrient columns", grid("DE", "I"), gridColumns,
                          {{"9", "ME", "MJ", "2", "I", "0"},
                           {"61", "ME kcal", "kcal", "0", "I", "0"},
                           {"60", "ME Bed.", "kcal", "1", "I", "0"},
                           {"24", "Rp", "g", "1", "I", "-1"},
                           {"1", "Ca", "g", "2", "I", "0"},
                           {"15", "P", "g", "2", "I", "0"}})
                        .ordered());
    cases.push_back(query("buildRationGrid, nutrient columns (US)", grid("US", "I"), gridColumnsUs,
                          {{"9", "ME", "MJ", "2", "I", "0"},
                           {"61", "ME kcal", "kcal", "0", "I", "0"},
                           {"60", "ME req.", "kcal", "1", "I", "0"},
                           {"24", "CP", "g", "1", "I", "-1"},
                           {"1", "Ca", "g", "2", "I", "0"},
                           {"15", "P", "g", "2", "I", "0"}})
                        .in("US")
                        .ordered());
    cases.push_back(query("buildProfileGrid, indicator columns", grid("DE", "K"), gridColumns,
                          {{"41", "Ca:P", ":1", "2", "K", "0"}, {"42", "Rp/ME", "g/MJ", "1", "K", "0"}})
                        .ordered());
    cases.push_back(query("buildProfileGrid, indicator columns (US)", grid("US", "K"), gridColumnsUs,
                          {{"41", "Ca:P", ":1", "2", "K", "0"}, {"42", "CP/ME", "g/MJ", "1", "K", "0"}})
                        .in("US")
                        .ordered());

    const QString selectList =
        QStringLiteral("SELECT T_FM_NAEHRSTOFF.ID_FM, T_FM_NAEHRSTOFF.ID_NAEHRSTOFF, T_FM_NAEHRSTOFF.Menge ");
    const QStringList contents = {"ID_FM", "ID_NAEHRSTOFF", "Menge"};
    cases.push_back(query("recalcContributions, whole stored ration",
                          selectList +
                              "FROM T_REZ_FM INNER JOIN T_FM_NAEHRSTOFF ON T_REZ_FM.ID_Futtermittel = "
                              "T_FM_NAEHRSTOFF.ID_FM " +
                              "WHERE T_REZ_FM.ID_Rezept= " + "1" + " ORDER BY T_FM_NAEHRSTOFF.ID_FM",
                          contents,
                          {{"1", "9", "0.632"},
                           {"1", "61", "151"},
                           {"1", "60", "151"},
                           {"1", "24", "31"},
                           {"1", "1", "0.015"},
                           {"1", "15", "0.228"},
                           {"1", "41", "0.07"},
                           {"1", "99", "5"},
                           {"2", "9", "0.544"},
                           {"2", "61", "130"},
                           {"2", "60", "130"},
                           {"2", "24", "2.7"},
                           {"2", "1", "0.01"},
                           {"2", "15", "0.043"}})
                        .ordered(1));
    cases.push_back(query("recalcContributions, one feedstuff",
                          selectList + "FROM T_FM_NAEHRSTOFF WHERE T_FM_NAEHRSTOFF.ID_FM = " + "6", contents,
                          {{"6", "9", "0.17"}, {"6", "24", "0.9"}}));
    cases.push_back(query("recalcContributions, feedstuff without contents",
                          selectList + "FROM T_FM_NAEHRSTOFF WHERE T_FM_NAEHRSTOFF.ID_FM = " + "3", contents,
                          {}));
    return cases;
}

// The first page of the ration page's feedstuff list, in name order.
QString feedList(const QString& lang, const QString& conditions, const QString& search = QString())
{
    const QString name = "T_FUTTERMITTEL.Bez_" + lang;
    QString sql = "SELECT T_FUTTERMITTEL.ID AS ITEMDATA, " + name +
                  " AS ITEMTEXT FROM T_FUTTERMITTEL WHERE T_FUTTERMITTEL.AKTIV = TRUE" + conditions;
    if (!search.isEmpty())
        sql += " AND " + name + " like '%" + search + "%'";
    return sql + " ORDER BY " + name + ", T_FUTTERMITTEL.ID LIMIT 50";
}

std::vector<SqlCase> rationPageCases()
{
    std::vector<SqlCase> cases;
    const QStringList item = {"ITEMDATA", "ITEMTEXT"};
    for (const char* code : {"DE", "US"}) {
        const QString lang = QString::fromLatin1(code);
        const bool german = lang == QLatin1String("DE");
        const std::string suffix = std::string(" (") + code + ")";
        cases.push_back(query("fillCategoryFilter, maintenance male dog" + suffix,
                              "SELECT T_FALL_KAT.ID_FM_Kategorie AS ITEMDATA, T_KATEGORIEN.Bez_" + lang +
                                  " AS ITEMTEXT " +
                                  "FROM T_FALL_KAT INNER JOIN T_KATEGORIEN ON T_FALL_KAT.ID_FM_Kategorie = "
                                  "T_KATEGORIEN.ID " +
                                  "WHERE ID_FALL = " + "7" + " AND T_FALL_KAT.AKTIV = TRUE",
                              item,
                              {{"1", de(german, "Einzelfuttermittel", "Single feedstuffs")},
                               {"4", de(german, "Alleinfutter Hund", "Complete food dog")}})
                            .in(code));
        cases.push_back(
            query("fillTypeFilter" + suffix,
                  "SELECT ID AS ITEMDATA, Bez_" + lang + " AS ITEMTEXT " + "FROM T_FM_TYP WHERE AKTIV = TRUE",
                  item,
                  {{"0", de(german, "<kein Typ>", "<no type>")},
                   {"1", de(german, "Fleisch", "Meat")},
                   {"2", de(german, "Getreide", "Cereals")},
                   {"3", de(german, "Öle", "Oils")}})
                .in(code));

        const QString inCategory = " AND EXISTS (SELECT T_FM_KAT.ID_FM FROM T_FM_KAT WHERE T_FM_KAT.ID_FM = "
                                   "T_FUTTERMITTEL.ID AND T_FM_KAT.ID_FM_Kategorie = ";
        const QString byTypeAndCategory = " AND T_FUTTERMITTEL.ID_FM_Typ = 1" + inCategory + "4)";
        const QString byType = " AND T_FUTTERMITTEL.ID_FM_Typ = 2";
        const QString byCategory = inCategory + "1)";
        const QString unfiltered;
        const QString chicken = de(german, "Hühnerbrust, gekocht", "Chicken breast, cooked");
        const QString rice = de(german, "Reis, gekocht", "Rice, cooked");
        const QString muesli = de(german, "Müsli Spezial", "Special muesli");
        const QString beef = de(german, "Rinderhack", "Ground beef");
        const QString carrots = de(german, "MÖHREN, roh", "CARROTS, raw");
        const QString mix = de(german, "O'Briens Mischung", "O'Brien's mix");
        cases.push_back(query("fillFeedList, category and type set" + suffix,
                              feedList(lang, byTypeAndCategory), item, {{"1", chicken}, {"4", beef}})
                            .in(code)
                            .ordered());
        cases.push_back(query("fillFeedList, only type set" + suffix, feedList(lang, byType), item,
                              {{"6", carrots}, {"7", mix}, {"2", rice}})
                            .in(code)
                            .ordered());
        // Feedstuff 1 sits in two categories, but only once in category 1; 5 is inactive.
        cases.push_back(query("fillFeedList, only category set" + suffix, feedList(lang, byCategory), item,
                              german ? Rows{{"1", chicken}, {"6", carrots}, {"3", muesli}, {"2", rice}}
                                     : Rows{{"6", carrots}, {"1", chicken}, {"2", rice}, {"3", muesli}})
                            .in(code)
                            .ordered());
        cases.push_back(query("fillFeedList, no filter" + suffix, feedList(lang, unfiltered), item,
                              german ? Rows{{"1", chicken},
                                            {"6", carrots},
                                            {"3", muesli},
                                            {"7", mix},
                                            {"2", rice},
                                            {"4", beef}}
                                     : Rows{{"6", carrots},
                                            {"1", chicken},
                                            {"4", beef},
                                            {"7", mix},
                                            {"2", rice},
                                            {"3", muesli}})
                            .in(code)
                            .ordered());
    }
    cases.push_back(query("fillFeedList, search text with an umlaut", feedList("DE", QString(), "mü"), item,
                          {{"3", "Müsli Spezial"}}));
    cases.push_back(query("fillFeedList, search text hü", feedList("DE", QString(), "hü"), item,
                          {{"1", "Hühnerbrust, gekocht"}}));
    cases.push_back(query("fillFeedList, search text finds a name in capitals",
                          feedList("DE", QString(), "möhren"), item, {{"6", "MÖHREN, roh"}}));
    cases.push_back(query("fillFeedList, type set and search text (US)",
                          feedList("US", " AND T_FUTTERMITTEL.ID_FM_Typ = 2", "mix"), item,
                          {{"7", "O'Brien's mix"}})
                        .in("US"));
    cases.push_back(
        query("fillFeedList, search text without a match", feedList("DE", QString(), "quark"), item, {}));
    // The next page continues after the last entry read.
    cases.push_back(query("fillFeedList, the page after an entry",
                          "SELECT T_FUTTERMITTEL.ID AS ITEMDATA, T_FUTTERMITTEL.Bez_DE AS ITEMTEXT FROM "
                          "T_FUTTERMITTEL WHERE T_FUTTERMITTEL.AKTIV = TRUE AND (T_FUTTERMITTEL.Bez_DE, "
                          "T_FUTTERMITTEL.ID) > ('Müsli Spezial', 3) ORDER BY T_FUTTERMITTEL.Bez_DE, "
                          "T_FUTTERMITTEL.ID LIMIT 2",
                          item, {{"7", "O'Briens Mischung"}, {"2", "Reis, gekocht"}})
                        .ordered());

    const QString rationRows =
        QStringLiteral(
            "FROM T_FUTTERMITTEL INNER JOIN T_REZ_FM ON T_FUTTERMITTEL.ID = T_REZ_FM.ID_Futtermittel ") +
        "WHERE T_REZ_FM.ID_Rezept = " + "1";
    cases.push_back(query(
        "fillRationRows, stored ration",
        "SELECT T_FUTTERMITTEL.ID, T_FUTTERMITTEL.Bez_DE AS BEZ, T_REZ_FM.TagRat " + rationRows,
        {"ID", "Bez", "TagRat"}, {{"1", "Hühnerbrust, gekocht", "150"}, {"2", "Reis, gekocht", "200.5"}}));
    cases.push_back(
        query("fillRationRows, stored ration (US)",
              "SELECT T_FUTTERMITTEL.ID, T_FUTTERMITTEL.Bez_US AS BEZ, T_REZ_FM.TagRat " + rationRows,
              {"ID", "Bez", "TagRat"},
              {{"1", "Chicken breast, cooked", "150"}, {"2", "Rice, cooked", "200.5"}})
            .in("US"));
    cases.push_back(query("fillRationRows, picked feedstuff",
                          QStringLiteral("SELECT T_FUTTERMITTEL.ID, T_FUTTERMITTEL.Bez_DE AS BEZ ") +
                              "FROM T_FUTTERMITTEL WHERE T_FUTTERMITTEL.ID = " + "7",
                          {"ID", "Bez"}, {{"7", "O'Briens Mischung"}}));
    cases.push_back(query("fillRationRows, picked feedstuff (US)",
                          QStringLiteral("SELECT T_FUTTERMITTEL.ID, T_FUTTERMITTEL.Bez_US AS BEZ ") +
                              "FROM T_FUTTERMITTEL WHERE T_FUTTERMITTEL.ID = " + "6",
                          {"ID", "Bez"}, {{"6", "CARROTS, raw"}})
                        .in("US"));

    const QString storeHead =
        QStringLiteral("INSERT INTO T_REZ_FM ( ID_Rezept, ID_Futtermittel, TagRat) SELECT ");
    const QString storeTail = QStringLiteral(" FROM T_FUTTERMITTEL WHERE ID = ");
    const QString storeLock = QStringLiteral(" FOR KEY SHARE");
    const QString stored =
        QStringLiteral("SELECT ID_Rezept, ID_Futtermittel, TagRat FROM T_REZ_FM WHERE ID_Rezept = 4");
    cases.push_back(query("insertRation, lock the ration's feedstuffs in key order",
                          "SELECT ID FROM T_FUTTERMITTEL WHERE ID IN (" + QStringLiteral("6, 999, 1") +
                              ") ORDER BY ID FOR KEY SHARE",
                          {"ID"}, {{"1"}, {"6"}})
                        .ordered());
    cases.push_back(write("insertRation, amount with decimals",
                          storeHead + "4" + ", ID, " + "125.5" + storeTail + "6" + storeLock, 1,
                          {{stored, {{"4\t6\t125.5"}}}}));
    cases.push_back(write("insertRation, a feedstuff no longer stored",
                          storeHead + "4" + ", ID, " + "10" + storeTail + "999" + storeLock, 0,
                          {{stored, {}}}));
    cases.push_back(
        write("insertRation, empty amount stored as 0",
              storeHead + "4" + ", ID, " + "0" + storeTail + "7" + storeLock, 1, {{stored, {{"4\t7\t0.0"}}}})
            .thenRead(
                {"SELECT T_FUTTERMITTEL.ID, T_FUTTERMITTEL.Bez_DE AS BEZ, T_REZ_FM.TagRat "
                 "FROM T_FUTTERMITTEL INNER JOIN T_REZ_FM ON T_FUTTERMITTEL.ID = T_REZ_FM.ID_Futtermittel "
                 "WHERE T_REZ_FM.ID_Rezept = 4",
                 {"ID", "BEZ", "TagRat"},
                 {{"7", "O'Briens Mischung", "0"}}}));
    return cases;
}

// ---------------------------------------------------------------------------
// Feedstuff editor

const char* const feedRow =
    "SELECT ID, ID_FM_TYP, BEZ_DE, BEZ_US, EIGEN, DEMO_KZ, DATUM, HERSTELLER, DATEN_FEHLEN, "
    "HINWEIS, HINT, DATUM_BEARBEITET, AKTIV, ALT_ID FROM T_FUTTERMITTEL WHERE ID = ";

QString deleteContents(const char* key, const char* kind)
{
    return QStringLiteral("DELETE T_FM_NAEHRSTOFF.*, T_FM_NAEHRSTOFF.ID_FM, T_NAEHRSTOFFE.KZ_IK ") +
           "FROM T_NAEHRSTOFFE INNER JOIN T_FM_NAEHRSTOFF ON T_NAEHRSTOFFE.ID = "
           "T_FM_NAEHRSTOFF.ID_NAEHRSTOFF " +
           "WHERE (((T_FM_NAEHRSTOFF.ID_FM)= " + QString::fromLatin1(key) + ") AND ((T_NAEHRSTOFFE.KZ_IK)='" +
           QString::fromLatin1(kind) + "'))";
}

std::vector<SqlCase> feedEditorCases()
{
    std::vector<SqlCase> cases;
    const QStringList item = {"ITEMDATA", "ITEMTEXT"};
    for (const char* code : {"DE", "US"}) {
        const QString lang = QString::fromLatin1(code);
        const bool german = lang == QLatin1String("DE");
        const std::string suffix = std::string(" (") + code + ")";
        cases.push_back(
            query("Feedstuff editor, category grid" + suffix,
                  "SELECT ID, BEZ_" + lang + " AS BEZEICHNUNG FROM T_KATEGORIEN WHERE AKTIV = TRUE",
                  {"ID", "BEZEICHNUNG"},
                  {{"1", de(german, "Einzelfuttermittel", "Single feedstuffs")},
                   {"2", de(german, "Ergänzungsfuttermittel", "Supplements")},
                   {"4", de(german, "Alleinfutter Hund", "Complete food dog")}})
                .in(code));
        cases.push_back(
            query("Feedstuff editor, nutrient grid" + suffix,
                  "SELECT ID, KUERZEL_" + lang + " AS KUERZEL, ME_" + lang + " AS ME, BEZ_" + lang +
                      " AS BEZEICHNUNG, NK_STELLEN FROM T_NAEHRSTOFFE WHERE KZ_IK = 'I' AND AKTIV = TRUE "
                      "ORDER BY SORT",
                  {"ID", "KUERZEL", "ME", "BEZEICHNUNG", "NK_STELLEN"},
                  {{"9", "ME", "MJ", de(german, "Umsetzbare Energie", "Metabolisable energy"), "2"},
                   {"61", "ME kcal", "kcal", de(german, "Energie kcal", "Energy kcal"), "0"},
                   {"60", de(german, "ME Bed.", "ME req."), "kcal",
                    de(german, "Energiebedarf kcal", "Energy requirement kcal"), "1"},
                   {"24", de(german, "Rp", "CP"), "g", de(german, "Rohprotein", "Crude protein"), "1"},
                   {"1", "Ca", "g", "Calcium", "2"},
                   {"15", "P", "g", de(german, "Phosphor", "Phosphorus"), "2"}})
                .in(code)
                .ordered());
        cases.push_back(
            query(
                "Feedstuff editor, indicator grid" + suffix,
                "SELECT ID, KUERZEL_" + lang + " AS KUERZEL, ME_" + lang +
                    " AS ME, NK_STELLEN FROM T_NAEHRSTOFFE WHERE KZ_IK = 'K' AND AKTIV = TRUE ORDER BY SORT",
                {"ID", "KUERZEL", "ME", "NK_STELLEN"},
                {{"41", "Ca:P", ":1", "2"}, {"42", de(german, "Rp/ME", "CP/ME"), "g/MJ", "1"}})
                .in(code)
                .ordered());
        cases.push_back(
            query("Feedstuff editor, type list" + suffix,
                  "SELECT ID AS ITEMDATA, BEZ_" + lang + " AS ITEMTEXT FROM T_FM_TYP WHERE AKTIV = TRUE",
                  item,
                  {{"0", de(german, "<kein Typ>", "<no type>")},
                   {"1", de(german, "Fleisch", "Meat")},
                   {"2", de(german, "Getreide", "Cereals")},
                   {"3", de(german, "Öle", "Oils")}})
                .in(code));
    }
    cases.push_back(query("Feedstuff editor, category mark set",
                          "SELECT ID FROM T_FM_KAT WHERE ID_FM = " + QStringLiteral("1") +
                              " AND ID_FM_KATEGORIE = " + "4",
                          {"ID"}, {{"2"}}));
    cases.push_back(query("Feedstuff editor, category mark not set",
                          "SELECT ID FROM T_FM_KAT WHERE ID_FM = " + QStringLiteral("1") +
                              " AND ID_FM_KATEGORIE = " + "2",
                          {"ID"}, {}));
    const QStringList contentColumns = {"ID",    "ID_FM",     "ID_NAEHRSTOFF", "MENGE",
                                        "AKTIV", "ID_FM_ALT", "QUELLE"};
    cases.push_back(query("Feedstuff editor, stored amount and its source",
                          "SELECT * FROM T_FM_NAEHRSTOFF WHERE ID_FM = " + QStringLiteral("1") +
                              " AND ID_NAEHRSTOFF = " + "24",
                          contentColumns, {{"4", "1", "24", "31", "-1", "501", "USDA SR28 05064"}}));
    cases.push_back(query("Feedstuff editor, no stored amount",
                          "SELECT * FROM T_FM_NAEHRSTOFF WHERE ID_FM = " + QStringLiteral("3") +
                              " AND ID_NAEHRSTOFF = " + "24",
                          contentColumns, {}));

    const QString bar = QStringLiteral("SELECT ID AS ITEMDATA, BEZ_DE AS ITEMTEXT FROM T_FUTTERMITTEL");
    cases.push_back(query("Feedstuff selector, system installation without filter", bar, item,
                          {{"1", "Hühnerbrust, gekocht"},
                           {"2", "Reis, gekocht"},
                           {"3", "Müsli Spezial"},
                           {"4", "Rinderhack"},
                           {"5", "Altes Futter"},
                           {"6", "MÖHREN, roh"},
                           {"7", "O'Briens Mischung"}}));
    cases.push_back(query("Feedstuff selector, system installation by type",
                          bar + " WHERE ID_FM_TYP = " + "1", item,
                          {{"1", "Hühnerbrust, gekocht"}, {"4", "Rinderhack"}, {"5", "Altes Futter"}}));
    cases.push_back(query("Feedstuff selector, user installation without filter",
                          bar + " WHERE EIGEN = '" + "U" + "'", item,
                          {{"4", "Rinderhack"}, {"7", "O'Briens Mischung"}}));
    cases.push_back(query("Feedstuff selector, user installation by type",
                          bar + " WHERE ID_FM_TYP = " + "2" + " AND EIGEN = '" + "U" + "'", item,
                          {{"7", "O'Briens Mischung"}}));
    cases.push_back(query("Feedstuff selector, user installation by type (US)",
                          "SELECT ID AS ITEMDATA, BEZ_US AS ITEMTEXT FROM T_FUTTERMITTEL WHERE ID_FM_TYP = " +
                              QStringLiteral("1") + " AND EIGEN = '" + "U" + "'",
                          item, {{"4", "Ground beef"}})
                        .in("US"));

    const QStringList loadColumns = {"ID_FM_TYP", "AKTIV", "BEZ_DE",       "BEZ_US",          "HERSTELLER",
                                     "HINWEIS",   "HINT",  "DATEN_FEHLEN", "DATUM_BEARBEITET"};
    cases.push_back(query("Feedstuff editor, load a feedstuff", "SELECT * FROM T_FUTTERMITTEL WHERE ID = 1",
                          loadColumns,
                          {{"1", "-1", "Hühnerbrust, gekocht", "Chicken breast, cooked", "USDA", "Ohne Haut",
                            "Skinless", "", "15.01.2024"}}));
    cases.push_back(query("Feedstuff editor, load a feedstuff without type (US)",
                          "SELECT * FROM T_FUTTERMITTEL WHERE ID = 3", loadColumns,
                          {{"", "-1", "Müsli Spezial", "Special muesli", "", "", "", "Spurenelemente fehlen",
                            "01/15/2024"}})
                        .in("US"));

    const RawCheck keys{"SELECT FM_TYP, ID_NEW FROM T_FM_KEY ORDER BY FM_TYP", {{"M\t1000"}, {"U\t100001"}}};
    const QString takeKey = QStringLiteral("UPDATE T_FM_KEY SET ID_NEW = ID_NEW + ");
    const QString readKey = QStringLiteral("SELECT ID_NEW FROM T_FM_KEY WHERE FM_TYP = ");
    cases.push_back(
        write("Feedstuff editor, take a user key", takeKey + "1" + " WHERE FM_TYP = " + "'U'", 1, {keys}));
    cases.push_back(
        write("Feedstuff editor, take a key of an owner without counter",
              takeKey + "1" + " WHERE FM_TYP = " + "'X'", 0,
              {{"SELECT FM_TYP, ID_NEW FROM T_FM_KEY ORDER BY FM_TYP", {{"M\t1000"}, {"U\t100000"}}}}));
    cases.push_back(
        query("Feedstuff editor, read the advanced system key", readKey + "'M'", {"ID_NEW"}, {{"1001"}})
            .after("UPDATE T_FM_KEY SET ID_NEW = ID_NEW + 1 WHERE FM_TYP = 'M'"));

    const QString insertHead =
        QStringLiteral("INSERT INTO T_FUTTERMITTEL (ID, ID_FM_TYP, BEZ_DE, BEZ_US, EIGEN, ") +
        "DEMO_KZ, HERSTELLER, DATEN_FEHLEN, HINWEIS, HINT, " + "DATUM_BEARBEITET, AKTIV) VALUES (";
    cases.push_back(
        write("Feedstuff editor, save a new active feedstuff",
              insertHead + "100000" + ", " + "3" + ", " + "'Lachsöl'" + ", " + "'Salmon oil'" + ", '" + "U" +
                  "', " + "FALSE" + ", " + "'Ölmühle Süd'" + ", " + "NULL" + ", " + "'Kühl lagern'" + ", " +
                  "NULL" + ", " + "NOW()" + ", " + "TRUE)",
              1,
              {{feedRow + QStringLiteral("100000"),
                {{"100000\t3\tLachsöl\tSalmon oil\tU\t0\tNULL\tÖlmühle Süd\tNULL\tKühl lagern\tNULL\t"
                  "2024-04-03 10:00:00\t-1\tNULL"}}}})
            .thenRead({"SELECT * FROM T_FUTTERMITTEL WHERE ID = 100000",
                       {"AKTIV", "DATUM_BEARBEITET"},
                       {{"-1", "03.04.2024"}}}));
    cases.push_back(
        write("Feedstuff editor, save a new inactive feedstuff without type",
              insertHead + "100000" + ", " + "NULL" + ", " + "'Quark'" + ", " + "NULL" + ", '" + "U" + "', " +
                  "FALSE" + ", " + "NULL" + ", " + "NULL" + ", " + "NULL" + ", " + "NULL" + ", " + "NOW()" +
                  ", " + "FALSE)",
              1,
              {{feedRow + QStringLiteral("100000"),
                {{"100000\tNULL\tQuark\tNULL\tU\t0\tNULL\tNULL\tNULL\tNULL\tNULL\t2024-04-03 10:00:00\t0\t"
                  "NULL"}}}}));
    cases.push_back(refusedWrite("Feedstuff editor, save without a key",
                                 insertHead + "" + ", " + "NULL" + ", " + "'Quark'" + ", " + "NULL" + ", '" +
                                     "U" + "', " + "FALSE" + ", " + "NULL" + ", " + "NULL" + ", " + "NULL" +
                                     ", " + "NULL" + ", " + "NOW()" + ", " + "TRUE)",
                                 {{"SELECT count(*) FROM T_FUTTERMITTEL", {{"7"}}}}));

    const QString updated =
        QStringLiteral("SELECT ID, ID_FM_TYP, BEZ_DE, BEZ_US, HERSTELLER, DATEN_FEHLEN, HINWEIS, HINT, "
                       "DATUM_BEARBEITET, AKTIV FROM T_FUTTERMITTEL WHERE ID = ");
    cases.push_back(write(
        "Feedstuff editor, save a stored feedstuff",
        QStringLiteral("UPDATE T_FUTTERMITTEL SET ID_FM_TYP = ") + "2" + ", BEZ_DE = '" +
            "Rinderhack, mager" + "'" + ", BEZ_US = '" + "Ground beef, lean" + "'" + ", HERSTELLER = NULL" +
            ", DATEN_FEHLEN = NULL" + ", HINWEIS = '" + "Frisch verarbeiten" + "'" + ", HINT = NULL" +
            ", DATUM_BEARBEITET = NOW()" + ", AKTIV = FALSE" + " WHERE ID = " + "4",
        1,
        {{updated + "4",
          {{"4\t2\tRinderhack, mager\tGround beef, lean\tNULL\tNULL\tFrisch verarbeiten\tNULL\t"
            "2024-04-03 10:00:00\t0"}}}}));
    cases.push_back(write(
        "Feedstuff editor, save a stored feedstuff without type",
        QStringLiteral("UPDATE T_FUTTERMITTEL SET ID_FM_TYP = NULL") + ", BEZ_DE = '" + "Müsli Spezial" +
            "'" + ", BEZ_US = '" + "Special muesli" + "'" + ", HERSTELLER = '" + "Hof Müller" + "'" +
            ", DATEN_FEHLEN = NULL" + ", HINWEIS = NULL" + ", HINT = NULL" + ", DATUM_BEARBEITET = NOW()" +
            ", AKTIV = TRUE" + " WHERE ID = " + "3",
        1,
        {{updated + "3",
          {{"3\tNULL\tMüsli Spezial\tSpecial muesli\tHof Müller\tNULL\tNULL\tNULL\t2024-04-03 10:00:00\t"
            "-1"}}}}));

    cases.push_back(
        write("Feedstuff editor, delete the categories",
              "DELETE FROM T_FM_KAT WHERE ID_FM = " + QStringLiteral("1"), 2,
              {{"SELECT ID, ID_FM, ID_FM_KATEGORIE FROM T_FM_KAT ORDER BY ID",
                {{"3\t2\t1"}, {"4\t3\t1"}, {"5\t4\t4"}, {"6\t5\t1"}, {"7\t6\t1"}, {"8\t7\t4"}}}}));
    cases.push_back(write("Feedstuff editor, insert a category",
                          "INSERT INTO T_FM_KAT (ID_FM, ID_FM_KATEGORIE, AKTIV) VALUES (" +
                              QStringLiteral("4") + ", " + "2" + ", TRUE)",
                          1,
                          {{"SELECT ID_FM, ID_FM_KATEGORIE, AKTIV FROM T_FM_KAT WHERE ID_FM = 4 ORDER BY ID",
                            {{"4\t4\t-1"}, {"4\t2\t-1"}}}}));

    // Only the feedstuff's content rows go; the nutrients they join stay.
    cases.push_back(write(
        "Feedstuff editor, delete the nutrient rows", deleteContents("1", "I"), 7,
        {{"SELECT ID, ID_FM, ID_NAEHRSTOFF FROM T_FM_NAEHRSTOFF WHERE ID_FM = 1 ORDER BY ID", {{"7\t1\t41"}}},
         {"SELECT count(*) FROM T_FM_NAEHRSTOFF", {{"15"}}},
         {"SELECT count(*) FROM T_NAEHRSTOFFE", {{"9"}}}}));
    cases.push_back(write("Feedstuff editor, delete the indicator rows", deleteContents("1", "K"), 1,
                          {{"SELECT ID FROM T_FM_NAEHRSTOFF WHERE ID_FM = 1 ORDER BY ID",
                            {{"1"}, {"2"}, {"3"}, {"4"}, {"5"}, {"6"}, {"8"}}},
                           {"SELECT count(*) FROM T_FM_NAEHRSTOFF", {{"21"}}},
                           {"SELECT count(*) FROM T_NAEHRSTOFFE WHERE KZ_IK = 'K'", {{"2"}}}}));
    cases.push_back(write("Feedstuff editor, delete the indicator rows of a feedstuff without any",
                          deleteContents("2", "K"), 0, {{"SELECT count(*) FROM T_FM_NAEHRSTOFF", {{"22"}}}}));
    cases.push_back(
        write("Feedstuff editor, insert a nutrient row",
              "INSERT INTO T_FM_NAEHRSTOFF (ID_FM, ID_NAEHRSTOFF, MENGE, AKTIV) VALUES (" +
                  QStringLiteral("4") + ", " + "61" + ", " + "250.5" + ", TRUE)",
              1,
              {{"SELECT ID, ID_FM, ID_NAEHRSTOFF, MENGE, AKTIV, ID_FM_ALT FROM T_FM_NAEHRSTOFF WHERE ID > 22",
                {{"23\t4\t61\t250.5\t-1\tNULL"}}}}));
    cases.push_back(refusedWrite(
        "Feedstuff editor, insert a nutrient row whose amount is no number",
        "INSERT INTO T_FM_NAEHRSTOFF (ID_FM, ID_NAEHRSTOFF, MENGE, AKTIV) VALUES (4, 61, 2x5, TRUE)",
        {{"SELECT count(*) FROM T_FM_NAEHRSTOFF", {{"22"}}}}));

    cases.push_back(query("Feedstuff editor, count the cases using a feedstuff",
                          "SELECT COUNT(*) AS N FROM (SELECT DISTINCT ID_Rezept FROM T_REZ_FM WHERE "
                          "ID_Futtermittel = " +
                              QStringLiteral("1") + ") AS USED",
                          {"N"}, {{"3"}}));
    cases.push_back(query("Feedstuff editor, lock a feedstuff before deleting it",
                          "SELECT ID FROM T_FUTTERMITTEL WHERE ID = " + QStringLiteral("4") + " FOR UPDATE",
                          {"ID"}, {{"4"}}));
    cases.push_back(
        write("Feedstuff editor, delete a feedstuff",
              "DELETE FROM T_FUTTERMITTEL WHERE ID = " + QStringLiteral("4"), 1,
              {{"SELECT ID FROM T_FUTTERMITTEL ORDER BY ID", {{"1"}, {"2"}, {"3"}, {"5"}, {"6"}, {"7"}}}}));
    cases.push_back(
        write("Feedstuff editor, copy a feedstuff",
              QStringLiteral("INSERT INTO T_FUTTERMITTEL (ID, ID_FM_TYP, BEZ_DE, BEZ_US, EIGEN, ") +
                  "DEMO_KZ, DATUM, HERSTELLER, DATEN_FEHLEN, HINWEIS, HINT, " +
                  "DATUM_BEARBEITET, AKTIV) SELECT " + "1000" + ", ID_FM_TYP, '" +
                  "Hühnerbrust, gekocht_Kopie" + "', '" + "Chicken breast, cooked_Copy" +
                  "', EIGEN, DEMO_KZ, DATUM, HERSTELLER, DATEN_FEHLEN, HINWEIS, HINT, " +
                  "NOW(), AKTIV FROM T_FUTTERMITTEL WHERE ID = " + "1",
              1,
              {{feedRow + QStringLiteral("1000"),
                {{"1000\t1\tHühnerbrust, gekocht_Kopie\tChicken breast, "
                  "cooked_Copy\tM\tNULL\t2016-05-01\tUSDA\t"
                  "NULL\tOhne Haut\tSkinless\t2024-04-03 10:00:00\t-1\tNULL"}}}})
            .thenRead({"SELECT * FROM T_FUTTERMITTEL WHERE ID = 1000",
                       {"DATUM", "DATUM_BEARBEITET"},
                       {{"01.05.2016", "03.04.2024"}}}));
    return cases;
}

// ---------------------------------------------------------------------------
// Recipe page and case list

std::vector<SqlCase> recipeCases()
{
    std::vector<SqlCase> cases;
    for (const char* code : {"DE", "US"}) {
        const QString lang = QString::fromLatin1(code);
        const bool german = lang == QLatin1String("DE");
        const std::string suffix = std::string(" (") + code + ")";
        cases.push_back(query("Recipe page, text list" + suffix,
                              "SELECT T_TEXT.ID AS ITEMDATA, T_TEXT.Bez_" + lang + " AS ITEMTEXT" +
                                  " FROM T_TEXT WHERE T_TEXT.AKTIV = TRUE",
                              {"ITEMDATA", "ITEMTEXT"},
                              {{"1", de(german, "Füttern Sie zweimal täglich.", "Feed twice a day.")},
                               {"2", de(german, "Frisches Wasser muss immer bereitstehen.",
                                        "Fresh water must always be available.")}})
                            .in(code));
    }
    cases.push_back(query("Recipe page, append a text block",
                          QStringLiteral("SELECT T_TEXT.ID AS ITEMDATA, T_TEXT.Bez_DE AS ITEMTEXT") +
                              " FROM T_TEXT WHERE "
                              "T_TEXT.ID = " +
                              "2",
                          {"ITEMDATA", "ITEMTEXT"}, {{"2", "Frisches Wasser muss immer bereitstehen."}}));
    cases.push_back(query("Recipe page, append a text block (US)",
                          QStringLiteral("SELECT T_TEXT.ID AS ITEMDATA, T_TEXT.Bez_US AS ITEMTEXT") +
                              " FROM T_TEXT WHERE "
                              "T_TEXT.ID = " +
                              "1",
                          {"ITEMDATA", "ITEMTEXT"}, {{"1", "Feed twice a day."}})
                        .in("US"));
    return cases;
}

std::vector<SqlCase> caseListCases()
{
    const QString head =
        QStringLiteral("SELECT ID, Name_Besitzer, Name_Pat, Datum, Rezepttitel FROM T_PAT_REZ");
    const QString tail = QStringLiteral(" ORDER BY Name_Besitzer, Name_Pat, Datum, ID;");
    const QStringList columns = {"ID", "Name_Besitzer", "Name_Pat", "Datum", "Rezepttitel"};
    const QStringList bello = {"1", "Müller", "Bello", "03.04.2024", "Erhaltung"};
    const QStringList minka = {"2", "O'Neil", "Minka", "04.04.2024", "Minka's Diät"};
    const QStringList rex = {"3", "Schmidt", "Rex", "05.04.2024", "Wachstum"};
    // Owners that sort differently when umlauts and case are not folded.
    const QString moreOwners = QStringLiteral(
        "INSERT INTO T_PAT_REZ (ID, ID_Anrede, Name_Besitzer, Name_Pat, ID_Gattung, ID_Geschlecht, ID_Fall, "
        "Datum, "
        "Rezepttitel) VALUES (4, 1, 'Muster', 'Anton', 2, 1, 7, '2024-04-06 08:00:00', 'Kontrolle'), "
        "(5, 2, 'MÜLLER', 'Aaron', 3, 1, 9, '2024-04-07 08:00:00', 'Erhaltung Kater')");
    const QStringList aaron = {"5", "MÜLLER", "Aaron", "07.04.2024", "Erhaltung Kater"};
    const QStringList anton = {"4", "Muster", "Anton", "06.04.2024", "Kontrolle"};

    std::vector<SqlCase> cases;
    cases.push_back(query("Case search, no criteria", head + tail, columns, {bello, minka, rex}).ordered());
    cases.push_back(query("Case search, no criteria (US)", head + tail, columns,
                          {{"1", "Müller", "Bello", "04/03/2024", "Erhaltung"},
                           {"2", "O'Neil", "Minka", "04/04/2024", "Minka's Diät"},
                           {"3", "Schmidt", "Rex", "04/05/2024", "Wachstum"}})
                        .in("US")
                        .ordered());
    cases.push_back(query("Case search, owners sorted with umlauts and any case", head + tail, columns,
                          {aaron, bello, anton, minka, rex})
                        .after(moreOwners)
                        .ordered());
    cases.push_back(
        query("Case search, species", head + " WHERE ID_Gattung = " + "2" + tail, columns, {bello, rex})
            .ordered());
    cases.push_back(query("Case search, species and sex",
                          head + " WHERE ID_Gattung = " + "3" + " AND ID_Geschlecht = " + "2" + tail, columns,
                          {minka})
                        .ordered());
    cases.push_back(query("Case search, sex without species", head + " WHERE ID_Geschlecht = " + "1" + tail,
                          columns, {bello, rex})
                        .ordered());
    cases.push_back(query("Case search, owner text with an umlaut",
                          head + " WHERE Name_Besitzer LIKE '%" + "mü" + "%'" + tail, columns, {aaron, bello})
                        .after(moreOwners)
                        .ordered());
    cases.push_back(query("Case search, underscore in the owner text stands for one letter",
                          head + " WHERE Name_Besitzer LIKE '%" + "m_ller" + "%'" + tail, columns, {bello})
                        .ordered());
    cases.push_back(query("Case search, patient and recipe texts",
                          head + " WHERE Name_Pat LIKE '%" + "in" + "%'" + " AND Rezepttitel LIKE '%" +
                              "DIÄT" + "%'" + tail,
                          columns, {minka})
                        .ordered());
    cases.push_back(query("Case search, all criteria",
                          head + " WHERE ID_Gattung = " + "2" + " AND ID_Geschlecht = " + "1" +
                              " AND Name_Besitzer LIKE '%" + "schm" + "%'" + " AND Name_Pat LIKE '%" + "re" +
                              "%'" + " AND Rezepttitel LIKE '%" + "wachs" + "%'" + tail,
                          columns, {rex})
                        .ordered());
    cases.push_back(write("Case list, delete a case",
                          "DELETE FROM T_PAT_REZ WHERE ID = " + QStringLiteral("1"), 1,
                          {{"SELECT ID FROM T_PAT_REZ ORDER BY ID", {{"2"}, {"3"}}},
                           {"SELECT count(*) FROM T_REZ_FM", {{"5"}}}}));
    cases.push_back(write(
        "Case list, delete the ration of a case",
        "DELETE FROM T_REZ_FM WHERE ID_Rezept = " + QStringLiteral("1"), 2,
        {{"SELECT ID_Rezept, ID_Futtermittel FROM T_REZ_FM ORDER BY ID", {{"2\t1"}, {"3\t1"}, {"3\t2"}}}}));
    return cases;
}

// ---------------------------------------------------------------------------
// System-table export and import

std::vector<SqlCase> exchangeCases()
{
    std::vector<SqlCase> cases;
    cases.push_back(
        query("System export, requirement rows",
              QStringLiteral(
                  "SELECT ID, BERTYP_FALL, BERTYP_FALL_ALT, ID_NAEHRSTOFF, WERT_FORMEL, AKTIV, WERT_ALT") +
                  " FROM T_Bedarf",
              {"ID", "BERTYP_FALL", "BERTYP_FALL_ALT", "ID_NAEHRSTOFF", "WERT_FORMEL", "AKTIV", "WERT_ALT"},
              {{"1", "7", "", "61", "(AKTGEW ^ 0.75) * 95 * MEBED / 100", "-1", ""},
               {"2", "7", "", "9", "AMEKC * 0.004184", "-1", ""},
               {"3", "7", "", "24", "(AKTGEW ^ 0.75) * 5", "-1", ""},
               {"4", "7", "", "1", "AKTGEW * 0.1", "-1", ""},
               {"5", "7", "", "15", "AKTGEW * 0.08", "-1", ""},
               {"6", "7", "A7", "15", "AKTGEW * 99", "0", "1,5"},
               {"7", "7", "", "41", "if P > 0 then CA / P else 0", "-1", ""},
               {"8", "7", "", "42", "if MEMJ > 0 then RP / MEMJ else 0", "-1", ""},
               {"9", "1", "", "61", "rechneca", "-1", ""},
               {"10", "1", "", "60", "rechnep", "-1", ""},
               {"11", "9", "", "61", "(AKTGEW ^ 0.67) * 100 * MEBED / 100", "-1", ""},
               {"12", "5", "", "61", "(AKTGEW ^ 0.75) * 145 + ANZWEL * 50", "-1", ""}}));
    const QString feedExport =
        QStringLiteral(
            "SELECT ID, ID_FM_TYP, BEZ_DE, BEZ_US, EIGEN, DEMO_KZ, DATUM, HERSTELLER, DATEN_FEHLEN, HINWEIS, "
            "HINT, DATUM_BEARBEITET, AKTIV, ALT_ID") +
        " FROM T_FUTTERMITTEL WHERE EIGEN = 'M'";
    const QStringList feedColumns = {
        "ID",           "ID_FM_TYP", "BEZ_DE", "BEZ_US",           "EIGEN", "DEMO_KZ", "DATUM", "HERSTELLER",
        "DATEN_FEHLEN", "HINWEIS",   "HINT",   "DATUM_BEARBEITET", "AKTIV", "ALT_ID"};
    cases.push_back(query(
        "System export, system feedstuffs", feedExport, feedColumns,
        {{"1", "1", "Hühnerbrust, gekocht", "Chicken breast, cooked", "M", "", "01.05.2016", "USDA", "",
          "Ohne Haut", "Skinless", "15.01.2024", "-1", "501"},
         {"2", "2", "Reis, gekocht", "Rice, cooked", "M", "", "01.05.2016", "USDA", "", "", "", "15.01.2024",
          "-1", "502"},
         {"3", "", "Müsli Spezial", "Special muesli", "M", "", "", "", "Spurenelemente fehlen", "", "",
          "15.01.2024", "-1", ""},
         {"5", "1", "Altes Futter", "Old food", "M", "", "", "", "", "", "", "01.01.2020", "0", ""},
         {"6", "2", "MÖHREN, roh", "CARROTS, raw", "M", "", "", "", "", "", "", "15.01.2024", "-1", ""}}));
    cases.push_back(
        query(
            "System export, system feedstuffs (US)", feedExport, feedColumns,
            {{"1", "1", "Hühnerbrust, gekocht", "Chicken breast, cooked", "M", "", "05/01/2016", "USDA", "",
              "Ohne Haut", "Skinless", "01/15/2024", "-1", "501"},
             {"2", "2", "Reis, gekocht", "Rice, cooked", "M", "", "05/01/2016", "USDA", "", "", "",
              "01/15/2024", "-1", "502"},
             {"3", "", "Müsli Spezial", "Special muesli", "M", "", "", "", "Spurenelemente fehlen", "", "",
              "01/15/2024", "-1", ""},
             {"5", "1", "Altes Futter", "Old food", "M", "", "", "", "", "", "", "01/01/2020", "0", ""},
             {"6", "2", "MÖHREN, roh", "CARROTS, raw", "M", "", "", "", "", "", "", "01/15/2024", "-1", ""}})
            .in("US"));
    cases.push_back(query(
        "System export, nutrient contents",
        QStringLiteral("SELECT ID, ID_FM, ID_NAEHRSTOFF, MENGE, AKTIV, ID_FM_ALT, QUELLE") +
            " FROM T_FM_NAEHRSTOFF",
        {"ID", "ID_FM", "ID_NAEHRSTOFF", "MENGE", "AKTIV", "ID_FM_ALT", "QUELLE"},
        {{"1", "1", "9", "0.632", "-1", "501", ""}, {"2", "1", "61", "151", "-1", "501", ""},
         {"3", "1", "60", "151", "-1", "501", ""},  {"4", "1", "24", "31", "-1", "501", "USDA SR28 05064"},
         {"5", "1", "1", "0.015", "-1", "501", ""}, {"6", "1", "15", "0.228", "-1", "501", ""},
         {"7", "1", "41", "0.07", "-1", "501", ""}, {"8", "1", "99", "5", "-1", "", ""},
         {"9", "2", "9", "0.544", "-1", "502", ""}, {"10", "2", "61", "130", "-1", "502", ""},
         {"11", "2", "60", "130", "-1", "502", ""}, {"12", "2", "24", "2.7", "-1", "502", ""},
         {"13", "2", "1", "0.01", "-1", "502", ""}, {"14", "2", "15", "0.043", "-1", "502", ""},
         {"15", "4", "9", "1.05", "-1", "", ""},    {"16", "4", "24", "17.2", "-1", "", ""},
         {"17", "4", "1", "0.018", "-1", "", ""},   {"18", "4", "15", "0.158", "-1", "", ""},
         {"19", "6", "9", "0.17", "-1", "", ""},    {"20", "6", "24", "0.9", "-1", "", ""},
         {"21", "7", "9", "1.5", "-1", "", ""},     {"22", "7", "24", "10", "-1", "", ""}}));
    cases.push_back(
        query("System export, nutrients",
              QStringLiteral("SELECT ID, SORT, KUERZEL_DE, KUERZEL_US, ME_DE, ME_US, BEZ_DE, BEZ_US, KZ_IK, "
                             "NK_STELLEN, BERTYP_RELEVANT, AKTIV ") +
                  " FROM T_NAEHRSTOFFE ",
              {"ID", "SORT", "KUERZEL_DE", "KUERZEL_US", "ME_DE", "ME_US", "BEZ_DE", "BEZ_US", "KZ_IK",
               "NK_STELLEN", "BERTYP_RELEVANT", "AKTIV"},
              {{"9", "10", "ME", "ME", "MJ", "MJ", "Umsetzbare Energie", "Metabolisable energy", "I", "2",
                "0", "-1"},
               {"61", "20", "ME kcal", "ME kcal", "kcal", "kcal", "Energie kcal", "Energy kcal", "I", "0",
                "0", "-1"},
               {"60", "25", "ME Bed.", "ME req.", "kcal", "kcal", "Energiebedarf kcal",
                "Energy requirement kcal", "I", "1", "0", "-1"},
               {"24", "30", "Rp", "CP", "g", "g", "Rohprotein", "Crude protein", "I", "1", "-1", "-1"},
               {"1", "40", "Ca", "Ca", "g", "g", "Calcium", "Calcium", "I", "2", "0", "-1"},
               {"15", "50", "P", "P", "g", "g", "Phosphor", "Phosphorus", "I", "2", "0", "-1"},
               {"99", "60", "Alt", "Old", "g", "g", "Veraltet", "Outdated", "I", "1", "0", "0"},
               {"41", "100", "Ca:P", "Ca:P", ":1", ":1", "Calcium-Phosphor-Verhältnis",
                "Calcium phosphorus ratio", "K", "2", "0", "-1"},
               {"42", "110", "Rp/ME", "CP/ME", "g/MJ", "g/MJ", "Protein je MJ", "Protein per MJ", "K", "1",
                "0", "-1"}}));

    // Import: a record's key goes in as it stands, the other values by their rendering rule.
    cases.push_back(write("System import, delete a requirement row",
                          "DELETE FROM T_BEDARF WHERE ID = " + QStringLiteral("6"), 1,
                          {{"SELECT count(*) FROM T_BEDARF", {{"11"}}}}));
    const QString requirementHead = QStringLiteral("INSERT INTO T_BEDARF (ID, BERTYP_FALL, BERTYP_FALL_ALT, "
                                                   "ID_NAEHRSTOFF, WERT_FORMEL, AKTIV, WERT_ALT) VALUES (");
    cases.push_back(
        write("System import, insert a requirement row",
              requirementHead + "6" + " , " + "7" + " , " + "'A7'" + " , " + "15" + " , " +
                  "'AKTGEW * 0.09'" + " , " + "0" + " , " + "'1,5'" + ")",
              1, {{"SELECT * FROM T_BEDARF WHERE ID = 6", {{"6\t7\tA7\t15\tAKTGEW * 0.09\t0\t1,5"}}}})
            .after("DELETE FROM T_BEDARF WHERE ID = 6"));
    cases.push_back(write("System import, insert a requirement row with empty values",
                          requirementHead + "13" + " , " + "9" + " , " + "NULL" + " , " + "24" + " , " +
                              "'if RP > 0 then RP else 0'" + " , " + "-1" + " , " + "NULL" + ")",
                          1,
                          {{"SELECT * FROM T_BEDARF WHERE ID = 13",
                            {{"13\t9\tNULL\t24\tif RP > 0 then RP else 0\t-1\tNULL"}}}}));

    const QString feedNames = QStringLiteral("SELECT ID, BEZ_DE FROM T_FUTTERMITTEL ORDER BY ID");
    cases.push_back(write(
        "System import, mark the old German names",
        "UPDATE T_FUTTERMITTEL SET BEZ_DE = BEZ_DE + '(ALT)' WHERE BEZ_DE NOT LIKE '%(ALT)' AND EIGEN = 'M'",
        5,
        {{feedNames,
          {{"1\tHühnerbrust, gekocht(ALT)"},
           {"2\tReis, gekocht(ALT)"},
           {"3\tMüsli Spezial(ALT)"},
           {"4\tRinderhack"},
           {"5\tAltes Futter(ALT)"},
           {"6\tMÖHREN, roh(ALT)"},
           {"7\tO'Briens Mischung"}}}}));
    cases.push_back(write("System import, mark the old German names a second time",
                          "UPDATE T_FUTTERMITTEL SET BEZ_DE = BEZ_DE + '(ALT)' WHERE BEZ_DE NOT LIKE "
                          "'%(ALT)' AND EIGEN = 'M'",
                          3,
                          {{feedNames,
                            {{"1\tHühnerbrust, gekocht(ALT)"},
                             {"2\tReis, gekocht(ALT)"},
                             {"3\tMüsli Spezial(alt)"},
                             {"4\tRinderhack"},
                             {"5\tAltes Futter(ALT)"},
                             {"6\tMÖHREN, roh(ALT)"},
                             {"7\tO'Briens Mischung"},
                             {"8\tNULL"}}}})
                        .after("UPDATE T_FUTTERMITTEL SET BEZ_DE = 'Reis, gekocht(ALT)' WHERE ID = 2;"
                               "UPDATE T_FUTTERMITTEL SET BEZ_DE = 'Müsli Spezial(alt)' WHERE ID = 3;"
                               "INSERT INTO T_FUTTERMITTEL (ID, EIGEN, AKTIV) VALUES (8, 'M', -1)"));
    cases.push_back(write(
        "System import, mark the old English names",
        "UPDATE T_FUTTERMITTEL SET BEZ_US = BEZ_US + '(OLD)' WHERE BEZ_US NOT LIKE '%(OLD)' AND EIGEN = 'M' ",
        5,
        {{"SELECT ID, BEZ_US FROM T_FUTTERMITTEL ORDER BY ID",
          {{"1\tChicken breast, cooked(OLD)"},
           {"2\tRice, cooked(OLD)"},
           {"3\tSpecial muesli(OLD)"},
           {"4\tGround beef"},
           {"5\tOld food(OLD)"},
           {"6\tCARROTS, raw(OLD)"},
           {"7\tO'Brien's mix"}}}}));
    cases.push_back(write("System import, delete the contents of a feedstuff",
                          "DELETE FROM T_FM_NAEHRSTOFF WHERE ID_FM = " + QStringLiteral("1"), 8,
                          {{"SELECT count(*) FROM T_FM_NAEHRSTOFF", {{"14"}}}}));
    cases.push_back(write("System import, delete a feedstuff",
                          "DELETE FROM T_FUTTERMITTEL WHERE ID = " + QStringLiteral("1"), 1,
                          {{"SELECT count(*) FROM T_FUTTERMITTEL", {{"6"}}}}));
    cases.push_back(write("System import, delete a feedstuff the database lacks",
                          "DELETE FROM T_FUTTERMITTEL WHERE ID = " + QStringLiteral("900"), 0,
                          {{"SELECT count(*) FROM T_FUTTERMITTEL", {{"7"}}}}));
    const QString feedHead = QStringLiteral("INSERT INTO T_FUTTERMITTEL (ID, ID_FM_TYP, BEZ_DE, BEZ_US, "
                                            "EIGEN, DEMO_KZ, DATUM, HERSTELLER, DATEN_FEHLEN, "
                                            "HINWEIS, HINT, DATUM_BEARBEITET, AKTIV, ALT_ID) VALUES (");
    auto importedFeed = [&](const char* date) {
        return feedHead + "1" + " , " + "1" + " , " + "'Hühnerbrust, gekocht'" + " , " +
               "'Chicken breast, cooked'" + " , " + "'M'" + " , " + "NULL" + " , '" +
               QString::fromLatin1(date) + "' , " + "'USDA'" + " , " + "NULL" + " , " + "'Ohne Haut'" +
               " , " + "'Skinless'" + " , " + "NOW()" + " , " + "-1" + " , " + "501" + ")";
    };
    const RawCheck importedRow{
        feedRow + QStringLiteral("1"),
        {{"1\t1\tHühnerbrust, gekocht\tChicken breast, cooked\tM\tNULL\t2016-05-01\tUSDA\tNULL\t"
          "Ohne Haut\tSkinless\t2024-04-03 10:00:00\t-1\t501"}}};
    cases.push_back(write("System import, insert a feedstuff from a German file", importedFeed("01.05.2016"),
                          1, {importedRow})
                        .after("DELETE FROM T_FUTTERMITTEL WHERE ID = 1")
                        .thenRead({"SELECT * FROM T_FUTTERMITTEL WHERE ID = 1",
                                   {"DATUM", "DATUM_BEARBEITET"},
                                   {{"01.05.2016", "03.04.2024"}}}));
    cases.push_back(write("System import, insert a feedstuff from an English file",
                          importedFeed("05/01/2016"), 1, {importedRow})
                        .in("US")
                        .after("DELETE FROM T_FUTTERMITTEL WHERE ID = 1")
                        .thenRead({"SELECT * FROM T_FUTTERMITTEL WHERE ID = 1",
                                   {"DATUM", "DATUM_BEARBEITET"},
                                   {{"05/01/2016", "04/03/2024"}}}));
    cases.push_back(write("System import, insert a feedstuff with an apostrophe",
                          feedHead + "8" + " , " + "2" + " , " + "'Haferflocken'" + " , " +
                              "'O''Brien''s oats'" + " , " + "'M'" + " , " + "NULL" + " , " + "NULL" + " , " +
                              "NULL" + " , " + "NULL" + " , " + "NULL" + " , " + "NULL" + " , " + "NOW()" +
                              " , " + "-1" + " , " + "NULL" + ")",
                          1,
                          {{"SELECT ID, BEZ_DE, BEZ_US, DATUM, AKTIV FROM T_FUTTERMITTEL WHERE ID = 8",
                            {{"8\tHaferflocken\tO'Brien's oats\tNULL\t-1"}}}}));
    const QString contentHead = QStringLiteral(
        "INSERT INTO T_FM_NAEHRSTOFF (ID_FM, ID_NAEHRSTOFF, MENGE, AKTIV, ID_FM_ALT, QUELLE) VALUES (");
    const QString newContent = QStringLiteral(
        "SELECT ID, ID_FM, ID_NAEHRSTOFF, MENGE, AKTIV, ID_FM_ALT, QUELLE FROM T_FM_NAEHRSTOFF WHERE ID > 22");
    cases.push_back(
        write("System import, insert a nutrient content",
              contentHead + "1" + " , " + "24" + " , " + "31.5" + " , " + "-1" + " , " + "501" + " , " +
                  "'CoFID 2021 18-508, close: O''Brien''s cut'" + ")",
              1, {{newContent, {{"23\t1\t24\t31.5\t-1\t501\tCoFID 2021 18-508, close: O'Brien's cut"}}}}));
    cases.push_back(write("System import, insert a nutrient content without old key and source",
                          contentHead + "6" + " , " + "1" + " , " + "0.04" + " , " + "-1" + " , " + "NULL" +
                              " , " + "NULL" + ")",
                          1, {{newContent, {{"23\t6\t1\t0.04\t-1\tNULL\tNULL"}}}}));
    cases.push_back(write("System import, delete a nutrient",
                          "DELETE FROM T_NAEHRSTOFFE WHERE ID = " + QStringLiteral("42"), 1,
                          {{"SELECT count(*) FROM T_NAEHRSTOFFE", {{"8"}}}}));
    // Numbers that the import writes in quotes must still be stored, and sort, as numbers.
    cases.push_back(
        write("System import, insert a nutrient",
              QStringLiteral(
                  "INSERT INTO T_NAEHRSTOFFE (ID, SORT, KUERZEL_DE, KUERZEL_US, ME_DE, ME_US, BEZ_DE, "
                  "BEZ_US, KZ_IK, NK_STELLEN, BERTYP_RELEVANT, AKTIV ) VALUES (") +
                  "42" + " , " + "'110'" + " , " + "'Rp/ME'" + " , " + "'CP/ME'" + " , " + "'g/MJ'" + " , " +
                  "'g/MJ'" + " , " + "'Protein je MJ'" + " , " + "'Protein per MJ'" + " , " + "'K'" + " , " +
                  "'1'" + " , " + "0" + " , " + "-1" + ")",
              1,
              {{"SELECT * FROM T_NAEHRSTOFFE WHERE ID = 42",
                {{"42\t110\tRp/ME\tCP/ME\tg/MJ\tg/MJ\tProtein je MJ\tProtein per MJ\tK\t1\t0\t-1"}}},
               {"SELECT typeof(SORT), typeof(NK_STELLEN) FROM T_NAEHRSTOFFE WHERE ID = 42",
                {{"integer\tinteger"}}}})
            .after(
                "DELETE FROM T_NAEHRSTOFFE WHERE ID = 42; UPDATE T_NAEHRSTOFFE SET SORT = 200 WHERE ID = 41")
            .thenRead({"SELECT ID, KUERZEL_DE, ME_DE, NK_STELLEN, KZ_IK, BERTYP_RELEVANT FROM T_NAEHRSTOFFE "
                       "WHERE AKTIV = TRUE AND KZ_IK = 'K' ORDER BY SORT",
                       {"ID", "NK_STELLEN"},
                       {{"42", "1"}, {"41", "2"}}}));
    return cases;
}

// ---------------------------------------------------------------------------
// Import of user feedstuffs from the previous version (statements on the program's database)

QString previousFeed(const QString& key, const QString& name, const QString& date, const QString& producer,
                     const QString& missing, const QString& remark)
{
    return QStringLiteral("INSERT INTO T_FUTTERMITTEL (ID, ID_FM_TYP, BEZ_DE, BEZ_US, EIGEN, ") +
           "DEMO_KZ, DATUM, HERSTELLER, DATEN_FEHLEN, HINWEIS, HINT, " + "DATUM_BEARBEITET, AKTIV) VALUES (" +
           key + ", NULL " + ", '" + name + "'" + ", '" + name + "'" + ", 'U'" + ", 0" + ", '" + date + "'" +
           ", '" + producer + "'" + ", '" + missing + "'" + ", '" + remark + "'" + ", '" + remark + "'" +
           ", NOW()" + ", TRUE)";
}

std::vector<SqlCase> previousVersionCases()
{
    std::vector<SqlCase> cases;
    cases.push_back(
        write("Previous version import, take the user keys",
              "UPDATE T_FM_KEY SET ID_NEW = ID_NEW + " + QStringLiteral("3") + " WHERE FM_TYP = 'U'", 1,
              {{"SELECT FM_TYP, ID_NEW FROM T_FM_KEY ORDER BY FM_TYP", {{"M\t1000"}, {"U\t100003"}}}}));
    const QString imported =
        QStringLiteral("SELECT ID, ID_FM_TYP, BEZ_DE, BEZ_US, EIGEN, DEMO_KZ, DATUM, HERSTELLER, "
                       "DATEN_FEHLEN, HINWEIS, HINT, DATUM_BEARBEITET, AKTIV FROM T_FUTTERMITTEL "
                       "WHERE ID = 100000");
    const QStringList cheese = {
        "100000\tNULL\tHüttenkäse\tHüttenkäse\tU\t0\t2005-03-05\tMolkerei Süd\tJod fehlt\t"
        "Gut verträglich\tGut verträglich\t2024-04-03 10:00:00\t-1"};
    cases.push_back(
        write("Previous version import, insert a feedstuff with a German date",
              previousFeed("100000", "Hüttenkäse", "05.03.2005", "Molkerei Süd", "Jod fehlt",
                           "Gut verträglich"),
              1, {{imported, {cheese}}})
            .thenRead({"SELECT * FROM T_FUTTERMITTEL WHERE ID = 100000", {"DATUM"}, {{"05.03.2005"}}}));
    cases.push_back(
        write("Previous version import, insert a feedstuff with an English date",
              previousFeed("100000", "Hüttenkäse", "03/05/2005", "Molkerei Süd", "Jod fehlt",
                           "Gut verträglich"),
              1, {{imported, {cheese}}})
            .in("US")
            .thenRead({"SELECT * FROM T_FUTTERMITTEL WHERE ID = 100000", {"DATUM"}, {{"03/05/2005"}}}));
    cases.push_back(
        write("Previous version import, insert a feedstuff with empty texts",
              previousFeed("100000", "Knochenmehl", "", "", "", ""), 1,
              {{imported,
                {{"100000\tNULL\tKnochenmehl\tKnochenmehl\tU\t0\tNULL\t\t\t\t\t2024-04-03 10:00:00\t-1"}}}}));
    cases.push_back(refusedWrite("Previous version import, insert without a key",
                                 previousFeed("", "Knochenmehl", "05.03.2005", "", "", ""),
                                 {{"SELECT count(*) FROM T_FUTTERMITTEL", {{"7"}}}}));
    // Old texts go in unescaped, so an apostrophe breaks the statement.
    cases.push_back(
        refusedWrite("Previous version import, apostrophe in the remark",
                     previousFeed("100000", "Knochenmehl", "05.03.2005", "", "", "Nicht für Welpen's"),
                     {{"SELECT count(*) FROM T_FUTTERMITTEL", {{"7"}}}}));
    cases.push_back(write("Previous version import, insert a category",
                          "INSERT INTO T_FM_KAT (ID_FM, ID_FM_KATEGORIE, AKTIV) VALUES (" +
                              QStringLiteral("100000") + ", " + "16" + ", TRUE)",
                          1,
                          {{"SELECT ID, ID_FM, ID_FM_KATEGORIE, AKTIV FROM T_FM_KAT WHERE ID_FM = 100000",
                            {{"9\t100000\t16\t-1"}}}}));
    const QString contentHead =
        QStringLiteral("INSERT INTO T_FM_NAEHRSTOFF (ID_FM, ID_NAEHRSTOFF, MENGE, AKTIV) VALUES (");
    const QString newContent = QStringLiteral(
        "SELECT ID, ID_FM, ID_NAEHRSTOFF, MENGE, AKTIV, ID_FM_ALT FROM T_FM_NAEHRSTOFF WHERE ID > 22");
    cases.push_back(write("Previous version import, insert a content with a leading zero in the nutrient",
                          contentHead + "100000" + ", " + "09" + ", " + "1.250000" + ", TRUE)", 1,
                          {{newContent, {{"23\t100000\t9\t1.25\t-1\tNULL"}}}}));
    cases.push_back(write("Previous version import, insert an energy content in kcal",
                          contentHead + "100000" + ", " + "60" + ", " + "298.750000" + ", TRUE)", 1,
                          {{newContent, {{"23\t100000\t60\t298.75\t-1\tNULL"}}}}));
    return cases;
}

// ---------------------------------------------------------------------------
// System data editor

std::vector<SqlCase> sysdataEditorCases()
{
    std::vector<SqlCase> cases;
    const QStringList tableItem = {"ITEMDATA", "ITEMTEXT_DE", "ITEMTEXT_US", "TYP", "SORT"};
    cases.push_back(query(
        "System data editor, preset table",
        "SELECT ID AS ITEMDATA, BEZ_DE AS ITEMTEXT_DE, BEZ_EN AS ITEMTEXT_US,TYP,SORT FROM T_GRUNDDATEN "
        "Where ID = " +
            QStringLiteral("91"),
        tableItem, {{"91", "Nährstoffgehalte", "Nutrient contents", "M", "3"}}));
    const QString tables =
        QStringLiteral("SELECT ID AS ITEMDATA, BEZ_DE AS ITEMTEXT_DE, BEZ_EN AS ITEMTEXT_US, TYP, SORT ") +
        "FROM T_GRUNDDATEN Where FELD is null And SQLSTATEMENT is NOT NULL";
    // A metadata row that is neither a table nor a column must not be offered.
    const QString headingRow = QStringLiteral("INSERT INTO T_GRUNDDATEN (ID, TABELLE, BEZ_DE, BEZ_EN, TYP, "
                                              "SORT) VALUES (20, 'T_RASSE', 'Rasse', 'Breed', 'U', 5)");
    cases.push_back(query("System data editor, tables of a system installation", tables, tableItem,
                          {{"10", "Gattung", "Species", "U", "1"},
                           {"90", "Futtermittel", "Feedstuffs", "M", "2"},
                           {"91", "Nährstoffgehalte", "Nutrient contents", "M", "3"}})
                        .after(headingRow));
    cases.push_back(query("System data editor, tables of a user installation", tables + " and TYP = 'U'",
                          tableItem, {{"10", "Gattung", "Species", "U", "1"}})
                        .after(headingRow));
    cases.push_back(query(
        "System data editor, table descriptor",
        "Select * from T_GRUNDDATEN where ID  = " + QStringLiteral("90"),
        {"ID", "TABELLE", "SQLSTATEMENT", "PK"},
        {{"90", "T_FUTTERMITTEL",
          "SELECT ID, ID_FM_TYP, BEZ_DE, BEZ_US, EIGEN, DATUM_BEARBEITET, AKTIV FROM T_FUTTERMITTEL ORDER BY ID",
          "ID"}}));
    cases.push_back(query("System data editor, dependent tables exist",
                          "Select * from T_GRUNDDATEN_ABH where ID_COMBO1  = " + QStringLiteral("90"),
                          {"ID", "ID_COMBO1", "ID_COMBO2", "BEZ_DE", "BEZ_EN"},
                          {{"1", "90", "91", "Nährstoffgehalte", "Nutrient contents"}}));
    cases.push_back(query("System data editor, no dependent tables",
                          "Select * from T_GRUNDDATEN_ABH where ID_COMBO1  = " + QStringLiteral("10"), {"ID"},
                          {}));
    cases.push_back(query(
        "System data editor, dependent table list",
        "Select ID_COMBO2 as ITEMDATA, BEZ_DE AS ITEMTEXT_DE, BEZ_EN AS ITEMTEXT_US from T_GRUNDDATEN_ABH "
        "where ID_COMBO1  = " +
            QStringLiteral("90"),
        {"ITEMDATA", "ITEMTEXT_DE", "ITEMTEXT_US"}, {{"91", "Nährstoffgehalte", "Nutrient contents"}}));

    const QString columnRows = QStringLiteral("Select * from t_grunddaten Where Tabelle = '");
    const QString columnTail = QStringLiteral("' And FELD is NOT NULL Order By Sort");
    cases.push_back(query("System data editor, column descriptions", columnRows + "T_GATTUNG" + columnTail,
                          {"BREITE", "FELDLAENGE", "FELD", "FELDTYP", "BEZ_DE", "ID", "SICHTBAR",
                           "SQLSTATEMENT", "DEFAULTVALUE"},
                          {{"40", "10", "ID", "LONG", "Nr.", "11", "1", "", ""},
                           {"150", "50", "BEZ_DE", "VARCHAR2", "Bezeichnung", "12", "1", "", ""},
                           {"150", "50", "BEZ_US", "VARCHAR2", "Bezeichnung engl.", "13", "1", "", ""},
                           {"40", "", "AKTIV", "BOOL", "Aktiv", "14", "1", "", "TRUE"}})
                        .ordered());
    cases.push_back(query("System data editor, column descriptions (US)",
                          columnRows + "T_GATTUNG" + columnTail, {"FELD", "BEZ_EN"},
                          {{"ID", "No."}, {"BEZ_DE", "Name German"}, {"BEZ_US", "Name"}, {"AKTIV", "Active"}})
                        .in("US")
                        .ordered());
    cases.push_back(
        query("System data editor, column descriptions with a look-up",
              columnRows + "T_FM_NAEHRSTOFF" + columnTail,
              {"BREITE", "FELDLAENGE", "FELD", "FELDTYP", "BEZ_DE", "ID", "SICHTBAR", "SQLSTATEMENT",
               "DEFAULTVALUE"},
              {{"120", "", "ID_NAEHRSTOFF", "COMBO", "Nährstoff", "92", "1",
                "SELECT ID AS ITEMDATA, KUERZEL_DE AS ITEMTEXT FROM T_NAEHRSTOFFE ORDER BY ID", ""},
               {"60", "", "MENGE", "DOUBLE", "Menge", "93", "1", "", "0"}})
            .ordered());

    cases.push_back(query("System data editor, rows of a table",
                          "SELECT ID, BEZ_DE, BEZ_US, AKTIV FROM T_GATTUNG",
                          {"ID", "BEZ_DE", "BEZ_US", "AKTIV"},
                          {{"1", "alle", "all", "-1"},
                           {"2", "Hund", "Dog", "-1"},
                           {"3", "Katze", "Cat", "-1"},
                           {"4", "Pferd", "Horse", "0"}}));
    cases.push_back(query("System data editor, rows of a dependent table for one feedstuff",
                          "SELECT ID, ID_FM, ID_NAEHRSTOFF, MENGE, AKTIV FROM T_FM_NAEHRSTOFF" +
                              QStringLiteral(" WHERE ID_FM = ") + "6",
                          {"ID", "ID_FM", "ID_NAEHRSTOFF", "MENGE", "AKTIV"},
                          {{"19", "6", "9", "0.17", "-1"}, {"20", "6", "24", "0.9", "-1"}}));
    cases.push_back(query("System data editor, rows of a dependent table for one case type",
                          "SELECT ID, ID_FALL, ID_Naehrstoff, FIXED, AKTIV FROM T_FALL_NAEHRSTOFF" +
                              QStringLiteral(" WHERE ID_FALL = ") + "10",
                          {"ID", "ID_FALL", "ID_Naehrstoff", "FIXED", "AKTIV"},
                          {{"9", "10", "9", "-1", "-1"}, {"10", "10", "24", "0", "-1"}}));
    const QString feedRows = QStringLiteral(
        "SELECT ID, ID_FM_TYP, BEZ_DE, BEZ_US, EIGEN, DATUM_BEARBEITET, AKTIV FROM T_FUTTERMITTEL");
    const QStringList feedColumns = {"ID",    "ID_FM_TYP",        "BEZ_DE", "BEZ_US",
                                     "EIGEN", "DATUM_BEARBEITET", "AKTIV"};
    cases.push_back(query("System data editor, feedstuffs of a user installation",
                          feedRows + " WHERE EIGEN = '" + "U" + "'", feedColumns,
                          {{"4", "1", "Rinderhack", "Ground beef", "U", "01.02.2024", "-1"},
                           {"7", "2", "O'Briens Mischung", "O'Brien's mix", "U", "01.03.2024", "-1"}}));
    cases.push_back(
        query("System data editor, feedstuffs of a system installation (US)", feedRows, feedColumns,
              {{"1", "1", "Hühnerbrust, gekocht", "Chicken breast, cooked", "M", "01/15/2024", "-1"},
               {"2", "2", "Reis, gekocht", "Rice, cooked", "M", "01/15/2024", "-1"},
               {"3", "", "Müsli Spezial", "Special muesli", "M", "01/15/2024", "-1"},
               {"4", "1", "Rinderhack", "Ground beef", "U", "02/01/2024", "-1"},
               {"5", "1", "Altes Futter", "Old food", "M", "01/01/2020", "0"},
               {"6", "2", "MÖHREN, roh", "CARROTS, raw", "M", "01/15/2024", "-1"},
               {"7", "2", "O'Briens Mischung", "O'Brien's mix", "U", "03/01/2024", "-1"}})
            .in("US"));
    // The contents table has no owner column, so the user-installation filter cannot apply to it.
    cases.push_back(refusedQuery("System data editor, contents of a user installation without filter",
                                 "SELECT ID, ID_FM, ID_NAEHRSTOFF, MENGE, AKTIV FROM T_FM_NAEHRSTOFF" +
                                     QStringLiteral(" WHERE EIGEN = '") + "U" + "'"));
    cases.push_back(refusedQuery("System data editor, categories of a user installation without filter",
                                 "SELECT ID, ID_FM, ID_FM_KATEGORIE, AKTIV FROM T_FM_KAT" +
                                     QStringLiteral(" WHERE EIGEN = '") + "U" + "'"));
    const QStringList nutrientLookup = {"ITEMDATA", "ITEMTEXT"};
    cases.push_back(query("System data editor, look-up list",
                          "SELECT ID AS ITEMDATA, KUERZEL_DE AS ITEMTEXT FROM T_NAEHRSTOFFE", nutrientLookup,
                          {{"9", "ME"},
                           {"61", "ME kcal"},
                           {"60", "ME Bed."},
                           {"24", "Rp"},
                           {"1", "Ca"},
                           {"15", "P"},
                           {"99", "Alt"},
                           {"41", "Ca:P"},
                           {"42", "Rp/ME"}}));
    cases.push_back(query("System data editor, look-up list in English",
                          "SELECT ID AS ITEMDATA, KUERZEL_US AS ITEMTEXT FROM T_NAEHRSTOFFE", nutrientLookup,
                          {{"9", "ME"},
                           {"61", "ME kcal"},
                           {"60", "ME req."},
                           {"24", "CP"},
                           {"1", "Ca"},
                           {"15", "P"},
                           {"99", "Old"},
                           {"41", "Ca:P"},
                           {"42", "CP/ME"}})
                        .in("US"));
    cases.push_back(query("System data editor, feedstuff look-up of a user installation",
                          "SELECT ID AS ITEMDATA, BEZ_DE AS ITEMTEXT FROM T_FUTTERMITTEL" +
                              QStringLiteral(" WHERE EIGEN = '") + "U" + "'",
                          nutrientLookup, {{"4", "Rinderhack"}, {"7", "O'Briens Mischung"}}));
    return cases;
}

std::vector<SqlCase> sysdataEditingCases()
{
    std::vector<SqlCase> cases;
    const QString species = QStringLiteral("SELECT ID, BEZ_DE, BEZ_US, AKTIV FROM T_GATTUNG ORDER BY ID");
    const QString carrots = QStringLiteral(
        "SELECT ID, ID_FM, ID_NAEHRSTOFF, MENGE FROM T_FM_NAEHRSTOFF WHERE ID_FM = 6 ORDER BY ID");
    cases.push_back(write(
        "System data editing, change a text with an apostrophe",
        "UPDATE " + QStringLiteral("T_GATTUNG") + " SET " + "BEZ_US" + " = " + "'Dog''s'" + "" + " WHERE " +
            "ID" + " = " + "2",
        1,
        {{species,
          {{"1\talle\tall\t-1"}, {"2\tHund\tDog's\t-1"}, {"3\tKatze\tCat\t-1"}, {"4\tPferd\tHorse\t0"}}}}));
    cases.push_back(write("System data editing, change a feedstuff name",
                          "UPDATE T_FUTTERMITTEL SET BEZ_DE = 'Möhren, roh'" +
                              QStringLiteral(", DATUM_BEARBEITET = NOW()") + " WHERE ID = 6",
                          1,
                          {{"SELECT ID, BEZ_DE, DATUM_BEARBEITET FROM T_FUTTERMITTEL WHERE ID = 6",
                            {{"6\tMöhren, roh\t2024-04-03 10:00:00"}}}}));
    // Texts from a text look-up list go in quoted but not doubled.
    cases.push_back(write(
        "System data editing, choose from a text look-up list",
        "UPDATE T_FUTTERMITTEL SET EIGEN = 'U'" + QStringLiteral(", DATUM_BEARBEITET = NOW()") +
            " WHERE ID = 6",
        1,
        {{"SELECT ID, EIGEN, DATUM_BEARBEITET FROM T_FUTTERMITTEL WHERE EIGEN = 'U' ORDER BY ID",
          {{"4\tU\t2024-02-01 08:00:00"}, {"6\tU\t2024-04-03 10:00:00"}, {"7\tU\t2024-03-01 12:00:00"}}}}));
    cases.push_back(write("System data editing, change a number typed with a decimal comma",
                          "UPDATE T_FM_NAEHRSTOFF SET MENGE = 0.25 WHERE ID = 20", 1,
                          {{carrots, {{"19\t6\t9\t0.17"}, {"20\t6\t24\t0.25"}}}}));
    cases.push_back(write("System data editing, choose from a look-up list",
                          "UPDATE T_FM_NAEHRSTOFF SET ID_NAEHRSTOFF = 1 WHERE ID = 20", 1,
                          {{carrots, {{"19\t6\t9\t0.17"}, {"20\t6\t1\t0.9"}}}}));
    cases.push_back(write("System data editing, cleared cell takes its default",
                          "UPDATE T_FM_NAEHRSTOFF SET MENGE = 0 WHERE ID = 20", 1,
                          {{carrots, {{"19\t6\t9\t0.17"}, {"20\t6\t24\t0.0"}}}}));
    cases.push_back(write(
        "System data editing, switch a yes/no cell on", "UPDATE T_GATTUNG SET AKTIV = -1 WHERE ID = 4", 1,
        {{species,
          {{"1\talle\tall\t-1"}, {"2\tHund\tDog\t-1"}, {"3\tKatze\tCat\t-1"}, {"4\tPferd\tHorse\t-1"}}}}));
    cases.push_back(write(
        "System data editing, switch a yes/no cell off", "UPDATE T_GATTUNG SET AKTIV = 0 WHERE ID = 2", 1,
        {{species,
          {{"1\talle\tall\t-1"}, {"2\tHund\tDog\t0"}, {"3\tKatze\tCat\t-1"}, {"4\tPferd\tHorse\t0"}}}}));
    cases.push_back(
        write("System data editing, text key", "UPDATE T_FM_KEY SET ID_NEW = 2000 WHERE FM_TYP = 'M'", 1,
              {{"SELECT FM_TYP, ID_NEW FROM T_FM_KEY ORDER BY FM_TYP", {{"M\t2000"}, {"U\t100000"}}}}));
    cases.push_back(write(
        "System data editing, change a row that is gone",
        "UPDATE T_GATTUNG SET BEZ_DE = 'Vogel' WHERE ID = 99", 0,
        {{species,
          {{"1\talle\tall\t-1"}, {"2\tHund\tDog\t-1"}, {"3\tKatze\tCat\t-1"}, {"4\tPferd\tHorse\t0"}}}}));
    cases.push_back(write(
        "System data editing, insert a row",
        "INSERT INTO " + QStringLiteral("T_GATTUNG") + " (" + "BEZ_DE, BEZ_US, AKTIV" + ") VALUES (" +
            "'Vogel', NULL, -1" + ")",
        1, {{"SELECT ID, BEZ_DE, BEZ_US, AKTIV FROM T_GATTUNG WHERE ID > 4", {{"5\tVogel\tNULL\t-1"}}}}));
    cases.push_back(
        write("System data editing, insert a content row",
              "INSERT INTO T_FM_NAEHRSTOFF (ID_NAEHRSTOFF, MENGE) VALUES (24, 12.5)", 1,
              {{"SELECT ID, ID_FM, ID_NAEHRSTOFF, MENGE, AKTIV, ID_FM_ALT FROM T_FM_NAEHRSTOFF WHERE ID > 22",
                {{"23\tNULL\t24\t12.5\t0\tNULL"}}}}));
    cases.push_back(query("System data editing, key of the inserted row",
                          "Select max(" + QStringLiteral("ID") + ") as MAXID From " + "T_GATTUNG", {"MAXID"},
                          {{"5"}})
                        .after("INSERT INTO T_GATTUNG (BEZ_DE, AKTIV) VALUES ('Vogel', -1)"));
    cases.push_back(query("System data editing, key of a table before any insert",
                          "Select max(ID) as MAXID From T_GATTUNG", {"MAXID"}, {{"4"}}));
    cases.push_back(query("System data editing, key of the inserted content row",
                          "Select max(ID) as MAXID From T_FM_NAEHRSTOFF", {"MAXID"}, {{"22"}}));
    cases.push_back(
        write("System data editing, copy a row",
              "INSERT INTO " + QStringLiteral("T_GATTUNG") + " (" + "BEZ_DE, BEZ_US, AKTIV" + ") SELECT " +
                  "BEZ_DE, BEZ_US, AKTIV" + " FROM " + "T_GATTUNG" + " WHERE ID=" + "2",
              1, {{"SELECT ID, BEZ_DE, BEZ_US, AKTIV FROM T_GATTUNG WHERE ID > 4", {{"5\tHund\tDog\t-1"}}}}));
    cases.push_back(write(
        "System data editing, copy a content row",
        "INSERT INTO T_FM_NAEHRSTOFF (ID_NAEHRSTOFF, MENGE) SELECT ID_NAEHRSTOFF, MENGE FROM T_FM_NAEHRSTOFF "
        "WHERE ID=20",
        1,
        {{"SELECT ID, ID_FM, ID_NAEHRSTOFF, MENGE, AKTIV, ID_FM_ALT FROM T_FM_NAEHRSTOFF WHERE ID > 22",
          {{"23\tNULL\t24\t0.9\t0\tNULL"}}}}));
    cases.push_back(write("System data editing, delete a row",
                          "DELETE FROM " + QStringLiteral("T_GATTUNG") + " WHERE " + "ID" + " = " + "4", 1,
                          {{"SELECT ID FROM T_GATTUNG ORDER BY ID", {{"1"}, {"2"}, {"3"}}}}));
    cases.push_back(write("System data editing, delete a row by text key",
                          "DELETE FROM T_FM_KEY WHERE FM_TYP = 'U'", 1,
                          {{"SELECT FM_TYP, ID_NEW FROM T_FM_KEY", {{"M\t1000"}}}}));
    return cases;
}

// ---------------------------------------------------------------------------
// The Jet features the statements above rely on, each on its own

std::vector<SqlCase> jetDialectCases()
{
    std::vector<SqlCase> cases;
    cases.push_back(query("Jet, bracketed alias with a slash",
                          "SELECT BEZ_DE AS [Name/Bez] FROM T_GATTUNG WHERE ID = 2", {"Name/Bez"},
                          {{"Hund"}}));
    cases.push_back(query("Jet, bracketed table and column names",
                          "SELECT [ID], [BEZ_US] FROM [T_GATTUNG] WHERE [AKTIV] = TRUE AND [ID] > 2",
                          {"ID", "BEZ_US"}, {{"3", "Cat"}}));
    cases.push_back(query("Jet, text equality ignores case and umlaut case",
                          "SELECT ID FROM T_FUTTERMITTEL WHERE BEZ_DE = 'möhren, ROH'", {"ID"}, {{"6"}}));
    cases.push_back(query("Jet, text equality with capital umlauts",
                          "SELECT ID FROM T_PAT_REZ WHERE Name_Besitzer = 'MÜLLER'", {"ID"}, {{"1"}}));
    cases.push_back(
        query("Jet, text equality keeps sharp s apart from double s",
              "SELECT ID FROM T_GATTUNG WHERE BEZ_DE = 'STRASSE'", {"ID"}, {{"4"}})
            .after("UPDATE T_GATTUNG SET BEZ_DE = CASE ID WHEN 3 THEN 'Straße' ELSE 'Strasse' END "
                   "WHERE ID IN (3, 4)"));
    cases.push_back(query("Jet, text equality keeps umlauts apart from their base letter",
                          "SELECT ID FROM T_PAT_REZ WHERE Name_Besitzer = 'Muller'", {"ID"}, {}));
    cases.push_back(
        query("Jet, text order puts umlauts beside their base letter",
              "SELECT ID, BEZ_DE FROM T_FM_TYP ORDER BY BEZ_DE", {"ID", "BEZ_DE"},
              {{"0", "<kein Typ>"}, {"1", "Fleisch"}, {"2", "Getreide"}, {"3", "Öle"}, {"4", "Veraltet"}})
            .ordered());
    cases.push_back(query("Jet, NULL sorts before every value",
                          "SELECT ID FROM T_FUTTERMITTEL WHERE ID < 5 ORDER BY ID_FM_TYP, ID DESC", {"ID"},
                          {{"3"}, {"4"}, {"1"}, {"2"}})
                        .ordered());
    cases.push_back(query("Jet, NULL sorts after every value when descending",
                          "SELECT ID FROM T_FUTTERMITTEL WHERE ID < 5 ORDER BY ID_FM_TYP DESC, ID", {"ID"},
                          {{"2"}, {"1"}, {"4"}, {"3"}})
                        .ordered());
    cases.push_back(query("Jet, negated yes literal",
                          "SELECT ID FROM T_GATTUNG WHERE -AKTIV = -TRUE AND ID > 2", {"ID"}, {{"3"}}));
    cases.push_back(
        query("Jet, no literal", "SELECT ID FROM T_GATTUNG WHERE AKTIV = FALSE", {"ID"}, {{"4"}}));
    cases.push_back(query("Jet, subtracting a negative number",
                          "SELECT ID, ID--1 AS NEXTID FROM T_GATTUNG WHERE ID = 2", {"ID", "NEXTID"},
                          {{"2", "3"}}));
    cases.push_back(query("Jet, operators inside a text literal stay text",
                          "SELECT ID, BEZ_DE FROM T_TEXT WHERE BEZ_DE = 'TRUE & FALSE + x'", {"ID", "BEZ_DE"},
                          {{"3", "TRUE & FALSE + x"}})
                        .after("UPDATE T_TEXT SET BEZ_DE = 'TRUE & FALSE + x' WHERE ID = 3"));
    cases.push_back(query("Jet, ampersand joins texts",
                          "SELECT BEZ_DE & ' / ' & BEZ_US AS BEZ FROM T_GATTUNG WHERE ID = 3", {"BEZ"},
                          {{"Katze / Cat"}}));
    cases.push_back(
        query("Jet, ampersand takes NULL as the empty text",
              "SELECT BEZ_DE & ' (' & HERSTELLER & ')' AS BEZ FROM T_FUTTERMITTEL WHERE ID IN (1, 3)",
              {"BEZ"}, {{"Hühnerbrust, gekocht (USDA)"}, {"Müsli Spezial ()"}}));
    cases.push_back(query("Jet, plus adds numbers", "SELECT ID + 1 AS NEXTID FROM T_GATTUNG WHERE ID = 3",
                          {"NEXTID"}, {{"4"}}));
    cases.push_back(query("Jet, double-quoted text", "SELECT ID FROM T_GATTUNG WHERE BEZ_DE = \"Katze\"",
                          {"ID"}, {{"3"}}));
    cases.push_back(query("Jet, LCase and UCase know umlauts",
                          "SELECT LCase(BEZ_DE) AS LOW, UCase(BEZ_DE) AS UP FROM T_FUTTERMITTEL WHERE ID = 3",
                          {"LOW", "UP"}, {{"müsli spezial", "MÜSLI SPEZIAL"}}));
    cases.push_back(query("Jet, German date text compared with a date column",
                          "SELECT ID FROM T_PAT_REZ WHERE Geburtsdatum < '01.01.2024'", {"ID"}, {{"1"}}));
    cases.push_back(query("Jet, US date text compared with a date column",
                          "SELECT ID FROM T_PAT_REZ WHERE Geburtsdatum >= '01/10/2024'", {"ID"}, {{"3"}}));
    cases.push_back(query("Jet, date literal", "SELECT ID FROM T_PAT_REZ WHERE Geburtsdatum = #01/10/2024#",
                          {"ID"}, {{"3"}}));
    cases.push_back(
        query("Jet, Is Null", "SELECT ID FROM T_FUTTERMITTEL WHERE ID_FM_TYP Is Null", {"ID"}, {{"3"}}));
    cases.push_back(query("Jet, is NOT NULL", "SELECT ID FROM T_PAT_REZ WHERE ID_Rasse is NOT NULL", {"ID"},
                          {{"1"}, {"3"}}));
    cases.push_back(
        write("Jet, German date text written into a date column",
              "UPDATE T_PAT_REZ SET Geburtsdatum = '05.03.2005' WHERE ID = 2", 1,
              {{"SELECT ID, Geburtsdatum FROM T_PAT_REZ ORDER BY ID",
                {{"1\t2020-03-05"}, {"2\t2005-03-05"}, {"3\t2024-01-10"}}}})
            .in("US")
            .thenRead(
                {"SELECT Geburtsdatum FROM T_PAT_REZ WHERE ID = 2", {"Geburtsdatum"}, {{"03/05/2005"}}}));
    cases.push_back(refusedWrite("Jet, a text that is no date refused for a date column",
                                 "UPDATE T_PAT_REZ SET Geburtsdatum = '31.02.2005' WHERE ID = 2",
                                 {{"SELECT Geburtsdatum FROM T_PAT_REZ WHERE ID = 2", {{"NULL"}}}}));
    cases.push_back(write("Jet, DELETE with a star", "DELETE * FROM T_TEXT WHERE AKTIV = FALSE", 1,
                          {{"SELECT ID FROM T_TEXT ORDER BY ID", {{"1"}, {"2"}}}}));
    return cases;
}

std::vector<SqlCase> allCases()
{
    std::vector<SqlCase> all;
    for (auto&& group :
         {startupCases(), mainWindowCases(), caseFormCases(), requirementCases(), supplyCases(),
          rationPageCases(), feedEditorCases(), recipeCases(), caseListCases(), exchangeCases(),
          previousVersionCases(), sysdataEditorCases(), sysdataEditingCases(), jetDialectCases()})
        all.insert(all.end(), group.begin(), group.end());
    return all;
}

std::string testName(const ::testing::TestParamInfo<SqlCase>& info)
{
    std::string name;
    bool gap = false;
    for (char c : info.param.name) {
        const bool keep = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
        if (!keep) {
            gap = true;
            continue;
        }
        if (gap && !name.empty())
            name += '_';
        gap = false;
        name += c;
    }
    return name;
}

std::vector<std::string> utf8(const QStringList& texts)
{
    std::vector<std::string> out;
    for (const QString& text : texts)
        out.push_back(text.toStdString());
    return out;
}

QStringList joined(const Rows& rows, QChar separator)
{
    QStringList out;
    for (const QStringList& row : rows)
        out << row.join(separator);
    return out;
}

// Reads the named columns of every row as the program's text reader gives them.
Rows readRows(RecordSet& rs, const QStringList& columns)
{
    Rows rows;
    for (; !rs.isEof(); rs.moveNext()) {
        QStringList row;
        for (const QString& column : columns) {
            QString text;
            EXPECT_TRUE(rs.getFieldText(column, text)) << column.toStdString();
            row << text;
        }
        rows.push_back(row);
    }
    return rows;
}

// The text reader answers an unknown column with the empty text; make sure
// every column the program asks for is really there.
void expectColumns(const RecordSet& rs, const QStringList& columns)
{
    QStringList names;
    for (int i = 0; i < rs.columnCount(); ++i)
        names << rs.columnName(i).trimmed().toUpper();
    for (const QString& column : columns) {
        EXPECT_TRUE(names.contains(column.trimmed().toUpper()))
            << "no column " << column.toStdString() << " among "
            << names.join(QLatin1String(", ")).toStdString();
    }
}

void expectRows(const Rows& actual, const Rows& expected, int orderKey)
{
    QStringList got = joined(actual, QLatin1Char('|'));
    QStringList want = joined(expected, QLatin1Char('|'));
    if (orderKey == InOrder) {
        EXPECT_EQ(utf8(got), utf8(want));
        return;
    }
    if (orderKey > 0) {
        auto key = [orderKey](const Rows& rows) {
            QStringList keys;
            for (const QStringList& row : rows)
                keys << row.mid(0, orderKey).join(QLatin1Char('|'));
            return keys;
        };
        EXPECT_EQ(utf8(key(actual)), utf8(key(expected))) << "order of the leading columns";
    }
    got.sort();
    want.sort();
    EXPECT_EQ(utf8(got), utf8(want));
}

class SqlStatementsTest : public ::testing::TestWithParam<SqlCase>
{
};

TEST_P(SqlStatementsTest, GivesTheExpectedRows)
{
    const SqlCase& c = GetParam();
    for (const RawCheck& check : c.checks) {
        if (check.sql.contains(QLatin1String("typeof("))) {
            SKIP_ON_POSTGRESQL("checks SQLite's storage classes");
        }
    }
    TestDatabase fixture(TestDatabase::Data::Fixture, c.language);
    ASSERT_TRUE(fixture.isValid()) << fixture.error().toStdString();
    if (!c.setup.isEmpty()) {
        ASSERT_TRUE(fixture.rawExec(c.setup)) << fixture.error().toStdString();
    }

    if (c.isQuery) {
        RecordSet rs;
        const bool opened = rs.openRecordset(fixture.db(), c.sql);
        ASSERT_EQ(opened, c.accepted) << fixture.db().lastError().toStdString();
        if (opened) {
            expectColumns(rs, c.columns);
            expectRows(readRows(rs, c.columns), c.rows, c.orderKey);
        }
    } else {
        long affected = -1;
        const bool executed = fixture.db().executeSql(c.sql, affected);
        ASSERT_EQ(executed, c.accepted) << fixture.db().lastError().toStdString();
        EXPECT_EQ(affected, c.affected);
    }
    for (const RawCheck& check : c.checks) {
        EXPECT_EQ(utf8(fixture.rawRows(check.sql)), utf8(joined(check.rows, QLatin1Char('\t'))))
            << check.sql.toStdString();
    }
    if (c.readBack) {
        RecordSet rs;
        ASSERT_TRUE(rs.openRecordset(fixture.db(), c.readBack->sql))
            << fixture.db().lastError().toStdString();
        expectColumns(rs, c.readBack->columns);
        expectRows(readRows(rs, c.readBack->columns), c.readBack->rows, InOrder);
    }
}

INSTANTIATE_TEST_SUITE_P(Program, SqlStatementsTest, ::testing::ValuesIn(allCases()), testName);

} // namespace

std::vector<CatalogueStatement> sqlCatalogue()
{
    std::vector<CatalogueStatement> statements;
    for (const SqlCase& c : allCases()) {
        CatalogueStatement statement;
        statement.name = c.name;
        statement.sql = c.sql;
        statement.isQuery = c.isQuery;
        statement.accepted = c.accepted;
        statement.setup = c.setup;
        statement.columns = c.columns;
        statement.rows = c.rows;
        statement.ordered = c.orderKey != Unordered;
        statements.push_back(std::move(statement));
        if (c.readBack) {
            CatalogueStatement read;
            read.name = c.name + ", read back";
            read.sql = c.readBack->sql;
            read.afterPrevious = true;
            read.columns = c.readBack->columns;
            read.rows = c.readBack->rows;
            read.ordered = true;
            statements.push_back(std::move(read));
        }
    }
    return statements;
}
