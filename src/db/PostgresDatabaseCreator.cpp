#include "db/PostgresDatabaseCreator.h"

#include "db/DatabaseCreator.h"
#include "db/PostgreSqlSchema.h"
#include "db/PostgresBackend.h"
#include "db/PostgresLoader.h"
#include "db/ShippedFeedUpdate.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QSet>

#include <sqlite3.h>

#include <memory>

namespace PostgresDatabaseCreator {

namespace {

bool fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return false;
}

QByteArray sqliteName(const QString& name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return (QLatin1Char('"') + quoted + QLatin1Char('"')).toUtf8();
}

class SqliteFile
{
public:
    ~SqliteFile() { sqlite3_close_v2(m_db); }
    bool open(const QString& path)
    {
        return sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, SQLITE_OPEN_READONLY, nullptr) ==
               SQLITE_OK;
    }
    QString error() const { return QString::fromUtf8(sqlite3_errmsg(m_db)); }
    bool exec(const char* sql) { return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }
    sqlite3_stmt* prepare(const QByteArray& sql)
    {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(m_db, sql.constData(), int(sql.size()), &statement, nullptr) != SQLITE_OK)
            return nullptr;
        return statement;
    }

private:
    sqlite3* m_db = nullptr;
};

using Statement = std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)>;

// The file's tables (without SQLite's own) and their columns, upper-case.
bool readTables(SqliteFile& file, QMap<QString, QStringList>& tables, QString* error)
{
    const Statement list(
        file.prepare("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite\\_%' "
                     "ESCAPE '\\'"),
        &sqlite3_finalize);
    if (!list)
        return fail(error, file.error());
    QStringList names;
    while (sqlite3_step(list.get()) == SQLITE_ROW)
        names << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(list.get(), 0)));
    for (const QString& name : names) {
        const Statement info(file.prepare("PRAGMA table_info(" + sqliteName(name) + ")"), &sqlite3_finalize);
        if (!info)
            return fail(error, file.error());
        QStringList columns;
        while (sqlite3_step(info.get()) == SQLITE_ROW) {
            const QString column =
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(info.get(), 1)))
                    .toUpper();
            // The names' sort keys belong to the file; the server sorts the
            // names themselves.
            if (!column.startsWith(QLatin1String("SORT_")))
                columns << column;
        }
        tables.insert(name.toUpper(), columns);
    }
    return true;
}

// The tables to load: those of the schema, none of them holding rows. A
// database without them gets the schema first.
bool prepareServer(PostgresLoader& loader, bool refuseExisting, QString* error)
{
    const QStringList tables = DatabaseCreator::schemaTables();
    const QStringList present = loader.existingTables(tables);
    if (present.isEmpty())
        return loader.createSchema() || fail(error, loader.error());
    if (refuseExisting)
        return fail(error, QStringLiteral("the database holds the program's tables already (%1)")
                               .arg(present.join(QLatin1String(", "))));
    if (present.size() != tables.size()) {
        QStringList missing = tables;
        for (const QString& table : present)
            missing.removeAll(table);
        return fail(error, QStringLiteral("the database holds only some of the program's tables; %1 missing")
                               .arg(missing.join(QLatin1String(", "))));
    }
    for (const QString& table : tables) {
        qint64 rows = 0;
        if (!loader.rowCount(table, rows))
            return fail(error, loader.error());
        if (rows > 0)
            return fail(
                error,
                QStringLiteral("the table %1 on the server is not empty (%2 rows)").arg(table).arg(rows));
    }
    return true;
}

bool copyTable(SqliteFile& file, PostgresLoader& loader, const QString& table, const QStringList& columns,
               qint64& sent, QString* error)
{
    QByteArrayList names;
    for (const QString& column : columns)
        names << sqliteName(column);
    const Statement rows(file.prepare("SELECT " + names.join(", ") + " FROM " + sqliteName(table)),
                         &sqlite3_finalize);
    if (!rows)
        return fail(error, table + QLatin1String(": ") + file.error());
    if (!loader.beginCopy(table, columns))
        return fail(error, loader.error());
    sent = 0;
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(rows.get())) == SQLITE_ROW) {
        for (int i = 0; i < int(columns.size()); ++i) {
            switch (sqlite3_column_type(rows.get(), i)) {
            case SQLITE_NULL:
                loader.addNull();
                break;
            case SQLITE_INTEGER:
                loader.addField(QByteArray::number(sqlite3_column_int64(rows.get(), i)));
                break;
            case SQLITE_FLOAT:
                // The shortest text that reads back as the same double.
                loader.addField(
                    QString::number(sqlite3_column_double(rows.get(), i), 'g', QLocale::FloatingPointShortest)
                        .toLatin1());
                break;
            case SQLITE_TEXT:
                loader.addField(QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(rows.get(), i)),
                                           sqlite3_column_bytes(rows.get(), i)));
                break;
            default:
                loader.endCopy();
                return fail(error,
                            QStringLiteral("%1.%2 holds binary data, which the schema has no column for")
                                .arg(table, columns[i]));
            }
        }
        ++sent;
        if (!loader.endRow()) {
            loader.endCopy();
            return fail(error, table + QLatin1String(": ") + loader.error());
        }
    }
    if (step != SQLITE_DONE) {
        loader.endCopy();
        return fail(error, table + QLatin1String(": ") + file.error());
    }
    return loader.endCopy() || fail(error, loader.error());
}

qint64 sqliteRowCount(SqliteFile& file, const QString& table)
{
    const Statement count(file.prepare("SELECT count(*) FROM " + sqliteName(table)), &sqlite3_finalize);
    return count && sqlite3_step(count.get()) == SQLITE_ROW ? sqlite3_column_int64(count.get(), 0) : -1;
}

// The upgrade's transaction on the server, for the steps both engines share.
class ServerStore : public UpgradeStore
{
public:
    explicit ServerStore(PostgresLoader& loader)
        : m_loader(loader)
    {
    }
    bool exec(const QString& sql) override { return m_loader.exec(sql); }
    bool select(const QString& sql, Rows& rows) override { return m_loader.select(sql, rows); }
    bool insert(const DatabaseCreator::TableData& data) override { return m_loader.copyRows(data); }
    QString error() const override { return m_loader.error(); }

private:
    PostgresLoader& m_loader;
};

} // namespace

bool upgrade(const QString& conninfo, UpgradeResult& result, QString* error)
{
    PostgresLoader loader;
    if (!loader.open(conninfo))
        return fail(error, loader.error());
    result.from = PostgresBackend::schemaVersion(loader.handle());
    result.to = result.from;
    if (result.from < 1)
        return fail(error, QStringLiteral("the database holds none of the program's tables"));
    if (result.from > DatabaseCreator::SchemaVersion)
        return fail(error,
                    QStringLiteral("the database is of schema version %1, newer than this program's %2")
                        .arg(result.from)
                        .arg(DatabaseCreator::SchemaVersion));
    if (result.from == DatabaseCreator::SchemaVersion)
        return true;
    // Every step in the one transaction the loader opened: a failure leaves
    // the server database as it was.
    ServerStore store(loader);
    QString failure;
    if (result.from < 2) {
        const QStringList tables = {QStringLiteral("T_HOECHSTWERT"), QStringLiteral("T_FALL_LEBENSPHASE")};
        for (const QString& table : tables) {
            const QString create =
                PostgreSqlSchema::render(DatabaseCreator::schemaTableStatement(table), false);
            DatabaseCreator::TableData data;
            if (!loader.exec(create) || !loader.reloadColumns() ||
                !DatabaseCreator::readSystemTable(table, data, &failure) || !loader.copyRows(data))
                return fail(error, failure.isEmpty() ? loader.error() : failure);
        }
        if (!ShippedFeedUpdate::addEditorRows(store, tables, &failure))
            return fail(error, failure);
    }
    if (!loader.exec(
            QStringLiteral("ALTER TABLE T_FM_NAEHRSTOFF ADD COLUMN IF NOT EXISTS QUELLE VARCHAR(255) "
                           "COLLATE ") +
            QLatin1String(PostgreSqlSchema::TextCollation)) ||
        !loader.reloadColumns())
        return fail(error, loader.error());
    if (result.from < 3 && !ShippedFeedUpdate::run(store, result.report, &failure))
        return fail(error, failure);
    // Version 4: the case list's index ends in the key, as its order does.
    for (const DatabaseCreator::SchemaIndex& index : DatabaseCreator::schemaIndexes()) {
        if (index.name.compare(QLatin1String("IX_PAT_REZ_LISTE"), Qt::CaseInsensitive) == 0 &&
            (!loader.exec(QStringLiteral("DROP INDEX IF EXISTS ") + index.name) ||
             !loader.exec(PostgreSqlSchema::render(index.statement, false))))
            return fail(error, loader.error());
    }
    // Version 5: the handout's choices, its text blocks and the letterhead.
    if (result.from < 5) {
        const QString collation =
            QStringLiteral(" COLLATE ") + QLatin1String(PostgreSqlSchema::TextCollation);
        const QStringList columns = {QStringLiteral("Mahlzeiten INTEGER"),
                                     QStringLiteral("Vorrat_Tage INTEGER"),
                                     QStringLiteral("Rezept_Sprache VARCHAR(2)") + collation};
        for (const QString& column : columns)
            if (!loader.exec(QStringLiteral("ALTER TABLE T_PAT_REZ ADD COLUMN IF NOT EXISTS ") + column))
                return fail(error, loader.error());
        for (const QString& table : {QStringLiteral("T_REZ_TEXT"), QStringLiteral("T_PRAXIS")})
            if (!loader.exec(PostgreSqlSchema::render(DatabaseCreator::schemaTableStatement(table), false)
                                 .replace(QStringLiteral("CREATE TABLE "),
                                          QStringLiteral("CREATE TABLE IF NOT EXISTS "))))
                return fail(error, loader.error());
        if (!loader.exec(
                QStringLiteral("CREATE INDEX IF NOT EXISTS IX_REZ_TEXT_REZEPT ON T_REZ_TEXT (ID_Rezept)")) ||
            !loader.reloadColumns())
            return fail(error, loader.error());
    }
    // Version 6: the visits of one patient, the weight check's figures and
    // the follow-up's rates and limits.
    if (result.from < 6) {
        for (const QString& column :
             {QStringLiteral("ID_Patient INTEGER"), QStringLiteral("Abnahme_Rate DOUBLE PRECISION"),
              QStringLiteral("Uebergewicht DOUBLE PRECISION")})
            if (!loader.exec(QStringLiteral("ALTER TABLE T_PAT_REZ ADD COLUMN IF NOT EXISTS ") + column))
                return fail(error, loader.error());
        const QStringList added = {QStringLiteral("T_VERLAUF")};
        DatabaseCreator::TableData data;
        if (!loader.exec(
                QStringLiteral("CREATE INDEX IF NOT EXISTS IX_PAT_REZ_PATIENT ON T_PAT_REZ (ID_Patient)")))
            return fail(error, loader.error());
        // A table there already keeps the rows the practice gave it.
        if (loader.existingTables(added).isEmpty() &&
            (!loader.exec(PostgreSqlSchema::render(DatabaseCreator::schemaTableStatement(added[0]), false)) ||
             !loader.reloadColumns() || !DatabaseCreator::readSystemTable(added[0], data, &failure) ||
             !loader.copyRows(data)))
            return fail(error, failure.isEmpty() ? loader.error() : failure);
        if (!ShippedFeedUpdate::addEditorRows(store, added, &failure))
            return fail(error, failure);
    }
    if (!loader.writeSchemaVersion(DatabaseCreator::SchemaVersion) || !loader.continueKeys() ||
        !loader.analyze() || !loader.commit())
        return fail(error, loader.error());
    result.to = DatabaseCreator::SchemaVersion;
    return true;
}

bool create(const QString& conninfo, QString* error)
{
    std::vector<DatabaseCreator::TableData> tables;
    if (!DatabaseCreator::readSystemData(tables, error))
        return false;
    PostgresLoader loader;
    if (!loader.open(conninfo))
        return fail(error, loader.error());
    if (!prepareServer(loader, true, error))
        return false;
    for (const DatabaseCreator::TableData& data : tables)
        if (!loader.copyRows(data))
            return fail(error, loader.error());
    return (loader.writeSchemaVersion(DatabaseCreator::SchemaVersion) && loader.continueKeys() &&
            loader.analyze() && loader.commit()) ||
           fail(error, loader.error());
}

bool migrate(const QString& sqlitePath, const QString& conninfo, std::vector<CopiedTable>& copied,
             QString* error)
{
    copied.clear();
    if (!QFileInfo(sqlitePath).isFile())
        return fail(error,
                    QStringLiteral("there is no database %1").arg(QDir::toNativeSeparators(sqlitePath)));
    SqliteFile file;
    QMap<QString, QStringList> fileTables;
    // One read transaction: the copy is of one moment, even while another
    // copy of the program writes.
    if (!file.open(sqlitePath) || !file.exec("BEGIN"))
        return fail(error, file.error());
    if (!readTables(file, fileTables, error))
        return false;

    const QStringList tables = DatabaseCreator::schemaTables();
    for (auto it = fileTables.cbegin(); it != fileTables.cend(); ++it)
        if (!tables.contains(it.key(), Qt::CaseInsensitive))
            return fail(
                error,
                QStringLiteral("the table %1 is not one of the program's; it would be lost").arg(it.key()));
    PostgresLoader loader;
    if (!loader.open(conninfo))
        return fail(error, loader.error());
    if (!prepareServer(loader, false, error))
        return false;

    std::vector<CopiedTable> counted;
    for (const QString& table : tables) {
        QStringList columns = loader.columns(table);
        const QStringList fileColumns = fileTables.value(table.toUpper());
        // A table without a key has a rowid column on the server that stands
        // for SQLite's hidden one: the server numbers the copied rows anew.
        if (!fileColumns.contains(QLatin1String("ROWID"), Qt::CaseInsensitive))
            columns.removeIf(
                [](const QString& c) { return c.compare(QLatin1String("ROWID"), Qt::CaseInsensitive) == 0; });
        if (fileColumns.isEmpty())
            return fail(error, QStringLiteral("the file has no table %1").arg(table));
        if (QSet<QString>(columns.cbegin(), columns.cend()) !=
            QSet<QString>(fileColumns.cbegin(), fileColumns.cend()))
            return fail(error, QStringLiteral("the columns of %1 differ: %2 in the file, %3 on the server")
                                   .arg(table, fileColumns.join(QLatin1String(", ")),
                                        columns.join(QLatin1String(", "))));
        qint64 sent = 0;
        if (!copyTable(file, loader, table, columns, sent, error))
            return false;
        qint64 onServer = -1;
        if (!loader.rowCount(table, onServer))
            return fail(error, loader.error());
        const qint64 inFile = sqliteRowCount(file, table);
        if (inFile != sent || onServer != inFile)
            return fail(error, QStringLiteral("%1: %2 rows in the file, %3 sent, %4 on the server")
                                   .arg(table)
                                   .arg(inFile)
                                   .arg(sent)
                                   .arg(onServer));
        counted.push_back({table, onServer});
    }
    if (!loader.writeSchemaVersion(DatabaseCreator::SchemaVersion) || !loader.continueKeys() ||
        !loader.analyze() || !loader.commit())
        return fail(error, loader.error());
    // The rows are stored; a vacuum that fails only leaves it to autovacuum.
    loader.vacuum();
    copied = std::move(counted);
    return true;
}

} // namespace PostgresDatabaseCreator
