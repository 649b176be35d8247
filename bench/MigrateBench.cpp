// Time of mensoly-cli migrate's copy into a PostgreSQL database (a throwaway
// cluster on a Unix socket, fsync off): the shipped system data alone, and
// with 10,000 and 100,000 stored cases. Each run goes into a new database;
// the schema is created by the migration and counts as part of it.

#include "BenchServer.h"
#include "BenchTiming.h"
#include "ManyCases.h"
#include "db/ConnectionString.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <vector>

namespace {

constexpr int kRuns = 5;

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    BenchServer server("migrate_bench");
    if (!server.isRunning())
        return 1;
    std::printf("median of %d runs, each into a new database\n", kRuns);
    std::printf("%-36s %12s\n", "", "migration");
    for (int cases : {0, 10000, 100000}) {
        QTemporaryDir dir;
        const QString path = ConnectionString::databasePath(dir.path());
        QString error;
        if (!ManyCases::create(path, cases, &error, DatabaseCreator::Contents::SystemData)) {
            std::fprintf(stderr, "migrate_bench: cannot build the database: %s\n", qPrintable(error));
            return 1;
        }
        std::vector<double> times;
        for (int run = 0; run < (cases > 10000 ? 1 : kRuns); ++run) {
            double ms = 0;
            if (!server.migrate(path, &ms))
                return 1;
            times.push_back(ms);
        }
        std::printf("shipped data and %6d cases %s %9.1f ms\n", cases,
                    cases > 10000 ? "(one run)" : "         ", BenchTiming::median(times));
    }
    return 0;
}
