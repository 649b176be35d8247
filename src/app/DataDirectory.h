#pragma once

#include <QString>

// Which folder the program works in. The data directory is the current
// directory while the program runs: the one given with --data-dir, else the
// current directory when it holds the program's data, else the user's own
// folder (~/.local/share/Mensoly), which gets a fresh database on the first
// start.
class DataDirectory
{
public:
    struct Entered
    {
        // The absolute path changed into; empty on failure.
        QString path;
        // The database was created in path by this start.
        bool created = false;
        // Why the program cannot start, in the language asked for.
        QString error;
    };

    // $XDG_DATA_HOME/Mensoly, usually ~/.local/share/Mensoly.
    static QString userLocation();
    // "DE" when the system speaks German, else "US": the language of the
    // messages before a database says which one the user chose.
    static QString systemLanguage();
    // Whether directory holds the database file or a Mensoly.ini naming a
    // database server.
    static bool holdsData(const QString& directory);

    // Chooses the data directory and changes into it. given: the directory
    // of --data-dir (empty without); it must exist and is taken as it is.
    // fallback: the folder used when the current directory holds no data,
    // created with a database from the shipped system data when it holds
    // none; empty: the current directory is always kept. An existing
    // database is never overwritten. Messages in the language of code.
    static Entered enter(const QString& given, const QString& fallback, const QString& code);
};
