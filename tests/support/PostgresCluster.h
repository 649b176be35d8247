#pragma once

#include <QByteArray>
#include <QString>

// A PostgreSQL 15 cluster kept in a directory: its data in data/, its socket
// in the directory itself. It listens on that Unix socket only, without TCP,
// so the port number merely names the socket and never meets another server.
// initdb refuses to run as root; then the server runs as the postgres user,
// who is given the directory.
class PostgresCluster
{
public:
    explicit PostgresCluster(const QString& directory);

    QString directory() const { return m_directory; }
    // Why the last step failed.
    QString error() const { return m_error; }

    // Makes a new cluster in the directory, which must be empty, and starts it.
    bool start();
    // Stops the server of the directory, if one runs.
    bool stop();

    // The libpq conninfo of a database of the cluster.
    QByteArray conninfo(const QString& database = QStringLiteral("postgres")) const;

    // Runs sql (one or more statements) on a database of the cluster; value
    // is the first column of the last statement's first row.
    bool runSql(const QString& database, const QString& sql, QString* error, QString* value = nullptr) const;
    // A new database without any table.
    bool createEmptyDatabase(const QString& name, QString* error) const;
    // Creates a new database holding the program's schema rendered for
    // PostgreSQL and, unless empty, the statements of sql (such as the
    // fixture data); the identity keys continue after the keys sql gave.
    bool createDatabase(const QString& name, const QString& sql, QString* error) const;
    // A new database with the schema and the shipped system data, as
    // mensoly-cli initdb --postgresql makes it.
    bool createShippedDatabase(const QString& name, QString* error) const;

    // A statement that moves every identity counter behind the highest key,
    // for rows inserted with their keys.
    static QString continueKeys();
    // A database name in double quotes.
    static QString quotedName(const QString& name);

private:
    QString dataDir() const;
    bool run(const QString& tool, const QStringList& arguments);

    QString m_directory;
    QString m_error;
};
