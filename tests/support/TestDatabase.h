#pragma once

#include "db/AppContext.h"

#include <QStringList>
#include <QTemporaryDir>

#include <memory>

// A throwaway data directory with a database made from the program's schema,
// opened through the program's own layer with a pinned clock.
class TestDatabase
{
public:
    enum class Data {
        Fixture, // the schema and tests/support/fixture.sql
        Shipped, // the schema and the shipped system data
        Empty    // the schema only
    };

    static QDateTime pinnedNow() { return QDateTime(QDate(2024, 4, 3), QTime(10, 0, 0)); }

    explicit TestDatabase(Data data = Data::Fixture, const QString& languageCode = QStringLiteral("DE"));
    // Fails the running test when PRAGMA integrity_check, run through the
    // program's own connection, finds anything.
    ~TestDatabase();

    bool isValid() const { return m_valid; }
    QString error() const { return m_error; }
    AppContext& context() { return *m_context; }
    Connection& db() { return m_context->db(); }
    QString directory() const { return m_dir.path(); }
    QString path() const;

    // Direct access to the file, past the program's layer, to set up cases
    // and to check what a statement changed.
    bool rawExec(const QString& sql);
    // Each row as its values joined by tabs, NULL as "NULL".
    QStringList rawRows(const QString& sql);
    QString rawValue(const QString& sql);
    // The same on another database file, such as a copy.
    static QStringList rawRowsIn(const QString& file, const QString& sql);
    static QString rawValueIn(const QString& file, const QString& sql);

    void checkIntegrity();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<AppContext> m_context;
    bool m_valid = false;
    QString m_error;
};
