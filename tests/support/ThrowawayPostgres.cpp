#include "support/ThrowawayPostgres.h"

ThrowawayPostgres::ThrowawayPostgres()
{
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary directory");
        return;
    }
    m_running = m_cluster.start();
    m_error = m_cluster.error();
}

ThrowawayPostgres::~ThrowawayPostgres()
{
    if (m_running)
        m_cluster.stop();
}
