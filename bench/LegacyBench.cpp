// Time of the import of a practice's own feedstuffs from a Mensoly 2.0
// database: the large fixture (5,000 own feedstuffs with their contents) into
// a freshly created database with the shipped data, through LegacyFeedImport.

#include "core/Prompt.h"
#include "db/AppContext.h"
#include "db/ConnectionString.h"
#include "db/DatabaseCreator.h"
#include "exchange/LegacyFeedImport.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRuns = 3;

struct Target
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
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString legacy = QStringLiteral(MENSOLY_LEGACY_FIXTURES "/large/Darire32.mdb");
    if (!QFile::exists(legacy)) {
        std::fprintf(stderr, "legacy_bench: no fixture at %s\n", qPrintable(legacy));
        return 1;
    }
    QTemporaryDir work;
    const QString shipped = work.filePath(QStringLiteral("shipped.db"));
    QString error;
    if (!work.isValid() || !DatabaseCreator::create(shipped, &error)) {
        std::fprintf(stderr, "legacy_bench: cannot build the database: %s\n", qPrintable(error));
        return 1;
    }
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        Target target;
        if (!target.open(shipped)) {
            std::fprintf(stderr, "legacy_bench: cannot open the shipped database\n");
            return 1;
        }
        RecordingPrompt prompt;
        LegacyFeedImport import(target.context, prompt);
        const Clock::time_point start = Clock::now();
        const LegacyFeedImport::Outcome outcome = import.importFrom(legacy);
        times.push_back(std::chrono::duration<double>(Clock::now() - start).count());
        if (outcome != LegacyFeedImport::Outcome::Completed) {
            std::fprintf(stderr, "legacy_bench: import did not complete: %s\n",
                         qPrintable(prompt.lastText()));
            return 1;
        }
        std::printf("  run %d: %.2f s, %d feedstuffs\n", run + 1, times.back(), import.imported());
    }
    std::nth_element(times.begin(), times.begin() + kRuns / 2, times.end());
    std::printf("legacy import (large fixture): %.2f s, median of %d runs into a fresh shipped database\n",
                times[kRuns / 2], kRuns);
    std::printf("target: under 3 s\n");
    return 0;
}
