#include "db/SqliteBackend.h"

#include "core/DateText.h"
#include "db/DatabaseCreator.h"
#include "db/SchemaUpgrade.h"
#include "db/SortKeys.h"
#include "db/TextFolding.h"

#include <sqlite3.h>

#include <algorithm>

namespace {

constexpr int BusyTimeoutMs = 10000;

// Qt's hashing of texts (QHash with QString keys, which the schema and the
// statement translations use) can leave the upper halves of the vector
// registers in use on processors with AVX. SQLite, built for plain SSE, then
// pays a penalty on every vector instruction: a LIKE over all feedstuffs
// took more than twice its time. Clearing them on the way into SQLite costs
// next to nothing.
inline void enterSqlite()
{
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
    static const bool hasAvx = __builtin_cpu_supports("avx");
    if (hasAvx)
        __asm__ volatile("vzeroupper");
#endif
}

QString textArg(sqlite3_value* value)
{
    const auto* data = reinterpret_cast<const char*>(sqlite3_value_text(value));
    return QString::fromUtf8(data, sqlite3_value_bytes(value));
}

void resultText(sqlite3_context* context, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_result_text(context, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

SqliteBackend::Clock& clockOf(sqlite3_context* context)
{
    return *static_cast<SqliteBackend::Clock*>(sqlite3_user_data(context));
}

void nowFunction(sqlite3_context* context, int, sqlite3_value**)
{
    resultText(context, clockOf(context)().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
}

void todayFunction(sqlite3_context* context, int, sqlite3_value**)
{
    resultText(context, clockOf(context)().date().toString(QStringLiteral("yyyy-MM-dd")));
}

template <QString (*Convert)(const QString&)>
void caseFunction(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    resultText(context, Convert(textArg(argv[0])));
}

struct FoldedPattern
{
    QString text;
    QByteArray asciiInfix; // of a "%text%" search, settled on the bytes
    bool hasNonAscii = false;
};

bool isAsciiValue(sqlite3_value* value)
{
    const auto* bytes = sqlite3_value_text(value);
    const int length = sqlite3_value_bytes(value);
    for (int i = 0; i < length; ++i)
        if (bytes[i] >= 0x80)
            return false;
    return true;
}

// like(pattern, text[, escape]) is what SQLite calls for "text LIKE pattern".
void likeFunction(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    QChar escape;
    if (argc == 3) {
        const QString e = textArg(argv[2]);
        if (e.size() != 1) {
            sqlite3_result_error(context, "ESCAPE expression must be a single character", -1);
            return;
        }
        escape = e[0];
    }
    // The pattern is the same for every row of a query: fold it once.
    auto* pattern = static_cast<FoldedPattern*>(sqlite3_get_auxdata(context, 0));
    if (!pattern) {
        auto* folded = new FoldedPattern;
        folded->text = TextFolding::fold(textArg(argv[0]));
        folded->hasNonAscii = std::any_of(folded->text.cbegin(), folded->text.cend(),
                                          [](QChar c) { return c.unicode() >= 0x80; });
        folded->asciiInfix =
            TextFolding::asciiInfix(folded->text, escape.isNull() ? escape : escape.toCaseFolded());
        sqlite3_set_auxdata(context, 0, folded, [](void* p) { delete static_cast<FoldedPattern*>(p); });
        pattern = static_cast<FoldedPattern*>(sqlite3_get_auxdata(context, 0));
        if (!pattern) {
            sqlite3_result_error_nomem(context);
            return;
        }
    }
    // Folding keeps plain ASCII plain, so such a text never holds the
    // pattern's umlauts: most rows are settled without decoding them.
    if (pattern->hasNonAscii && isAsciiValue(argv[1])) {
        sqlite3_result_int(context, 0);
        return;
    }
    if (!pattern->asciiInfix.isEmpty()) {
        const std::optional<bool> found = TextFolding::containsAsciiInfixUtf8(
            pattern->asciiInfix, reinterpret_cast<const char*>(sqlite3_value_text(argv[1])),
            sqlite3_value_bytes(argv[1]));
        if (found) {
            sqlite3_result_int(context, *found ? 1 : 0);
            return;
        }
    }
    const bool matches = TextFolding::likeFoldedPatternUtf8(
        pattern->text, reinterpret_cast<const char*>(sqlite3_value_text(argv[1])),
        sqlite3_value_bytes(argv[1]), escape.isNull() ? escape : escape.toCaseFolded());
    sqlite3_result_int(context, matches ? 1 : 0);
}

int noCaseCollation(void*, int lengthA, const void* a, int lengthB, const void* b)
{
    return TextFolding::compareUtf8(static_cast<const char*>(a), lengthA, static_cast<const char*>(b),
                                    lengthB);
}

QString errorOf(sqlite3* db)
{
    return QString::fromUtf8(sqlite3_errmsg(db));
}

class SqliteCursor : public DbCursor
{
public:
    SqliteCursor(const SqliteStatements::Lease& lease, std::weak_ptr<SqliteStatements> owner)
        : m_statement(lease.statement)
        , m_owner(std::move(owner))
        , m_columns(int(lease.names.size()))
        , m_names(lease.names)
        , m_kinds(lease.kinds)
    {
        next();
    }
    ~SqliteCursor() override
    {
        // The connection may be gone already; then the statement is the cursor's alone.
        if (const std::shared_ptr<SqliteStatements> owner = m_owner.lock())
            owner->giveBack(m_statement);
        else
            sqlite3_finalize(m_statement);
    }

    bool atEnd() const override { return m_atEnd; }
    void next() override
    {
        if (m_atEnd)
            return;
        enterSqlite();
        m_lastStep = sqlite3_step(m_statement);
        m_atEnd = m_lastStep != SQLITE_ROW;
    }
    bool failed() const { return m_lastStep != SQLITE_ROW && m_lastStep != SQLITE_DONE; }
    int columnCount() const override { return m_columns; }
    QString columnName(int column) const override { return m_names.value(column); }
    DbValue value(int column) const override;

private:
    sqlite3_stmt* m_statement;
    std::weak_ptr<SqliteStatements> m_owner;
    int m_columns = 0;
    QStringList m_names;
    std::vector<SchemaInfo::ColumnKind> m_kinds;
    bool m_atEnd = false;
    int m_lastStep = SQLITE_OK;
};

DbValue SqliteCursor::value(int column) const
{
    DbValue v;
    if (m_atEnd || column < 0 || column >= m_columns)
        return v;
    const SchemaInfo::ColumnKind declared = m_kinds[column];
    switch (sqlite3_column_type(m_statement, column)) {
    case SQLITE_NULL:
        return v;
    case SQLITE_INTEGER:
        v.kind = declared == SchemaInfo::ColumnKind::YesNo ? DbValue::Kind::YesNo : DbValue::Kind::Integer;
        v.integer = sqlite3_column_int64(m_statement, column);
        if (v.kind == DbValue::Kind::YesNo)
            v.integer = v.integer != 0 ? -1 : 0;
        return v;
    case SQLITE_FLOAT:
        v.kind = DbValue::Kind::Double;
        v.real = sqlite3_column_double(m_statement, column);
        return v;
    case SQLITE_BLOB:
        v.kind = DbValue::Kind::Blob;
        return v;
    default:
        break;
    }
    v.text = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column)),
                               sqlite3_column_bytes(m_statement, column));
    if (declared == SchemaInfo::ColumnKind::Date) {
        v.kind = DbValue::Kind::Date;
        v.date = DateText::isoDate(v.text);
    } else {
        v.kind = DbValue::Kind::Text;
    }
    return v;
}

} // namespace

SqliteBackend::SqliteBackend(sqlite3* db, Clock clock)
    : m_db(db)
    , m_clock(std::move(clock))
    , m_statements(std::make_shared<SqliteStatements>(db))
{
}

SqliteBackend::~SqliteBackend()
{
    m_statements.reset();
    // Statements still open in cursors keep the connection until they end.
    sqlite3_close_v2(m_db);
}

std::unique_ptr<SqliteBackend> SqliteBackend::open(const QString& path, bool readOnly, Clock clock,
                                                   QString* error)
{
    sqlite3* db = nullptr;
    // A connection belongs to one thread: no lock around every column read.
    const int flags = (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, flags, nullptr) != SQLITE_OK) {
        if (error)
            *error = db ? errorOf(db) : QStringLiteral("out of memory");
        sqlite3_close_v2(db);
        return nullptr;
    }
    if (!clock)
        clock = [] { return QDateTime::currentDateTime(); };
    std::unique_ptr<SqliteBackend> backend(new SqliteBackend(db, std::move(clock)));
    sqlite3_busy_timeout(db, BusyTimeoutMs);
    sqlite3_extended_result_codes(db, 1);
    // Reading the catalogue fails for a file that is no database.
    if (!backend->runPlain("SELECT count(*) FROM sqlite_master") ||
        (!readOnly && !backend->runPlain("PRAGMA journal_mode=WAL"))) {
        if (error)
            *error = backend->lastError();
        return nullptr;
    }
    backend->registerFunctions();
    if (!readOnly) {
        // A file that cannot be upgraded now (another copy holding the write
        // lock) still opens as it is; the user is told why.
        SchemaUpgrade::upgrade(db, &backend->m_upgradeReport.failure, &backend->m_upgradeReport);
        // A file of another version (a newer program's, or one the upgrade
        // could not bring up now) gets nothing of this version's schema.
        if (SchemaUpgrade::schemaVersion(db) == DatabaseCreator::SchemaVersion) {
            backend->createMissingIndexes();
            // Names another tool wrote get their sort keys; the program's
            // own writes keep theirs current from here on.
            QString ignored;
            SortKeys::refresh(db, false, &ignored);
            SortKeys::installTriggers(db, &ignored);
        }
    }
    backend->loadSchema();
    return backend;
}

int SqliteBackend::storedSchemaVersion() const
{
    if (!m_schema.hasTable(QStringLiteral("T_FUTTERMITTEL")))
        return 0;
    // A file made before the version was kept counts as the first.
    return std::max(1, SchemaUpgrade::schemaVersion(m_db));
}

void SqliteBackend::registerFunctions()
{
    const int flags = SQLITE_UTF8;
    const int pure = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function_v2(m_db, "now", 0, flags, &m_clock, nowFunction, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(m_db, "jet_date", 0, flags, &m_clock, todayFunction, nullptr, nullptr,
                               nullptr);
    sqlite3_create_function_v2(m_db, "lcase", 1, pure, nullptr, caseFunction<TextFolding::lower>, nullptr,
                               nullptr, nullptr);
    sqlite3_create_function_v2(m_db, "ucase", 1, pure, nullptr, caseFunction<TextFolding::upper>, nullptr,
                               nullptr, nullptr);
    sqlite3_create_function_v2(m_db, "lower", 1, pure, nullptr, caseFunction<TextFolding::lower>, nullptr,
                               nullptr, nullptr);
    sqlite3_create_function_v2(m_db, "upper", 1, pure, nullptr, caseFunction<TextFolding::upper>, nullptr,
                               nullptr, nullptr);
    sqlite3_create_function_v2(m_db, "like", 2, pure, nullptr, likeFunction, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(m_db, "like", 3, pure, nullptr, likeFunction, nullptr, nullptr, nullptr);
    installCollation(m_db);
}

bool SqliteBackend::execRaw(sqlite3* db, const QByteArray& sql, QString& error)
{
    char* message = nullptr;
    if (sqlite3_exec(db, sql.constData(), nullptr, nullptr, &message) == SQLITE_OK)
        return true;
    error = QString::fromUtf8(message ? message : sqlite3_errmsg(db));
    sqlite3_free(message);
    return false;
}

bool SqliteBackend::installCollation(sqlite3* db)
{
    // Text columns are declared COLLATE NOCASE; this makes that collation the
    // German order, umlauts beside their base letters, for the program's
    // comparisons and sorts. No index is over such a column's collation (the
    // lists' indexes are over sort keys, SortKeys), so a tool with SQLite's
    // own NOCASE finds the file sound and may write it.
    return sqlite3_create_collation_v2(db, "NOCASE", SQLITE_UTF8, nullptr, noCaseCollation, nullptr) ==
               SQLITE_OK &&
           SortKeys::registerFunction(db);
}

void SqliteBackend::createMissingIndexes()
{
    // Files made by an earlier program lack the indexes added since; each is
    // built once, here, with the program's collation. A failure (another copy
    // holding the write lock past the timeout) only leaves the lists slower.
    QStringList existing;
    if (auto cursor = query(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index'"))) {
        for (; !cursor->atEnd(); cursor->next())
            existing << cursor->value(0).text;
    }
    for (const DatabaseCreator::SchemaIndex& index : DatabaseCreator::schemaIndexes()) {
        if (existing.contains(index.name, Qt::CaseInsensitive))
            continue;
        runPlain(index.statement.toUtf8().constData());
    }
}

void SqliteBackend::loadSchema()
{
    // Translations depend on the columns' types.
    m_translated.clear();
    QStringList tables;
    if (auto cursor = query(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"))) {
        for (; !cursor->atEnd(); cursor->next())
            tables << cursor->value(0).text;
    }
    for (const QString& table : tables) {
        sqlite3_stmt* statement = nullptr;
        const QByteArray sql = "PRAGMA table_info(\"" + table.toUtf8().replace('"', "\"\"") + "\")";
        if (sqlite3_prepare_v2(m_db, sql.constData(), -1, &statement, nullptr) != SQLITE_OK)
            continue;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            const QString column =
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 1)));
            const QString type =
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 2)));
            m_schema.addColumn(table, column, SchemaInfo::kindOfDeclaredType(type));
        }
        sqlite3_finalize(statement);
    }
}

bool SqliteBackend::runPlain(const char* sql)
{
    char* message = nullptr;
    enterSqlite();
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, &message) != SQLITE_OK) {
        m_lastError = QString::fromUtf8(message ? message : sqlite3_errmsg(m_db));
        sqlite3_free(message);
        return false;
    }
    return true;
}

std::optional<QString> SqliteBackend::translate(const QString& jetSql, QString* error) const
{
    constexpr qsizetype RememberedStatements = 256;
    if (const auto it = m_translated.constFind(jetSql); it != m_translated.cend())
        return *it;
    std::optional<QString> translated = m_translator.toSqlite(jetSql, error);
    if (translated) {
        if (m_translated.size() >= RememberedStatements)
            m_translated.clear();
        m_translated.insert(jetSql, *translated);
    }
    return translated;
}

bool SqliteBackend::execute(const QString& sql, long& affected)
{
    affected = 0;
    const std::optional<QString> translated = translate(sql, &m_lastError);
    if (!translated)
        return false;
    const QByteArray utf8 = translated->toUtf8();
    sqlite3_stmt* statement = nullptr;
    const char* tail = nullptr;
    enterSqlite();
    if (sqlite3_prepare_v2(m_db, utf8.constData(), int(utf8.size()), &statement, &tail) != SQLITE_OK ||
        !statement) {
        m_lastError = statement ? errorOf(m_db)
                                : (sqlite3_errcode(m_db) == SQLITE_OK ? QStringLiteral("empty statement")
                                                                      : errorOf(m_db));
        sqlite3_finalize(statement);
        return false;
    }
    int rc;
    enterSqlite();
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
    }
    const bool readOnly = sqlite3_stmt_readonly(statement);
    sqlite3_finalize(statement);
    if (rc != SQLITE_DONE) {
        m_lastError = errorOf(m_db);
        return false;
    }
    affected = readOnly ? 0 : long(sqlite3_changes64(m_db));
    return true;
}

std::unique_ptr<DbCursor> SqliteBackend::query(const QString& sql)
{
    const std::optional<QString> translated = translate(sql, &m_lastError);
    if (!translated)
        return nullptr;
    SqliteStatements::Lease lease;
    enterSqlite();
    if (!m_statements->lend(translated->toUtf8(), lease, m_lastError))
        return nullptr;
    auto cursor = std::make_unique<SqliteCursor>(lease, m_statements);
    // A statement that fails on its first step (a run-time error) is rejected like a syntax error.
    if (cursor->failed()) {
        m_lastError = errorOf(m_db);
        return nullptr;
    }
    return cursor;
}

bool SqliteBackend::beginTransaction()
{
    // IMMEDIATE takes the write lock at once, so a second copy of the program
    // waits here (busy timeout) rather than failing half-way through.
    return runPlain("BEGIN IMMEDIATE");
}

bool SqliteBackend::commit()
{
    return runPlain("COMMIT");
}

bool SqliteBackend::rollback()
{
    return runPlain("ROLLBACK");
}

qint64 SqliteBackend::lastInsertKey() const
{
    return sqlite3_last_insert_rowid(m_db);
}
