#include "support/CliRun.h"

#include <QDir>

#include <sstream>

QStringList CliRun::linesOf(const QString& kind) const
{
    QStringList result;
    for (const QString& line : lines) {
        if (line.startsWith(kind + QLatin1Char('\t')))
            result << line;
    }
    return result;
}

CliRun runCliIn(const QString& directory, const CliArgs& args, const std::string& input,
                const QString& fallback)
{
    const QString previous = QDir::currentPath();
    if (!directory.isEmpty())
        QDir::setCurrent(directory);
    std::istringstream in(input);
    std::ostringstream out, err;
    CliIo io{in, out, err};
    CliRun run;
    run.status = runCli(args, io, fallback);
    QDir::setCurrent(previous);
    run.out = out.str();
    run.err = QString::fromStdString(err.str());
    run.lines = QString::fromStdString(run.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return run;
}
