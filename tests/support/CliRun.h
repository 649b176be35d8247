#pragma once

#include "app/cli/CliCommand.h"

#include <QString>
#include <QStringList>

#include <string>

// What one run of a mensoly-cli command printed.
struct CliRun
{
    int status = 0;
    std::string out;
    QString err;
    QStringList lines; // the non-empty lines of out

    // The lines of one kind: those that start with kind and a tab.
    QStringList linesOf(const QString& kind) const;
};

// Runs the command as mensoly-cli does, with directory as the current (data)
// directory when one is given and input on standard input; fallback is the
// user's folder taken when that directory holds no data (none: it is kept).
CliRun runCliIn(const QString& directory, const CliArgs& args, const std::string& input = {},
                const QString& fallback = {});
inline CliRun runCliWith(const CliArgs& args, const std::string& input = {})
{
    return runCliIn(QString(), args, input);
}
