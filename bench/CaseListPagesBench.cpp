// The case list over 100,000 stored cases as the vet meets it: the first
// screen of a search (with and without criteria), the count that follows it
// and the jump to the last row (and to the middle). As the reference, the
// sqlite3 shell runs the same translated statement with LIMIT 50 on the same
// file; its time per statement is the difference between a shell that runs
// it many times and one that only starts, so process start-up drops out.
// The same list runs on a PostgreSQL database migrated from the file.

#include "BenchServer.h"
#include "BenchTiming.h"
#include "ManyCases.h"
#include "core/Prompt.h"
#include "db/AppContext.h"
#include "db/ConnectionString.h"
#include "db/SqliteBackend.h"
#include "output/CaseList.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <optional>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kCases = 100000;
constexpr int kRuns = 31;
constexpr int kShellRepeats = 400;
constexpr int kScreenRows = 50;

using BenchTiming::median;

// Median wall time of once() in milliseconds, after one warm-up run; prepare()
// runs before each, untimed.
double measure(const std::function<void()>& once, const std::function<void()>& prepare = {})
{
    if (prepare)
        prepare();
    once();
    std::vector<double> wall;
    for (int run = 0; run < kRuns; ++run) {
        if (prepare)
            prepare();
        const Clock::time_point start = Clock::now();
        once();
        wall.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return median(wall);
}

// Wall time of a shell process that runs sql `repeats` times, rows to /dev/null.
std::optional<double> shellRun(const QString& shell, const QString& path, const QString& sql, int repeats)
{
    QString script = QStringLiteral(".output /dev/null\n");
    for (int i = 0; i < repeats; ++i)
        script += sql + QStringLiteral(";\n");
    QProcess process;
    QElapsedTimer timer;
    timer.start();
    process.start(shell, {QStringLiteral("-batch"), path});
    if (!process.waitForStarted())
        return std::nullopt;
    process.write(script.toUtf8());
    process.closeWriteChannel();
    if (!process.waitForFinished(600000) || process.exitCode() != 0)
        return std::nullopt;
    return double(timer.nsecsElapsed()) / 1e6;
}

struct ShellTiming
{
    double perStatementMs = 0;
    double processMs = 0; // start, open, one statement, exit
};

std::optional<ShellTiming> measureShell(const QString& shell, const QString& path, const QString& sql)
{
    std::vector<double> many, one, none;
    for (int run = 0; run < 11; ++run) {
        const auto m = shellRun(shell, path, sql, kShellRepeats);
        const auto o = shellRun(shell, path, sql, 1);
        const auto n = shellRun(shell, path, QString(), 0);
        if (!m || !o || !n)
            return std::nullopt;
        many.push_back(*m);
        one.push_back(*o);
        none.push_back(*n);
    }
    return ShellTiming{(median(many) - median(none)) / kShellRepeats, median(one)};
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = ConnectionString::databasePath(dir.path());
    QString error;
    if (!ManyCases::create(path, kCases, &error)) {
        std::fprintf(stderr, "case_list_pages_bench: cannot build the database: %s\n", qPrintable(error));
        return 1;
    }
    AppContext context;
    if (!BenchTiming::openDatabase("case_list_pages_bench", context, dir.path()))
        return 1;
    const auto* backend = dynamic_cast<const SqliteBackend*>(context.db().backend());
    RecordingPrompt prompt;
    CaseList list(context, prompt);

    BenchServer server("case_list_pages_bench");
    AppContext serverContext;
    double migration = 0;
    const std::optional<QString> conninfo = server.migrate(path, &migration);
    const bool onServer = conninfo && server.open(serverContext, *conninfo);
    CaseList serverList(serverContext, prompt);

    // What the view reads for its first screen.
    QString sink;
    const auto firstScreenOf = [&](CaseList& list, const CaseSearchCriteria& criteria) {
        list.runSearch(criteria);
        for (int row = 0; row < std::min(kScreenRows, list.caseCount()); ++row)
            for (int c = CaseList::KeyColumn; c <= CaseList::DeleteColumn; ++c)
                sink = list.text(row, c);
    };
    const auto firstScreen = [&](const CaseSearchCriteria& criteria) { firstScreenOf(list, criteria); };

    CaseSearchCriteria none;
    CaseSearchCriteria byOwner;
    byOwner.owner = QStringLiteral("mü");
    CaseSearchCriteria bySpeciesAndTitle;
    bySpeciesAndTitle.species = QStringLiteral("3");
    bySpeciesAndTitle.title = QStringLiteral("diät");
    const struct
    {
        const char* name;
        CaseSearchCriteria criteria;
    } searches[] = {
        {"no criteria", none},
        {"owner text \"mü\"", byOwner},
        {"species 3, title \"diät\"", bySpeciesAndTitle},
    };

    const QString shell = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    std::printf("%d cases, median of %d runs, Release build expected; page size %d rows\n", kCases, kRuns,
                CaseList::PageSize);
    std::printf(
        "first screen: the search and the texts of its first %d rows (targets: under 30 ms and\n"
        "within 1.5x the shell); shell: per statement with LIMIT %d (runs of %d minus a bare start),\n"
        "and one whole process with one statement\n",
        kScreenRows, kScreenRows, kShellRepeats);
    if (onServer)
        std::printf("PostgreSQL: a throwaway cluster on a Unix socket, the file migrated in %.0f ms\n",
                    migration);
    std::printf("%-26s %8s %11s %11s %11s %7s %13s\n", "", "cases", "ours", "PostgreSQL", "shell", "ratio",
                "shell process");
    for (const auto& s : searches) {
        const double ours = measure([&] { firstScreen(s.criteria); });
        list.runSearch(s.criteria);
        list.countCases();
        std::printf("%-26s %8d %8.3f ms", s.name, list.caseCount(), ours);
        if (onServer)
            std::printf(" %8.3f ms", measure([&] { firstScreenOf(serverList, s.criteria); }));
        else
            std::printf(" %11s", "-");
        std::optional<ShellTiming> reference;
        if (!shell.isEmpty() && backend) {
            QString sql = CaseList::searchStatement(s.criteria);
            sql.chop(1);
            if (const std::optional<QString> translated = backend->translate(sql))
                reference =
                    measureShell(shell, path, *translated + QStringLiteral(" LIMIT %1").arg(kScreenRows));
        }
        if (reference)
            std::printf(" %8.3f ms %7.2f %10.2f ms\n", reference->perStatementMs,
                        reference->perStatementMs > 0 ? ours / reference->perStatementMs : 0.0,
                        reference->processMs);
        else
            std::printf("   (no reference: sqlite3 shell not found)\n");
    }

    std::printf("\nafter the first screen (a fresh search each run, its count and pages not timed before)\n");
    std::printf("%-38s %13s %17s %17s\n", "", "count", "last row shown", "middle row shown");
    const auto afterFirstScreen = [&](CaseList& list, const char* engine) {
        for (const auto& s : searches) {
            const auto search = [&] { list.runSearch(s.criteria); };
            const double count = measure([&] { list.countCases(); }, search);
            const auto counted = [&] {
                list.runSearch(s.criteria);
                list.countCases();
            };
            // The rows a screen at the end (or in the middle) of the list shows.
            const auto screenAt = [&](double where) {
                const int first = std::max(0, int(where * (list.caseCount() - kScreenRows)));
                for (int row = first; row < std::min(first + kScreenRows, list.caseCount()); ++row)
                    for (int c = CaseList::KeyColumn; c <= CaseList::DeleteColumn; ++c)
                        sink = list.text(row, c);
            };
            const double last = measure([&] { screenAt(1.0); }, counted);
            const double middle = measure([&] { screenAt(0.5); }, counted);
            std::printf("%-38s %10.3f ms %14.3f ms %14.3f ms\n",
                        qPrintable(QString::fromUtf8(engine) + QString::fromUtf8(s.name)), count, last,
                        middle);
        }
    };
    afterFirstScreen(list, "");
    if (onServer)
        afterFirstScreen(serverList, "PostgreSQL, ");
    std::printf("target for the last row: under 100 ms\n");
    return 0;
}
