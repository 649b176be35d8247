// Kills the crash worker at random moments and checks after every kill that
// nothing half-stored is left; or lets two workers save cases into one file
// at once.
//
//   crash_driver WORKER kills N [SEED]    N kills of workers on one database,
//                                         now and then two at once
//   crash_driver WORKER concurrent N      two workers saving N cases each
//   crash_driver WORKER workstations N    four workers on one database of a
//                                         throwaway PostgreSQL cluster, N
//                                         saves and deletes each
//
// Status 0 when every check held; 1 with the broken rules on standard error
// (the database is kept and its directory named); 2 for a usage error; 77
// when no PostgreSQL server is installed.

#include "CrashConnection.h"
#include "CrashLabels.h"
#include "DatabaseChecks.h"

#include "app/ApplicationStartup.h"
#include "core/Prompt.h"
#include "db/AppContext.h"
#include "db/ConnectionString.h"
#include "db/DatabaseCreator.h"
#include "db/PostgresDatabaseCreator.h"
#include "db/RecordSet.h"
#include "db/SqlQuote.h"
#include "exchange/SystemTableExchange.h"
#include "support/ThrowawayPostgres.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLocale>
#include <QMap>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>
#include <random>
#include <vector>

namespace {

void say(const QString& text)
{
    std::printf("%s\n", qPrintable(text));
    std::fflush(stdout);
}

void complain(const QString& text)
{
    std::fprintf(stderr, "%s\n", qPrintable(text));
}

std::unique_ptr<AppContext> open(const QString& directory, const QString& conninfo = QString())
{
    auto context = std::make_unique<AppContext>();
    RecordingPrompt prompt;
    if (!CrashLabels::openDatabase(*context, directory, conninfo, prompt)) {
        complain(QStringLiteral("the database does not open: ") + prompt.texts().join(QStringLiteral(" | ")));
        return nullptr;
    }
    return context;
}

bool createDatabase(const QString& directory)
{
    QString error;
    if (DatabaseCreator::create(ConnectionString::databasePath(directory), &error))
        return true;
    complain(QStringLiteral("cannot create the database: ") + error);
    return false;
}

bool import(AppContext& context, const QString& file)
{
    RecordingPrompt prompt;
    SystemTableExchange exchange(context, prompt);
    if (exchange.importFrom(QDir(context.dataDirectory()).filePath(file)) ==
        SystemTableExchange::Outcome::Completed)
        return true;
    complain(QStringLiteral("importing %1: ").arg(file) + prompt.texts().join(QStringLiteral(" | ")));
    return false;
}

// Writes system-a.tsv (the shipped tables) and system-b.tsv (the same with
// every system feedstuff renamed and every content changed, so that an import
// cut short anywhere shows) for the worker, and
// returns the digests of the system tables after importing either. The
// database is left in state A.
bool prepareExchangeFiles(const QString& directory, QList<QByteArray>& states)
{
    std::unique_ptr<AppContext> context = open(directory);
    if (!context)
        return false;
    RecordingPrompt prompt;
    SystemTableExchange exchange(*context, prompt);
    const QDir dir(directory);
    Connection& db = context->db();
    if (!exchange.exportTo(dir.filePath(QStringLiteral("system-a.tsv"))) ||
        !db.executeSql(
            QStringLiteral("UPDATE T_FUTTERMITTEL SET BEZ_DE = BEZ_DE & ' (B)' WHERE EIGEN = 'M'")) ||
        !db.executeSql(QStringLiteral("UPDATE T_FM_NAEHRSTOFF SET MENGE = MENGE + 1")) ||
        !exchange.exportTo(dir.filePath(QStringLiteral("system-b.tsv")))) {
        complain(QStringLiteral("cannot write the exchange files: ") +
                 prompt.texts().join(QStringLiteral(" | ")) + db.lastError());
        return false;
    }
    if (!import(*context, QStringLiteral("system-a.tsv")))
        return false;
    const QByteArray a = DatabaseChecks::systemDigest(*context);
    if (!import(*context, QStringLiteral("system-b.tsv")))
        return false;
    const QByteArray b = DatabaseChecks::systemDigest(*context);
    if (!import(*context, QStringLiteral("system-a.tsv")))
        return false;
    if (a.isEmpty() || a == b || DatabaseChecks::systemDigest(*context) != a) {
        complain(QStringLiteral("importing the exchange files does not give two stable states"));
        return false;
    }
    states = {a, b};
    return true;
}

// Waits for the worker's "ready".
bool waitUntilReady(QProcess& worker)
{
    QByteArray output;
    while (!output.contains("ready\n")) {
        if (!worker.waitForReadyRead(30000)) {
            complain(QStringLiteral("the worker did not start: ") +
                     QString::fromUtf8(worker.readAllStandardError()));
            return false;
        }
        output += worker.peek(worker.bytesAvailable());
    }
    return true;
}

// Lets the worker work for delayMs, then kills it.
bool killAfter(QProcess& worker, int delayMs)
{
    if (worker.waitForFinished(delayMs)) {
        complain(QStringLiteral("the worker ended by itself: ") +
                 QString::fromUtf8(worker.readAllStandardError()));
        return false;
    }
    worker.kill();
    worker.waitForFinished(-1);
    return true;
}

// The step the worker was in when it was killed.
QString lastStep(const QByteArray& output)
{
    const QList<QByteArray> lines = output.split('\n');
    for (auto it = lines.rbegin(); it != lines.rend(); ++it) {
        if (*it == "case" || *it == "feed" || *it == "feed delete" || *it == "import" || *it == "delete")
            return QString::fromLatin1(*it);
    }
    return QStringLiteral("start");
}

int runKills(const QString& workerPath, int kills, unsigned seed)
{
    QTemporaryDir dir;
    QList<QByteArray> states;
    if (!createDatabase(dir.path()) || !prepareExchangeFiles(dir.path(), states))
        return 1;
    say(QStringLiteral("crash test: %1 kills, seed %2, database %3").arg(kills).arg(seed).arg(dir.path()));
    std::mt19937 random(seed);
    QMap<QString, int> steps;
    QElapsedTimer timer;
    timer.start();
    int done = 0;
    for (int round = 1; done < kills; ++round) {
        // Every third round two copies of the program work on the file at
        // once, and one dies while the other may hold the write lock.
        const int copies = round % 3 == 0 && kills - done >= 2 ? 2 : 1;
        std::vector<std::unique_ptr<QProcess>> workers;
        for (int i = 0; i < copies; ++i) {
            workers.push_back(std::make_unique<QProcess>());
            workers.back()->start(workerPath,
                                  {dir.path(), QStringLiteral("random"), QString::number(random())});
        }
        QStringList killed;
        int delayMs = 0;
        for (const auto& worker : workers) {
            if (!waitUntilReady(*worker)) {
                dir.setAutoRemove(false);
                return 1;
            }
        }
        for (const auto& worker : workers) {
            delayMs = int(random() % 300);
            if (!killAfter(*worker, delayMs)) {
                dir.setAutoRemove(false);
                return 1;
            }
            killed << lastStep(worker->readAllStandardOutput());
            ++steps[killed.last()];
            ++done;
        }

        std::unique_ptr<AppContext> context = open(dir.path());
        const QStringList found = context ? DatabaseChecks::failures(*context, states)
                                          : QStringList{QStringLiteral("the database does not open")};
        if (!found.isEmpty()) {
            dir.setAutoRemove(false);
            complain(QStringLiteral("kill %1 after %2 ms, in step %3, left %4:")
                         .arg(done)
                         .arg(delayMs)
                         .arg(killed.join(QStringLiteral(" and ")))
                         .arg(dir.path()));
            for (const QString& failure : found)
                complain(QStringLiteral("  ") + failure);
            return 1;
        }
    }
    QStringList tally;
    for (auto it = steps.cbegin(); it != steps.cend(); ++it)
        tally << QStringLiteral("%1 %2").arg(it.key()).arg(it.value());
    say(QStringLiteral("%1 kills passed every check in %2 s (killed in: %3)")
            .arg(kills)
            .arg(double(timer.elapsed()) / 1000.0, 0, 'f', 1)
            .arg(tally.join(QStringLiteral(", "))));
    return 0;
}

int runConcurrent(const QString& workerPath, int cases)
{
    QTemporaryDir dir;
    if (!createDatabase(dir.path()))
        return 1;
    QElapsedTimer timer;
    timer.start();
    QProcess workers[2];
    for (int i = 0; i < 2; ++i)
        workers[i].start(workerPath, {dir.path(), QStringLiteral("cases"), QString::number(cases),
                                      QString::number(i + 1)});
    QSet<QString> keys;
    int saved = 0;
    bool ok = true;
    for (QProcess& worker : workers) {
        worker.waitForFinished(-1);
        if (worker.exitStatus() != QProcess::NormalExit || worker.exitCode() != 0) {
            complain(QStringLiteral("a worker failed: ") + QString::fromUtf8(worker.readAllStandardError()));
            ok = false;
        }
        for (const QByteArray& line : worker.readAllStandardOutput().split('\n')) {
            if (line.startsWith("saved ")) {
                keys.insert(QString::fromLatin1(line.mid(6)));
                ++saved;
            }
        }
    }
    const double seconds = double(timer.elapsed()) / 1000.0;
    std::unique_ptr<AppContext> context = open(dir.path());
    if (!context)
        return 1;
    QStringList found = DatabaseChecks::failures(*context, {DatabaseChecks::systemDigest(*context)});
    RecordSet rs;
    int stored = -1;
    if (rs.openRecordset(context->db(), QStringLiteral("SELECT COUNT(*) AS N FROM T_PAT_REZ")) && !rs.isEof())
        rs.getFieldLong(QStringLiteral("N"), stored);
    if (saved != 2 * cases || keys.size() != saved || stored != saved)
        found << QStringLiteral("%1 saves reported, %2 distinct keys, %3 cases stored")
                     .arg(saved)
                     .arg(keys.size())
                     .arg(stored);
    for (const QString& failure : found)
        complain(failure);
    if (!ok || !found.isEmpty())
        return 1;
    say(QStringLiteral("two processes saved %1 cases each in %2 s; %3 distinct keys")
            .arg(cases)
            .arg(seconds, 0, 'f', 1)
            .arg(keys.size()));
    return 0;
}

QSet<QString> keys(AppContext& context, const QString& sql)
{
    QSet<QString> found;
    RecordSet rs;
    if (rs.openRecordset(context.db(), sql)) {
        for (; !rs.isEof(); rs.moveNext())
            found.insert(QString::number(rs.value(0).integer));
    }
    return found;
}

// Four copies of the program save cases and feedstuffs and delete feedstuffs
// on one server database at once. Every save a worker reported is stored
// whole, no key is given twice, and no worker was shown a message it did not
// expect.
int runWorkstations(const QString& workerPath, int steps)
{
    constexpr int Workers = 4;
    const ThrowawayPostgres cluster;
    if (!cluster.isRunning()) {
        say(QStringLiteral("skipped: ") + cluster.error());
        return 77;
    }
    QTemporaryDir dir;
    if (!createDatabase(dir.path()))
        return 1;
    // The server database is the new file migrated, as a clinic makes it.
    const QString conninfo = QString::fromUtf8(cluster.conninfo(QStringLiteral("mensoly")));
    QString error;
    std::vector<PostgresDatabaseCreator::CopiedTable> copied;
    if (!cluster.createEmptyDatabase(QStringLiteral("mensoly"), &error) ||
        !PostgresDatabaseCreator::migrate(ConnectionString::databasePath(dir.path()), conninfo, copied,
                                          &error)) {
        complain(QStringLiteral("cannot create the server database: ") + error);
        return 1;
    }
    std::unique_ptr<AppContext> context = open(dir.path(), conninfo);
    if (!context)
        return 1;
    const QString userFeeds =
        QStringLiteral("SELECT ID FROM T_FUTTERMITTEL WHERE EIGEN = ") + Sql::quote(context->ownerCode());
    const QSet<QString> feedsBefore = keys(*context, userFeeds);
    const QList<QByteArray> states = {DatabaseChecks::systemDigest(*context)};

    QElapsedTimer timer;
    timer.start();
    QProcess workers[Workers];
    for (int i = 0; i < Workers; ++i)
        workers[i].start(workerPath,
                         {QStringLiteral("--server"), conninfo, dir.path(), QStringLiteral("mixed"),
                          QString::number(steps), QString::number(i + 1)});
    QMap<QByteArray, QStringList> reported;
    QStringList found;
    for (QProcess& worker : workers) {
        worker.waitForFinished(-1);
        if (worker.exitStatus() != QProcess::NormalExit || worker.exitCode() != 0)
            found << QStringLiteral("a worker failed: ") + QString::fromUtf8(worker.readAllStandardError());
        for (const QByteArray& line : worker.readAllStandardOutput().split('\n')) {
            const int space = line.lastIndexOf(' ');
            if (space > 0)
                reported[line.left(space)] << QString::fromLatin1(line.mid(space + 1));
        }
    }
    const double seconds = double(timer.elapsed()) / 1000.0;

    const QStringList cases = reported.value("saved");
    const QStringList newFeeds = reported.value("new feed");
    const QSet<QString> caseKeys(cases.cbegin(), cases.cend());
    const QSet<QString> newFeedKeys(newFeeds.cbegin(), newFeeds.cend());
    if (caseKeys.size() != cases.size() || newFeedKeys.size() != newFeeds.size())
        found << QStringLiteral("a key was given twice: %1 cases saved under %2 keys, %3 new feedstuffs "
                                "under %4 keys")
                     .arg(cases.size())
                     .arg(caseKeys.size())
                     .arg(newFeeds.size())
                     .arg(newFeedKeys.size());
    if (keys(*context, QStringLiteral("SELECT ID FROM T_PAT_REZ")) != caseKeys)
        found << QStringLiteral("the stored cases are not the %1 saved ones").arg(cases.size());
    const QStringList changedFeeds = reported.value("changed feed");
    const QStringList deletedFeeds = reported.value("deleted feed");
    QSet<QString> kept = newFeedKeys + QSet<QString>(changedFeeds.cbegin(), changedFeeds.cend());
    kept -= QSet<QString>(deletedFeeds.cbegin(), deletedFeeds.cend());
    const QSet<QString> storedFeeds = keys(*context, userFeeds);
    if (!storedFeeds.contains(kept) || !(feedsBefore + newFeedKeys).contains(storedFeeds))
        found << QStringLiteral("the stored feedstuffs are not the saved ones");
    found += DatabaseChecks::failures(*context, states);
    for (const QString& failure : found)
        complain(failure);
    if (!found.isEmpty())
        return 1;
    say(QStringLiteral("%1 processes on one PostgreSQL database: %2 cases, %3 new and %4 changed feedstuffs "
                       "saved, %5 feedstuffs deleted, %6 saves refused for a feedstuff deleted meanwhile, "
                       "in %7 s")
            .arg(Workers)
            .arg(cases.size())
            .arg(newFeeds.size())
            .arg(changedFeeds.size())
            .arg(deletedFeeds.size())
            .arg(reported.value("refused").size())
            .arg(seconds, 0, 'f', 1));
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale::c());
    const QStringList args = app.arguments();
    bool isNumber = false;
    const int count = args.value(3).toInt(&isNumber);
    if (!isNumber || count < 1) {
        complain(QStringLiteral("usage: crash_driver WORKER kills N [SEED] | WORKER concurrent N | "
                                "WORKER workstations N"));
        return 2;
    }
    if (args.value(2) == QLatin1String("kills")) {
        const unsigned seed = args.size() > 4 ? args.value(4).toUInt() : std::random_device()();
        return runKills(args.value(1), count, seed);
    }
    if (args.value(2) == QLatin1String("concurrent"))
        return runConcurrent(args.value(1), count);
    if (args.value(2) == QLatin1String("workstations"))
        return runWorkstations(args.value(1), count);
    complain(QStringLiteral("usage: crash_driver WORKER kills N [SEED] | WORKER concurrent N | "
                            "WORKER workstations N"));
    return 2;
}
