#include "BenchTiming.h"

#include "db/AppContext.h"
#include "db/ConnectionString.h"
#include "db/DatabaseCreator.h"

#include <QProcess>
#include <QRegularExpression>

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>

namespace BenchTiming {

double cpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

double median(std::vector<double> values)
{
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

Timing measure(const std::function<void()>& once, int runs)
{
    using Clock = std::chrono::steady_clock;
    once(); // warm the page cache and the statement path
    std::vector<double> wall, cpu;
    for (int run = 0; run < runs; ++run) {
        const Clock::time_point start = Clock::now();
        const double cpuStart = cpuSeconds();
        once();
        cpu.push_back((cpuSeconds() - cpuStart) * 1000.0);
        wall.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return {median(wall), median(cpu)};
}

std::optional<Timing> measureInShell(const char* who, const QString& shell, const QString& path,
                                     const QString& sql, int runs)
{
    QString script = QStringLiteral(".output /dev/null\n") + sql + QStringLiteral(";\n.timer on\n");
    for (int run = 0; run < runs; ++run)
        script += sql + QStringLiteral(";\n");
    QProcess process;
    process.start(shell, {QStringLiteral("-batch"), path});
    if (!process.waitForStarted())
        return std::nullopt;
    process.write(script.toUtf8());
    process.closeWriteChannel();
    if (!process.waitForFinished(600000) || process.exitCode() != 0) {
        std::fprintf(stderr, "%s: sqlite3: %s\n", who, process.readAllStandardError().constData());
        return std::nullopt;
    }
    static const QRegularExpression runTime(
        QStringLiteral("Run Time: real ([0-9.]+) user ([0-9.]+) sys ([0-9.]+)"));
    std::vector<double> wall, cpu;
    auto it = runTime.globalMatch(QString::fromUtf8(process.readAllStandardOutput()));
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        wall.push_back(m.captured(1).toDouble() * 1000.0);
        cpu.push_back((m.captured(2).toDouble() + m.captured(3).toDouble()) * 1000.0);
    }
    if (int(cpu.size()) != runs)
        return std::nullopt;
    return Timing{median(wall), median(cpu)};
}

bool exec(const char* who, sqlite3* db, const char* sql)
{
    char* message = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &message) == SQLITE_OK)
        return true;
    std::fprintf(stderr, "%s: %s\n", who, message ? message : "?");
    sqlite3_free(message);
    return false;
}

bool openDatabase(const char* who, AppContext& context, const QString& directory)
{
    context.setLanguageCode(QStringLiteral("DE"));
    context.setDataDirectory(directory);
    context.setShareMode(QStringLiteral("Share Deny None"));
    context.setConnectionString(ConnectionString::build(directory, context.shareMode()));
    if (context.openDatabase())
        return true;
    std::fprintf(stderr, "%s: cannot open the database\n", who);
    return false;
}

bool createAndOpen(const char* who, AppContext& context, const QString& directory,
                   const std::function<bool(const QString& path)>& fill)
{
    const QString path = ConnectionString::databasePath(directory);
    QString error;
    if (!DatabaseCreator::create(path, &error, DatabaseCreator::Contents::SystemData) || !fill(path)) {
        std::fprintf(stderr, "%s: cannot build the database: %s\n", who, qPrintable(error));
        return false;
    }
    return openDatabase(who, context, directory);
}

} // namespace BenchTiming
