#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A PostgreSQL 15 cluster in a temporary directory for as long as the object
// lives. It listens on a Unix socket in that directory only, without TCP, so
// the port number merely names the socket and never meets another server.
// initdb refuses to run as root; then the server runs as the postgres user.
class ThrowawayPostgres
{
public:
    ThrowawayPostgres();
    ~ThrowawayPostgres();
    ThrowawayPostgres(const ThrowawayPostgres&) = delete;
    ThrowawayPostgres& operator=(const ThrowawayPostgres&) = delete;

    bool isRunning() const { return m_running; }
    // Why the cluster did not start.
    QString error() const { return m_error; }
    // Where the server's socket is: the host of its conninfo.
    QString socketDirectory() const { return m_dir.path(); }
    // The libpq conninfo of a database of the cluster.
    QByteArray conninfo(const QString& database = QStringLiteral("postgres")) const;

    // Creates a new database holding the program's schema rendered for
    // PostgreSQL and, unless empty, the statements of sql (such as the
    // fixture data). False with the server's reason in error.
    bool createDatabase(const QString& name, const QString& sql, QString* error) const;
    // A new database without any table.
    bool createEmptyDatabase(const QString& name, QString* error) const;

    // Runs sql on database as the cluster's superuser; false with the
    // server's reason in error.
    bool execute(const QString& database, const QString& sql, QString* error) const;
    // Ends every session connected to database, as a restarted server or a
    // lost network would: the number ended, -1 when that failed.
    int endSessions(const QString& database) const;

    // Waits until a statement on the cluster waits for a lock another
    // transaction holds; false when none does within ten seconds.
    bool waitForALockWaiter() const;

private:
    QString dataDir() const;
    bool start();
    bool run(const QString& tool, const QStringList& arguments);

    QTemporaryDir m_dir;
    bool m_running = false;
    QString m_error;
};
