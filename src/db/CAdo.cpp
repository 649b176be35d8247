#include "CAdo.h"

#include "ConnectionString.h"
#include "SqliteBackend.h"

CAdo::CAdo() = default;

CAdo::~CAdo()
{
    CloseConnection();
}

bool CAdo::CreateConnection()
{
    m_backend.reset();
    m_created = true;
    return true;
}

bool CAdo::OpenConnection(const QString& connectionString, const QString& /*userName*/, const QString& /*password*/)
{
    if (!m_created)
        CreateConnection();
    m_backend.reset();
    const QMap<QString, QString> settings = ConnectionString::parse(connectionString);
    const QString path = settings.value(QStringLiteral("data source"));
    if (path.isEmpty()) {
        m_lastError = QStringLiteral("no data source");
        return false;
    }
    const bool readOnly = settings.value(QStringLiteral("mode")).compare(QLatin1String("Read"), Qt::CaseInsensitive) == 0;
    m_backend = SqliteBackend::open(path, readOnly, m_clock, &m_lastError);
    return m_backend != nullptr;
}

void CAdo::CloseConnection()
{
    m_backend.reset();
}

bool CAdo::ExecuteSql(const QString& sql, long& affected)
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

bool CAdo::ExecuteSql(const QString& sql)
{
    long affected = 0;
    return ExecuteSql(sql, affected);
}

bool CAdo::BeginTrans()
{
    return m_backend && m_backend->beginTransaction();
}

bool CAdo::CommitTrans()
{
    return m_backend && m_backend->commit();
}

bool CAdo::RollbackTrans()
{
    return m_backend && m_backend->rollback();
}

qint64 CAdo::lastInsertKey() const
{
    return m_backend ? m_backend->lastInsertKey() : 0;
}

DbTransaction::DbTransaction(CAdo& db)
    : m_db(db)
    , m_active(db.BeginTrans())
{
}

DbTransaction::~DbTransaction()
{
    if (m_active)
        m_db.RollbackTrans();
}

bool DbTransaction::commit()
{
    if (!m_active)
        return false;
    m_active = false;
    if (m_db.CommitTrans())
        return true;
    m_db.RollbackTrans();
    return false;
}
