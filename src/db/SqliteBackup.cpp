#include "db/SqliteBackend.h"

#include <sqlite3.h>

namespace {

// Pages copied between two progress reports: a few hundred kilobytes, so the
// bar moves smoothly and other copies of the program are never held up long.
constexpr int PagesPerStep = 256;
constexpr int BusyPauseMs = 20;

} // namespace

QString SqliteBackend::databaseFile() const
{
    const char* file = sqlite3_db_filename(m_db, "main");
    return file ? QString::fromUtf8(file) : QString();
}

bool SqliteBackend::backupTo(const QString& path, const BackupProgress& progress)
{
    sqlite3* target = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    if (sqlite3_open_v2(path.toUtf8().constData(), &target, flags, nullptr) != SQLITE_OK) {
        m_lastError = target ? QString::fromUtf8(sqlite3_errmsg(target)) : QStringLiteral("out of memory");
        sqlite3_close_v2(target);
        return false;
    }
    sqlite3_backup* backup = sqlite3_backup_init(target, "main", m_db, "main");
    if (!backup) {
        m_lastError = QString::fromUtf8(sqlite3_errmsg(target));
        sqlite3_close_v2(target);
        return false;
    }
    // A write by another copy of the program restarts the copy at its next
    // step, so what is written is always one consistent state.
    int result = SQLITE_OK;
    do {
        result = sqlite3_backup_step(backup, PagesPerStep);
        if (progress) {
            const int total = sqlite3_backup_pagecount(backup);
            progress(total - sqlite3_backup_remaining(backup), total);
        }
        if (result == SQLITE_BUSY || result == SQLITE_LOCKED)
            sqlite3_sleep(BusyPauseMs);
    } while (result == SQLITE_OK || result == SQLITE_BUSY || result == SQLITE_LOCKED);
    sqlite3_backup_finish(backup);
    const bool done = result == SQLITE_DONE && sqlite3_errcode(target) == SQLITE_OK;
    if (!done)
        m_lastError =
            QString::fromUtf8(sqlite3_errstr(result == SQLITE_DONE ? sqlite3_errcode(target) : result));
    sqlite3_close_v2(target);
    return done;
}
