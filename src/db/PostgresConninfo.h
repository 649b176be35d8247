#pragma once

#include <QString>

// What a libpq conninfo ("host=dbserver dbname=mensoly" or a postgresql://
// URI) names, read as libpq reads it, with libpq's defaults (PGHOST,
// PGDATABASE, the user's name) for what it leaves out.
struct PostgresConninfo
{
    // Reads conninfo; false with libpq's reason when it is malformed.
    bool parse(const QString& conninfo, QString* error = nullptr);

    QString host;   // a name, an address or a socket directory; empty: libpq's local socket
    QString dbname; // never empty after parse()
    bool hasPassword = false;

    // "host/dbname" ("dbserver/mensoly", "/var/run/postgresql/mensoly"), or
    // localSocket followed by "/dbname" when no host is named anywhere.
    QString place(const QString& localSocket) const;
};
