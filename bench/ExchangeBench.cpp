// Time of the system-table exchange: export of a database with 2,000 system
// feedstuffs, 100,000 nutrient contents and the shipped requirements and
// nutrients, and import of that file into a freshly created database with the
// shipped data, both through SystemTableExchange. As the floor, the sqlite3
// command-line shell inserts the same rows into the same schema from
// generated INSERT statements in one transaction.

#include "BenchTiming.h"
#include "core/Prompt.h"
#include "db/AppContext.h"
#include "db/ConnectionString.h"
#include "db/DatabaseCreator.h"
#include "db/SqliteBackend.h"
#include "exchange/ExchangeFile.h"
#include "exchange/SystemTableExchange.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kFeedstuffs = 2000;
constexpr int kContents = 100000;
constexpr int kExportRuns = 5;
constexpr int kImportRuns = 3;

const char* const Foods[] = {"Hühnerbrust", "Rinderhack", "Reis",   "Möhren",     "Kartoffeln",
                             "Lachs",       "Quark",      "Hafer",  "Rapsöl",     "Pute",
                             "Lammfleisch", "Zucchini",   "Äpfel",  "Hüttenkäse", "Nudeln",
                             "Leber",       "Ei",         "Kürbis", "Hirse",      "Sardinen"};

bool exec(sqlite3* db, const char* sql)
{
    return BenchTiming::exec("exchange_bench", db, sql);
}

qint64 single(sqlite3* db, const char* sql)
{
    sqlite3_stmt* statement = nullptr;
    qint64 value = -1;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW)
        value = sqlite3_column_int64(statement, 0);
    sqlite3_finalize(statement);
    return value;
}

qint64 countRows(const QString& path, const char* sql)
{
    sqlite3* db = nullptr;
    qint64 value = -1;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK)
        value = single(db, sql);
    sqlite3_close(db);
    return value;
}

const char* const SystemContents =
    "SELECT COUNT(*) FROM T_FM_NAEHRSTOFF WHERE ID_FM IN (SELECT ID FROM T_FUTTERMITTEL WHERE EIGEN = 'M')";
const char* const SystemFeeds = "SELECT COUNT(*) FROM T_FUTTERMITTEL WHERE EIGEN = 'M'";

// Tops the shipped system feedstuffs and their contents up to kFeedstuffs
// and kContents.
bool fillDatabase(const QString& path)
{
    sqlite3* db = nullptr;
    if (sqlite3_open(path.toUtf8().constData(), &db) != SQLITE_OK)
        return false;
    // The name indexes are filled in the program's order.
    SqliteBackend::installCollation(db);
    const qint64 feeds = single(db, SystemFeeds);
    const qint64 contents = single(db, SystemContents);
    qint64 nextId = single(db, "SELECT MAX(ID) FROM T_FUTTERMITTEL") + 1;
    std::vector<qint64> nutrients;
    {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db, "SELECT ID FROM T_NAEHRSTOFFE ORDER BY ID", -1, &statement, nullptr);
        while (sqlite3_step(statement) == SQLITE_ROW)
            nutrients.push_back(sqlite3_column_int64(statement, 0));
        sqlite3_finalize(statement);
    }
    const qint64 newFeeds = kFeedstuffs - feeds;
    const qint64 newContents = kContents - contents;
    if (newFeeds <= 0 || newContents < 0 || nutrients.empty() ||
        qint64(nutrients.size()) * newFeeds < newContents) {
        sqlite3_close(db);
        return false;
    }

    bool ok = exec(db, "BEGIN;");
    sqlite3_stmt* insertFeed = nullptr;
    sqlite3_stmt* insertContent = nullptr;
    sqlite3_prepare_v2(
        db,
        "INSERT INTO T_FUTTERMITTEL (ID, ID_FM_TYP, BEZ_DE, BEZ_US, EIGEN, DEMO_KZ, DATUM, "
        "HERSTELLER, DATEN_FEHLEN, HINWEIS, AKTIV) "
        "VALUES (?, ?, ?, ?, 'M', '0', '2016-05-01', NULL, 'Jod, Vit. K', 'Quelle: Tabelle', ?)",
        -1, &insertFeed, nullptr);
    sqlite3_prepare_v2(
        db, "INSERT INTO T_FM_NAEHRSTOFF (ID_FM, ID_NAEHRSTOFF, MENGE, AKTIV) VALUES (?, ?, ?, -1)", -1,
        &insertContent, nullptr);
    qint64 written = 0;
    for (qint64 i = 0; i < newFeeds; ++i, ++nextId) {
        const QByteArray name = QStringLiteral("%1, Nr. %2")
                                    .arg(QString::fromUtf8(Foods[size_t(i) % std::size(Foods)]))
                                    .arg(nextId)
                                    .toUtf8();
        sqlite3_bind_int64(insertFeed, 1, nextId);
        sqlite3_bind_int(insertFeed, 2, 1 + int(i % 11));
        sqlite3_bind_text(insertFeed, 3, name.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insertFeed, 4, name.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(insertFeed, 5, i % 20 == 0 ? 0 : -1);
        ok = ok && sqlite3_step(insertFeed) == SQLITE_DONE;
        sqlite3_reset(insertFeed);
        // The contents spread evenly over the new feedstuffs.
        const qint64 share = newContents * (i + 1) / newFeeds - newContents * i / newFeeds;
        for (qint64 n = 0; n < share; ++n, ++written) {
            sqlite3_bind_int64(insertContent, 1, nextId);
            sqlite3_bind_int64(insertContent, 2, nutrients[size_t(n)]);
            sqlite3_bind_double(insertContent, 3, double((written * 37) % 100000) / 997.0);
            ok = ok && sqlite3_step(insertContent) == SQLITE_DONE;
            sqlite3_reset(insertContent);
        }
    }
    sqlite3_finalize(insertFeed);
    sqlite3_finalize(insertContent);
    ok = ok && written == newContents && exec(db, "COMMIT;");
    sqlite3_close(db);
    return ok;
}

using BenchTiming::median;

double seconds(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// A data directory holding a copy of the given database, opened through the
// program's layer.
struct Copy
{
    QTemporaryDir dir;
    AppContext context;

    bool open(const QString& from)
    {
        if (!dir.isValid() || !QFile::copy(from, ConnectionString::databasePath(dir.path())))
            return false;
        context.setDataDirectory(dir.path());
        context.setLanguageCode(QStringLiteral("DE"));
        context.setShareMode(QStringLiteral("Share Deny None"));
        context.setConnectionString(ConnectionString::build(dir.path(), context.shareMode()));
        return context.openDatabase();
    }
    QString path() const { return ConnectionString::databasePath(dir.path()); }
};

QString sqlValue(const QString& value)
{
    if (value.isEmpty())
        return QStringLiteral("NULL");
    QString quoted = value;
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

// The file's rows as the shell's script: the old system rows go, the file's
// rows come in, all in one transaction. Contents get their own IDs, as in
// the program's import.
QByteArray shellScript(const std::vector<ExchangeRecord>& records)
{
    QString script = QStringLiteral(
        "BEGIN;\n"
        "DELETE FROM T_FM_NAEHRSTOFF WHERE ID_FM IN (SELECT ID FROM T_FUTTERMITTEL WHERE EIGEN = 'M');\n"
        "DELETE FROM T_FUTTERMITTEL WHERE EIGEN = 'M';\n"
        "DELETE FROM T_BEDARF;\n"
        "DELETE FROM T_NAEHRSTOFFE;\n");
    for (const ExchangeRecord& record : records) {
        const bool content = record.table == QLatin1String("T_FM_NAEHRSTOFF");
        QStringList names, values;
        for (const ExchangeField& field : record.fields) {
            if (content && field.name == QLatin1String("ID"))
                continue;
            names << field.name;
            values << sqlValue(field.value);
        }
        script += QStringLiteral("INSERT INTO ") + record.table + QStringLiteral(" (") +
                  names.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (") +
                  values.join(QStringLiteral(", ")) + QStringLiteral(");\n");
    }
    script += QStringLiteral("COMMIT;\n");
    return script.toUtf8();
}

std::optional<double> shellRun(const QString& shell, const QString& database, const QString& scriptPath)
{
    QProcess process;
    process.setStandardInputFile(scriptPath);
    const Clock::time_point start = Clock::now();
    process.start(shell, {QStringLiteral("-batch"), QStringLiteral("-bail"), database});
    if (!process.waitForStarted() || !process.waitForFinished(600000) || process.exitCode() != 0) {
        std::fprintf(stderr, "exchange_bench: sqlite3: %s\n", process.readAllStandardError().constData());
        return std::nullopt;
    }
    return seconds(start);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir work;
    const QString shipped = work.filePath(QStringLiteral("shipped.db"));
    const QString large = work.filePath(QStringLiteral("large.db"));
    const QString file = work.filePath(QStringLiteral("system.txt"));
    QString error;
    if (!work.isValid() || !DatabaseCreator::create(shipped, &error) || !QFile::copy(shipped, large) ||
        !fillDatabase(large)) {
        std::fprintf(stderr, "exchange_bench: cannot build the databases: %s\n", qPrintable(error));
        return 1;
    }
    const qint64 requirements = countRows(large, "SELECT COUNT(*) FROM T_BEDARF");
    const qint64 nutrients = countRows(large, "SELECT COUNT(*) FROM T_NAEHRSTOFFE");
    std::printf(
        "%lld system feedstuffs, %lld contents, %lld requirements, %lld nutrients; shipped data plus\n"
        "generated feedstuffs; median of %d export and %d import runs, each on a fresh copy\n",
        countRows(large, SystemFeeds), countRows(large, SystemContents), (long long)requirements,
        (long long)nutrients, kExportRuns, kImportRuns);

    // Export.
    Copy source;
    if (!source.open(large)) {
        std::fprintf(stderr, "exchange_bench: cannot open the database\n");
        return 1;
    }
    std::vector<double> exportTimes;
    for (int run = 0; run < kExportRuns; ++run) {
        RecordingPrompt prompt;
        SystemTableExchange exchange(source.context, prompt);
        QFile::remove(file);
        const Clock::time_point start = Clock::now();
        const bool ok = exchange.exportTo(file);
        exportTimes.push_back(seconds(start));
        if (!ok) {
            std::fprintf(stderr, "exchange_bench: export failed: %s\n", qPrintable(prompt.lastText()));
            return 1;
        }
        std::printf("  export run %d: %.2f s\n", run + 1, exportTimes.back());
    }
    ExchangeFile exported;
    exported.path = file;
    if (!exported.read()) {
        std::fprintf(stderr, "exchange_bench: cannot read the exported file\n");
        return 1;
    }
    const auto contentRecords =
        std::count_if(exported.records.begin(), exported.records.end(),
                      [](const auto& r) { return r.table == QLatin1String("T_FM_NAEHRSTOFF"); });
    std::printf("  file: %lld records, %lld bytes\n", (long long)exported.records.size(),
                (long long)QFileInfo(file).size());

    // Import into the shipped database.
    std::vector<double> importTimes;
    qint64 imported = -1;
    for (int run = 0; run < kImportRuns; ++run) {
        Copy target;
        if (!target.open(shipped)) {
            std::fprintf(stderr, "exchange_bench: cannot open the shipped database\n");
            return 1;
        }
        RecordingPrompt prompt;
        SystemTableExchange exchange(target.context, prompt);
        const Clock::time_point start = Clock::now();
        const SystemTableExchange::Outcome outcome = exchange.importFrom(file);
        importTimes.push_back(seconds(start));
        if (outcome != SystemTableExchange::Outcome::Completed) {
            std::fprintf(stderr, "exchange_bench: import did not complete: %s\n",
                         qPrintable(prompt.lastText()));
            return 1;
        }
        imported = countRows(target.path(), SystemContents);
        std::printf("  import run %d: %.2f s\n", run + 1, importTimes.back());
    }

    // The sqlite3 shell, the same rows into the same schema.
    std::optional<double> shellTime;
    const QString shell = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    if (!shell.isEmpty()) {
        const QString scriptPath = work.filePath(QStringLiteral("import.sql"));
        QFile script(scriptPath);
        if (!script.open(QIODevice::WriteOnly) || script.write(shellScript(exported.records)) < 0) {
            std::fprintf(stderr, "exchange_bench: cannot write the shell's script\n");
            return 1;
        }
        script.close();
        // The shell's NOCASE is not the program's, so its deletes would not
        // find their entries in the name indexes the program built: it first
        // rebuilds them in its own order, untimed.
        const QString reindexPath = work.filePath(QStringLiteral("reindex.sql"));
        QFile reindex(reindexPath);
        if (!reindex.open(QIODevice::WriteOnly) || reindex.write("REINDEX NOCASE;\n") < 0) {
            std::fprintf(stderr, "exchange_bench: cannot write the shell's script\n");
            return 1;
        }
        reindex.close();
        std::vector<double> shellTimes;
        for (int run = 0; run < kImportRuns; ++run) {
            const QString target = work.filePath(QStringLiteral("shell%1.db").arg(run));
            if (!QFile::copy(shipped, target))
                return 1;
            if (!shellRun(shell, target, reindexPath))
                break;
            const std::optional<double> time = shellRun(shell, target, scriptPath);
            if (!time)
                break;
            shellTimes.push_back(*time);
            std::printf("  sqlite3 shell run %d: %.2f s (%lld contents)\n", run + 1, *time,
                        countRows(target, SystemContents));
        }
        if (int(shellTimes.size()) == kImportRuns)
            shellTime = median(shellTimes);
    }

    const double exportMedian = median(exportTimes);
    const double importMedian = median(importTimes);
    std::printf("export %lld contents: %.2f s\n", (long long)contentRecords, exportMedian);
    std::printf("import: %.2f s (%lld contents in the database afterwards)\n", importMedian, imported);
    if (shellTime) {
        std::printf("sqlite3 shell import: %.2f s\n", *shellTime);
        std::printf("import / shell: %.1fx\n", importMedian / *shellTime);
    } else {
        std::printf("sqlite3 shell not found or failed: no floor\n");
    }
    std::printf("targets: export under 2 s, import under 5 s and within 3x the shell\n");
    return 0;
}
