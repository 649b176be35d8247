#include "db/Connection.h"

#include "db/ConnectionString.h"
#include "db/PostgresBackend.h"
#include "db/SqliteBackend.h"

Connection::Connection() = default;

Connection::~Connection()
{
    closeConnection();
}

bool Connection::createConnection()
{
    m_backend.reset();
    m_created = true;
    return true;
}

bool Connection::openConnection(const QString& connectionString, const QString& /*userName*/,
                                const QString& /*password*/)
{
    if (!m_created)
        createConnection();
    m_backend.reset();
    m_otherSchemaVersion = -1;
    const QMap<QString, QString> settings = ConnectionString::parse(connectionString);
    if (ConnectionString::isPostgreSql(settings)) {
        m_backend = PostgresBackend::open(settings.value(QStringLiteral("connection")), m_clock, &m_lastError,
                                          &m_otherSchemaVersion);
        if (!m_backend)
            return false;
        m_backend->setLostConnectionHandler([this] {
            if (m_lostConnection)
                m_lostConnection();
        });
        return true;
    }
    const QString path = settings.value(QStringLiteral("data source"));
    if (path.isEmpty()) {
        m_lastError = QStringLiteral("no data source");
        return false;
    }
    const bool readOnly =
        settings.value(QStringLiteral("mode")).compare(QLatin1String("Read"), Qt::CaseInsensitive) == 0;
    m_backend = SqliteBackend::open(path, readOnly, m_clock, &m_lastError);
    return m_backend != nullptr;
}

void Connection::closeConnection()
{
    m_backend.reset();
}

bool Connection::executeSql(const QString& sql, long& affected)
{
    affected = 0;
    if (!m_backend) {
        m_lastError = QStringLiteral("no connection");
        return false;
    }
    if (!m_backend->execute(sql, affected)) {
        m_lastError = m_backend->lastError();
        affected = 0;
        return false;
    }
    return true;
}

std::unique_ptr<DbCursor> Connection::query(const QString& sql)
{
    if (!m_backend) {
        m_lastError = QStringLiteral("no connection");
        return nullptr;
    }
    std::unique_ptr<DbCursor> cursor = m_backend->query(sql);
    if (!cursor)
        m_lastError = m_backend->lastError();
    return cursor;
}

bool Connection::executeSql(const QString& sql)
{
    long affected = 0;
    return executeSql(sql, affected);
}

bool Connection::beginTrans()
{
    if (!m_backend) {
        m_lastError = QStringLiteral("no connection");
        return false;
    }
    if (m_backend->beginTransaction())
        return true;
    m_lastError = m_backend->lastError();
    return false;
}

bool Connection::commitTrans()
{
    if (!m_backend) {
        m_lastError = QStringLiteral("no connection");
        return false;
    }
    if (m_backend->commit())
        return true;
    m_lastError = m_backend->lastError();
    return false;
}

bool Connection::rollbackTrans()
{
    return m_backend && m_backend->rollback();
}

qint64 Connection::lastInsertKey() const
{
    return m_backend ? m_backend->lastInsertKey() : 0;
}

DbTransaction::DbTransaction(Connection& db)
    : m_db(db)
    , m_active(db.beginTrans())
{
}

DbTransaction::~DbTransaction()
{
    if (m_active)
        m_db.rollbackTrans();
}

bool DbTransaction::commit()
{
    if (!m_active)
        return false;
    m_active = false;
    if (m_db.commitTrans())
        return true;
    m_db.rollbackTrans();
    return false;
}
