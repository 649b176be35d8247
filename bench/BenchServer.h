#pragma once

#include "support/ThrowawayPostgres.h"

#include <QString>

#include <optional>

class AppContext;

// The benches' PostgreSQL side: a throwaway cluster for as long as the object
// lives, filled by migrating a bench's SQLite file as mensoly-cli migrate does.
class BenchServer
{
public:
    explicit BenchServer(const char* who);

    // The cluster runs; otherwise why not, once, on standard error.
    bool isRunning() const { return m_cluster.isRunning(); }
    // A new database holding the file's tables and rows; the conninfo, or
    // nothing with the reason on standard error. ms gets the migration's time.
    std::optional<QString> migrate(const QString& sqlitePath, double* ms = nullptr);
    // Opens a migrated database as the program opens a server's, German.
    bool open(AppContext& context, const QString& conninfo);

private:
    const char* m_who;
    ThrowawayPostgres m_cluster;
    int m_databases = 0;
};
