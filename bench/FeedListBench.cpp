// Time of the ration page's feedstuff list over 10,000 feedstuffs with their
// categories: its first screen (the first page the list reads) without and
// with each filter, and scrolling the list to its last row. Ours runs through
// the page's own statements and the list model; as the reference, the sqlite3
// command-line shell runs the first page's translated statement on the same
// file. The list runs once more on a PostgreSQL database migrated from it.

#include "BenchServer.h"
#include "BenchTiming.h"
#include "core/Prompt.h"
#include "db/AppContext.h"
#include "db/ConnectionString.h"
#include "db/DatabaseCreator.h"
#include "db/PagedChoiceList.h"
#include "db/SqliteBackend.h"
#include "ration/RationPage.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>
#include <vector>

namespace {

constexpr int kFeedstuffs = 10000;
constexpr int kRuns = 31;

const char* const Foods[] = {"Hühnerbrust", "Rinderhack", "Reis",         "Möhren",     "Kartoffeln",
                             "Lachs",       "Quark",      "Haferflocken", "Rapsöl",     "Pute",
                             "Lammfleisch", "Zucchini",   "Äpfel",        "Hüttenkäse", "Nudeln",
                             "Leber",       "Ei",         "Kürbis",       "Hirse",      "Sardinen"};
const char* const Preparations[] = {"roh",        "gekocht", "gedünstet", "gebraten",
                                    "getrocknet", "püriert", "gegart"};

bool exec(sqlite3* db, const char* sql)
{
    return BenchTiming::exec("feed_list_bench", db, sql);
}

template <size_t N> const char* pick(const char* const (&list)[N], int i)
{
    return list[size_t(i) % N];
}

bool fillDatabase(const QString& path)
{
    sqlite3* db = nullptr;
    if (sqlite3_open(path.toUtf8().constData(), &db) != SQLITE_OK)
        return false;
    // The name indexes are filled in the program's order.
    SqliteBackend::installCollation(db);
    bool ok = exec(db, "BEGIN;");
    sqlite3_stmt* insertFeed = nullptr;
    sqlite3_stmt* insertCategory = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO T_FUTTERMITTEL (ID, ID_FM_TYP, BEZ_DE, BEZ_US, EIGEN, AKTIV) "
                       "VALUES (?, ?, ?, ?, 'M', ?)",
                       -1, &insertFeed, nullptr);
    sqlite3_prepare_v2(db, "INSERT INTO T_FM_KAT (ID_FM, ID_FM_KATEGORIE, AKTIV) VALUES (?, ?, -1)", -1,
                       &insertCategory, nullptr);
    for (int id = 1; id <= kFeedstuffs; ++id) {
        const QByteArray name = QStringLiteral("%1, %2 Nr. %3")
                                    .arg(QString::fromUtf8(pick(Foods, id * 7 + id / 50)),
                                         QString::fromUtf8(pick(Preparations, id)))
                                    .arg(id)
                                    .toUtf8();
        sqlite3_bind_int(insertFeed, 1, id);
        sqlite3_bind_int(insertFeed, 2, 1 + id % 11);
        sqlite3_bind_text(insertFeed, 3, name.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insertFeed, 4, name.constData(), -1, SQLITE_TRANSIENT);
        // One feedstuff in twenty is no longer in use.
        sqlite3_bind_int(insertFeed, 5, id % 20 == 0 ? 0 : -1);
        ok = ok && sqlite3_step(insertFeed) == SQLITE_DONE;
        sqlite3_reset(insertFeed);
        for (int category : {1 + id % 7, 1 + id % 5}) {
            sqlite3_bind_int(insertCategory, 1, id);
            sqlite3_bind_int(insertCategory, 2, category);
            ok = ok && sqlite3_step(insertCategory) == SQLITE_DONE;
            sqlite3_reset(insertCategory);
        }
    }
    sqlite3_finalize(insertFeed);
    sqlite3_finalize(insertCategory);
    ok = ok && exec(db, "COMMIT;") && exec(db, "ANALYZE;");
    sqlite3_close(db);
    return ok;
}

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
    if (!DatabaseCreator::create(path, &error, DatabaseCreator::Contents::SchemaOnly) ||
        !fillDatabase(path)) {
        std::fprintf(stderr, "feed_list_bench: cannot build the database: %s\n", qPrintable(error));
        return 1;
    }

    AppContext context;
    if (!BenchTiming::openDatabase("feed_list_bench", context, dir.path()))
        return 1;
    const auto* backend = dynamic_cast<const SqliteBackend*>(context.db().backend());
    BenchServer server("feed_list_bench");
    AppContext serverContext;
    double migration = 0;
    const std::optional<QString> conninfo = server.migrate(path, &migration);
    const bool onServer = conninfo && server.open(serverContext, *conninfo);

    struct Filter
    {
        const char* name;
        const char* category;
        const char* type;
        const char* search;
    };
    const Filter filters[] = {
        {"no filter", "-1", "-1", ""},
        {"category 3", "3", "-1", ""},
        {"type 4", "-1", "4", ""},
        {"category 3 and type 4", "3", "4", ""},
        {"search text \"hü\"", "-1", "-1", "hü"},
        {"search text \"o'b\" (no match)", "-1", "-1", "o'b"},
    };

    // What RationPage::fillFeedList does for these filters.
    PagedChoiceList list;
    const auto query = [](const Filter& f) {
        return RationPage::feedListQuery(QStringLiteral("DE"), QLatin1String(f.category),
                                         QLatin1String(f.type), QString::fromUtf8(f.search));
    };
    const auto scrollToEnd = [&list] {
        while (list.canFetchMore(QModelIndex()))
            list.fetchMore(QModelIndex());
    };

    const QString shell = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    std::printf("%d feedstuffs, two categories each; median of %d runs\n", kFeedstuffs, kRuns);
    if (shell.isEmpty())
        std::printf("sqlite3 shell not found: no reference figures\n");
    else
        std::printf("reference: the first page's statement (LIMIT %d) in the sqlite3 shell (%s), rows to\n"
                    "/dev/null; LCase() is lower() there\n",
                    PagedChoiceList::FirstPageSize, qPrintable(shell));
    const auto reference = [&](const QString& jetSql) -> std::optional<Timing> {
        if (shell.isEmpty() || !backend)
            return std::nullopt;
        const std::optional<QString> translated = backend->translate(jetSql);
        if (!translated)
            return std::nullopt;
        QString sql = *translated;
        sql.replace(QStringLiteral("LCase("), QStringLiteral("lower("), Qt::CaseInsensitive);
        return BenchTiming::measureInShell("feed_list_bench", shell, path, sql, kRuns);
    };

    if (onServer)
        std::printf("PostgreSQL: a throwaway cluster on a Unix socket, the file migrated in %.0f ms; its\n"
                    "column is the wall time of ours there\n",
                    migration);
    const auto onServerWall = [&](const std::function<void()>& once) {
        if (onServer)
            std::printf(" %8.2f ms", measureRuns(once).wallMs);
        else
            std::printf(" %11s", "-");
    };
    std::printf("%-38s %6s %11s %10s %11s %12s %11s %7s\n", "first screen", "rows", "ours wall", "ours cpu",
                "PostgreSQL", "shell wall", "shell cpu", "ratio");
    for (const Filter& f : filters) {
        const Timing ours = measureRuns([&] { list.fill(context.db(), query(f)); });
        std::printf("%-38s %6d %8.2f ms %7.2f ms", f.name, list.count(), ours.wallMs, ours.cpuMs);
        onServerWall([&] { list.fill(serverContext.db(), query(f)); });
        const std::optional<Timing> shellTime = reference(
            PagedChoiceList::pageStatement(query(f), nullptr, false, PagedChoiceList::FirstPageSize));
        if (shellTime)
            std::printf(" %9.2f ms %8.2f ms %7.2f\n", shellTime->wallMs, shellTime->cpuMs,
                        shellTime->cpuMs > 0 ? ours.cpuMs / shellTime->cpuMs : 0.0);
        else
            std::printf("   (no reference)\n");
    }
    std::printf("ratio: ours cpu / shell cpu\n\n");

    std::printf("%-38s %6s %11s %10s %11s %12s %11s\n", "to the last row", "rows", "ours wall", "ours cpu",
                "PostgreSQL", "shell wall", "shell cpu");
    for (const Filter& f : {filters[0], filters[1]}) {
        const Timing ours = measureRuns([&] {
            list.fill(context.db(), query(f));
            scrollToEnd();
        });
        std::printf("%-38s %6d %8.2f ms %7.2f ms", f.name, list.count(), ours.wallMs, ours.cpuMs);
        onServerWall([&] {
            list.fill(serverContext.db(), query(f));
            scrollToEnd();
        });
        // The shell reads the whole ordered list at once.
        const std::optional<Timing> shellTime =
            reference(PagedChoiceList::pageStatement(query(f), nullptr, false, 0));
        if (shellTime)
            std::printf(" %9.2f ms %8.2f ms\n", shellTime->wallMs, shellTime->cpuMs);
        else
            std::printf("   (no reference: whole list)\n");
    }
    std::printf("ours: filling the list, then fetchMore() as a view scrolled to its end calls it\n\n");

    // The translated statements stepped through SQLite's interface directly,
    // on our connection and, for the search, on a plain connection in this
    // process with SQLite's own like() (ASCII case only). Unlike the backend,
    // these calls do not clear the vector registers that Qt's hashing leaves
    // in use (see SqliteBackend.cpp), which shows in the search's time.
    if (backend) {
        const auto stepped = [&](sqlite3* db, const Filter& f) {
            const QByteArray sql = backend
                                       ->translate(PagedChoiceList::pageStatement(
                                           query(f), nullptr, false, PagedChoiceList::FirstPageSize))
                                       .value_or(QString())
                                       .toUtf8();
            return measureRuns([&] {
                       sqlite3_stmt* statement = nullptr;
                       sqlite3_prepare_v2(db, sql.constData(), -1, &statement, nullptr);
                       while (sqlite3_step(statement) == SQLITE_ROW)
                           sqlite3_column_text(statement, 1);
                       sqlite3_finalize(statement);
                   })
                .cpuMs;
        };
        sqlite3* plain = nullptr;
        sqlite3_open_v2(path.toUtf8().constData(), &plain, SQLITE_OPEN_READONLY, nullptr);
        std::printf(
            "SQLite's interface called directly, vector registers not cleared, first screen: without a\n"
            "filter %.3f ms cpu on our connection; search text without a match %.3f ms cpu on ours,\n"
            "%.3f ms cpu on a plain connection\n",
            stepped(backend->handle(), filters[0]), stepped(backend->handle(), filters[5]),
            stepped(plain, filters[5]));
        sqlite3_close(plain);
    }
    return 0;
}
