#include "db/AppContext.h"

AppContext::AppContext()
    : m_clock([] { return QDateTime::currentDateTime(); })
{
    m_db.setLanguageSource([this] { return m_languageCode; });
    m_db.setClock([this] { return m_clock(); });
}

void AppContext::setClock(Clock clock)
{
    m_clock = clock ? std::move(clock) : Clock([] { return QDateTime::currentDateTime(); });
}

bool AppContext::openDatabase()
{
    return m_db.createConnection() && m_db.openConnection(m_connectionString, m_userName, m_password);
}
