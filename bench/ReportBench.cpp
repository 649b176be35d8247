// Time of the case report on the shipped data: a 24 kg adult dog to be
// brought to 20 kg, fed 30 shipped feedstuffs (those with the most stored
// contents), with every nutrient column of the case type marked, so that
// the ration, the nutrient table and the coverage chart are as long as they
// get and the weight check is drawn too. Times building the report's
// content, laying it out into a PDF/A file in memory, and the whole of what
// "Fall als PDF speichern…" and mensoly-cli report do after opening the
// case: both together. Runs on the offscreen platform.

#include "BenchTiming.h"
#include "core/Prompt.h"
#include "db/AppContext.h"
#include "output/CaseReport.h"
#include "output/StoredCase.h"
#include "output/gui/CaseReportWriter.h"
#include "ration/CaseHeaderForm.h"
#include "ration/NutrientColumns.h"
#include "ration/RationModel.h"
#include "ui/GridModel.h"

#include <QApplication>
#include <QBuffer>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <cstdio>

namespace {

constexpr int kFeeds = 30;
constexpr int kRuns = 21;

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
            "VALUES (1, 1, 'Bench', 'Bello', 2, 1, 7, 24, 20, 0, 0, 100, '0', 'Bericht', "
            "'2024-04-03 10:00:00', ' ');"
            "INSERT INTO T_REZ_FM (ID_Rezept, ID_Futtermittel, TagRat) SELECT 1, ID, 10 + ID % 90 FROM "
            "(SELECT F.ID FROM T_FUTTERMITTEL F INNER JOIN T_FM_NAEHRSTOFF N ON N.ID_FM = F.ID "
            "WHERE F.EIGEN = 'M' AND F.AKTIV <> 0 AND N.MENGE IS NOT NULL "
            "GROUP BY F.ID ORDER BY COUNT(*) DESC, F.ID LIMIT %1);"
            "COMMIT;")
            .arg(kFeeds);
    const bool ok = BenchTiming::exec("report_bench", db, sql.toUtf8().constData());
    sqlite3_close(db);
    return ok;
}

// Marks every nutrient column, as a click on the mark row's heading does.
void markNutrients(CaseHeaderForm& form)
{
    GridModel& grid = form.ration().rationGrid();
    for (int c = NutrientColumns::FirstColumn; c < grid.columnCount(); ++c)
        grid.setText(NutrientColumns::MarkRow, c, QStringLiteral("x"));
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    AppContext context;
    if (!BenchTiming::createAndOpen("report_bench", context, dir.path(), addCase))
        return 1;
    RecordingPrompt prompt;
    CaseHeaderForm form(context, prompt);
    if (!StoredCase::open(context, form, QStringLiteral("1"))) {
        std::fprintf(stderr, "report_bench: the case is not there\n");
        return 1;
    }
    markNutrients(form);

    const CaseReport report = CaseReport::build(context, form, context.languageCode());
    int pages = 0;
    qint64 bytes = 0;
    const auto write = [&](const CaseReport& content) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        pages = CaseReportWriter::write(content, buffer);
        bytes = buffer.size();
    };
    const BenchTiming::Timing build =
        BenchTiming::measure([&] { CaseReport::build(context, form, context.languageCode()); }, kRuns);
    const BenchTiming::Timing layout = BenchTiming::measure([&] { write(report); }, kRuns);
    const BenchTiming::Timing whole =
        BenchTiming::measure([&] { write(CaseReport::build(context, form, context.languageCode())); }, kRuns);
    if (pages == 0) {
        std::fprintf(stderr, "report_bench: the report was not written\n");
        return 1;
    }

    size_t marked = 0;
    for (const RationColumn& column : form.ration().model().nutrients)
        marked += column.marked ? 1 : 0;
    std::printf("case report of %zu feedstuffs, %zu marked nutrients, %zu charts, %d pages, %lld bytes\n",
                form.ration().model().feeds.size(), marked, report.charts.size(), pages,
                static_cast<long long>(bytes));
    std::printf("%-44s %19s\n", "median (wall / CPU)", "SQLite");
    std::printf("%-44s %7.2f / %6.2f ms\n", "content (CaseReport::build)", build.wallMs, build.cpuMs);
    std::printf("%-44s %7.2f / %6.2f ms\n", "PDF/A pages (CaseReportWriter::write)", layout.wallMs,
                layout.cpuMs);
    std::printf("%-44s %7.2f / %6.2f ms\n", "both (what saving the report takes)", whole.wallMs, whole.cpuMs);
    return 0;
}
