// Time of "Balance ration" on the shipped data: a 20 kg adult dog fed 12
// shipped feedstuffs, 100 g each, those with the most stored contents taken
// by turns from each feedstuff type, so that the ration mixes meat, cereals,
// vegetables and oils, with all 42 nutrient columns of the case type marked
// (32 of them carry a requirement for this dog). Times the goal
// program alone (RationBalancer::balance on the read input) and the whole
// start of the dialog's logic, reading included; the latter on the SQLite
// file and on a PostgreSQL database migrated from it.

#include "BenchServer.h"
#include "BenchTiming.h"
#include "core/NumberText.h"
#include "core/Prompt.h"
#include "db/AppContext.h"
#include "db/ConnectionString.h"
#include "db/DatabaseCreator.h"
#include "output/StoredCase.h"
#include "ration/BalanceData.h"
#include "ration/CaseHeaderForm.h"
#include "ration/NutrientColumns.h"
#include "ration/RationBalancer.h"
#include "ration/RationBalancing.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <cstdio>
#include <optional>

namespace {

constexpr int kFeeds = 12;
constexpr int kBalanceRuns = 201;
constexpr int kStartRuns = 51;

// The case, stored as the case window stores it (supplements left out of the
// ration: they are offered as hints).
bool addCase(const QString& path)
{
    sqlite3* db = nullptr;
    if (sqlite3_open(path.toUtf8().constData(), &db) != SQLITE_OK)
        return false;
    const QString sql =
        QStringLiteral(
            "BEGIN;"
            "INSERT INTO T_PAT_REZ (ID, ID_Anrede, Name_Besitzer, Name_Pat, ID_Gattung, ID_Geschlecht, ID_Fall, "
            "Gewicht_akt, Gewicht_soll, Gewicht_adult, Anz_Welpen, Energie, Rippen, Rezepttitel, Datum, Bemerkung) "
            "VALUES (1, 1, 'Bench', 'Bello', 2, 1, 7, 20, 20, 0, 0, 100, '0', 'Ausgleich', "
            "'2024-04-03 10:00:00', ' ');"
            "INSERT INTO T_REZ_FM (ID_Rezept, ID_Futtermittel, TagRat) SELECT 1, ID, 100 FROM "
            "(SELECT F.ID, F.ID_FM_TYP AS TYP, "
            "ROW_NUMBER() OVER (PARTITION BY F.ID_FM_TYP ORDER BY COUNT(*) DESC, F.ID) AS RANG "
            "FROM T_FUTTERMITTEL F INNER JOIN T_FM_NAEHRSTOFF N ON N.ID_FM = F.ID "
            "WHERE F.EIGEN = 'M' AND F.AKTIV <> 0 AND N.MENGE IS NOT NULL "
            "AND F.ID NOT IN (SELECT ID_FM FROM T_FM_KAT WHERE ID_FM_KATEGORIE = %1) GROUP BY F.ID) "
            "ORDER BY RANG, TYP LIMIT %2;"
            "COMMIT;")
            .arg(BalanceData::SupplementCategory)
            .arg(kFeeds);
    const bool ok = BenchTiming::exec("balance_bench", db, sql.toUtf8().constData());
    sqlite3_close(db);
    return ok;
}

// Marks every nutrient column, as a click on the mark row's heading does;
// returns how many of them carry a requirement (the others bind nothing).
int markNutrients(CaseHeaderForm& form)
{
    using namespace NutrientColumns;
    GridModel& grid = form.ration().rationGrid();
    int required = 0;
    for (int c = FirstColumn; c < grid.columnCount(); ++c) {
        grid.setText(MarkRow, c, QStringLiteral("x"));
        required += NumberText::read(grid.text(RequirementRow, c)) > 0.0 ? 1 : 0;
    }
    return required;
}

struct Figures
{
    BenchTiming::Timing balance;
    BenchTiming::Timing start;
};

std::optional<Figures> measureBalancing(AppContext& context, const char* engine)
{
    RecordingPrompt prompt;
    CaseHeaderForm form(context, prompt);
    if (!StoredCase::open(context, form, QStringLiteral("1"))) {
        std::fprintf(stderr, "balance_bench: %s: the case is not there\n", engine);
        return std::nullopt;
    }
    const int required = markNutrients(form);
    const BalanceInput input = BalanceData::read(context, form);
    BalanceResult result;
    Figures figures;
    figures.balance = BenchTiming::measure([&] { result = RationBalancer::balance(input); }, kBalanceRuns);

    RationBalancing balancing(context, prompt, form);
    bool started = true;
    figures.start = BenchTiming::measure([&] { started = balancing.start() && started; }, kStartRuns);
    if (!result.solved || !started) {
        std::fprintf(stderr, "balance_bench: %s: not balanced (failure %d)\n", engine, int(result.failure));
        return std::nullopt;
    }

    // Shown so that a run which computed nothing cannot pass for a fast one.
    double grams = 0.0;
    for (const double g : result.grams)
        grams += g;
    std::printf(
        "%s: %zu feedstuffs, %zu nutrient columns marked (%d with a requirement), %zu maxima, %zu supplements; "
        "proposed %.0f g, %zu short, %zu over, %zu hints\n",
        engine, input.feeds.size(), input.nutrients.size(), required, input.maxima.size(),
        input.supplements.size(), grams, result.shortfalls.size(), result.excesses.size(),
        result.supplements.size());
    return figures;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = ConnectionString::databasePath(dir.path());
    QString error;
    if (!DatabaseCreator::create(path, &error, DatabaseCreator::Contents::SystemData) || !addCase(path)) {
        std::fprintf(stderr, "balance_bench: cannot build the database: %s\n", qPrintable(error));
        return 1;
    }
    AppContext context;
    if (!BenchTiming::openDatabase("balance_bench", context, dir.path()))
        return 1;
    const std::optional<Figures> file = measureBalancing(context, "SQLite");
    if (!file)
        return 1;
    BenchServer server("balance_bench");
    AppContext serverContext;
    const std::optional<QString> conninfo = server.migrate(path);
    std::optional<Figures> onServer;
    if (conninfo && server.open(serverContext, *conninfo))
        onServer = measureBalancing(serverContext, "PostgreSQL");

    std::printf("%-44s %19s %19s\n", "median (wall / CPU)", "SQLite", "PostgreSQL");
    const auto line = [&](const char* name, BenchTiming::Timing Figures::*figure) {
        std::printf("%-44s %7.2f / %6.2f ms", name, ((*file).*figure).wallMs, ((*file).*figure).cpuMs);
        if (onServer)
            std::printf(" %7.2f / %6.2f ms\n", ((*onServer).*figure).wallMs, ((*onServer).*figure).cpuMs);
        else
            std::printf(" %19s\n", "-");
    };
    line("goal program (RationBalancer::balance)", &Figures::balance);
    line("dialog start (read the ration, propose)", &Figures::start);
    return 0;
}
