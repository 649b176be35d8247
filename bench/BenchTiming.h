#pragma once

#include <QString>

#include <functional>
#include <optional>
#include <vector>

class AppContext;
struct sqlite3;

// What the timing programs share: medians of repeated runs, the sqlite3 shell
// as the reference, and the program's connection to a bench database.
namespace BenchTiming {

struct Timing
{
    double wallMs = 0;
    double cpuMs = 0;
};

// CPU time of this process so far.
double cpuSeconds();
double median(std::vector<double> values);
// Median wall and CPU time of once() over runs, after one warm-up run.
Timing measure(const std::function<void()>& once, int runs);
// Runs the statement runs times (after one warm-up) in the sqlite3 shell with
// its timer on and the rows written to /dev/null. The shell prints wall time
// to the millisecond only, so its CPU time (user + sys) is the finer figure.
// who names the bench in its error messages.
std::optional<Timing> measureInShell(const char* who, const QString& shell, const QString& path,
                                     const QString& sql, int runs);
// Runs SQL on a raw connection; false with the message on standard error.
bool exec(const char* who, sqlite3* db, const char* sql);
// Opens the database in directory as the program does, German; false with a
// message on standard error.
bool openDatabase(const char* who, AppContext& context, const QString& directory);
// Creates a database with the shipped system data in directory, lets fill
// add its rows through the file's path, and opens it as openDatabase() does;
// false with a message on standard error.
bool createAndOpen(const char* who, AppContext& context, const QString& directory,
                   const std::function<bool(const QString& path)>& fill);

} // namespace BenchTiming
