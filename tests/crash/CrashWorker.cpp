// The worker the crash driver kills: it does what users do to the stored data
// through the program's own forms, over and over, until it is killed.
//
//   crash_worker DATADIR random SEED   saves cases and feedstuffs, imports the
//                                      exchange files system-a.tsv and
//                                      system-b.tsv of DATADIR, deletes cases
//                                      and feedstuffs, in random order, forever
//   crash_worker DATADIR cases N SEED  saves N cases and ends
//   crash_worker DATADIR mixed N SEED  N saves of cases and feedstuffs and
//                                      deletes of feedstuffs, then ends
//
// With --server CONNINFO first it works on that PostgreSQL database instead
// of the directory's file.
//
// Before each step it prints the step's name; after a saved case "saved" and
// its key, after a saved feedstuff "new feed" or "changed feed" and its key,
// after a deleted feedstuff "deleted feed" and its key, after a save refused
// for a feedstuff another worker deleted "refused case" or "refused feed". A
// step that fails, or a message nobody expected, ends it with status 3 and
// the texts shown on standard error.

#include "CrashConnection.h"
#include "CrashLabels.h"

#include "core/Prompt.h"
#include "db/AppContext.h"
#include "db/RecordSet.h"
#include "exchange/SystemTableExchange.h"
#include "feed/FeedEditor.h"
#include "feed/FeedIndicatorCalculator.h"
#include "output/CaseList.h"
#include "ration/CaseHeaderForm.h"
#include "ration/CaseType.h"
#include "ration/RationGrids.h"
#include "ration/RationPage.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>

#include <cstdio>
#include <cstdlib>
#include <random>

namespace {

constexpr int Failed = 3;

class Worker
{
public:
    Worker(AppContext& context, unsigned seed)
        : m_context(context)
        , m_random(seed)
        , m_serial(int(seed % 100000) * 10000)
    {
    }

    int below(int n) { return n <= 0 ? 0 : int(m_random() % unsigned(n)); }

    [[noreturn]] void fail(const char* step, const RecordingPrompt& prompt)
    {
        std::fprintf(stderr, "%s failed: %s\n", step, qPrintable(prompt.texts().join(QStringLiteral(" | "))));
        std::exit(Failed);
    }

    void announce(const char* step)
    {
        std::printf("%s\n", step);
        std::fflush(stdout);
    }

    // A new case window: header, ration, "Speichern". The prompt must stay empty.
    void saveCase()
    {
        RecordingPrompt prompt;
        CaseHeaderForm form(m_context, prompt);
        RationPage page(m_context, prompt, form);
        page.setUp();
        form.initCaseForm();
        form.userChoseSalutation(below(form.salutationList().count()));
        form.setOwnerName(QStringLiteral("Owner %1").arg(below(50)));
        form.setPatientName(QStringLiteral("Patient %1").arg(below(500)));
        // Not every species and sex has case types.
        while (form.caseTypeList().count() == 0) {
            form.userChoseSpecies(below(form.speciesList().count()));
            form.userChoseSex(below(form.sexList().count()));
        }
        form.userChoseCaseType(below(form.caseTypeList().count()));
        form.setActualWeight(QString::number(3 + below(40)));
        form.actualWeightLeft();
        if (CaseType::isLactation(form.caseTypeKey()))
            form.setPuppies(QString::number(1 + below(6)));

        RationGrids& grids = form.ration().grids();
        const int wanted = below(6);
        for (int i = 0; i < wanted; ++i) {
            const int index = below(page.feedList().count());
            const QString key = QString::number(page.feedList().entries()[size_t(index)].data);
            if (grids.feedRow(key) >= 0)
                continue;
            page.setFeedChoice(index);
            page.feedListClosed();
            const int row = grids.feedRow(key);
            if (row >= 0)
                form.ration().rationGrid().endEdit(row, RationGrids::AmountColumn,
                                                   QString::number(10 + below(300)));
        }
        form.setTitle(CrashLabels::caseTitle(grids.feedRowCount(), ++m_serial));
        if (!form.saveCase()) {
            // Another worker may have deleted a picked feedstuff meanwhile; the
            // form then refuses the whole case, as it should.
            if (prompt.entries().size() == 1 &&
                prompt.lastText().contains(QStringLiteral("gibt es nicht mehr"))) {
                std::printf("refused case\n");
                std::fflush(stdout);
                return;
            }
            fail("saving a case", prompt);
        }
        if (!prompt.entries().empty())
            fail("saving a case", prompt);
        std::printf("saved %s\n", qPrintable(form.savedCaseKey()));
        std::fflush(stdout);
    }

    // The feedstuff editor: a new feedstuff or one of the installation's own
    // changed, its analysis typed, "Berechnen", "Speichern".
    void saveFeed()
    {
        RecordingPrompt prompt;
        FeedEditor editor(m_context, prompt);
        editor.newClicked();
        if (below(2) == 1 && editor.feedList().count() > 0)
            editor.userChoseFeed(below(editor.feedList().count()));
        // A shipped one opens read-only: a new feedstuff instead.
        if (editor.isReadOnly())
            editor.newClicked();

        const auto type = [&editor](int key, const QString& amount) {
            for (GridModel* grid : {&editor.nutrientGrid(), &editor.indicatorGrid()}) {
                const int row = FeedEditor::rowOf(*grid, key);
                if (row >= 0)
                    grid->endEdit(row, FeedEditor::AmountColumn, amount);
            }
        };
        // Nothing over 100 % together, so the remaining NfE stays positive.
        type(NutrientKey::Moisture, QString::number(5 + below(35)));
        type(NutrientKey::CrudeAsh, QString::number(1 + below(8)));
        type(NutrientKey::CrudeProtein, QString::number(5 + below(20)));
        type(NutrientKey::CrudeFibre, QString::number(below(5)));
        type(NutrientKey::CrudeFat, QString::number(1 + below(18)));
        // Minerals come and go, so a changed feedstuff changes its number of contents.
        for (int key :
             {NutrientKey::Calcium, NutrientKey::Phosphorus, NutrientKey::Sodium, NutrientKey::Potassium,
              NutrientKey::Magnesium, NutrientKey::Zinc, NutrientKey::Copper})
            type(key, below(3) == 0 ? QString() : QString::number(below(2000)) + QStringLiteral(",5"));
        GridModel& categories = editor.categoryGrid();
        for (int row = 0; row < categories.rowCount(); ++row) {
            if (below(4) == 0)
                categories.doubleClick(row, FeedEditor::MarkColumn);
        }
        if (!editor.calculate())
            fail("calculating a feedstuff", prompt);

        int contents = 0;
        for (const GridModel* grid : {&editor.nutrientGrid(), &editor.indicatorGrid()}) {
            for (int row = 1; row < grid->rowCount(); ++row)
                contents += grid->text(row, FeedEditor::AmountColumn).trimmed().isEmpty() ? 0 : 1;
        }
        int marked = 0;
        for (int row = 0; row < categories.rowCount(); ++row)
            marked += categories.text(row, FeedEditor::MarkColumn).trimmed() == QLatin1String("x") ? 1 : 0;
        const QString name = CrashLabels::feedName(contents, marked, ++m_serial);
        editor.setGermanName(name);
        editor.setEnglishName(name);
        prompt.clear();
        const bool isNew = editor.key().isEmpty();
        const bool saved = editor.save();
        // One another worker deleted since it was loaded stays deleted.
        if (!saved && prompt.lastText().contains(QStringLiteral("gibt es nicht mehr"))) {
            std::printf("refused feed\n");
            std::fflush(stdout);
            return;
        }
        if (!saved || prompt.lastText() != QLatin1String("Futtermittel wurde gespeichert !"))
            fail("saving a feedstuff", prompt);
        std::printf("%s feed %s\n", isNew ? "new" : "changed", qPrintable(editor.key()));
        std::fflush(stdout);
    }

    // "Löschen" in the feedstuff editor on one of the installation's own,
    // answered with Yes; one that a stored case uses stays, as the editor says.
    void deleteFeed()
    {
        RecordingPrompt prompt;
        FeedEditor editor(m_context, prompt);
        editor.newClicked();
        if (editor.feedList().count() == 0)
            return;
        // The list offers the shipped feedstuffs too, which open read-only.
        for (int tries = 0; tries < 50 && (tries == 0 || editor.isReadOnly()); ++tries)
            editor.userChoseFeed(below(editor.feedList().count()));
        const QString key = editor.key();
        // Another worker deleted it since the list was read.
        if (key.isEmpty() || editor.isReadOnly())
            return;
        prompt.setNextAnswer(Prompt::Answer::Yes);
        if (editor.deleteFeed()) {
            std::printf("deleted feed %s\n", qPrintable(key));
            std::fflush(stdout);
        } else if (!prompt.lastText().contains(QStringLiteral("gespeicherten Fällen verwendet")) &&
                   !prompt.lastText().contains(QStringLiteral("gibt es nicht mehr"))) {
            fail("deleting a feedstuff", prompt);
        }
    }

    // "Import" of the exchange dialog, with the file of the state the system
    // tables are not in, so every import changes them.
    void importSystemTables()
    {
        QString name;
        RecordSet rs;
        if (rs.openRecordset(m_context.db(),
                             QStringLiteral("SELECT BEZ_DE FROM T_FUTTERMITTEL WHERE ID = 1")) &&
            !rs.isEof())
            rs.getFieldText(QStringLiteral("BEZ_DE"), name);
        rs.closeRecordset();
        const QString file = name.endsWith(QLatin1String(" (B)")) ? QStringLiteral("system-a.tsv")
                                                                  : QStringLiteral("system-b.tsv");
        RecordingPrompt prompt;
        SystemTableExchange exchange(m_context, prompt);
        if (exchange.importFrom(QDir(m_context.dataDirectory()).filePath(file)) !=
            SystemTableExchange::Outcome::Completed)
            fail("importing the system tables", prompt);
    }

    // The case list's delete mark on a random case, answered with Yes.
    void deleteCase()
    {
        RecordingPrompt prompt;
        CaseList list(m_context, prompt);
        list.runSearch(CaseSearchCriteria{});
        if (list.caseCount() == 0)
            return;
        prompt.setNextAnswer(Prompt::Answer::Yes);
        if (!list.deleteCase(below(list.caseCount())))
            fail("deleting a case", prompt);
    }

private:
    AppContext& m_context;
    std::mt19937 m_random;
    int m_serial;
};

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale::c());
    QStringList args = app.arguments();
    QString server;
    if (args.value(1) == QLatin1String("--server")) {
        server = args.value(2);
        args.remove(1, 2);
    }
    const QString mode = args.value(2);
    const bool counted = mode == QLatin1String("cases") || mode == QLatin1String("mixed");
    if (args.size() != (counted ? 5 : 4) || (mode != QLatin1String("random") && !counted)) {
        std::fprintf(stderr, "usage: crash_worker [--server CONNINFO] DATADIR random SEED | "
                             "DATADIR cases N SEED | DATADIR mixed N SEED\n");
        return 2;
    }
    AppContext context;
    RecordingPrompt startup;
    if (!CrashLabels::openDatabase(context, args.value(1), server, startup)) {
        std::fprintf(stderr, "cannot open: %s\n", qPrintable(startup.texts().join(QStringLiteral(" | "))));
        return Failed;
    }
    Worker worker(context, args.last().toUInt());
    worker.announce("ready");
    if (mode == QLatin1String("cases")) {
        for (int n = args.value(3).toInt(); n > 0; --n)
            worker.saveCase();
        return 0;
    }
    if (mode == QLatin1String("mixed")) {
        for (int n = args.value(3).toInt(); n > 0; --n) {
            const int step = worker.below(10);
            if (step < 6) {
                worker.announce("case");
                worker.saveCase();
            } else if (step < 9) {
                worker.announce("feed");
                worker.saveFeed();
            } else {
                worker.announce("feed delete");
                worker.deleteFeed();
            }
        }
        return 0;
    }
    for (;;) {
        const int step = worker.below(40);
        if (step < 17) {
            worker.announce("case");
            worker.saveCase();
        } else if (step < 26) {
            worker.announce("feed");
            worker.saveFeed();
        } else if (step < 28) {
            worker.announce("feed delete");
            worker.deleteFeed();
        } else if (step < 29) {
            worker.announce("import");
            worker.importSystemTables();
        } else {
            worker.announce("delete");
            worker.deleteCase();
        }
    }
}
