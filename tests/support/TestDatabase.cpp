#include "support/TestDatabase.h"

#include "db/ConnectionString.h"
#include "db/DatabaseCreator.h"
#include "db/SqliteBackend.h"

#include <QFile>

#include <sqlite3.h>

namespace {

QByteArray fixtureSql()
{
    QFile file(QStringLiteral(":/mensoly/tests/fixture.sql"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct RawDb
{
    sqlite3* db = nullptr;
    explicit RawDb(const QString& path)
    {
        sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_busy_timeout(db, 5000);
        SqliteBackend::installNoCase(db);
    }
    ~RawDb() { sqlite3_close_v2(db); }
};

} // namespace

TestDatabase::TestDatabase(Data data, const QString& languageCode)
    : m_context(std::make_unique<AppContext>())
{
    const auto contents =
        data == Data::Shipped ? DatabaseCreator::Contents::SystemData : DatabaseCreator::Contents::SchemaOnly;
    if (!DatabaseCreator::create(path(), &m_error, contents))
        return;
    if (data == Data::Fixture && !rawExec(QString::fromUtf8(fixtureSql())))
        return;
    m_context->setDataDirectory(m_dir.path());
    m_context->setLanguageCode(languageCode);
    m_context->setClock(&TestDatabase::pinnedNow);
    m_context->setShareMode(QStringLiteral("Share Deny None"));
    m_context->setConnectionString(ConnectionString::build(m_dir.path(), m_context->shareMode()));
    m_valid = m_context->openDatabase();
    if (!m_valid)
        m_error = db().lastError();
}

TestDatabase::~TestDatabase()
{
    m_context.reset();
}

QString TestDatabase::path() const
{
    return ConnectionString::databasePath(m_dir.path());
}

bool TestDatabase::rawExec(const QString& sql)
{
    RawDb raw(path());
    char* message = nullptr;
    if (sqlite3_exec(raw.db, sql.toUtf8().constData(), nullptr, nullptr, &message) != SQLITE_OK) {
        m_error = QString::fromUtf8(message ? message : "?");
        sqlite3_free(message);
        return false;
    }
    return true;
}

QStringList TestDatabase::rawRows(const QString& sql)
{
    RawDb raw(path());
    QStringList rows;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(raw.db, sql.toUtf8().constData(), -1, &statement, nullptr) != SQLITE_OK) {
        rows << QStringLiteral("ERROR: ") + QString::fromUtf8(sqlite3_errmsg(raw.db));
        return rows;
    }
    while (sqlite3_step(statement) == SQLITE_ROW) {
        QStringList values;
        for (int i = 0; i < sqlite3_column_count(statement); ++i) {
            if (sqlite3_column_type(statement, i) == SQLITE_NULL)
                values << QStringLiteral("NULL");
            else
                values << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, i)));
        }
        rows << values.join(QLatin1Char('\t'));
    }
    sqlite3_finalize(statement);
    return rows;
}

QString TestDatabase::rawValue(const QString& sql)
{
    const QStringList rows = rawRows(sql);
    return rows.isEmpty() ? QString() : rows.first();
}
