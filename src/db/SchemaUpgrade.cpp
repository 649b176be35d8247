#include "db/SchemaUpgrade.h"

#include "db/DatabaseCreator.h"
#include "db/ShippedFeedUpdate.h"
#include "db/SortKeys.h"
#include "db/SqliteBackend.h"

#include <QStringList>

#include <optional>

#include <sqlite3.h>

namespace SchemaUpgrade {

namespace {

// The tables each version added, the index being the version it leads to.
const QStringList& tablesAddedIn(int version)
{
    static const QStringList none;
    static const QStringList version2{QStringLiteral("T_HOECHSTWERT"), QStringLiteral("T_FALL_LEBENSPHASE")};
    static const QStringList version6{QStringLiteral("T_VERLAUF")};
    return version == 2 ? version2 : version == 6 ? version6 : none;
}

// The upgrade's transaction on the file, for the steps both engines share.
class SqliteStore : public UpgradeStore
{
public:
    explicit SqliteStore(sqlite3* db)
        : m_db(db)
    {
    }
    bool exec(const QString& sql) override { return SqliteBackend::execRaw(m_db, sql.toUtf8(), m_error); }
    bool select(const QString& sql, Rows& rows) override
    {
        rows.clear();
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &statement, nullptr) != SQLITE_OK) {
            m_error = QString::fromUtf8(sqlite3_errmsg(m_db));
            return false;
        }
        int step = SQLITE_ROW;
        while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
            std::vector<std::optional<QString>> row;
            for (int c = 0; c < sqlite3_column_count(statement); ++c) {
                if (sqlite3_column_type(statement, c) == SQLITE_NULL)
                    row.emplace_back();
                else
                    row.emplace_back(
                        QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, c))));
            }
            rows.push_back(std::move(row));
        }
        if (step != SQLITE_DONE)
            m_error = QString::fromUtf8(sqlite3_errmsg(m_db));
        sqlite3_finalize(statement);
        return step == SQLITE_DONE;
    }
    bool insert(const DatabaseCreator::TableData& data) override
    {
        return DatabaseCreator::insertRows(m_db, data, &m_error);
    }
    QString error() const override { return m_error; }

private:
    sqlite3* m_db;
    QString m_error;
};

class Upgrade
{
public:
    explicit Upgrade(sqlite3* db)
        : m_db(db)
    {
    }
    bool exec(const QByteArray& sql) { return SqliteBackend::execRaw(m_db, sql, m_error); }
    bool hasTable(const QString& table) const;
    bool addTable(const QString& table);
    bool hasColumn(const QString& table, const QString& column) const;
    bool addColumn(const QString& table, const QString& column, const QString& declaration);
    QString error() const { return m_error; }
    void setError(const QString& error) { m_error = error; }

private:
    sqlite3* m_db;
    QString m_error;
};

bool Upgrade::hasTable(const QString& table) const
{
    sqlite3_stmt* statement = nullptr;
    bool found = false;
    if (sqlite3_prepare_v2(m_db,
                           "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE", -1,
                           &statement, nullptr) == SQLITE_OK) {
        const QByteArray name = table.toUtf8();
        sqlite3_bind_text(statement, 1, name.constData(), int(name.size()), SQLITE_TRANSIENT);
        found = sqlite3_step(statement) == SQLITE_ROW;
    }
    sqlite3_finalize(statement);
    return found;
}

bool Upgrade::addTable(const QString& table)
{
    const QString create = DatabaseCreator::schemaTableStatement(table);
    if (create.isEmpty()) {
        m_error = table + QLatin1String(": not in the schema");
        return false;
    }
    DatabaseCreator::TableData data;
    return exec(create.toUtf8()) && DatabaseCreator::readSystemTable(table, data, &m_error) &&
           DatabaseCreator::insertRows(m_db, data, &m_error);
}

bool Upgrade::hasColumn(const QString& table, const QString& column) const
{
    sqlite3_stmt* statement = nullptr;
    bool found = false;
    if (sqlite3_prepare_v2(m_db, "SELECT 1 FROM pragma_table_info(?) WHERE name = ? COLLATE NOCASE", -1,
                           &statement, nullptr) == SQLITE_OK) {
        const QByteArray tableName = table.toUtf8();
        const QByteArray columnName = column.toUtf8();
        sqlite3_bind_text(statement, 1, tableName.constData(), int(tableName.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(statement, 2, columnName.constData(), int(columnName.size()), SQLITE_TRANSIENT);
        found = sqlite3_step(statement) == SQLITE_ROW;
    }
    sqlite3_finalize(statement);
    return found;
}

bool Upgrade::addColumn(const QString& table, const QString& column, const QString& declaration)
{
    return hasColumn(table, column) ||
           exec(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3").arg(table, column, declaration).toUtf8());
}

} // namespace

int schemaVersion(sqlite3* db)
{
    sqlite3_stmt* statement = nullptr;
    int version = -1;
    if (sqlite3_prepare_v2(db, "PRAGMA user_version", -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW)
        version = sqlite3_column_int(statement, 0);
    sqlite3_finalize(statement);
    return version;
}

bool upgrade(sqlite3* db, QString* error, ShippedFeedReport* report)
{
    const int found = schemaVersion(db);
    if (found < 1 || found >= DatabaseCreator::SchemaVersion)
        return found == DatabaseCreator::SchemaVersion;
    Upgrade step(db);
    // The write lock first, then the version again: another copy of the
    // program may have upgraded the file meanwhile.
    if (!step.exec("BEGIN IMMEDIATE")) {
        if (error)
            *error = step.error();
        return false;
    }
    bool ok = true;
    // Files before version 4 keep the lists' indexes over the names in the
    // program's collation, which other tools read in another order; when such
    // a tool wrote the file they no longer match their tables. They go first,
    // so that the steps below never read them; version 4 builds them anew
    // over the names' sort keys.
    if (schemaVersion(db) < 4) {
        for (const DatabaseCreator::SchemaIndex& index : DatabaseCreator::schemaIndexes()) {
            if (index.statement.contains(QLatin1String("SORT_")))
                ok = ok && step.exec("DROP INDEX IF EXISTS " + index.name.toUtf8());
        }
    }
    SqliteStore store(db);
    ShippedFeedReport changes;
    for (int version = schemaVersion(db) + 1; ok && version <= DatabaseCreator::SchemaVersion; ++version) {
        QStringList added;
        for (const QString& table : tablesAddedIn(version)) {
            if (step.hasTable(table))
                continue;
            ok = ok && step.addTable(table);
            added << table;
        }
        QString failure;
        ok = ok && ShippedFeedUpdate::addEditorRows(store, added, &failure);
        if (ok && version == 3) {
            // Version 3 records each content's source and ships the
            // supplements and the contents the first data lacked.
            ok = step.addColumn(QStringLiteral("T_FM_NAEHRSTOFF"), QStringLiteral("QUELLE"),
                                QStringLiteral("VARCHAR(255) COLLATE NOCASE")) &&
                 ShippedFeedUpdate::run(store, changes, &failure);
        }
        if (ok && version == 4) {
            ok = SortKeys::addTo(db, &failure);
            for (const DatabaseCreator::SchemaIndex& index : DatabaseCreator::schemaIndexes())
                ok = ok && step.exec(index.statement.toUtf8());
        }
        if (ok && version == 5) {
            // The handout's choices, its text blocks and the letterhead:
            // tables of the practice, with no shipped rows.
            for (const char* column : {"Mahlzeiten", "Vorrat_Tage"})
                ok = ok && step.addColumn(QStringLiteral("T_PAT_REZ"), QLatin1String(column),
                                          QStringLiteral("INTEGER"));
            ok = ok && step.addColumn(QStringLiteral("T_PAT_REZ"), QStringLiteral("Rezept_Sprache"),
                                      QStringLiteral("VARCHAR(2) COLLATE NOCASE"));
            for (const char* table : {"T_REZ_TEXT", "T_PRAXIS"})
                ok = ok && (step.hasTable(QLatin1String(table)) ||
                            step.exec(DatabaseCreator::schemaTableStatement(QLatin1String(table)).toUtf8()));
            ok = ok && step.exec("CREATE INDEX IF NOT EXISTS IX_REZ_TEXT_REZEPT ON T_REZ_TEXT (ID_Rezept)");
        }
        if (ok && version == 6) {
            // The visits of one patient and the weight check's figures.
            ok = step.addColumn(QStringLiteral("T_PAT_REZ"), QStringLiteral("ID_Patient"),
                                QStringLiteral("INTEGER")) &&
                 step.addColumn(QStringLiteral("T_PAT_REZ"), QStringLiteral("Abnahme_Rate"),
                                QStringLiteral("DOUBLE")) &&
                 step.addColumn(QStringLiteral("T_PAT_REZ"), QStringLiteral("Uebergewicht"),
                                QStringLiteral("DOUBLE")) &&
                 step.exec("CREATE INDEX IF NOT EXISTS IX_PAT_REZ_PATIENT ON T_PAT_REZ (ID_Patient)");
        }
        if (!failure.isEmpty())
            step.setError(failure);
    }
    ok = ok &&
         step.exec(QByteArray("PRAGMA user_version = ") +
                   QByteArray::number(DatabaseCreator::SchemaVersion)) &&
         step.exec("COMMIT");
    // Told only what was stored.
    if (ok && report)
        *report = changes;
    if (!ok) {
        if (error)
            *error = step.error();
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    return ok;
}

} // namespace SchemaUpgrade
