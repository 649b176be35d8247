// Time of "Balance ration" on the shipped data: a 20 kg adult dog fed 12
// shipped feedstuffs, 100 g each, those with the most stored contents taken
// by turns from each feedstuff type, so that the ration mixes meat, cereals,
// vegetables and oils, with all 42 nutrient columns of the case type marked
// (32 of them carry a requirement for this dog). Times the goal
// program alone (RationBalancer::balance on the read input), the same
// completing the ration from a catalogue of 40 supplements (the shipped
// ones and pure substances as a supplier lists them, each a column the
// mixed-integer stage may add), and the whole start of the dialog's logic,
// reading included; each on the SQLite file and on a PostgreSQL database
// migrated from it.

#include "BenchServer.h"
#include "BenchTiming.h"
#include "core/NumberText.h"
#include "core/Prompt.h"
#include "db/AppContext.h"
#include "db/ConnectionString.h"
#include "output/StoredCase.h"
#include "ration/BalanceData.h"
#include "ration/CaseHeaderForm.h"
#include "ration/NutrientColumns.h"
#include "ration/RationBalancer.h"
#include "ration/RationBalancing.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <optional>

namespace {

constexpr int kFeeds = 12;
constexpr int kBalanceRuns = 201;
constexpr int kStartRuns = 51;
constexpr size_t kCatalogue = 40;

// Pure substances and mixes by their contents per 100 g (nutrient keys of
// T_NAEHRSTOFFE: minerals in g, trace elements in mg, selenium, B12, folic
// acid and biotin in µg, vitamins A and D in IU), added to the shipped
// supplements up to the catalogue's size.
std::vector<BalanceFeed> pureSubstances()
{
    const struct
    {
        const char* name;
        std::vector<std::pair<int, double>> content;
    } substances[] = {
        {"zinc gluconate", {{20, 14350}}},
        {"zinc oxide", {{20, 80340}}},
        {"copper gluconate", {{21, 14000}}},
        {"copper sulfate", {{21, 25450}}},
        {"potassium iodide", {{22, 76450}, {16, 23.55}}},
        {"potassium iodate", {{22, 59300}, {16, 18.27}}},
        {"iron sulfate", {{17, 20090}}},
        {"iron gluconate", {{17, 11600}}},
        {"manganese sulfate", {{23, 32500}}},
        {"sodium selenite", {{37, 45661700}, {19, 26.6}}},
        {"magnesium oxide", {{7, 60.3}}},
        {"potassium chloride", {{16, 52.4}, {35, 47.6}}},
        {"iodised salt", {{19, 39.3}, {35, 60.7}, {22, 2}}},
        {"iodised salt, fluoridated", {{19, 39.2}, {35, 60.5}, {22, 2}}},
        {"vitamin A", {{2, 290677000}}},
        {"vitamin D3", {{5, 4000000000.0}}},
        {"vitamin E", {{6, 91000}}},
        {"vitamin B1", {{4, 81000}}},
        {"vitamin B2", {{38, 100000}}},
        {"vitamin B6", {{3, 82300}}},
        {"vitamin B12", {{26, 100000000}}},
        {"nicotinamide", {{39, 100000}}},
        {"calcium pantothenate", {{25, 92000}, {1, 8.4}}},
        {"folic acid", {{28, 100000000}}},
        {"biotin", {{27, 100000000}}},
        {"choline chloride", {{40, 74600}, {35, 25.4}}},
        {"taurine", {{34, 100000}}},
        {"methionine", {{32, 100}, {24, 100}, {60, 400}}},
        {"calcium citrate", {{1, 21}}},
        {"magnesium citrate", {{7, 16}}},
        {"bone meal", {{1, 31}, {15, 14}}},
        {"seaweed meal", {{22, 50}, {19, 3}, {7, 0.7}}},
        {"zinc citrate", {{20, 31000}}},
        {"mineral mix", {{1, 20}, {15, 10}, {20, 500}, {21, 100}, {22, 5}, {37, 2000}}},
    };
    std::vector<BalanceFeed> feeds;
    int key = 9001;
    for (const auto& substance : substances) {
        BalanceFeed feed;
        feed.key = QString::number(key++);
        feed.name = QString::fromUtf8(substance.name);
        feed.supplement = true;
        for (const auto& [nutrient, amount] : substance.content)
            feed.content.insert(nutrient, amount);
        feeds.push_back(feed);
    }
    return feeds;
}

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
    BenchTiming::Timing complete;
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

    BalanceInput catalogue = input;
    catalogue.complete = true;
    for (const BalanceFeed& substance : pureSubstances()) {
        if (catalogue.supplements.size() < kCatalogue)
            catalogue.supplements.push_back(substance);
    }
    BalanceResult completed;
    figures.complete =
        BenchTiming::measure([&] { completed = RationBalancer::balance(catalogue); }, kBalanceRuns);

    RationBalancing balancing(context, prompt, form);
    bool started = true;
    figures.start = BenchTiming::measure([&] { started = balancing.start() && started; }, kStartRuns);
    if (!result.solved || !completed.solved || !started) {
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
    const size_t added = size_t(
        std::count_if(completed.added.begin(), completed.added.end(), [](double g) { return g > 0.0; }));
    std::printf("%s: completing from %zu supplements: %zu added, %zu short, %zu over\n", engine,
                catalogue.supplements.size(), added, completed.shortfalls.size(), completed.excesses.size());
    return figures;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    AppContext context;
    if (!BenchTiming::createAndOpen("balance_bench", context, dir.path(), addCase))
        return 1;
    const std::optional<Figures> file = measureBalancing(context, "SQLite");
    if (!file)
        return 1;
    BenchServer server("balance_bench");
    AppContext serverContext;
    const std::optional<QString> conninfo = server.migrate(ConnectionString::databasePath(dir.path()));
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
    line("completing from 40 supplements (balance)", &Figures::complete);
    line("dialog start (read the ration, propose)", &Figures::start);
    return 0;
}
