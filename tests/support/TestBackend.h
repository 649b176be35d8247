#pragma once

#include <QString>

#include <gtest/gtest.h>

// The database engine the tests of one run work on: the SQLite file, or a
// PostgreSQL cluster that tests/support/pg_test_cluster started, named on the
// command line as --backend=postgresql:<cluster directory>.
namespace TestBackend {

// Takes the --backend argument out of argv; false with a message on standard
// error for one the tests cannot use.
bool takeArgument(int& argc, char** argv);

bool isPostgreSql();
QString clusterDirectory();

// The databases pg_test_cluster prepares, copied for each test database.
inline const QString FixtureTemplate = QStringLiteral("mensoly_fixture");
inline const QString ShippedTemplate = QStringLiteral("mensoly_shipped");
inline const QString EmptyTemplate = QStringLiteral("mensoly_empty");

} // namespace TestBackend

// Ends the running test as skipped on PostgreSQL, for what only the SQLite
// engine has (the database file, its copies, its PRAGMAs) or what the server
// does its own way; the reason says which.
#define SKIP_ON_POSTGRESQL(reason)                                                                           \
    if (!TestBackend::isPostgreSql()) {                                                                      \
    } else                                                                                                   \
        GTEST_SKIP() << "not on PostgreSQL: " << reason
