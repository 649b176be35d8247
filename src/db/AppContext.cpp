#include "db/AppContext.h"

namespace {

AppContext::Clock& defaultClock()
{
    static AppContext::Clock clock;
    return clock;
}

AppContext::Clock systemClockOr(AppContext::Clock clock)
{
    if (clock)
        return clock;
    if (defaultClock())
        return defaultClock();
    return [] { return QDateTime::currentDateTime(); };
}

} // namespace

AppContext::AppContext()
    : m_clock(systemClockOr(nullptr))
{
    m_db.setLanguageSource([this] { return m_languageCode; });
    m_db.setClock([this] { return m_clock(); });
}

void AppContext::setClock(Clock clock)
{
    m_clock = systemClockOr(std::move(clock));
}

void AppContext::setDefaultClock(Clock clock)
{
    defaultClock() = std::move(clock);
}

bool AppContext::openDatabase()
{
    return m_db.createConnection() && m_db.openConnection(m_connectionString, m_userName, m_password);
}
