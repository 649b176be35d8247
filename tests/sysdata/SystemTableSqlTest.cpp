#include "sysdata/SystemTableSql.h"

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
        {"SELECT ID FROM T WHERE A = 1 Order  By ID DESC", "SELECT ID FROM T WHERE (A = 1) AND ID_FM = 4 Order  By ID DESC"},
        {"SELECT ID FROM T GROUP BY ID", "SELECT ID FROM T WHERE ID_FM = 4 GROUP BY ID"},
        // Words inside subqueries, quotes and names are not the statement's clauses.
        {"SELECT ID FROM T WHERE X IN (SELECT Y FROM U WHERE Z = 1 ORDER BY Y)",
         "SELECT ID FROM T WHERE (X IN (SELECT Y FROM U WHERE Z = 1 ORDER BY Y)) AND ID_FM = 4"},
        {"SELECT 'where' AS A, [ORDER BY] FROM T", "SELECT 'where' AS A, [ORDER BY] FROM T WHERE ID_FM = 4"},
        {"SELECT SOMEWHERE, BORDER BY_X FROM T", "SELECT SOMEWHERE, BORDER BY_X FROM T WHERE ID_FM = 4"},
    };
    for (const auto& [statement, expected] : cases)
        EXPECT_EQ(SystemTableSql::withCondition(QString::fromLatin1(statement), c), QString::fromLatin1(expected));
    EXPECT_EQ(SystemTableSql::withCondition(QStringLiteral("SELECT 1"), QString()), QStringLiteral("SELECT 1"));
}

TEST(SystemTableSqlTest, OnlyTheFeedstuffTablesAreRestrictedToTheOwner)
{
    const QString own = QStringLiteral("ID_FM IN (SELECT ID FROM T_FUTTERMITTEL WHERE EIGEN = 'U')");
    EXPECT_EQ(SystemTableSql::ownerCondition(QStringLiteral("T_FUTTERMITTEL"), QStringLiteral("U")),
              QStringLiteral("EIGEN = 'U'"));
    EXPECT_EQ(SystemTableSql::ownerCondition(QStringLiteral("T_FM_NAEHRSTOFF"), QStringLiteral("U")), own);
    EXPECT_EQ(SystemTableSql::ownerCondition(QStringLiteral("t_fm_kat"), QStringLiteral("U")), own);
    EXPECT_EQ(SystemTableSql::ownerCondition(QStringLiteral("T_GATTUNG"), QStringLiteral("U")), QString());
    EXPECT_EQ(SystemTableSql::ownerCondition(QStringLiteral("T_FUTTERMITTEL"), QStringLiteral("M")), QString());
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

} // namespace
