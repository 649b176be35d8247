#include "db/SortKeys.h"

#include "db/SqliteBackend.h"

#include <QStringList>

#include <sqlite3.h>
#include <unicode/ucol.h>

#include <map>
#include <memory>

namespace SortKeys {

namespace {

// ICU's collator set up as QCollator sets it up for a German locale with case
// ignored (secondary strength, normalisation on, punctuation not ignored,
// digits one by one), so that the keys order names as TextFolding::compare()
// does. A collator is not safe to share between threads; each has its own.
UCollator* collator()
{
    struct Closer
    {
        void operator()(UCollator* c) const { ucol_close(c); }
    };
    thread_local const std::unique_ptr<UCollator, Closer> german = [] {
        UErrorCode status = U_ZERO_ERROR;
        UCollator* c = ucol_open("de_DE", &status);
        ucol_setAttribute(c, UCOL_NORMALIZATION_MODE, UCOL_ON, &status);
        ucol_setAttribute(c, UCOL_STRENGTH, UCOL_SECONDARY, &status);
        ucol_setAttribute(c, UCOL_NUMERIC_COLLATION, UCOL_OFF, &status);
        ucol_setAttribute(c, UCOL_ALTERNATE_HANDLING, UCOL_NON_IGNORABLE, &status);
        return std::unique_ptr<UCollator, Closer>(U_SUCCESS(status) ? c : nullptr);
    }();
    return german.get();
}

void sortKeyFunction(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const auto* text = static_cast<const char16_t*>(sqlite3_value_text16(argv[0]));
    const int bytes = sqlite3_value_bytes16(argv[0]);
    const QByteArray k = key(QStringView(text, bytes / 2));
    sqlite3_result_blob(context, k.constData(), int(k.size()), SQLITE_TRANSIENT);
}

// The sorted columns by table, in the order of columns().
std::map<QString, QStringList> byTable()
{
    std::map<QString, QStringList> tables;
    for (const Column& column : columns())
        tables[column.table] << column.name;
    return tables;
}

bool run(sqlite3* db, const QString& sql, QString* error)
{
    QString reason;
    if (SqliteBackend::execRaw(db, sql.toUtf8(), reason))
        return true;
    if (error)
        *error = reason;
    return false;
}

QString joined(const QStringList& names, const QString& pattern, const QString& separator)
{
    QStringList parts;
    for (const QString& name : names)
        parts << pattern.arg(name);
    return parts.join(separator);
}

} // namespace

const std::vector<Column>& columns()
{
    static const std::vector<Column> sorted = {
        {QStringLiteral("T_FUTTERMITTEL"), QStringLiteral("BEZ_DE")},
        {QStringLiteral("T_FUTTERMITTEL"), QStringLiteral("BEZ_US")},
        {QStringLiteral("T_PAT_REZ"), QStringLiteral("Name_Besitzer")},
        {QStringLiteral("T_PAT_REZ"), QStringLiteral("Name_Pat")},
    };
    return sorted;
}

QByteArray key(QStringView text)
{
    UCollator* c = collator();
    if (!c)
        return text.toUtf8();
    const auto* source = reinterpret_cast<const UChar*>(text.utf16());
    const auto length = int32_t(text.size());
    QByteArray buffer(qMax<qsizetype>(32, 4 * text.size() + 16), Qt::Uninitialized);
    int32_t needed =
        ucol_getSortKey(c, source, length, reinterpret_cast<uint8_t*>(buffer.data()), int32_t(buffer.size()));
    if (needed > buffer.size()) {
        buffer.resize(needed);
        needed = ucol_getSortKey(c, source, length, reinterpret_cast<uint8_t*>(buffer.data()), needed);
    }
    // The key ends in a zero byte, which adds nothing to its order.
    buffer.truncate(qMax(0, needed - 1));
    return buffer;
}

bool registerFunction(sqlite3* db)
{
    return sqlite3_create_function_v2(db, "sort_key", 1, SQLITE_UTF16 | SQLITE_DETERMINISTIC, nullptr,
                                      sortKeyFunction, nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool present(sqlite3* db)
{
    const Column& first = columns().front();
    sqlite3_stmt* statement = nullptr;
    bool found = false;
    if (sqlite3_prepare_v2(db, "SELECT 1 FROM pragma_table_info(?) WHERE name = ? COLLATE NOCASE", -1,
                           &statement, nullptr) == SQLITE_OK) {
        const QByteArray table = first.table.toUtf8();
        const QByteArray column = first.sortColumn().toUtf8();
        sqlite3_bind_text(statement, 1, table.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(statement, 2, column.constData(), -1, SQLITE_TRANSIENT);
        found = sqlite3_step(statement) == SQLITE_ROW;
    }
    sqlite3_finalize(statement);
    return found;
}

bool addTo(sqlite3* db, QString* error)
{
    if (!present(db)) {
        for (const Column& column : columns()) {
            if (!run(db,
                     QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 BLOB")
                         .arg(column.table, column.sortColumn()),
                     error))
                return false;
        }
    }
    // A name changed by any tool loses its key; the program's connection
    // gives it the new one at once, another tool leaves it for the program.
    for (const auto& [table, names] : byTable()) {
        const QString sql = QStringLiteral("CREATE TRIGGER IF NOT EXISTS TR_%1_SORT AFTER UPDATE OF %2 ON %1 "
                                           "BEGIN UPDATE %1 SET %3 WHERE rowid = NEW.rowid; END")
                                .arg(table, names.join(QLatin1String(", ")),
                                     joined(names, QStringLiteral("SORT_%1 = NULL"), QStringLiteral(", ")));
        if (!run(db, sql, error))
            return false;
    }
    return refresh(db, true, error) >= 0;
}

bool installTriggers(sqlite3* db, QString* error)
{
    if (!present(db))
        return true;
    for (const auto& [table, names] : byTable()) {
        const QString keys =
            joined(names, QStringLiteral("SORT_%1 = sort_key(NEW.%1)"), QStringLiteral(", "));
        const QString missing = joined(names, QStringLiteral("(NEW.SORT_%1 IS NULL AND NEW.%1 IS NOT NULL)"),
                                       QStringLiteral(" OR "));
        const QString sql =
            QStringLiteral("CREATE TEMP TRIGGER IF NOT EXISTS TR_%1_SORT_NEW AFTER INSERT ON main.%1 "
                           "BEGIN UPDATE %1 SET %2 WHERE rowid = NEW.rowid; END;"
                           "CREATE TEMP TRIGGER IF NOT EXISTS TR_%1_SORT_KEY AFTER UPDATE OF %3 ON main.%1 "
                           "WHEN %4 BEGIN UPDATE %1 SET %2 WHERE rowid = NEW.rowid; END")
                .arg(table, keys, joined(names, QStringLiteral("SORT_%1"), QStringLiteral(", ")), missing);
        if (!run(db, sql, error))
            return false;
    }
    return true;
}

int refresh(sqlite3* db, bool all, QString* error)
{
    if (!present(db))
        return 0;
    int rows = 0;
    for (const Column& column : columns()) {
        QString sql = QStringLiteral("UPDATE %1 SET %2 = sort_key(%3)")
                          .arg(column.table, column.sortColumn(), column.name);
        if (!all)
            sql +=
                QStringLiteral(" WHERE %1 IS NULL AND %2 IS NOT NULL").arg(column.sortColumn(), column.name);
        if (!run(db, sql, error))
            return -1;
        rows += sqlite3_changes(db);
    }
    return rows;
}

QString staleCountStatement(const Column& column)
{
    return QStringLiteral("SELECT Count(*) FROM %1 WHERE (%2 IS NULL) <> (%3 IS NULL) OR %3 <> sort_key(%2)")
        .arg(column.table, column.name, column.sortColumn());
}

} // namespace SortKeys
