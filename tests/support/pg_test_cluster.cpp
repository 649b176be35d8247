// Starts and stops the PostgreSQL cluster that one ctest run shares:
//   pg_test_cluster start DIR   a new cluster in DIR (an old one there is
//                               stopped and removed) with the template
//                               databases TestDatabase copies
//   pg_test_cluster stop DIR    stops it and removes DIR

#include "support/PostgresCluster.h"
#include "support/TestBackend.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>

namespace {

int fail(PostgresCluster& cluster, const QString& error)
{
    std::fprintf(stderr, "pg_test_cluster: %s\n", qPrintable(error));
    cluster.stop();
    return 1;
}

int start(const QString& directory)
{
    PostgresCluster cluster(directory);
    cluster.stop();
    QDir(directory).removeRecursively();
    if (!QDir().mkpath(directory))
        return fail(cluster, QStringLiteral("cannot make ") + directory);
    if (!cluster.start())
        return fail(cluster, cluster.error());
    QFile fixture(QStringLiteral(":/mensoly/tests/fixture.sql"));
    if (!fixture.open(QIODevice::ReadOnly))
        return fail(cluster, QStringLiteral("no fixture"));
    QString error;
    if (!cluster.createDatabase(TestBackend::EmptyTemplate, QString(), &error) ||
        !cluster.createDatabase(TestBackend::FixtureTemplate, QString::fromUtf8(fixture.readAll()), &error) ||
        !cluster.createShippedDatabase(TestBackend::ShippedTemplate, &error))
        return fail(cluster, error);
    return 0;
}

int stop(const QString& directory)
{
    PostgresCluster cluster(directory);
    if (!cluster.stop()) {
        std::fprintf(stderr, "pg_test_cluster: %s\n", qPrintable(cluster.error()));
        return 1;
    }
    QDir(directory).removeRecursively();
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() == 3 && arguments[1] == QLatin1String("start"))
        return start(QDir(arguments[2]).absolutePath());
    if (arguments.size() == 3 && arguments[1] == QLatin1String("stop"))
        return stop(QDir(arguments[2]).absolutePath());
    std::fprintf(stderr, "usage: pg_test_cluster start|stop DIR\n");
    return 2;
}
