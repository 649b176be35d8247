#include "db/SchemaUpgrade.h"

#include "db/DatabaseCreator.h"
#include "db/ShippedFeedUpdate.h"
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
    return version == 2 ? version2 : none;
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
    bool addEditorRows(const QStringList& tables);
    bool hasColumn(const QString& table, const QString& column) const;
    bool addColumn(const QString& table, const QString& column, const QString& declaration);
    QString error() const { return m_error; }
    void setError(const QString& error) { m_error = error; }

private:
    std::optional<qint64> editorRowOf(const QString& table, const std::optional<QString>& field) const;
    bool idTaken(qint64 id) const;
    qint64 nextId() const;

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

std::optional<qint64> Upgrade::editorRowOf(const QString& table, const std::optional<QString>& field) const
{
    sqlite3_stmt* statement = nullptr;
    std::optional<qint64> id;
    if (sqlite3_prepare_v2(m_db, "SELECT ID FROM T_GRUNDDATEN WHERE TABELLE = ? AND FELD IS ?", -1,
                           &statement, nullptr) == SQLITE_OK) {
        const QByteArray name = table.toUtf8();
        sqlite3_bind_text(statement, 1, name.constData(), int(name.size()), SQLITE_TRANSIENT);
        // The table's own row has no field: NULL, or empty as a text column
        // may hold it.
        const QByteArray fieldText = field.value_or(QString()).toUtf8();
        if (field && !field->isEmpty())
            sqlite3_bind_text(statement, 2, fieldText.constData(), int(fieldText.size()), SQLITE_TRANSIENT);
        if (sqlite3_step(statement) == SQLITE_ROW)
            id = sqlite3_column_int64(statement, 0);
    }
    sqlite3_finalize(statement);
    return id;
}

bool Upgrade::idTaken(qint64 id) const
{
    sqlite3_stmt* statement = nullptr;
    bool taken = false;
    if (sqlite3_prepare_v2(m_db, "SELECT 1 FROM T_GRUNDDATEN WHERE ID = ?", -1, &statement, nullptr) ==
        SQLITE_OK) {
        sqlite3_bind_int64(statement, 1, id);
        taken = sqlite3_step(statement) == SQLITE_ROW;
    }
    sqlite3_finalize(statement);
    return taken;
}

qint64 Upgrade::nextId() const
{
    sqlite3_stmt* statement = nullptr;
    qint64 next = 1;
    if (sqlite3_prepare_v2(m_db, "SELECT coalesce(max(ID), 0) + 1 FROM T_GRUNDDATEN", -1, &statement,
                           nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW)
        next = sqlite3_column_int64(statement, 0);
    sqlite3_finalize(statement);
    return next;
}

bool Upgrade::addEditorRows(const QStringList& tables)
{
    DatabaseCreator::TableData shipped;
    if (!DatabaseCreator::readSystemTable(QStringLiteral("T_GRUNDDATEN"), shipped, &m_error))
        return false;
    const int idColumn = int(shipped.columns.indexOf(QStringLiteral("ID")));
    const int tableColumn = int(shipped.columns.indexOf(QStringLiteral("TABELLE")));
    const int fieldColumn = int(shipped.columns.indexOf(QStringLiteral("FELD")));
    if (idColumn < 0 || tableColumn < 0 || fieldColumn < 0) {
        m_error = QStringLiteral("T_GRUNDDATEN: ID, TABELLE or FELD missing");
        return false;
    }
    DatabaseCreator::TableData missing = shipped;
    missing.rows.clear();
    for (auto row : shipped.rows) {
        const QString table = row[tableColumn].value_or(QString());
        if (!tables.contains(table, Qt::CaseInsensitive) || editorRowOf(table, row[fieldColumn]))
            continue;
        // The shipped numbers were given out afresh with the new tables, so
        // an older file may use them for other rows.
        if (idTaken(row[idColumn].value_or(QString()).toLongLong()))
            row[idColumn] = QString::number(nextId());
        missing.rows = {row};
        if (!DatabaseCreator::insertRows(m_db, missing, &m_error))
            return false;
    }
    return true;
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
    for (int version = schemaVersion(db) + 1; ok && version <= DatabaseCreator::SchemaVersion; ++version) {
        QStringList added;
        for (const QString& table : tablesAddedIn(version)) {
            if (step.hasTable(table))
                continue;
            ok = ok && step.addTable(table);
            added << table;
        }
        ok = ok && step.addEditorRows(added);
        if (ok && version == 3) {
            // Version 3 records each content's source and ships the
            // supplements and the contents the first data lacked.
            ShippedFeedReport changes;
            SqliteStore store(db);
            QString failure;
            ok = step.addColumn(QStringLiteral("T_FM_NAEHRSTOFF"), QStringLiteral("QUELLE"),
                                QStringLiteral("VARCHAR(255) COLLATE NOCASE")) &&
                 ShippedFeedUpdate::run(store, changes, &failure);
            if (!failure.isEmpty())
                step.setError(failure);
            if (ok && report)
                *report = changes;
        }
    }
    ok = ok &&
         step.exec(QByteArray("PRAGMA user_version = ") +
                   QByteArray::number(DatabaseCreator::SchemaVersion)) &&
         step.exec("COMMIT");
    if (!ok) {
        if (error)
            *error = step.error();
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    return ok;
}

} // namespace SchemaUpgrade
