// Time of the two recalculations a case window runs most: one edited daily
// amount (contributions of that feedstuff, supply, indicators) and one full
// requirement pass, for a ration of 30 feedstuffs over 60 nutrient and 20
// indicator columns on a database of 5,000 feedstuffs; on the SQLite file and
// on a PostgreSQL database migrated from it.

#include "BenchServer.h"
#include "BenchTiming.h"
#include "db/AppContext.h"
#include "db/ConnectionString.h"
#include "db/DatabaseCreator.h"
#include "db/SqliteBackend.h"
#include "ration/CaseHeaderSource.h"
#include "ration/NutrientColumns.h"
#include "ration/RationCalculation.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kFeedstuffs = 5000;
constexpr int kRationFeeds = 30;
constexpr int kNutrients = 60;
constexpr int kIndicators = 20;
constexpr int kRuns = 31;

// The nutrients the indicator formulas read come first, then 60 and 61, then fillers.
std::vector<int> nutrientKeys()
{
    std::vector<int> keys = {9, 61, 60, 24, 1, 15, 14, 8, 11, 12, 19, 16, 7, 20, 21, 32, 33, 35};
    for (int key = 100; int(keys.size()) < kNutrients; ++key)
        keys.push_back(key);
    return keys;
}

bool exec(sqlite3* db, const QString& sql)
{
    char* message = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &message) != SQLITE_OK) {
        std::fprintf(stderr, "case_bench: %s\n", message ? message : "?");
        sqlite3_free(message);
        return false;
    }
    return true;
}

bool fillDatabase(const QString& path)
{
    sqlite3* db = nullptr;
    if (sqlite3_open(path.toUtf8().constData(), &db) != SQLITE_OK)
        return false;
    // The name indexes are filled in the program's order.
    SqliteBackend::installCollation(db);
    QString sql =
        QStringLiteral("BEGIN;"
                       "INSERT INTO T_FALL (ID, BEZ_DE, BEZ_US, ID_GATTUNG, ID_GESCHLECHT, BerTyp, AKTIV) "
                       "VALUES (7, 'Erhaltung', 'Maintenance', 2, 1, 7, -1);");
    const std::vector<int> keys = nutrientKeys();
    int sort = 0;
    int formula = 0;
    for (int key : keys) {
        sql += QStringLiteral(
                   "INSERT INTO T_NAEHRSTOFFE (ID, SORT, KUERZEL_DE, KUERZEL_US, ME_DE, ME_US, KZ_IK, "
                   "NK_STELLEN, AKTIV) VALUES (%1, %2, 'N%1', 'N%1', 'g', 'g', 'I', 2, -1);")
                   .arg(key)
                   .arg(++sort);
        const QString text = key == 9 ? QStringLiteral("AMEKC * 0.004184")
                                      : QStringLiteral("if GATT == 2 then (AKTGEW ^ 0.75) * %1 * MEBED / 100 "
                                                       "else (SOLLGEW ^ 0.67) * %1")
                                            .arg(0.5 + key % 17);
        sql += QStringLiteral("INSERT INTO T_BEDARF (ID, BERTYP_FALL, ID_NAEHRSTOFF, WERT_FORMEL, AKTIV) "
                              "VALUES (%1, 7, %2, '%3', -1);")
                   .arg(++formula)
                   .arg(key)
                   .arg(text);
        sql +=
            QStringLiteral(
                "INSERT INTO T_FALL_NAEHRSTOFF (ID_FALL, ID_Naehrstoff, FIXED, AKTIV) VALUES (7, %1, 0, -1);")
                .arg(key);
    }
    const char* indicatorFormulas[] = {"if P > 0 then CA / P else 0", "if MEMJ > 0 then RP / MEMJ else 0",
                                       "(NA + K + MG) / (TS + 1)", "ZN * CU + MET + CYS - CL",
                                       "RFA + RFE + NFE"};
    for (int i = 0; i < kIndicators; ++i) {
        const int key = 300 + i;
        sql += QStringLiteral(
                   "INSERT INTO T_NAEHRSTOFFE (ID, SORT, KUERZEL_DE, KUERZEL_US, ME_DE, ME_US, KZ_IK, "
                   "NK_STELLEN, AKTIV) VALUES (%1, %2, 'K%1', 'K%1', ':1', ':1', 'K', 2, -1);")
                   .arg(key)
                   .arg(++sort);
        sql += QStringLiteral("INSERT INTO T_BEDARF (ID, BERTYP_FALL, ID_NAEHRSTOFF, WERT_FORMEL, AKTIV) "
                              "VALUES (%1, 7, %2, '%3', -1);")
                   .arg(++formula)
                   .arg(key)
                   .arg(QLatin1String(indicatorFormulas[i % 5]));
    }
    if (!exec(db, sql + QStringLiteral("COMMIT;")))
        return false;

    sqlite3_stmt* feed = nullptr;
    sqlite3_stmt* content = nullptr;
    exec(db, QStringLiteral("BEGIN;"));
    sqlite3_prepare_v2(
        db,
        "INSERT INTO T_FUTTERMITTEL (ID, ID_FM_TYP, BEZ_DE, BEZ_US, EIGEN, AKTIV) VALUES (?, 1, ?, ?, 'M', -1)",
        -1, &feed, nullptr);
    sqlite3_prepare_v2(
        db, "INSERT INTO T_FM_NAEHRSTOFF (ID_FM, ID_NAEHRSTOFF, MENGE, AKTIV) VALUES (?, ?, ?, -1)", -1,
        &content, nullptr);
    for (int id = 1; id <= kFeedstuffs; ++id) {
        const QByteArray name = QStringLiteral("Futtermittel %1").arg(id).toUtf8();
        sqlite3_bind_int(feed, 1, id);
        sqlite3_bind_text(feed, 2, name.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(feed, 3, name.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_step(feed);
        sqlite3_reset(feed);
        for (int key : keys) {
            sqlite3_bind_int(content, 1, id);
            sqlite3_bind_int(content, 2, key);
            sqlite3_bind_double(content, 3, 0.01 * ((id * 31 + key * 7) % 2000));
            sqlite3_step(content);
            sqlite3_reset(content);
        }
    }
    sqlite3_finalize(feed);
    sqlite3_finalize(content);
    const bool ok = exec(db, QStringLiteral("COMMIT;"));
    sqlite3_close(db);
    return ok;
}

template <typename Fn> double medianMilliseconds(Fn&& once)
{
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        const Clock::time_point start = Clock::now();
        once(run);
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::nth_element(times.begin(), times.begin() + kRuns / 2, times.end());
    return times[kRuns / 2];
}

struct Figures
{
    double edit = 0;
    double requirements = 0;
    double evaluation = 0;
};

// The case window's recalculations on the database of context.
Figures measureCase(AppContext& context, const char* engine)
{
    CaseInputs header;
    header.caseType = 7;
    header.species = 2;
    header.sex = 1;
    header.actual = QStringLiteral("20");
    header.target = QStringLiteral("18");
    header.energy = QStringLiteral("100");
    RationCalculation ration(context, header);
    ration.buildRationGrid();
    ration.buildProfileGrid();
    ration.applyCaseNutrientSelection();
    ration.loadRequirementFormulas();
    ration.loadIndicatorFormulas();
    for (int i = 0; i < kRationFeeds; ++i) {
        const QString key = QString::number(1 + i * (kFeedstuffs / kRationFeeds));
        ration.grids().appendFeedRow(key, QStringLiteral("Futtermittel ") + key, QStringLiteral("100"));
        ration.recalcContributions(key, QStringLiteral("100"));
    }
    std::printf("%s: ration grid: %d nutrient columns, %d feedstuff rows; profile grid: %d indicator "
                "columns\n",
                engine, ration.rationGrid().columnCount() - 3, ration.grids().feedRowCount(),
                ration.profileGrid().columnCount() - 3);

    GridModel& grid = ration.rationGrid();
    const int editedRow = NutrientColumns::FirstFeedRow + kRationFeeds / 2;
    const QString editedKey = grid.text(editedRow, RationGrids::KeyColumn);
    Figures figures;
    figures.edit = medianMilliseconds([&](int run) {
        const QString amount = QString::number(100 + run) + QStringLiteral(",5");
        grid.endEdit(editedRow, RationGrids::AmountColumn, amount);
        // Contributions of the one feedstuff, then supply and indicators.
        ration.recalcContributions(editedKey, amount);
    });
    figures.requirements = medianMilliseconds([&](int) { ration.loadRequirementFormulas(); });
    figures.evaluation = medianMilliseconds([&](int) { ration.evaluateRequirements(); });

    // Shown so that a run which computed nothing cannot pass for a fast one.
    std::printf("%s: requirement / supply of nutrient 24: %s / %s; first indicator: %s\n", engine,
                qPrintable(ration.lookupRequirement(QStringLiteral("24"))),
                qPrintable(ration.lookupSupply(QStringLiteral("24"))),
                qPrintable(ration.profileGrid().text(3, 3)));
    return figures;
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
        std::fprintf(stderr, "case_bench: cannot build the database: %s\n", qPrintable(error));
        return 1;
    }

    AppContext context;
    if (!BenchTiming::openDatabase("case_bench", context, dir.path()))
        return 1;
    const Figures file = measureCase(context, "SQLite");
    BenchServer server("case_bench");
    AppContext serverContext;
    const std::optional<QString> conninfo = server.migrate(path);
    std::optional<Figures> onServer;
    if (conninfo && server.open(serverContext, *conninfo))
        onServer = measureCase(serverContext, "PostgreSQL");

    std::printf("%-52s %10s %11s\n", "median", "SQLite", "PostgreSQL");
    const auto line = [&](const char* name, double Figures::*figure) {
        std::printf("%-52s %7.3f ms", name, file.*figure);
        if (onServer)
            std::printf(" %8.3f ms\n", (*onServer).*figure);
        else
            std::printf(" %11s\n", "-");
    };
    line("amount edit (contributions + supply + indicators)", &Figures::edit);
    line("full requirement pass (formulas read and evaluated)", &Figures::requirements);
    line("requirement evaluation alone (birth date change)", &Figures::evaluation);
    return 0;
}
