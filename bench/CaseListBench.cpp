// Time of the search a vet runs all day: the case list over 100,000 stored
// cases (with an owner text and without criteria), through the program's own
// code from statement to every row read. As the reference, the same translated
// statements run in the sqlite3 command-line shell on the same file. The
// ration page's feedstuff list has its own bench (FeedListBench).

#include "BenchTiming.h"
#include "ManyCases.h"
#include "core/Prompt.h"
#include "db/AppContext.h"
#include "db/ConnectionString.h"
#include "db/DatabaseCreator.h"
#include "db/RecordSet.h"
#include "db/SqliteBackend.h"
#include "output/CaseList.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>
#include <vector>

namespace {

constexpr int kCases = 100000;
constexpr int kRuns = 15;

using BenchTiming::Timing;

Timing measureRuns(const std::function<void()>& once)
{
    return BenchTiming::measure(once, kRuns);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = ConnectionString::databasePath(dir.path());
    QString error;
    if (!ManyCases::create(path, kCases, &error, DatabaseCreator::Contents::SchemaOnly)) {
        std::fprintf(stderr, "case_list_bench: cannot build the database: %s\n", qPrintable(error));
        return 1;
    }

    AppContext context;
    if (!BenchTiming::openDatabase("case_list_bench", context, dir.path()))
        return 1;
    const auto* backend = dynamic_cast<const SqliteBackend*>(context.db().backend());
    RecordingPrompt prompt;

    CaseList list(context, prompt);

    struct Case
    {
        const char* name;
        std::function<void()> run;
        std::function<int()> count;
        QString statement;
    };
    CaseSearchCriteria byOwner;
    byOwner.owner = QStringLiteral("mü");
    const CaseSearchCriteria none;
    // Every row of the list, read as the view reads them scrolling down;
    // case_list_pages_bench times the first screen and the last row.
    const auto readWholeList = [&list](const CaseSearchCriteria& criteria) {
        list.runSearch(criteria);
        while (list.canFetchMore({}))
            list.fetchMore({});
    };
    const Case cases[] = {
        {"case list, owner text \"mü\"", [&] { readWholeList(byOwner); }, [&] { return list.caseCount(); },
         CaseList::searchStatement(byOwner)},
        {"case list, no criteria", [&] { readWholeList(none); }, [&] { return list.caseCount(); },
         CaseList::searchStatement(none)},
    };

    const QString shell = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    std::printf("%d cases; median of %d runs; ours from statement to every row read\n", kCases, kRuns);
    if (shell.isEmpty())
        std::printf("sqlite3 shell not found: no reference figures\n");
    else
        std::printf(
            "reference: the same statements in the sqlite3 shell (%s), rows to /dev/null; the shell has\n"
            "SQLite's built-in like(), NOCASE and lower(), which fold ASCII letters only, where our\n"
            "connection installs Unicode-aware ones (umlauts); LCase() is lower() there\n",
            qPrintable(shell));
    std::printf("%-36s %7s %11s %10s %12s %11s %7s\n", "", "rows", "ours wall", "ours cpu", "shell wall",
                "shell cpu", "ratio");
    for (const Case& c : cases) {
        const Timing ours = measureRuns(c.run);
        std::printf("%-36s %7d %8.2f ms %7.2f ms", c.name, c.count(), ours.wallMs, ours.cpuMs);
        std::optional<Timing> reference;
        if (!shell.isEmpty() && backend) {
            const std::optional<QString> translated = backend->translate(c.statement);
            if (translated) {
                QString sql = *translated;
                sql.replace(QStringLiteral("LCase("), QStringLiteral("lower("), Qt::CaseInsensitive);
                reference = BenchTiming::measureInShell("case_list_bench", shell, path, sql, kRuns);
            }
        }
        if (reference)
            std::printf(" %9.2f ms %8.2f ms %7.2f\n", reference->wallMs, reference->cpuMs,
                        reference->cpuMs > 0 ? ours.cpuMs / reference->cpuMs : 0.0);
        else
            std::printf("   (no reference)\n");
    }
    std::printf("ratio: ours cpu / shell cpu\n");

    // Where the case list's time goes, without criteria.
    const QString sql = CaseList::searchStatement(none);
    const auto step = [&](const QString& statement, bool read) {
        return measureRuns([&] {
            RecordSet rs;
            rs.openRecordset(context.db(), statement);
            for (QString text; !rs.isEof(); rs.moveNext()) {
                if (!read)
                    continue;
                for (const char* column : {"ID", "Name_Besitzer", "Name_Pat", "Datum", "Rezepttitel"})
                    rs.getFieldText(QLatin1String(column), text);
            }
        });
    };
    QString unordered = sql;
    unordered.truncate(unordered.indexOf(QStringLiteral(" ORDER BY")));
    std::printf("case list without criteria, our connection: statement stepped through %.2f ms (without its\n"
                "ORDER BY %.2f ms), every field read as text %.2f ms, the rest is the list's own work\n",
                step(sql, false).wallMs, step(unordered, false).wallMs, step(sql, true).wallMs);
    return 0;
}
