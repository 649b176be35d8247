#include "sysdata/SystemTableSql.h"

#include "sysdata/EditableColumn.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

TEST(SystemTableSqlTest, ConditionGoesIntoTheStatementsOwnWhere)
{
    const QString c = QStringLiteral("ID_FM = 4");
    const std::pair<const char*, const char*> cases[] = {
        {"SELECT ID FROM T", "SELECT ID FROM T WHERE ID_FM = 4"},
        {"SELECT ID FROM T ORDER BY ID", "SELECT ID FROM T WHERE ID_FM = 4 ORDER BY ID"},
        {"SELECT ID FROM T where A = 1 OR B = 2", "SELECT ID FROM T where (A = 1 OR B = 2) AND ID_FM = 4"},
        {"SELECT ID FROM T WHERE A = 1 Order  By ID DESC",
         "SELECT ID FROM T WHERE (A = 1) AND ID_FM = 4 Order  By ID DESC"},
        {"SELECT ID FROM T GROUP BY ID", "SELECT ID FROM T WHERE ID_FM = 4 GROUP BY ID"},
        // Words inside subqueries, quotes and names are not the statement's clauses.
        {"SELECT ID FROM T WHERE X IN (SELECT Y FROM U WHERE Z = 1 ORDER BY Y)",
         "SELECT ID FROM T WHERE (X IN (SELECT Y FROM U WHERE Z = 1 ORDER BY Y)) AND ID_FM = 4"},
        {"SELECT 'where' AS A, [ORDER BY] FROM T", "SELECT 'where' AS A, [ORDER BY] FROM T WHERE ID_FM = 4"},
        {"SELECT SOMEWHERE, BORDER BY_X FROM T", "SELECT SOMEWHERE, BORDER BY_X FROM T WHERE ID_FM = 4"},
    };
    for (const auto& [statement, expected] : cases)
        EXPECT_EQ(SystemTableSql::withCondition(QString::fromLatin1(statement), c),
                  QString::fromLatin1(expected));
    EXPECT_EQ(SystemTableSql::withCondition(QStringLiteral("SELECT 1"), QString()),
              QStringLiteral("SELECT 1"));
}

TEST(SystemTableSqlTest, OnlyTheFeedstuffTablesAreRestrictedToTheOwner)
{
    const QString own = QStringLiteral("ID_FM IN (SELECT ID FROM T_FUTTERMITTEL WHERE EIGEN = 'U')");
    EXPECT_EQ(SystemTableSql::ownerCondition(QStringLiteral("T_FUTTERMITTEL"), QStringLiteral("U")),
              QStringLiteral("EIGEN = 'U'"));
    EXPECT_EQ(SystemTableSql::ownerCondition(QStringLiteral("T_FM_NAEHRSTOFF"), QStringLiteral("U")), own);
    EXPECT_EQ(SystemTableSql::ownerCondition(QStringLiteral("t_fm_kat"), QStringLiteral("U")), own);
    EXPECT_EQ(SystemTableSql::ownerCondition(QStringLiteral("T_GATTUNG"), QStringLiteral("U")), QString());
    EXPECT_EQ(SystemTableSql::ownerCondition(QStringLiteral("T_FUTTERMITTEL"), QStringLiteral("M")),
              QString());
}

TEST(SystemTableSqlTest, DependentFilterIsAWholeNumberOrNothing)
{
    using SystemTableSql::dependentCondition;
    EXPECT_EQ(dependentCondition(91, QStringLiteral("4")), QStringLiteral("ID_FM = 4"));
    EXPECT_EQ(dependentCondition(101, QStringLiteral(" 7 ")), QStringLiteral("ID_FM = 7"));
    EXPECT_EQ(dependentCondition(111, QStringLiteral("3")), QStringLiteral("ID_FALL = 3"));
    EXPECT_EQ(dependentCondition(121, QStringLiteral("3")), QStringLiteral("ID_FALL = 3"));
    EXPECT_EQ(dependentCondition(10, QStringLiteral("3")), QString());
    for (const char* bad : {"1 OR 1=1", "12abc", "", "4; DROP TABLE T_FALL"})
        EXPECT_FALSE(dependentCondition(91, QString::fromLatin1(bad))) << bad;
}

TEST(SystemTableSqlTest, CellTextsAreCheckedBeforeTheyBecomeSql)
{
    struct Case
    {
        const char* type;
        const char* text;
        const char* sql;
        const char* refusal;
    };
    const Case cases[] = {
        {"NUMBER", " 12 ", "12", ""},
        {"NUMBER", "", "NULL", ""},
        {"NUMBER", "1 OR 1=1", "", "Bitte geben Sie für Menge eine ganze Zahl von -32768 bis 32767 ein"},
        {"NUMBER", "12abc", "", "Bitte geben Sie für Menge eine ganze Zahl von -32768 bis 32767 ein"},
        {"NUMBER", "40000", "", "Bitte geben Sie für Menge eine ganze Zahl von -32768 bis 32767 ein"},
        {"LONG", "70000", "70000", ""},
        {"LONG", "1,5", "", "Bitte geben Sie für Menge eine ganze Zahl von -2147483648 bis 2147483647 ein"},
        {"DOUBLE", "1,5", "1.5", ""},
        {"DOUBLE", "0 OR 1=1", "", "Bitte geben Sie für Menge eine Zahl ein"},
        {"DOUBLE", "nan", "", "Bitte geben Sie für Menge eine Zahl ein"},
        {"VARCHAR2", "O'Brien ", "'O''Brien'", ""},
        {"PASSWORD", "a'b", "'a''b'", ""},
        {"RICHEDITCONTROL", "a'b", "'a''b'", ""},
        {"COMBOSTRING", "a'b", "'a''b'", ""},
        {"COMBO", "ME - 9", "9", ""},
        {"COMBO", "24", "24", ""},
        {"COMBO", "x - 1); DROP TABLE T", "", "Bitte wählen Sie für Menge einen Eintrag der Liste"},
        {"BOOL", " ja ", "-1", ""},
        {"BOOL", "Nein", "0", ""},
        {"BOOL", "Yes", "-1", ""},
        {"BOOL", "No", "0", ""},
        {"DATE", "03.04.2024", "'2024-04-03'", ""},
        {"DATE", "NOW()", "NOW()", ""},
        {"DATE", "1=1", "", "Bitte geben Sie für Menge ein Datum ein"},
        {"Long", "5", "", "Unbekannter Formattyp: Long"},
    };
    for (const Case& c : cases) {
        EditableColumn column;
        column.field = QStringLiteral("MENGE");
        column.caption = QStringLiteral("Menge");
        column.type = QString::fromLatin1(c.type);
        column.entries = {{9, QStringLiteral("ME - 9")}};
        const SystemTableSql::CellValue value =
            SystemTableSql::cellValue(column, QString::fromUtf8(c.text), QStringLiteral("DE"));
        EXPECT_EQ(value.sql, QString::fromUtf8(c.sql)) << c.type << " " << c.text;
        EXPECT_EQ(value.refusal, QString::fromUtf8(c.refusal)) << c.type << " " << c.text;
    }
    EditableColumn number;
    number.field = QStringLiteral("MENGE");
    number.type = QStringLiteral("DOUBLE");
    EXPECT_EQ(SystemTableSql::cellValue(number, QStringLiteral("x"), QStringLiteral("US")).refusal,
              QStringLiteral("Please enter a number for MENGE"));
}

TEST(SystemTableSqlTest, KeysAreNumbersOrQuotedTexts)
{
    EXPECT_EQ(SystemTableSql::keyValue(QStringLiteral("12"), false), QStringLiteral("12"));
    EXPECT_FALSE(SystemTableSql::keyValue(QStringLiteral("1 OR 1=1"), false));
    EXPECT_EQ(SystemTableSql::keyValue(QStringLiteral("A'1"), true), QStringLiteral("'A''1'"));
}

} // namespace
