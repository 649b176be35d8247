#include "support/TestBackend.h"

#include <QDir>

#include <cstdio>
#include <cstring>

namespace {

QString cluster;

} // namespace

namespace TestBackend {

bool takeArgument(int& argc, char** argv)
{
    static const char option[] = "--backend=";
    static const char postgreSql[] = "postgresql:";
    bool ok = true;
    int kept = 0;
    for (int i = 0; i < argc; ++i) {
        const char* argument = argv[i];
        if (i == 0 || std::strncmp(argument, option, sizeof option - 1) != 0) {
            argv[kept++] = argv[i];
            continue;
        }
        const char* value = argument + sizeof option - 1;
        if (std::strcmp(value, "sqlite") == 0) {
            cluster.clear();
        } else if (std::strncmp(value, postgreSql, sizeof postgreSql - 1) == 0 &&
                   QDir(QString::fromLocal8Bit(value + sizeof postgreSql - 1)).exists()) {
            cluster = QDir(QString::fromLocal8Bit(value + sizeof postgreSql - 1)).absolutePath();
        } else {
            std::fprintf(stderr,
                         "%s: expected --backend=sqlite or --backend=postgresql:<cluster directory>\n",
                         argument);
            ok = false;
        }
    }
    argc = kept;
    argv[argc] = nullptr;
    return ok;
}

bool isPostgreSql()
{
    return !cluster.isEmpty();
}

QString clusterDirectory()
{
    return cluster;
}

} // namespace TestBackend
