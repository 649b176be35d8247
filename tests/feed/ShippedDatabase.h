#pragma once

#include "feed/FeedIndicatorCalculator.h"
#include "support/TestDatabase.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <vector>

// The shipped data set, created once for the test program and only read.
class ShippedDataTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;

    static TestDatabase& shipped() { return *s_database; }
    static Connection& db() { return s_database->db(); }
    // Queries run past the program's layer, to look at the data itself.
    static QString value(const QString& sql) { return s_database->rawValue(sql); }
    static QStringList rows(const QString& sql) { return s_database->rawRows(sql); }

private:
    static TestDatabase* s_database;
};

// Rows of a query read through the program's own layer, every column as text.
// A query that does not open is a test failure and gives no rows.
std::vector<QStringList> selectRows(Connection& db, const QString& sql, const QStringList& columns);

// The grids of the feedstuff editor for a stored feedstuff: every active
// nutrient and indicator with its short name and decimals, the stored contents
// shown with those decimals.
FeedGrid storedFeedGrid(Connection& db, int feedstuff);
