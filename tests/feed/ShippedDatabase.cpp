#include "ShippedDatabase.h"

#include "core/NumberText.h"
#include "db/Connection.h"
#include "db/RecordSet.h"

#include <map>

TestDatabase* ShippedDataTest::s_database = nullptr;

void ShippedDataTest::SetUpTestSuite()
{
    if (!s_database)
        s_database = new TestDatabase(TestDatabase::Data::Shipped);
}

void ShippedDataTest::TearDownTestSuite()
{
    delete s_database;
    s_database = nullptr;
}

void ShippedDataTest::SetUp()
{
    ASSERT_TRUE(s_database->isValid()) << s_database->error().toStdString();
}

std::vector<QStringList> selectRows(Connection& db, const QString& sql, const QStringList& columns)
{
    std::vector<QStringList> rows;
    RecordSet rs;
    if (!rs.openRecordset(db, sql)) {
        ADD_FAILURE() << "query did not open: " << sql.toStdString() << ": " << db.lastError().toStdString();
        return rows;
    }
    for (; !rs.isEof(); rs.moveNext()) {
        QStringList row;
        for (const QString& column : columns) {
            QString text;
            rs.getFieldText(column, text);
            row << text;
        }
        rows.push_back(row);
    }
    return rows;
}

FeedGrid storedFeedGrid(Connection& db, int feedstuff)
{
    std::map<int, double> stored;
    RecordSet rs;
    const QString sql =
        QStringLiteral("SELECT ID_NAEHRSTOFF, MENGE FROM T_FM_NAEHRSTOFF WHERE ID_FM = %1").arg(feedstuff);
    if (!rs.openRecordset(db, sql))
        ADD_FAILURE() << "query did not open: " << sql.toStdString();
    for (; !rs.isEof(); rs.moveNext()) {
        int key = 0;
        double amount = 0.0;
        rs.getFieldLong(QStringLiteral("ID_NAEHRSTOFF"), key);
        rs.getFieldDouble(QStringLiteral("MENGE"), amount);
        stored[key] = amount;
    }
    FeedGrid grid;
    for (const char* kind : {"I", "K"}) {
        for (const QStringList& row :
             selectRows(db,
                        QStringLiteral("SELECT ID, KUERZEL_DE AS KUERZEL, NK_STELLEN FROM T_NAEHRSTOFFE "
                                       "WHERE KZ_IK = '%1' AND AKTIV = TRUE ORDER BY SORT")
                            .arg(QLatin1String(kind)),
                        {QStringLiteral("ID"), QStringLiteral("KUERZEL"), QStringLiteral("NK_STELLEN")})) {
            FeedCell cell{row[1], NumberText::decimalsOf(row[2]), QString()};
            const auto content = stored.find(row[0].toInt());
            if (content != stored.end())
                cell.amount = FeedIndicatorCalculator::cellText(content->second, cell.decimals);
            grid[row[0].toInt()] = cell;
        }
    }
    return grid;
}
