#pragma once

#include "CrashLabels.h"

#include "app/ApplicationStartup.h"
#include "core/Prompt.h"
#include "db/AppContext.h"

#include <QString>

namespace CrashLabels {

// Opens the database of the crash suite's programs with their pinned clock:
// the data directory's SQLite file as the program's start opens it, or, given
// a libpq conninfo, that PostgreSQL database with the directory's settings.
inline bool openDatabase(AppContext& context, const QString& directory, const QString& conninfo,
                         Prompt& prompt)
{
    context.setClock(&pinnedNow);
    if (conninfo.isEmpty())
        return ApplicationStartup::run(context, directory, prompt);
    context.setDataDirectory(directory);
    context.setOwnerCode(ApplicationStartup::readOwnerCode(directory));
    context.setConnectionString(QStringLiteral("Backend=postgresql;Connection=\"%1\"").arg(conninfo));
    if (!context.openDatabase()) {
        prompt.message(QStringLiteral("cannot open %1: %2").arg(conninfo, context.db().lastError()),
                       Prompt::Icon::Error);
        return false;
    }
    context.setLanguageCode(ApplicationStartup::readLanguageCode(context));
    return true;
}

} // namespace CrashLabels
